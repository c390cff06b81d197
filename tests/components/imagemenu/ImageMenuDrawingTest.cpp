// Measuring and drawing the items of an image menu, on a recording canvas.

#include <QStyle>

#include "components/imagemenu/ComponentBitmaps.h"
#include "components/imagemenu/ImageMenuFixture.h"
#include "components/imagemenu/TSysMenu.h"
#include "components/imagemenu/WindowMenu.h"
#include "draw/SystemMetrics.h"

namespace sorabel::test {
namespace {

TEST_F(ImageMenuTest, MeasuresSeparatorsBarItemsAndDropDownItems) {
  EXPECT_EQ(menu->measureRequest(separator)->height, 10);
  const Size barItem = *menu->measureRequest(file->menuAction());
  EXPECT_EQ(barItem.width, RecordingCanvas::measure(QStringLiteral("ファイル(F)")));  // the caption alone
  EXPECT_EQ(barItem.height, 20);
  EXPECT_EQ(menu->measureRequest(print)->width, RecordingCanvas::measure(QStringLiteral(" 印刷(P)")) + 20 + 20);
  // The shortcut text follows the caption without a gap.
  EXPECT_EQ(menu->measureRequest(exitItem)->width, RecordingCanvas::measure(QStringLiteral(" 終了(X)F3")) + 40);

  menu->OnMeasureItem = [this](QWidget* owner, QAction* item, int& height) {
    EXPECT_EQ(owner, bar);
    if (item == print) height = 33;
  };
  EXPECT_EQ(menu->measureRequest(print)->height, 33);
  menu->OnMeasureItem = nullptr;

  menu->setDefaultFont(true);  // the height follows the menu font; ItemHeight only sets the picture column
  CanvasFont system;
  applyMenuFont(system);
  EXPECT_EQ(menu->measureRequest(print)->height, std::abs(system.height) + 5);
  EXPECT_EQ(menu->measureRequest(separator)->height, 10);
}

TEST_F(ImageMenuTest, FileDropDownIsExactlyItsItemsHighInsideItsFrame) {
  menu->setMeasureCanvasFactory(nullptr);
  const int frame = file->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, file);
  EXPECT_EQ(file->sizeHint().height() - 2 * frame, 3 * 20 + 10);
}

TEST_F(ImageMenuTest, SeparatorLinesSitAtTheMiddle) {
  const RecordingCanvas canvas = draw(separator, 0, {0, 0, 100, 10});
  EXPECT_EQ(canvas.calls,
            (std::vector<std::string>{"fill 0,0,100,10 sys4", "line 1,5 99,5 sys17", "line 1,6 99,6 sys20"}));
}

TEST_F(ImageMenuTest, CheckedItemWithPictureShowsItsPictureInOfficeAndTheCheckInWindows) {
  RecordingCanvas office = draw(toolbarItem, ODS_CHECKED, {0, 0, 120, 20});
  EXPECT_TRUE(office.has("fill 0,0,20,20 pattern"));  // the dithered cell
  EXPECT_TRUE(office.has("image 2,2 16x16"));         // the picture, not the check mark
  EXPECT_TRUE(office.has("edge 0,0,20,20 8 0x1003"));  // sunken frame around the cell
  EXPECT_TRUE(office.has("edge 0,0,20,20 2 0xC"));
  EXPECT_TRUE(office.has("text \" ツールバー(&A)\" 21,0,120,20 0x64 sys7"));

  menu->setMenuStyle(TMenuStyle::msWindows);
  RecordingCanvas windows = draw(toolbarItem, ODS_CHECKED, {0, 0, 120, 20});
  EXPECT_TRUE(windows.has("imagepart 2,2,18,18 <- 0,0,16,16"));
  EXPECT_TRUE(windows.callsStartingWith("image ").empty());
  EXPECT_TRUE(windows.callsStartingWith("edge").empty());
  ASSERT_EQ(windows.images.size(), 1u);
  EXPECT_EQ(windows.images[0], withTransparentColor(TImageMenu::CheckGlyph(), kCheckTransparent));
}

TEST_F(ImageMenuTest, SelectedItemWithPictureStandsOutAndKeepsItsPictureColumn) {
  const RecordingCanvas canvas = draw(newItem, ODS_SELECTED, {0, 0, 120, 20});
  EXPECT_EQ(canvas.callsStartingWith("fill"), std::vector<std::string>{"fill 21,0,120,20 sys13"});  // T only
  EXPECT_TRUE(canvas.has("edge 0,0,20,20 4 0x3"));
  EXPECT_TRUE(canvas.has("edge 0,0,20,20 4 0x100C"));
  EXPECT_TRUE(canvas.has("text \" 新規(&N)\" 21,0,120,20 0x64 sys14"));
}

TEST_F(ImageMenuTest, DisabledPicturesAreEmbossedAndDisabledChecksGrey) {
  const RecordingCanvas picture = draw(newItem, ODS_GRAYED | ODS_DISABLED, {0, 0, 120, 20});
  EXPECT_EQ(picture.callsStartingWith("mask"), (std::vector<std::string>{"mask 3,3 sys20", "mask 2,2 sys16"}));
  EXPECT_EQ(picture.callsStartingWith("text \" 新規"),
            (std::vector<std::string>{"text \" 新規(&N)\" 22,1,121,21 0x64 sys20", "text \" 新規(&N)\" 21,0,120,20 0x64 sys17"}));

  const RecordingCanvas check = draw(statusItem, ODS_CHECKED | ODS_GRAYED, {0, 0, 120, 20});
  ASSERT_EQ(check.images.size(), 1u);
  EXPECT_EQ(check.images[0], withTransparentColor(TImageMenu::CheckMonoGlyph(), kCheckTransparent));
}

TEST_F(ImageMenuTest, SelectedCheckedItemsKeepTheirSunkenCellAndSelectedDisabledOnesTheirGreyText) {
  // Selected and checked: the cell is filled with the unselected colour and
  // sunken; the raised frame of a selected picture is not drawn.
  const RecordingCanvas checked = draw(toolbarItem, ODS_SELECTED | ODS_CHECKED, {0, 0, 120, 20});
  EXPECT_TRUE(checked.has("fill 0,0,20,20 sys4"));
  EXPECT_TRUE(checked.has("edge 0,0,20,20 8 0x1003"));
  EXPECT_FALSE(checked.has("edge 0,0,20,20 4 0x3"));
  EXPECT_FALSE(checked.has("edge 0,0,20,20 4 0x100C"));

  // Selected and disabled: msOffice draws the highlight pass and the grey
  // text; msWindows the grey text alone.
  const std::vector<std::string> both{"text \" 新規(&N)\" 22,1,121,21 0x64 sys20",
                                      "text \" 新規(&N)\" 21,0,120,20 0x64 sys17"};
  EXPECT_EQ(draw(newItem, ODS_SELECTED | ODS_GRAYED, {0, 0, 120, 20}).callsStartingWith("text \" 新規"), both);
  menu->setMenuStyle(TMenuStyle::msWindows);
  EXPECT_EQ(draw(newItem, ODS_SELECTED | ODS_GRAYED, {0, 0, 120, 20}).callsStartingWith("text \" 新規"),
            std::vector<std::string>{both[1]});
}

TEST_F(ImageMenuTest, OnDrawItemReplacesAllDrawingOfItsMenuButNotOfTheSystemMenu) {
  int drawn = 0;
  menu->OnDrawItem = [&](QWidget* owner, QAction* item, const QRect& rect, unsigned state) {
    EXPECT_EQ(owner, bar);
    EXPECT_EQ(item, print);
    EXPECT_EQ(rect, QRect(0, 0, 50, 20));
    EXPECT_EQ(state, unsigned{ODS_SELECTED});
    ++drawn;
  };
  EXPECT_TRUE(draw(print, ODS_SELECTED, {0, 0, 50, 20}).calls.empty());
  EXPECT_EQ(drawn, 1);
  QAction* close = WindowMenu::of(form.get())->itemOf(SC_CLOSE);
  const RecordingCanvas system = draw(close, 0, {0, 0, 150, 20});
  EXPECT_TRUE(system.has("text \"閉じる(&C)\" 25,0,150,20 0x64 sys7"));
  EXPECT_EQ(drawn, 1);
}

TEST_F(ImageMenuTest, BarItemsHaveNoBackgroundOutsideAMenuLoop) {
  EXPECT_TRUE(draw(file->menuAction(), 0, {0, 0, 60, 20}).callsStartingWith("fill").empty());
  activate(form.get());
  clickBarItem(bar, file->menuAction());  // the menu loop runs while the drop-down is open
  ASSERT_TRUE(menu->InMenuLoop());
  EXPECT_EQ(draw(file->menuAction(), 0, {0, 0, 60, 20}).callsStartingWith("fill"),
            std::vector<std::string>{"fill 0,0,60,20 sys4"});
  const RecordingCanvas pressed = draw(file->menuAction(), ODS_SELECTED, {0, 0, 60, 20});
  EXPECT_TRUE(pressed.has("edge 0,0,60,20 8 0x1003"));
  EXPECT_TRUE(pressed.has("text \"ファイル(&F)\" 1,1,61,21 0x65 sys7"));  // shifted, in the inactive colour
}

TEST_F(ImageMenuTest, BackgroundPicturesAreTiledAndCopiedInPlace) {
  QImage tile(10, 7, QImage::Format_RGB32);
  tile.fill(Qt::yellow);
  menu->setInActiveBitmap(tile);
  ASSERT_EQ(menu->InActiveTile().size(), QSize(400, 600));
  EXPECT_EQ(menu->InActiveTile().pixelColor(399, 599), QColor(Qt::yellow));
  EXPECT_TRUE(draw(print, 0, {2, 40, 120, 60}).has("imagepart 2,40,120,60 <- 2,40,120,60"));
  menu->setInActiveBitmap(QImage());
  EXPECT_TRUE(menu->InActiveTile().isNull());
}

TEST_F(ImageMenuTest, BannerStripsThePopupMenusRootItems) {
  QMenu popup;
  QAction* first = popup.addAction(QStringLiteral("開く(&O)"));
  TMainImageMenu banner(form.get());
  banner.setMeasureCanvasFactory([] { return std::make_unique<RecordingCanvas>(); });
  banner.Banner().setShowBanner(true);
  banner.setMenu(&popup);
  EXPECT_EQ(banner.measureRequest(first)->width, RecordingCanvas::measure(QStringLiteral(" 開く(O)")) + 40 + 22);
  RecordingCanvas canvas;
  banner.drawRequest(canvas, nullptr, first, 0, {0, 0, 150, 20});
  EXPECT_TRUE(canvas.has("imagepart 0,0,20,20 <- 0,0,20,20"));
  EXPECT_TRUE(canvas.has("text \" 開く(&O)\" 43,0,170,20 0x64 sys7"));
}

TEST_F(ImageMenuTest, TheBannerMovesTheItemRightAndEachItemCopiesItsSliceOfOnePicture) {
  QMenu popup;
  QAction* first = popup.addAction(QStringLiteral("開く(&O)"));
  QAction* second = popup.addAction(QStringLiteral("閉じる(&C)"));
  second->setShortcut(Qt::Key_F4);
  TMainImageMenu banner(form.get());
  banner.setMeasureCanvasFactory([] { return std::make_unique<RecordingCanvas>(); });
  banner.Banner().setShowBanner(true);
  banner.setMenu(&popup);
  const QRect place = popup.actionGeometry(second);
  const Rect r{place.left(), place.top(), place.right() + 1, place.bottom() + 1};
  RecordingCanvas canvas;
  banner.drawRequest(canvas, &popup, second, 0, r);
  // The shortcut keeps its place 15 pixels inside the item's right edge.
  EXPECT_TRUE(canvas.has("text \"F4\" " + RecordingCanvas::rect({r.left + 43, r.top, r.right - 15, r.bottom}) + " 0x66 sys7"));
  EXPECT_TRUE(canvas.has("fill " + RecordingCanvas::rect(r.translated(20, 0)) + " sys4"));
  const int top = popup.actionGeometry(first).top();
  EXPECT_TRUE(canvas.has("imagepart " + RecordingCanvas::rect({r.left, r.top, r.left + 20, r.bottom}) + " <- " +
                         RecordingCanvas::rect({0, r.top - top, 20, r.bottom - top})));
}

TEST_F(ImageMenuTest, SystemMenuItemsAreMeasuredAndDrawnByTheDrawer) {
  QAction* minimize = WindowMenu::of(form.get())->itemOf(SC_MINIMIZE);
  const Size measured = *menu->measureRequest(minimize);
  EXPECT_EQ(measured.width, RecordingCanvas::measure(QStringLiteral(" 閉じる(C) Alt+F4")) + 20 + 50);
  EXPECT_EQ(measured.height, 20);

  RecordingCanvas canvas;
  menu->SysMenu().DrawSysItem(nullptr, canvas, 0, {0, 0, 150, 20}, 0x1234, false);
  EXPECT_TRUE(canvas.callsStartingWith("image").empty());  // no picture
  EXPECT_EQ(canvas.callsStartingWith("text"), std::vector<std::string>{"text \"\" 25,0,150,20 0x64 sys7"});
  RecordingCanvas close;
  menu->SysMenu().DrawSysItem(nullptr, close, ODS_SELECTED, {0, 0, 150, 20}, SC_CLOSE, false);
  EXPECT_TRUE(close.has("edge 0,0,20,20 4 0x3"));
  EXPECT_TRUE(close.has("image 2,2 16x16"));
  // Selected with a picture: only the text area is filled, the picture
  // column keeps its frame; without a picture the whole item is filled.
  EXPECT_EQ(close.callsStartingWith("fill").size(), 1u);
  EXPECT_EQ(close.callsStartingWith("fill 21,0,150,20").size(), 1u);
  RecordingCanvas move;
  menu->SysMenu().DrawSysItem(nullptr, move, ODS_SELECTED, {0, 0, 150, 20}, SC_MOVE, false);
  EXPECT_EQ(move.callsStartingWith("fill 0,0,150,20").size(), 1u);
  EXPECT_TRUE(move.callsStartingWith("edge").empty());
  EXPECT_TRUE(close.has("text \"Alt+F4\" 25,0,135,20 0x66 sys14"));
}

}  // namespace
}  // namespace sorabel::test
