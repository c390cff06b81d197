// What only a window manager shows: where window frames go, which title-bar
// buttons a dialog is offered, message boxes on a small screen, and the
// window class the desktop entry names. run_under_openbox.sh runs these in
// an X server of their own (1024 x 600) with openbox.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <xcb/xcb.h>

#include "forms/Forms.h"
#include "forms/UAbout.h"
#include "forms/UAdd.h"
#include "forms/UKensakuFm.h"
#include "forms/UMain.h"
#include "qtplatform/FormFont.h"
#include "qtplatform/UserDialogs.h"
#include "support/ModalActions.h"
#include "support/TestFiles.h"
#include "widgets/StringGridView.h"

namespace sorabel::test {
namespace {

// Long enough for a machine busy with a parallel build; the waits end as
// soon as what they wait for has happened.
constexpr int kWaitMs = 20000;

xcb_connection_t* connection() {
  return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t atom(const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection(), xcb_intern_atom(connection(), 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t result = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return result;
}

// The bytes of a property of an X window; empty when it has none.
std::string propertyOf(xcb_window_t window, const char* property, xcb_atom_t type) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection(), xcb_get_property(connection(), 0, window, atom(property), type, 0, 4096), nullptr);
  if (reply == nullptr) return {};
  std::string value(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  std::free(reply);
  return value;
}

xcb_window_t xWindow(const QWidget* window) { return static_cast<xcb_window_t>(window->winId()); }

// An ATOM list property as atom names.
QStringList atomNames(const QWidget* window, const char* property) {
  const std::string bytes = propertyOf(xWindow(window), property, XCB_ATOM_ATOM);
  QStringList names;
  for (std::size_t at = 0; at + sizeof(xcb_atom_t) <= bytes.size(); at += sizeof(xcb_atom_t)) {
    xcb_atom_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(connection(), xcb_get_atom_name(connection(), value), nullptr);
    if (reply == nullptr) continue;
    names << QString::fromLatin1(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply));
    std::free(reply);
  }
  return names;
}

// The window manager's frame around a window: the window's ancestor that is
// a child of the root window (the window itself while it is not framed).
xcb_window_t frameWindow(xcb_window_t window) {
  for (;;) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection(), xcb_query_tree(connection(), window), nullptr);
    if (tree == nullptr) return XCB_WINDOW_NONE;
    const bool top = tree->parent == tree->root;
    const xcb_window_t parent = tree->parent;
    std::free(tree);
    if (top) return window;
    window = parent;
  }
}

bool viewable(xcb_window_t window) {
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(connection(), xcb_get_window_attributes(connection(), window), nullptr);
  const bool result = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
  std::free(attributes);
  return result;
}

// Where the X server has the window's frame now, title bar included; null
// while the window is not framed and shown. Asked of the server, not of
// Qt, whose geometry follows the server's events a moment later.
QRect framedAt(const QWidget* window) {
  const xcb_window_t client = xWindow(window);
  const xcb_window_t frame = frameWindow(client);
  if (frame == XCB_WINDOW_NONE || frame == client || !viewable(frame)) return {};
  xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection(), xcb_get_geometry(connection(), frame), nullptr);
  if (geometry == nullptr) return {};
  const int border = 2 * geometry->border_width;
  const QRect result(geometry->x, geometry->y, geometry->width + border, geometry->height + border);
  std::free(geometry);
  return result;
}

// True once the window manager has framed and shown the window and said
// what it allows.
bool managed(const QWidget* window) {
  return QTest::qWaitFor(
      [window] { return !framedAt(window).isNull() && !atomNames(window, "_NET_WM_ALLOWED_ACTIONS").isEmpty(); },
      kWaitMs);
}

// True once the window manager frames a window shown. openbox names itself
// on the root window before it has finished starting, and a window shown in
// that moment stays unmapped for good; so a probe window is shown, again
// and again, until one is framed (a probe framed late does no harm).
bool windowManagerRuns() {
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection())).data;
  if (!QTest::qWaitFor([screen] { return !propertyOf(screen->root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).empty(); },
                       10'000))
    return false;
  for (int attempt = 0; attempt < 80; ++attempt) {
    QWidget probe;
    probe.resize(40, 40);
    probe.show();
    if (QTest::qWaitFor([&probe] { return !framedAt(&probe).isNull(); }, 250)) return true;
  }
  return false;
}

class WindowManagerTest : public ::testing::Test, public ModalActions {
 protected:
  void TearDown() override {
    dropPendingActions();
    forms.reset();
  }

  // Every window, the main one shown at at and framed.
  TMainFm& start(QPoint at) {
    forms = std::make_unique<Forms>(FormPaths{dir / "sorabel.ini", QStringLiteral(SORABEL_TEST_HELP_FILE)});
    TMainFm& main = *forms->MainFm;
    main.move(at);
    main.show();
    EXPECT_TRUE(managed(&main));
    main.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main, kWaitMs));
    return main;
  }

  TempDir dir;
  std::unique_ptr<Forms> forms;
};

struct SeenDialog {
  QRect frame;
  QStringList allowed;
  QStringList types;
};

// What the window manager made of a modal dialog, which is then closed.
SeenDialog seeModal(QDialog* dialog) {
  SeenDialog seen;
  if (managed(dialog))
    seen = {framedAt(dialog), atomNames(dialog, "_NET_WM_ALLOWED_ACTIONS"),
            atomNames(dialog, "_NET_WM_WINDOW_TYPE")};
  else
    ADD_FAILURE() << "not managed: " << dialog->objectName().toStdString();
  dialog->reject();
  return seen;
}

TEST_F(WindowManagerTest, EntryDialogFrameOpensAtTheMainWindowsLeftAnd70BelowItsTop) {
  TMainFm& main = start({60, 40});
  SeenDialog seen;
  whenModal([&] { seen = seeModal(forms->AddFm); });
  QTest::keyClick(main.findChild<StringGridView*>(QStringLiteral("StringGrid1")), Qt::Key_F3);
  ASSERT_FALSE(seen.frame.isNull());
  EXPECT_EQ(seen.frame.topLeft(), framedAt(&main).topLeft() + QPoint(0, 70));
}

TEST_F(WindowManagerTest, DialogsWithoutTitleBarButtonsAreOfferedNoMinimiseOrMaximise) {
  TMainFm& main = start({60, 40});
  SeenDialog entry;
  whenModal([&] { entry = seeModal(forms->AddFm); });
  main.A1Click();
  SeenDialog about;
  whenModal([&] { about = seeModal(forms->AboutFm); });
  main.V1Click();
  for (const SeenDialog& seen : {entry, about}) {
    ASSERT_FALSE(seen.allowed.isEmpty());
    EXPECT_TRUE(seen.allowed.contains(QStringLiteral("_NET_WM_ACTION_MOVE")));
    for (const char* action : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                               "_NET_WM_ACTION_RESIZE"})
      EXPECT_FALSE(seen.allowed.contains(QLatin1String(action))) << action;
    EXPECT_TRUE(seen.types.contains(QStringLiteral("_NET_WM_WINDOW_TYPE_DIALOG")));
  }
}

TEST_F(WindowManagerTest, MessageBoxOfAnOverLongPathOpensWithItsTitleBarOnTheScreen) {
  TMainFm& main = start({200, 330});  // low on a screen 600 pixels high
  QString path = QStringLiteral("/home/user");
  while (path.size() < 4000) path += QLatin1Char('/') + QString(60, QLatin1Char('d'));  // as long as paths get
  QRect frame;
  QRect area;
  QString seen = QStringLiteral("nothing");
  whenModal([&] {
    QWidget* modal = QApplication::activeModalWidget();
    seen = modal != nullptr ? QString::fromLatin1(modal->metaObject()->className()) : QStringLiteral("no modal");
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    if (managed(box)) {
      frame = framedAt(box);
      area = box->screen()->availableGeometry();
    } else {
      seen += QStringLiteral(" unmanaged");
    }
    box->button(QMessageBox::Ok)->click();
  });
  QtUserDialogs().tell(&main, path + QStringLiteral("\nこのファイル名は長すぎるため、次回起動時に開くファイルと履歴に保存できませんでした。"),
                       MessageKind::Error);
  ASSERT_FALSE(frame.isNull()) << seen.toStdString();
  EXPECT_TRUE(area.contains(frame)) << "frame at " << frame.y() << ", " << frame.height() << " high";
}

TEST_F(WindowManagerTest, AfterAskingForASearchTextTheFocusIsBackInTheField) {
  TMainFm& main = start({60, 40});
  TKensakuFm& dialog = *forms->KensakuFm;
  auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("MojiEdit"));
  auto* findButton = dialog.findChild<QAbstractButton*>(QStringLiteral("FindBtn"));
  bool asked = false;
  QWidget* focusAfterMessage = nullptr;
  whenModal([&] {
    if (QTest::qWaitFor([&] { return QApplication::focusWidget() == field; }, kWaitMs)) {
      QTest::keyClick(field, Qt::Key_Return);  // on to the search button
      whenModal([&] {                          // the message box: Enter closes it
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        asked = box->text() == QStringLiteral("検索文字を入力して下さい。");
        if (!QTest::qWaitForWindowActive(box, kWaitMs)) ADD_FAILURE() << "the message box never became active";
        QTest::keyClick(box, Qt::Key_Return);
      });
      if (QApplication::focusWidget() == findButton) QTest::keyClick(findButton, Qt::Key_Return);
      (void)QTest::qWaitFor([&] { return QApplication::focusWidget() == field; }, kWaitMs);
      focusAfterMessage = QApplication::focusWidget();
    }
    dialog.reject();
  });
  main.Find2Click();
  EXPECT_TRUE(asked);
  EXPECT_EQ(focusAfterMessage, field);
}

TEST_F(WindowManagerTest, WindowClassIsTheOneTheDesktopEntryNames) {
  TMainFm& main = start({60, 40});
  const std::string wmClass = propertyOf(xWindow(&main), "WM_CLASS", XCB_ATOM_STRING);  // instance \0 class \0
  const std::size_t split = wmClass.find('\0');
  ASSERT_NE(split, std::string::npos);
  const QString windowClass = QString::fromStdString(wmClass.substr(split + 1)).remove(QChar(0));

  QFile entry(QStringLiteral(SORABEL_DESKTOP_ENTRY));
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
  QString named;
  for (const QByteArray& line : entry.readAll().split('\n'))
    if (line.startsWith("StartupWMClass=")) named = QString::fromUtf8(line.mid(15)).trimmed();
  EXPECT_EQ(named, windowClass);
}

}  // namespace
}  // namespace sorabel::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorabel"));
  sorabel::installFontSubstitutions();
  QApplication::setFont(sorabel::formFont());
  if (QGuiApplication::platformName() != QLatin1String("xcb") || !sorabel::test::windowManagerRuns()) {
    std::fprintf(stderr, "needs an X server with a window manager (see run_under_openbox.sh)\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
