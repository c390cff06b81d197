// What the toolbar component promises its programmer and the user: the
// ranges of its numeric properties, misuse refused on every path,
// ownership, docks that align and keep their place, hidden toolbars that
// take no room, and what screen readers are told.

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

#include "components/toolbars/ToolbarAccessible.h"
#include "components/toolbars/ToolbarFixture.h"
#include "draw/HandlerBoundary.h"

namespace sorabel::test {
namespace {

// Collects what the component's handlers report.
class ReportedErrors {
 public:
  ReportedErrors() {
    draw::setExceptionHandler([this](const std::exception& error) { messages.push_back(error.what()); });
  }
  ~ReportedErrors() { draw::setExceptionHandler({}); }
  std::vector<std::string> messages;
};

TEST_F(ToolbarTest, NumericPropertiesKeepTheirValueOutsideTheirRange) {
  TToolbar* bar = toolbar({23, 23}, top);
  form->show();
  struct Case {
    const char* name;
    std::function<void(int)> set;
    std::function<int()> get;
    bool minusOne, zero, intMax;  // which of -1, 0, INT_MAX are taken
  };
  auto* button = static_cast<TToolbarButton*>(bar->controls()[0]);
  QImage glyph(64, 16, QImage::Format_RGB32);
  glyph.fill(Qt::black);
  button->setGlyph(glyph);  // four cells
  auto* loose = new TToolbar(form.get());  // floating: row and position are kept as given
  const std::vector<Case> cases = {
      {"DockRow", [&](int v) { loose->SetDockRow(v); }, [&] { return loose->DockRow(); }, false, true, false},
      {"DockPos", [&](int v) { loose->SetDockPos(v); }, [&] { return loose->DockPos(); }, true, true, false},
      {"Margin", [&](int v) { button->setMargin(v); }, [&] { return button->Margin(); }, true, true, false},
      {"Spacing", [&](int v) { button->setSpacing(v); }, [&] { return button->Spacing(); }, true, true, false},
      {"GroupIndex", [&](int v) { button->setGroupIndex(v); }, [&] { return button->GroupIndex(); }, false, true, true},
      {"NumGlyphs", [&](int v) { button->setNumGlyphs(v); }, [&] { return button->NumGlyphs(); }, false, false, false},
  };
  for (const Case& c : cases) {
    const int inRange = 2;
    c.set(inRange);
    ASSERT_EQ(c.get(), inRange) << c.name;
    const int values[] = {-1, 0, INT_MAX};
    const bool taken[] = {c.minusOne, c.zero, c.intMax};
    for (int i = 0; i < 3; ++i) {
      c.set(inRange);
      c.set(values[i]);
      EXPECT_EQ(c.get(), taken[i] ? values[i] : inRange) << c.name << " given " << values[i];
      QApplication::processEvents();  // the layout runs with whatever was kept
    }
  }
  loose->SetDockRow(TToolbar::kMaxDockRow);
  loose->SetDockPos(TToolbar::kMaxDockPos);
  loose->SetDockedTo(top);  // the highest row and place lay out at once
  EXPECT_EQ(loose->DockRow(), 1);
  EXPECT_EQ(top->RowExtents().size(), 2u);
}

TEST_F(ToolbarTest, MisuseIsRefusedOnEveryPathAndLeavesTheControlWhereItWas) {
  TToolbar* bar = toolbar({23, 0, 23}, top);
  auto* separator = bar->findChild<TToolbarSep*>();
  QWidget plain(form.get());
  const auto message = [](const std::function<void()>& misuse) {
    try {
      misuse();
    } catch (const EInvalidOperation& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { bar->setParent(&plain); }), "TToolbar can only be placed on a TDock or directly on the form");
  EXPECT_EQ(bar->DockedTo(), top);
  EXPECT_EQ(message([&] { separator->setParent(top); }), "TToolbarSep can only be placed on a TToolbar");
  EXPECT_EQ(separator->parentWidget(), bar);
  EXPECT_EQ(message([&] { top->setParent(bar); }), "A TDock control cannot be placed inside a TToolbar or another TDock");
  EXPECT_EQ(message([&] { top->setParent(bottom); }), "A TDock control cannot be placed inside a TToolbar or another TDock");
  EXPECT_EQ(top->parentWidget(), form.get());
  EXPECT_EQ(message([] { TToolbarSep orphan(nullptr); }), "TToolbarSep can only be placed on a TToolbar");
  QWidget child(form.get());
  EXPECT_EQ(message([&] { TToolbar notOwned(&child); }), "TToolbar must be owned by a form");
  EXPECT_EQ(message([&] { top->hide(); }), "Cannot hide a TDock");
  EXPECT_EQ(message([&] { top->setPosition(TDockPosition::dpBottom); }),
            "Cannot change Position of a TDock if it already contains controls");

  // The same through QWidget: undone, and reported as a failed command.
  ReportedErrors reported;
  static_cast<QWidget*>(bar)->setParent(&plain);
  EXPECT_EQ(bar->DockedTo(), top);
  EXPECT_EQ(top->BarList().size(), 1u);
  static_cast<QWidget*>(separator)->setParent(&plain);
  EXPECT_EQ(separator->parentWidget(), bar);
  static_cast<QWidget*>(bottom)->setParent(bar);
  EXPECT_EQ(bottom->parentWidget(), form.get());
  EXPECT_EQ(reported.messages,
            (std::vector<std::string>{"TToolbar can only be placed on a TDock or directly on the form",
                                      "TToolbarSep can only be placed on a TToolbar",
                                      "A TDock control cannot be placed inside a TToolbar or another TDock"}));
  // Allowed places are taken: directly on the form means floating.
  bar->setParent(form.get());
  EXPECT_TRUE(bar->floating());
  bar->setParent(right);
  EXPECT_EQ(bar->DockedTo(), right);
}

TEST_F(ToolbarTest, ADeletedDockLeavesItsToolbarsToTheForm) {
  TToolbar* bar = toolbar({23, 23}, bottom);
  bar->setDefaultDock(bottom);
  form->show();
  QPointer<TToolbar> watched = bar;
  delete bottom;
  bottom = nullptr;
  ASSERT_NE(watched, nullptr);
  EXPECT_EQ(bar->DockedTo(), nullptr);
  EXPECT_EQ(bar->DefaultDock(), nullptr);
  QApplication::processEvents();
  EXPECT_TRUE(bar->floating());
  EXPECT_TRUE(bar->Visible());
  bar->SetDockedTo(top);  // still a working toolbar
  EXPECT_EQ(top->BarList().size(), 1u);
}

TEST(DockAlignment, DocksAlignToTheirEdgesOnAFormWithoutALayout) {
  QWidget form;
  form.resize(300, 200);
  auto* bottom = new TDock(&form, TDockPosition::dpBottom);
  auto* top = new TDock(&form, TDockPosition::dpTop);
  auto* left = new TDock(&form, TDockPosition::dpLeft);
  auto* bar = new TToolbar(&form);
  new TToolbarButton(bar);
  bar->SetDockedTo(bottom);
  auto* upper = new TToolbar(&form);
  new TToolbarButton(upper);
  upper->SetDockedTo(top);
  auto* side = new TToolbar(&form);
  new TToolbarButton(side);
  side->SetDockedTo(left);
  form.show();
  QApplication::processEvents();
  EXPECT_EQ(bottom->geometry(), QRect(0, 200 - 26, 300, 26));
  EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 26));
  EXPECT_EQ(left->geometry(), QRect(0, 26, 27, 200 - 52));
  form.resize(420, 250);
  QApplication::processEvents();
  EXPECT_EQ(bottom->geometry(), QRect(0, 250 - 26, 420, 26));
  EXPECT_EQ(left->geometry(), QRect(0, 26, 27, 250 - 52));
}

TEST_F(ToolbarTest, HiddenToolbarsTakeNoRoomWhereverTheyMove) {
  TToolbar* bar = toolbar({23, 23}, top);
  form->show();
  QApplication::processEvents();
  bar->setVisible(false);
  bar->SetDockedTo(right);
  QApplication::processEvents();
  EXPECT_TRUE(right->BarList().empty());
  EXPECT_EQ(right->width(), 0);
  EXPECT_FALSE(bar->isVisible());
  bar->setVisible(true);
  EXPECT_EQ(right->BarList().size(), 1u);
  EXPECT_EQ(right->width(), bar->width());
}

TEST_F(ToolbarTest, ADockWithBoundLinesKeepsItsPlaceWhenItsToolbarComesBack) {
  top->setBoundLines(blTop | blBottom | blLeft | blRight);
  TToolbar* bar = toolbar({23, 23}, top);
  form->show();
  QApplication::processEvents();
  bar->setVisible(false);
  QApplication::processEvents();
  EXPECT_EQ(top->height(), 0);
  bar->setVisible(true);
  // At once, before any further event: 28 high, inside its lines.
  EXPECT_EQ(top->minimumHeight(), 28);
  EXPECT_EQ(top->maximumHeight(), 28);
  EXPECT_EQ(top->height(), 28);
  EXPECT_EQ(bar->geometry().topLeft(), QPoint(1, 1));
  QApplication::processEvents();
  EXPECT_EQ(top->geometry(), QRect(0, 0, form->width(), 28));
}

TEST_F(ToolbarTest, TheDocksPopupMenuOpensOnAContextClick) {
  QMenu menu;
  menu.addAction(QStringLiteral("Item"));
  top->setPopupMenu(&menu);
  form->show();
  int shown = 0;
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    ++shown;
    QTimer::singleShot(0, &menu, &QMenu::close);
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 0), top->mapToGlobal(QPoint(2, 0)));
  QCoreApplication::sendEvent(top, &event);
  EXPECT_EQ(shown, 1);
  menu.close();
}

TEST(MdiChildToolbars, TheFloatParentOfAnMdiChildsToolbarIsOnTheParentForm) {
  QWidget parent;
  auto* layout = new QVBoxLayout(&parent);
  auto* area = new QMdiArea(&parent);
  layout->addWidget(area);
  QMdiSubWindow* child = area->addSubWindow(new QWidget);
  auto* bar = new TToolbar(child);
  EXPECT_EQ(ToolbarInternals::floatParent(*bar)->parentWidget(), &parent);
  EXPECT_EQ(ToolbarInternals::ownerForm(*bar), child);
}

TEST_F(ToolbarTest, ScreenReadersHearPressesStatesAndPlaces) {
  TToolbar* bar = toolbar({23, 23, 23}, top);
  bar->setCaption(QStringLiteral("書式"));
  form->show();
  auto* plain = static_cast<TToolbarButton*>(bar->controls()[0]);
  auto* latching = static_cast<TToolbarButton*>(bar->controls()[1]);
  auto* dropdown = static_cast<TToolbarButton*>(bar->controls()[2]);
  plain->setHint(QStringLiteral("太字"));
  latching->setGroupIndex(1);
  latching->setAllowAllUp(true);
  QMenu menu;
  dropdown->setDropdownMenu(&menu);

  QAccessibleInterface* plainFace = QAccessible::queryAccessibleInterface(plain);
  ASSERT_NE(plainFace, nullptr);
  EXPECT_EQ(plainFace->role(), QAccessible::Button);
  EXPECT_EQ(plainFace->text(QAccessible::Name), QStringLiteral("太字"));
  ASSERT_NE(plainFace->actionInterface(), nullptr);
  EXPECT_EQ(plainFace->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
  int clicks = 0;
  plain->OnClick = [&] { ++clicks; };
  plainFace->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  QApplication::processEvents();
  EXPECT_EQ(clicks, 1);

  QAccessibleInterface* latchFace = QAccessible::queryAccessibleInterface(latching);
  EXPECT_TRUE(latchFace->state().checkable);
  EXPECT_FALSE(latchFace->state().checked);
  latchFace->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  QApplication::processEvents();
  EXPECT_TRUE(latching->Down());
  EXPECT_TRUE(latchFace->state().checked);
  EXPECT_FALSE(plainFace->state().checkable);

  QAccessibleInterface* dropFace = QAccessible::queryAccessibleInterface(dropdown);
  EXPECT_EQ(dropFace->role(), QAccessible::ButtonDropDown);
  EXPECT_TRUE(dropFace->state().hasPopup);

  plain->setEnabled(false);
  EXPECT_TRUE(plainFace->state().disabled);
  EXPECT_TRUE(plainFace->actionInterface()->actionNames().isEmpty());

  QAccessibleInterface* dockFace = QAccessible::queryAccessibleInterface(top);
  EXPECT_EQ(dockFace->text(QAccessible::Name), QStringLiteral("上のドック"));
  EXPECT_EQ(dockFace->text(QAccessible::Description), QStringLiteral("横向き"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(left)->text(QAccessible::Name), QStringLiteral("左のドック"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(left)->text(QAccessible::Description), QStringLiteral("縦向き"));

  QAccessibleInterface* barFace = QAccessible::queryAccessibleInterface(bar);
  EXPECT_EQ(barFace->role(), QAccessible::ToolBar);
  bar->SetDockedTo(nullptr);
  EXPECT_EQ(barFace->role(), QAccessible::Window);
  EXPECT_EQ(barFace->text(QAccessible::Name), QStringLiteral("書式"));
}

TEST_F(ToolbarTest, StateChangesAreAnnounced) {
  TToolbar* bar = toolbar({23, 23}, top);
  form->show();
  auto* button = static_cast<TToolbarButton*>(bar->controls()[0]);
  button->setGroupIndex(2);
  std::vector<QAccessible::State> seen;
  setAccessibleStateObserver([&](QWidget* widget, QAccessible::State changed) {
    if (widget == button) seen.push_back(changed);
  });
  button->setDown(true);
  button->setEnabled(false);
  setAccessibleStateObserver({});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[0].checked);
  EXPECT_TRUE(seen[0].pressed);
  EXPECT_TRUE(seen[1].disabled);
}

}  // namespace
}  // namespace sorabel::test
