// The image menu's properties and links, its hook (hot tracking, hints,
// accelerators) and the system menu drawer's settings.

#include <climits>

#include "components/imagemenu/Accelerators.h"
#include "components/imagemenu/BarHotTracker.h"
#include "components/imagemenu/ImageMenuFixture.h"
#include "components/imagemenu/MenuItemStyle.h"
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
  // Without an image list no item has a picture, whatever its row says.
  menu->setImages(nullptr);
  menu->ItemImages().Items(1).setImageIndex(1);
  EXPECT_EQ(menu->ImageIndexOf(toolbarItem), -1);
  menu->setImages(images);
  EXPECT_EQ(menu->ImageIndexOf(toolbarItem), 1);
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

TEST_F(ImageMenuTest, ItemsAreConvertedAndFailuresNameTheItem) {
  EXPECT_EQ(MenuItemStyle::componentOf(toolbarItem), menu);
  EXPECT_EQ(MenuItemStyle::componentOf(separator), menu);
  QAction detached(QStringLiteral("孤立(&I)"));
  try {
    menu->OwnerDrawItems(&detached);
    FAIL();
  } catch (const EImageMenuError& error) {
    EXPECT_STREQ(error.what(), "孤立(&I) のオーナードローに失敗しました");
  }
}

TEST_F(ImageMenuTest, AMainMenuPlacedOnTheFormLaterIsTakenAsMenu) {
  QMainWindow other;
  TMainImageMenu later(&other);
  ASSERT_EQ(later.Menu(), nullptr);
  QMenuBar* main = other.menuBar();
  main->addMenu(QStringLiteral("ファイル(&F)"))->addAction(QStringLiteral("開く(&O)"));
  QApplication::processEvents();
  EXPECT_EQ(later.Menu(), main);
  EXPECT_EQ(MenuItemStyle::componentOf(main->actions()[0]), &later);
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
  BarHotTracker tracker;
  EXPECT_EQ(tracker.track({1, true}, items), (std::vector<BarItemPaint>{{3, 1, true}}));
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

TEST_F(ImageMenuTest, NumericPropertiesKeepTheirValueOutsideTheirRange) {
  menu->setCursor(Qt::WaitCursor);
  menu->setActiveColor(rgb(1, 2, 3));
  menu->setInActiveColor(rgb(1, 2, 3));
  menu->Banner().setTopColor(rgb(1, 2, 3));
  menu->Banner().setBottomColor(rgb(1, 2, 3));
  menu->setMenuStyle(TMenuStyle::msWindows);
  const CanvasFont font = menu->ActiveFont();
  for (int value : {-1, INT_MAX}) {
    menu->setItemHeight(value);
    menu->SysMenu().setItemHeight(value);
    menu->Banner().setBannerWidth(value);
    menu->setCursor(value);
    menu->setActiveColor(static_cast<Color>(value));
    menu->setInActiveColor(static_cast<Color>(value));
    menu->Banner().setTopColor(static_cast<Color>(value));
    menu->Banner().setBottomColor(static_cast<Color>(value));
    menu->setMenuStyle(static_cast<TMenuStyle>(value));
    menu->SysMenu().setMenuStyle(static_cast<TMenuStyle>(value));
    CanvasFont huge = font;
    huge.height = value == -1 ? INT_MIN : value;
    menu->setActiveFont(huge);
    menu->setInActiveFont(huge);
    EXPECT_EQ(menu->ItemHeight(), 20);
    EXPECT_EQ(menu->SysMenu().ItemHeight(), 20);
    EXPECT_EQ(menu->Banner().BannerWidth(), 20);
    EXPECT_EQ(menu->Cursor(), Qt::WaitCursor);
    EXPECT_EQ(menu->ActiveColor(), rgb(1, 2, 3));
    EXPECT_EQ(menu->InActiveColor(), rgb(1, 2, 3));
    EXPECT_EQ(menu->Banner().TopColor(), rgb(1, 2, 3));
    EXPECT_EQ(menu->Banner().BottomColor(), rgb(1, 2, 3));
    EXPECT_EQ(menu->MenuStyle(), TMenuStyle::msWindows);
    EXPECT_EQ(menu->SysMenu().MenuStyle(), TMenuStyle::msOffice);
    EXPECT_EQ(menu->ActiveFont(), font);
  }
  // An ItemHeight of INT_MAX never reaches the measuring.
  EXPECT_EQ(menu->measureRequest(print)->width, RecordingCanvas::measure(QStringLiteral(" 印刷(P)")) + 20 + 20);
  menu->setItemHeight(0);
  menu->SysMenu().setItemHeight(0);
  EXPECT_EQ(menu->ItemHeight(), 20);
  EXPECT_EQ(menu->SysMenu().ItemHeight(), 20);
  menu->setItemHeight(512);
  EXPECT_EQ(menu->ItemHeight(), 512);
  menu->setItemHeight(513);
  EXPECT_EQ(menu->ItemHeight(), 512);
  // 0 is a value of the others.
  menu->Banner().setBannerWidth(0);
  EXPECT_EQ(menu->Banner().BannerWidth(), 0);
  menu->setCursor(0);
  EXPECT_EQ(menu->Cursor(), Qt::ArrowCursor);
  menu->setActiveColor(0);
  EXPECT_EQ(menu->ActiveColor(), clBlack);
  menu->setMenuStyle(static_cast<TMenuStyle>(0));
  EXPECT_EQ(menu->MenuStyle(), TMenuStyle::msOffice);
  CanvasFont plain = font;
  plain.height = 0;
  menu->setActiveFont(plain);
  EXPECT_EQ(menu->ActiveFont().height, 0);
  TItemImage& row = menu->ItemImages().Items(0);
  for (int value : {-1, 0, INT_MAX}) {
    row.setImageIndex(value);  // passed to the image list as it is
    EXPECT_EQ(row.ImageIndex(), value);
  }
  row.setImageIndex(INT_MIN);
  EXPECT_EQ(row.ImageIndex(), INT_MAX);
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
