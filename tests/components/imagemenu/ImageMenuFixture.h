#pragma once
// A form with a main menu, an image list of plain pictures and an image
// menu bound to both; measuring goes to a recording canvas. The helpers
// drive the real widgets with real events: a click on the menu bar opens a
// drop-down, the pointer moves over items, keys go to the focused widget
// or the open menu.

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

#include "components/imagemenu/TMainImageMenu.h"
#include "draw/ImageList.h"
#include "support/RecordingCanvas.h"

namespace sorabel::test {

using namespace sorabel::draw;
using namespace sorabel::imagemenu;

inline QImage plainPicture(QColor color, int size = 16) {
  QImage picture(size, size, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int i = 2; i < size - 2; ++i)
    for (int j = 2; j < size - 2; ++j) picture.setPixelColor(i, j, color);
  return picture;
}

// Colours as painted: within one step of each 8-bit channel.
inline bool near(const QColor& painted, const QColor& expected) {
  return std::abs(painted.red() - expected.red()) <= 1 && std::abs(painted.green() - expected.green()) <= 1 &&
         std::abs(painted.blue() - expected.blue()) <= 1;
}

// A form that keeps the application hints it is given, as a program's
// form shows them in its status bar.
class HintForm : public QMainWindow {
 public:
  QStringList hints;
  QString lastHint() const { return hints.isEmpty() ? QString() : hints.last(); }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::StatusTip) return QMainWindow::event(event);
    hints << static_cast<QStatusTipEvent*>(event)->tip();
    return true;
  }
};

// Closes every open popup (a test that fails midway leaves none behind).
inline void closeAllPopups() {
  for (int i = 0; i < 8 && QApplication::activePopupWidget() != nullptr; ++i) QApplication::activePopupWidget()->close();
  QApplication::processEvents();
}

// Shows a window and makes it the active one, once the window system has
// settled (windows of earlier tests going away change the activation late).
inline void activate(QWidget* window) {
  // The pointer starts away from the window (a move to where it already is
  // is no move).
  const QRect screen = window->screen()->geometry();
  QCursor::setPos(screen.bottomRight() - QPoint(2, 2));
  window->show();
  window->activateWindow();
  (void)QTest::qWaitForWindowActive(window);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  QApplication::setActiveWindow(window);
  QApplication::processEvents();
}

// The window-system window a widget is shown in. Mouse and key events go
// through it, as the platform's own do: an open popup takes them, enter and
// leave events follow the pointer, a right click asks for a context menu.
inline QWindow* windowOf(QWidget* widget) { return widget->window()->windowHandle(); }

// Moves the pointer over a point of a widget.
inline void pointAt(QWidget* widget, QPoint at) {
  const QPoint global = widget->mapToGlobal(at);
  QCursor::setPos(global);
  QWindow* window = windowOf(widget);
  QTest::mouseMove(window, window->mapFromGlobal(global));
}

// Moves the pointer over an item of an open menu.
inline void pointAt(QMenu* menu, QAction* item) { pointAt(menu, menu->actionGeometry(item).center()); }

// A click of a mouse button at a point of a widget.
inline void clickAt(QWidget* widget, QPoint at, Qt::MouseButton which = Qt::LeftButton) {
  const QPoint global = widget->mapToGlobal(at);
  QCursor::setPos(global);
  QWindow* window = windowOf(widget);
  QTest::mouseClick(window, which, Qt::NoModifier, window->mapFromGlobal(global));
}

// Clicks a bar item: its drop-down opens.
inline void clickBarItem(QMenuBar* bar, QAction* item) { clickAt(bar, bar->actionGeometry(item).center()); }

// A key typed in a window: it goes to the open popup, or the focused widget.
inline void typeKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(windowOf(window), key, modifiers);
  QApplication::processEvents();
}

// Alt pressed and released alone.
inline void typeAlt(QWidget* window) {
  QTest::keyPress(windowOf(window), Qt::Key_Alt, Qt::AltModifier);
  QTest::keyRelease(windowOf(window), Qt::Key_Alt, Qt::AltModifier);
  QApplication::processEvents();
}

class ImageMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<HintForm>();
    bar = form->menuBar();
    file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    newItem = file->addAction(QStringLiteral("新規(&N)"));
    print = file->addAction(QStringLiteral("印刷(&P)"));
    separator = file->addSeparator();
    exitItem = file->addAction(QStringLiteral("終了(&X)"));
    exitItem->setShortcut(Qt::Key_F3);
    edit = bar->addMenu(QStringLiteral("編集(&E)"));
    toolbarItem = edit->addAction(QStringLiteral("ツールバー(&A)"));
    toolbarItem->setCheckable(true);
    toolbarItem->setChecked(true);
    statusItem = edit->addAction(QStringLiteral("ステータスバー(&B)"));
    statusItem->setCheckable(true);
    statusItem->setChecked(true);
    search = bar->addMenu(QStringLiteral("検索(&S)"));
    hidden = search->addAction(QStringLiteral("隠し(&S)"));
    hidden->setVisible(false);
    find = search->addAction(QStringLiteral("検索(&S)"));
    monthly = search->addAction(QStringLiteral("月別(&I)"));

    images = new ImageList(16, 16, form.get());
    for (QColor color : {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::green)}) images->add(plainPicture(color));
    menu = new TMainImageMenu(form.get());
    menu->setImages(images);
    menu->ItemImages().Add(newItem, 0, QStringLiteral("新規|新しく作ります"));
    menu->ItemImages().Add(toolbarItem, 1, QStringLiteral("|ツールバーの表示"));
    menu->setMenu(bar);
    menu->setMeasureCanvasFactory([] { return std::make_unique<RecordingCanvas>(); });
    // A menu left open by a fault would hold its loop, and the test, for
    // ever: after a while it is closed and the test fails.
    watchdog.setInterval(5000);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
      if (QApplication::activePopupWidget() == nullptr) return;
      ADD_FAILURE() << "a menu stayed open";
      closeAllPopups();
    });
    watchdog.start();
  }

  void TearDown() override {
    watchdog.stop();
    closeAllPopups();
  }

  // Draws an item as a draw request would, on a recording canvas.
  RecordingCanvas draw(QAction* item, unsigned state, Rect rect) {
    RecordingCanvas canvas;
    menu->drawRequest(canvas, bar, item, state, rect);
    return canvas;
  }

  std::unique_ptr<HintForm> form;
  QMenuBar* bar = nullptr;
  QMenu* file = nullptr;
  QAction* newItem = nullptr;
  QAction* print = nullptr;
  QAction* separator = nullptr;
  QAction* exitItem = nullptr;
  QMenu* edit = nullptr;
  QAction* toolbarItem = nullptr;
  QAction* statusItem = nullptr;
  QMenu* search = nullptr;
  QAction* hidden = nullptr;
  QAction* find = nullptr;
  QAction* monthly = nullptr;
  ImageList* images = nullptr;
  TMainImageMenu* menu = nullptr;
  QTimer watchdog;
};

}  // namespace sorabel::test
