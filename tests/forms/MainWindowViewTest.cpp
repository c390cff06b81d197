// Menus, toolbar, status bar, window commands and layout of the main window.

#include <QApplication>
#include <QEnterEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "components/imagemenu/MenuItemStyle.h"
#include "components/toolbars/DragGeometry.h"
#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "components/toolbars/TToolbarButton.h"
#include "components/toolbars/TToolbarSep.h"
#include "components/toolbars/ToolbarInternals.h"
#include "forms/FormsFixture.h"
#include "forms/UKensakuFm.h"
#include "widgets/HelpViewer.h"
#include "widgets/StringGridView.h"

namespace sorabel::test {
namespace {

TEST_F(FormsTest, MenuCaptionsShortcutsAndHints) {
  TMainFm& fm = start();
  QStringList menus;
  for (QAction* action : child<QMenuBar>(&fm, "MainMenu1")->actions()) menus << action->text();
  EXPECT_EQ(menus, (QStringList{"ファイル(&F)", "編集(&E)", "検索(&S)", "表示(&V)", "設定(&T)", "ヘルプ(&H)"}));
  QStringList fileItems;
  for (QAction* action : child<QMenu>(&fm, "F1")->actions()) fileItems << (action->isSeparator() ? "-" : action->text());
  EXPECT_EQ(fileItems, (QStringList{"新規作成(&N)", "開く(&O)", "開き直す(&R)", "バックアップから開く...", "上書き保存(&D)",
                                    "名前を付けて保存(&A)", "-", "印刷(&P)", "-", "終了(&X)"}));
  EXPECT_EQ(child<QAction>(&fm, "A1")->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(child<QAction>(&fm, "D1")->shortcut(), QKeySequence(Qt::Key_F4));
  EXPECT_EQ(child<QAction>(&fm, "H2")->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_EQ(child<QAction>(&fm, "SortInc")->text(), "降順並び(&D)");
  EXPECT_EQ(child<QAction>(&fm, "SortInc")->statusTip(), "昇順に並び替えます");
  EXPECT_EQ(child<QAction>(&fm, "SortDec")->statusTip(), "降順に並び替えます");
  EXPECT_TRUE(child<QAction>(&fm, "T1")->isChecked());
  EXPECT_TRUE(child<QAction>(&fm, "S3")->isChecked());
  EXPECT_FALSE(child<QAction>(&fm, "StayTop")->isChecked());
}

TEST_F(FormsTest, ToolbarButtonsShowHintsAndRunTheMenuHandlers) {
  TMainFm& fm = start();
  auto* newButton = child<QWidget>(&fm, "Panel1")->findChild<toolbars::TToolbarButton*>("SpBtnNew");
  ASSERT_NE(newButton, nullptr);
  EXPECT_EQ(newButton->toolTip(), "ファイルを新規に作成します");
  EXPECT_EQ(newButton->statusTip(), "ファイルを新規に作成します");
  EXPECT_EQ(newButton->geometry(), QRect(11, 2, 23, 22));  // after the drag handle, centred on the line
  fm.changeBook([](LedgerGrid& grid) { grid.setCell(kDateColumn, 1, "2001/01/01"); });
  dialogs.answers.push_back(Answer::No);
  newButton->Click();
  EXPECT_EQ(fm.windowTitle(), "Sorabel  NewFile");
  EXPECT_EQ(rows()[0][0], "");
  auto* end = child<toolbars::TToolbarButton>(&fm, "EndBtn");
  EXPECT_EQ(end->toolTip(), "アプリケーションを終了します");
  // The exit button keeps its place at the toolbar's end through resizes:
  // the toolbar's layout takes back the button the resize moved.
  fm.show();
  EXPECT_EQ(end->x(), 300);
  fm.resize(fm.width() + 37, fm.height());
  QApplication::processEvents();
  EXPECT_EQ(end->x(), 300);
  EXPECT_EQ(end->geometry().right() + 1 + 2, child<QWidget>(&fm, "Panel1")->width());
}

TEST_F(FormsTest, TheToolbarSitsInTheDockAtItsDesignedGeometry) {
  TMainFm& fm = start();
  fm.show();
  auto* dock = child<toolbars::TDock>(&fm, "Dock");
  auto* toolbar = child<toolbars::TToolbar>(&fm, "Panel1");
  EXPECT_EQ(toolbar->DockedTo(), dock);
  EXPECT_EQ(toolbar->size(), QSize(327, 26));
  EXPECT_EQ(toolbar->pos(), QPoint(1, 1));  // inside the bound lines
  EXPECT_EQ(dock->height(), 28);
  EXPECT_EQ(toolbar->findChildren<toolbars::TToolbarButton*>().size(), 12);
  EXPECT_EQ(toolbar->findChildren<toolbars::TToolbarSep*>().size(), 6);
  EXPECT_EQ(child<toolbars::TToolbarButton>(&fm, "SpBtnPrint")->x(), 86);
  EXPECT_EQ(child<toolbars::TToolbarButton>(&fm, "SpBtnSet")->x(), 219);
  for (auto* separator : toolbar->findChildren<toolbars::TToolbarSep*>()) EXPECT_EQ(separator->size(), QSize(6, 22));

  fm.T1Click();  // hidden: the dock keeps the toolbar's row and is 0 thick
  EXPECT_FALSE(child<QAction>(&fm, "T1")->isChecked());
  EXPECT_EQ(dock->height(), 0);
  fm.T1Click();
  EXPECT_EQ(dock->height(), 28);
  EXPECT_EQ(toolbar->DockRow(), 0);
}

TEST_F(FormsTest, TheFloatingToolbarResizesBetweenItsShapesAndClosesLikeTheMenuItem) {
  TMainFm& fm = start();
  fm.show();
  auto* dock = child<toolbars::TDock>(&fm, "Dock");
  auto* toolbar = child<toolbars::TToolbar>(&fm, "Panel1");
  toolbar->SetDockedTo(nullptr);
  EXPECT_EQ(toolbar->windowTitle(), QStringLiteral("Panel1"));
  EXPECT_EQ(dock->height(), 0);

  // Each shape is narrower and taller than the one before, down to one
  // group a line.
  const toolbars::FrameMetrics m = toolbar->frameMetrics();
  const std::vector<draw::Size> sizes = toolbars::buildSizeList(
      [&](int limit) { return toolbar->sizeIn(toolbars::ToolbarState::Floating, limit); }, toolbar->ContentWidth(),
      {2 * m.frameWidth, 2 * m.frameWidth + m.captionHeight}, toolbars::SizeBorder::Right);
  ASSERT_GE(sizes.size(), 3u);
  for (std::size_t i = 1; i < sizes.size(); ++i) {
    EXPECT_LT(sizes[i].width, sizes[i - 1].width);
    EXPECT_GT(sizes[i].height, sizes[i - 1].height);
  }
  EXPECT_EQ(sizes.front().width, toolbar->width());
  const draw::Size narrow = sizes.back();
  toolbars::ToolbarInternals::setFloatingShape(*toolbar, narrow.width - 2 * m.frameWidth, {100, 100, 100 + narrow.width, 100 + narrow.height});
  EXPECT_EQ(toolbar->size(), QSize(narrow.width, narrow.height));
  EXPECT_EQ(toolbar->LineBreaks().size(), 6u);  // seven groups, seven lines

  toolbars::ToolbarInternals::closeFromButton(*toolbar);
  EXPECT_FALSE(child<QAction>(&fm, "T1")->isChecked());
  fm.T1Click();
  EXPECT_TRUE(toolbar->isVisible());
  EXPECT_FALSE(toolbars::ToolbarInternals::closePressed(*toolbar));
  EXPECT_EQ(toolbar->size(), QSize(narrow.width, narrow.height));  // floating in its last shape
}

TEST_F(FormsTest, ADoubleClickOnTheFloatingToolbarLeavesItFloating) {
  TMainFm& fm = start();
  fm.show();
  auto* dock = child<toolbars::TDock>(&fm, "Dock");
  auto* toolbar = child<toolbars::TToolbar>(&fm, "Panel1");
  toolbar->SetDockedTo(nullptr);
  // The cash book names no dock for a double click: the toolbar goes back
  // only by dragging it into the top dock.
  const QPoint caption(20, toolbar->frameMetrics().frameWidth + 3);
  QMouseEvent twice(QEvent::MouseButtonDblClick, caption, toolbar->mapToGlobal(caption), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(toolbar, &twice);
  EXPECT_TRUE(toolbar->floating());
  EXPECT_EQ(dock->height(), 0);
}

TEST_F(FormsTest, FunctionKeyAddsAnEntry) {
  TMainFm& fm = start();
  fm.show();
  fm.activateWindow();
  QApplication::setActiveWindow(&fm);
  bool shown = false;
  whenModal([&] {
    shown = true;
    QApplication::activeModalWidget()->close();
  });
  QTest::keyClick(child<StringGridView>(&fm, "StringGrid1"), Qt::Key_F3);
  EXPECT_TRUE(shown);
}

TEST_F(FormsTest, StandardKeysRunTheirCommandsAndLeaveTheMenusAsTheyWere) {
  TMainFm& fm = start();
  fm.show();
  fm.activateWindow();
  QApplication::setActiveWindow(&fm);
  auto* grid = child<StringGridView>(&fm, "StringGrid1");
  grid->setFocus();
  auto press = [&](QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(target, key, modifiers);
  };

  // Ctrl+S while a cell is being edited: the typed text goes in first, then
  // the new book asks for a name.
  grid->setCurrentCell(kDescriptionColumn, 1);
  QTest::keyClick(grid, Qt::Key_F2);
  QTest::keyClicks(grid->cellDelegate()->openEditor(), "typed");
  dialogs.saveNames.push_back(bookPath("keys.csv"));
  press(grid->cellDelegate()->openEditor(), Qt::Key_S);
  EXPECT_TRUE(dialogs.saveNames.empty());
  EXPECT_NE(bookText("keys.csv").find("typed"), std::string::npos);

  dialogs.saveNames.push_back(bookPath("copy.csv"));
  press(grid, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(std::filesystem::exists(dir / "copy.csv"));

  press(grid, Qt::Key_N);
  EXPECT_EQ(fm.windowTitle(), "Sorabel  NewFile");
  dialogs.answers.push_back(Answer::No);  // the new book differs from the file it leaves
  dialogs.openNames.push_back(bookPath("keys.csv"));
  press(grid, Qt::Key_O);
  EXPECT_EQ(fm.windowTitle(), "Sorabel　" + bookPath("keys.csv"));

  dialogs.answers.push_back(Answer::No);
  press(grid, Qt::Key_P);
  EXPECT_EQ(dialogs.texts().back(), "1ﾍﾟｰｼﾞを印刷します。");

  bool searchShown = false;
  whenModal([&] {
    searchShown = QApplication::activeModalWidget() == static_cast<QWidget*>(forms->KensakuFm);
    QApplication::activeModalWidget()->close();
  });
  press(grid, Qt::Key_F);
  EXPECT_TRUE(searchShown);

  // The menus show no more than before: the items have no shortcut of
  // their own beside the function keys.
  for (const char* name : {"New1", "Open1", "Save1", "SaveAs1", "Print1", "Find2", "Exit1"})
    EXPECT_TRUE(child<QAction>(&fm, name)->shortcut().isEmpty()) << name;

  QApplication::setActiveWindow(&fm);
  press(grid, Qt::Key_Q);
  EXPECT_FALSE(fm.isVisible());
}

TEST_F(FormsTest, ToolbarAndStatusBarToggle) {
  TMainFm& fm = start();
  fm.show();
  fm.T1Click();
  EXPECT_FALSE(child<QWidget>(&fm, "Panel1")->isVisible());
  EXPECT_FALSE(child<QAction>(&fm, "T1")->isChecked());
  fm.T1Click();
  EXPECT_TRUE(child<QWidget>(&fm, "Panel1")->isVisible());
  EXPECT_TRUE(child<QAction>(&fm, "T1")->isChecked());
  fm.S3Click();
  EXPECT_FALSE(child<StatusPanelBar>(&fm, "StatusBar1")->isVisible());
  EXPECT_FALSE(child<QAction>(&fm, "S3")->isChecked());
}

TEST_F(FormsTest, StayOnTopKeepsThePlaceAndSize) {
  TMainFm& fm = start();
  fm.show();
  const QRect before = fm.geometry();
  fm.StayTopClick();
  EXPECT_TRUE(child<QAction>(&fm, "StayTop")->isChecked());
  EXPECT_TRUE(fm.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(fm.isVisible());
  EXPECT_EQ(fm.geometry(), before);
  fm.StayTopClick();
  EXPECT_FALSE(child<QAction>(&fm, "StayTop")->isChecked());
  EXPECT_FALSE(fm.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(FormsTest, TheImageMenuDrawsTheMainMenuAndItsFileDropDownIsItsItemsHigh) {
  TMainFm& fm = start();
  QMenu* file = child<QMenu>(&fm, "F1");
  EXPECT_EQ(file->style(), child<QMenuBar>(&fm, "MainMenu1")->style());  // the image menu's item style
  const int frame = file->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, file);
  EXPECT_EQ(file->sizeHint().height() - 2 * frame, 8 * 20 + 2 * 10);
  EXPECT_NE(imagemenu::MenuItemStyle::componentOf(child<QAction>(&fm, "Save1")), nullptr);  // drawn by it
}

TEST_F(FormsTest, HintsFollowThePointerIntoPanelZero) {
  TMainFm& fm = start();
  fm.show();
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(child<StringGridView>(&fm, "StringGrid1"), &enter);
  EXPECT_EQ(panel(0), "セルにマウスをあわせて再クリックで編集できます。");
  // A menu item's hint comes from the image menu's item table, through the
  // application hint; the menu's own status tips are held back.
  QMenu* edit = child<QMenu>(&fm, "E5");
  edit->popup(fm.mapToGlobal(QPoint(0, 0)));
  edit->setActiveAction(child<QAction>(&fm, "D1"));
  EXPECT_EQ(panel(0), "データを削除します");
  edit->hide();
  QMenu* view = child<QMenu>(&fm, "Show1");
  view->popup(fm.mapToGlobal(QPoint(0, 0)));
  view->setActiveAction(child<QAction>(&fm, "StayTop"));  // no row: an empty hint
  EXPECT_EQ(panel(0), "");
  view->hide();
}

TEST_F(FormsTest, StatusShowsCountOrderAndSize) {
  TMainFm& fm = start();
  fm.ShowStatus();
  EXPECT_EQ(panel(1), " データ件数 1件");
  EXPECT_EQ(panel(2), " 降順");
  EXPECT_EQ(panel(3), "");  // no file yet
  EXPECT_EQ(panel(4), "");
}

TEST_F(FormsTest, ResizingKeepsTheMinimumAndLaysOutColumnsAndPanels) {
  TMainFm& fm = start();
  fm.show();
  fm.resize(300, 100);
  EXPECT_EQ(fm.size(), QSize(600, 167));
  fm.resize(800, 400);
  QCoreApplication::processEvents();
  StringGridView& grid = *child<StringGridView>(&fm, "StringGrid1");
  EXPECT_EQ(grid.columnWidth(0), 80);
  EXPECT_EQ(grid.columnWidth(2), 80);
  EXPECT_EQ(grid.columnWidth(1), grid.width() - 4 * 80 - 25);
  EXPECT_EQ(child<StatusPanelBar>(&fm, "StatusBar1")->panelWidth(0), 800 - (150 + 50 + 100 + 30));
}

TEST_F(FormsTest, HelpShowsTheContentsOfTheHelpFile) {
  TMainFm& fm = start();
  fm.H2Click();
  auto* viewer = fm.findChild<HelpViewer*>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_TRUE(viewer->shownText().contains("Sorabel 簡単出納帳"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FormsTest, PrinterSetupOpensTheDialog) {
  start().P1Click();
  EXPECT_EQ(dialogs.printerSetups, 1);
}

}  // namespace
}  // namespace sorabel::test
