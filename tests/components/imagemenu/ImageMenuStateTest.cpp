// The image menu's properties and links, its hook (hot tracking, hints,
// accelerators) and the system menu drawer's settings.

#include <QMouseEvent>
#include <QStatusTipEvent>

#include "components/imagemenu/Accelerators.h"
#include "components/imagemenu/BarHotTracker.h"
#include "components/imagemenu/ImageMenuFixture.h"
#include "components/imagemenu/TSysMenu.h"
#include "components/imagemenu/WindowMenu.h"

namespace sorabel::test {
namespace {

TEST_F(ImageMenuTest, ItemHeightAndLargeImageFollowTheirRules) {
  menu->setItemHeight(17);
  EXPECT_EQ(menu->ItemHeight(), 20);
  menu->setItemHeight(18);
  EXPECT_EQ(menu->ItemHeight(), 18);
  menu->setItemHeight(20);
  menu->setLargeImage(true);
  EXPECT_EQ(menu->ItemHeight(), 34);
  EXPECT_EQ(menu->ImageSize(), 32);
  menu->setItemHeight(33);
  EXPECT_EQ(menu->ItemHeight(), 34);
  menu->setItemHeight(40);
  EXPECT_EQ(menu->ItemHeight(), 40);
  menu->setLargeImage(false);
  EXPECT_EQ(menu->ImageSize(), 16);
}

TEST_F(ImageMenuTest, PicturesComeFromTheFirstRowAndOnlyWithAnImageList) {
  EXPECT_EQ(menu->ImageIndexOf(newItem), 0);
  menu->ItemImages().Items(0).setImageIndex(-2);  // ignored
  EXPECT_EQ(menu->ImageIndexOf(newItem), 0);
  menu->ItemImages().Add(newItem, 2, QStringLiteral("|second"));
  EXPECT_EQ(menu->ImageIndexOf(newItem), 0);  // the first row wins
  EXPECT_EQ(menu->HintOf(newItem), "新規|新しく作ります");
  EXPECT_EQ(menu->ImageIndexOf(print), -1);

  menu->setImages(nullptr);
  EXPECT_EQ(menu->ImageIndexOf(toolbarItem), -1);
  EXPECT_EQ(menu->HintOf(toolbarItem), "|ツールバーの表示");  // hints do not need pictures
  menu->setImages(images);
  EXPECT_EQ(menu->ImageIndexOf(toolbarItem), -1);  // the indexes are gone
}

TEST_F(ImageMenuTest, RemovedItemsMenusAndImageListsAreForgotten) {
  ASSERT_EQ(menu->ItemImages().Count(), 2);
  delete newItem;
  EXPECT_EQ(menu->ItemImages().Count(), 1);
  delete images;
  EXPECT_EQ(menu->Images(), nullptr);
  EXPECT_EQ(menu->ItemImages().Items(0).ImageIndex(), -1);
  delete bar;
  EXPECT_EQ(menu->Menu(), nullptr);
  EXPECT_EQ(menu->ItemImages().Count(), 0);
}

TEST_F(ImageMenuTest, ItemsAreConvertedWithTheirFlagsAndFailuresNameTheItem) {
  EXPECT_EQ(toolbarItem->property("sorabel_ownerDrawFlags").toUInt(), unsigned{MF_OWNERDRAW | MF_CHECKED});
  EXPECT_EQ(separator->property("sorabel_ownerDrawFlags").toUInt(), unsigned{MF_OWNERDRAW | MF_SEPARATOR});
  QAction detached(QStringLiteral("孤立(&I)"));
  try {
    menu->OwnerDrawItems(&detached);
    FAIL();
  } catch (const EImageMenuError& error) {
    EXPECT_STREQ(error.what(), "孤立(&I) のオーナードローに失敗しました");
  }
}

TEST_F(ImageMenuTest, PropertiesThatRedrawTheMenuBarNeedAForm) {
  QObject notAForm;
  TImageMenu loose(&notAForm);
  loose.setItemHeight(30);  // no menu: nothing to redraw
  EXPECT_THROW(loose.setDefaultFont(true), EInvalidCast);
}

TEST(BarHotTracker, FramesTheItemUnderTheMouseAndFlattensTheLastOnce) {
  BarHotTracker tracker;
  const std::vector<BarItemInfo> items{{true, true}, {true, true}, {true, false}};
  EXPECT_EQ(tracker.track({0, true}, items), (std::vector<BarItemPaint>{{0, 0, true}}));
  EXPECT_EQ(tracker.track({1, true}, items), (std::vector<BarItemPaint>{{1, 1, true}, {0, 0, false}}));
  EXPECT_EQ(tracker.track({2, true}, items), (std::vector<BarItemPaint>{{1, 1, false}}));  // disabled: never raised
  EXPECT_EQ(tracker.HotIndex, 2);
  EXPECT_EQ(tracker.track({-1, false}, items), (std::vector<BarItemPaint>{{2, 2, false}}));  // left: drawn flat
  EXPECT_EQ(tracker.track({1, true}, items), (std::vector<BarItemPaint>{{1, 1, true}}));
  EXPECT_EQ(tracker.track({-1, false}, items), (std::vector<BarItemPaint>{{1, 1, false}}));  // leaving the bar
  EXPECT_TRUE(tracker.track({-1, false}, items).empty());  // moving in the client area changes nothing
  EXPECT_TRUE(tracker.track({0, true, false}, items).empty());  // an inactive form is not tracked
  tracker.track({0, true}, items);
  EXPECT_TRUE(tracker.track({1, true, true, true, true}, items).empty());  // tracking off (msWindows, menu open)
  EXPECT_EQ(tracker.HotIndex, -1);
}

TEST(BarHotTracker, PositionsCountOnlyVisibleItems) {
  const std::vector<BarItemInfo> items{{false, true}, {true, true}, {false, true}, {true, true}};
  EXPECT_EQ(BarHotTracker::positionToIndex(0, items), 1);
  EXPECT_EQ(BarHotTracker::positionToIndex(1, items), 3);
  EXPECT_EQ(BarHotTracker::indexToPosition(3, items), 1);
  BarHotTracker tracker;
  EXPECT_EQ(tracker.track({1, true}, items), (std::vector<BarItemPaint>{{3, 1, true}}));
}

TEST_F(ImageMenuTest, HotTrackingFollowsTheMouseOverTheRealMenuBar) {
  form->show();
  QApplication::setActiveWindow(form.get());
  auto moveTo = [this](QAction* item) {
    QMouseEvent move(QEvent::MouseMove, bar->actionGeometry(item).center(), bar->mapToGlobal(bar->actionGeometry(item).center()),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
  };
  moveTo(file->menuAction());
  EXPECT_EQ(menu->HotIndex, 0);
  moveTo(edit->menuAction());
  EXPECT_EQ(menu->HotIndex, 1);
  EXPECT_EQ(menu->LastHotIndex, 0);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(bar, &leave);
  EXPECT_EQ(menu->HotIndex, -1);
  menu->setMenuStyle(TMenuStyle::msWindows);
  moveTo(file->menuAction());
  EXPECT_EQ(menu->HotIndex, -1);
}

TEST(Accelerators, TheCharacterAfterTheFirstAmpersandMatchesIgnoringCase) {
  EXPECT_TRUE(MatchesAccelerator(QChar('s'), QStringLiteral("検索(&S)")));
  EXPECT_TRUE(MatchesAccelerator(QChar('S'), QStringLiteral("&save")));
  EXPECT_FALSE(MatchesAccelerator(QChar('s'), QStringLiteral("Save")));
  EXPECT_FALSE(MatchesAccelerator(QChar('s'), QStringLiteral("Save&")));
  EXPECT_TRUE(MatchesAccelerator(QChar('&'), QStringLiteral("A&&B")));  // "&&" is not special
}

TEST_F(ImageMenuTest, LettersInAnOpenDropDownChooseTheFirstVisibleMatch) {
  EXPECT_EQ(menu->menuChar(search, QChar('s')), (MenuCharResult{0, MNC_EXECUTE}));  // the hidden one does not count
  EXPECT_EQ(menu->menuChar(search, QChar('I')), (MenuCharResult{1, MNC_EXECUTE}));
  EXPECT_EQ(menu->menuChar(search, QChar('q')), (MenuCharResult{0, MNC_IGNORE}));
  EXPECT_EQ(menu->menuChar(bar, QChar('e')), (MenuCharResult{1, MNC_EXECUTE}));
  WindowMenu* system = WindowMenu::of(form.get());
  const MenuCharResult minimize = menu->menuChar(system, QChar('n'));
  EXPECT_EQ(minimize.code, MNC_EXECUTE);
  EXPECT_EQ(WindowMenu::commandOf(system->actions()[minimize.position]), SC_MINIMIZE);
}

// Catches the application hint the image menu sends to its form.
class HintCatcher : public QObject {
 public:
  QString hint;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::StatusTip) hint = static_cast<QStatusTipEvent*>(event)->tip();
    return false;
  }
};

TEST_F(ImageMenuTest, SelectedItemsSetTheLongHintAndClosingEmptiesIt) {
  HintCatcher catcher;
  form->installEventFilter(&catcher);
  QString selectedHint;
  menu->OnMenuSelect = [&](QAction*, const QString& hint) { selectedHint = hint; };
  menu->menuSelect(newItem, file, false);
  EXPECT_EQ(catcher.hint, "新しく作ります");
  EXPECT_EQ(selectedHint, "新規|新しく作ります");
  EXPECT_TRUE(menu->SubmenuSelected);  // its parent (the bar item) is visible
  menu->menuSelect(print, file, false);
  EXPECT_EQ(catcher.hint, "");  // no row: an empty hint
  menu->menuSelect(newItem, file, false);
  menu->menuSelect(nullptr, nullptr, false);
  EXPECT_EQ(catcher.hint, "");
  EXPECT_FALSE(menu->SubmenuSelected);
}

TEST_F(ImageMenuTest, SystemMenuItemHeightFollowsItsRules) {
  TSysMenu& system = menu->SysMenu();
  system.setItemHeight(0);
  EXPECT_EQ(system.ItemHeight(), 20);
  system.setItemHeight(17);
  EXPECT_EQ(system.ItemHeight(), 20);
  system.setItemHeight(18);
  EXPECT_EQ(system.ItemHeight(), 18);
  EXPECT_FALSE(system.Drawing());
  system.setDrawing(true);
  EXPECT_EQ(system.SysMenuHandle()->actions().first()->property("sorabel_imagemenu").value<QObject*>(), menu);
}

}  // namespace
}  // namespace sorabel::test
