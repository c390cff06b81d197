// The image menu through the events a person causes: the pointer over the
// real menu bar and its open drop-downs, Alt and letters, and what the open
// menus measure and show on the screen.

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include "components/imagemenu/ImageMenuFixture.h"
#include "components/imagemenu/TSysMenu.h"
#include "components/imagemenu/WindowMenu.h"
#include "draw/SysColors.h"
#include "draw/SystemMetrics.h"

namespace sorabel::test {
namespace {

class ImageMenuEventsTest : public ImageMenuTest {
 protected:
  void SetUp() override {
    ImageMenuTest::SetUp();
    form->resize(400, 300);
    activate(form.get());
  }

  static QLabel* hintWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName() == QLatin1String("ImageMenuHint")) return qobject_cast<QLabel*>(widget);
    return nullptr;
  }
  static QColor pixel(QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }
  static QColor active(QPalette::ColorRole role) { return QApplication::palette().color(QPalette::Active, role); }

  int frame(QWidget* widget) const { return widget->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, widget); }

};

TEST_F(ImageMenuEventsTest, OneHoverIsOneSelectionAndItsShortHintShowsBesideTheCursor) {
  menu->setShowHint(true);
  QList<QAction*> selected;
  menu->OnMenuSelect = [&](QAction* item, const QString&) { selected << item; };
  clickBarItem(bar, file->menuAction());
  ASSERT_TRUE(file->isVisible());
  EXPECT_EQ(selected, QList<QAction*>{file->menuAction()});  // opening selects the bar item
  selected.clear();

  pointAt(file, newItem);
  const QPoint cursor = QCursor::pos();
  pointAt(file, file->actionGeometry(newItem).center() + QPoint(4, 1));  // still the same item
  EXPECT_EQ(selected, QList<QAction*>{newItem});
  EXPECT_EQ(form->lastHint(), "新しく作ります");
  QLabel* hint = hintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->text(), "新規");
  EXPECT_EQ(hint->geometry().topLeft(), cursor + QPoint(0, captionHeight()));

  pointAt(file, print);  // no row: no hint beside the cursor, an empty application hint
  EXPECT_FALSE(hint->isVisible());
  EXPECT_EQ(form->lastHint(), "");
  EXPECT_EQ(selected, (QList<QAction*>{newItem, print}));

  typeKey(form.get(), Qt::Key_Escape);
  EXPECT_EQ(form->lastHint(), "");  // closing the menus empties the hint
  EXPECT_FALSE(menu->InMenuLoop());
}

TEST_F(ImageMenuEventsTest, DisabledItemsAndSeparatorsAreSelectedWithTheirOwnHints) {
  print->setEnabled(false);
  menu->ItemImages().Add(print, -1, QStringLiteral("|印刷します"));
  clickBarItem(bar, file->menuAction());
  pointAt(file, newItem);
  EXPECT_EQ(form->lastHint(), "新しく作ります");
  pointAt(file, separator);
  EXPECT_EQ(form->lastHint(), "");  // never the previous item's hint
  pointAt(file, print);
  EXPECT_EQ(form->lastHint(), "印刷します");
  EXPECT_EQ(file->activeAction(), print);
  // Selected and disabled: the row keeps the unselected colour behind the
  // greyed text.
  const QRect row = file->actionGeometry(print);
  EXPECT_TRUE(near(pixel(file, {row.right() - 3, row.center().y()}), resolve(clMenu)));

  clickAt(file, row.center());  // a disabled item does nothing
  EXPECT_TRUE(file->isVisible());
}

TEST_F(ImageMenuEventsTest, AltLetterAndAltThenLetterOpenTheDropDownWithItsFirstItemSelected) {
  auto* grid = new QWidget;
  grid->setStatusTip(QStringLiteral("セルの説明"));
  form->setCentralWidget(grid);
  pointAt(grid, grid->rect().center());
  ASSERT_EQ(form->lastHint(), "セルの説明");
  typeKey(form.get(), Qt::Key_E, Qt::AltModifier);
  ASSERT_TRUE(edit->isVisible());
  EXPECT_EQ(edit->activeAction(), toolbarItem);
  EXPECT_EQ(form->lastHint(), "ツールバーの表示");
  // The window system's leave, as the open menu takes the pointer from the
  // control under it, does not take the item's hint away.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(grid, &leave);
  EXPECT_EQ(form->lastHint(), "ツールバーの表示");
  closeAllPopups();
  form->hints.clear();

  typeAlt(form.get());
  ASSERT_TRUE(bar->hasFocus());  // Alt alone moves into the menu bar
  typeKey(form.get(), Qt::Key_F);
  ASSERT_TRUE(file->isVisible());
  EXPECT_EQ(file->activeAction(), newItem);
  EXPECT_EQ(form->lastHint(), "新しく作ります");
}

TEST_F(ImageMenuEventsTest, ALetterInAnOpenDropDownRunsItsFirstVisibleMatch) {
  int found = 0;
  QObject::connect(find, &QAction::triggered, [&] { ++found; });
  clickBarItem(bar, search->menuAction());
  ASSERT_TRUE(search->isVisible());
  typeKey(form.get(), Qt::Key_Q);  // no item has it
  EXPECT_TRUE(search->isVisible());
  typeKey(form.get(), Qt::Key_S);  // the hidden item does not count
  EXPECT_EQ(found, 1);
  EXPECT_FALSE(search->isVisible());
}

TEST_F(ImageMenuEventsTest, DropDownsAreAsWideAsTheirWidestItemWithItsShortcut) {
  clickBarItem(bar, file->menuAction());
  ASSERT_TRUE(file->isVisible());
  const int widest = RecordingCanvas::measure(QStringLiteral(" 終了(X)F3")) + 20 + 20;
  EXPECT_EQ(file->actionGeometry(exitItem).width(), widest);
  EXPECT_EQ(file->width(), widest + 2 * frame(file));
  EXPECT_EQ(file->height(), 3 * 20 + 10 + 2 * frame(file));
}

TEST_F(ImageMenuEventsTest, ABarItemStaysPressedWhenItsDropDownChangesAsItOpensAndTheBarIsMeasuredAfter) {
  // As the program's ファイル menu does: an item shown or hidden as the
  // drop-down opens, which makes the component measure its menus again.
  QObject::connect(file, &QMenu::aboutToShow, [this] { print->setVisible(!print->isVisible()); });
  clickBarItem(bar, file->menuAction());
  ASSERT_TRUE(file->isVisible());
  QTest::qWait(20);  // the component takes the change in
  EXPECT_EQ(bar->activeAction(), file->menuAction());  // drawn pressed: the current item with its drop-down open
  const QRect item = bar->actionGeometry(file->menuAction());
  // The sunken frame's top-left in the shadow colour (to the 8 bits of a pixel).
  EXPECT_EQ(pixel(bar, item.topLeft()).rgb(), draw::resolve(clBtnShadow, bar->palette()).toRgb().rgb());

  // A change of the bar's measure while the drop-down is open reaches the
  // bar once it is closed.
  menu->setItemHeight(40);
  closeAllPopups();
  QTest::qWait(20);
  EXPECT_EQ(bar->actionGeometry(file->menuAction()).height(), 40);
}

TEST_F(ImageMenuEventsTest, LargerPicturesAndItemHeightsMeasureEveryMenuAgainOpenOrNot) {
  clickBarItem(bar, file->menuAction());
  ASSERT_EQ(file->actionGeometry(newItem).height(), 20);
  closeAllPopups();

  images = new ImageList(32, 32, form.get());
  for (QColor color : {QColor(Qt::red), QColor(Qt::blue)}) images->add(plainPicture(color, 32));
  menu->setImages(images);
  menu->ItemImages().Items(0).setImageIndex(0);
  menu->setLargeImage(true);
  EXPECT_EQ(bar->actionGeometry(file->menuAction()).height(), 34);  // the bar follows
  clickBarItem(bar, file->menuAction());
  ASSERT_TRUE(file->isVisible());
  EXPECT_EQ(file->actionGeometry(newItem).height(), 34);
  EXPECT_EQ(file->actionGeometry(print).top(), file->actionGeometry(newItem).bottom() + 1);  // rows do not overlap
  EXPECT_EQ(file->actionGeometry(separator).height(), 10);

  menu->setItemHeight(40);  // while the drop-down is open
  EXPECT_EQ(file->actionGeometry(newItem).height(), 40);
  EXPECT_EQ(file->height(), 3 * 40 + 10 + 2 * frame(file));

  menu->setDefaultFont(true);  // the rows follow the desktop's menu font
  CanvasFont system;
  applyMenuFont(system);
  EXPECT_EQ(file->actionGeometry(newItem).height(), std::abs(system.height) + 5);
}

TEST_F(ImageMenuEventsTest, TheMenuCursorShowsOverTheBarsItemsAndInOpenMenus) {
  menu->setCursor(Qt::PointingHandCursor);
  pointAt(bar, bar->actionGeometry(file->menuAction()).center());
  EXPECT_EQ(bar->cursor().shape(), Qt::PointingHandCursor);
  pointAt(bar, QPoint(bar->width() - 3, bar->height() / 2));  // the bar beyond its items
  EXPECT_EQ(bar->cursor().shape(), Qt::ArrowCursor);
  clickBarItem(bar, edit->menuAction());
  EXPECT_EQ(edit->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ImageMenuEventsTest, DisabledPicturesAreEmbossedInTheActiveHighlightAndShadow) {
  newItem->setEnabled(false);
  clickBarItem(bar, file->menuAction());
  ASSERT_TRUE(file->isVisible());
  const QPoint picture = file->actionGeometry(newItem).topLeft() + QPoint(2, 2);  // the 16 x 16 square
  EXPECT_TRUE(near(pixel(file, picture + QPoint(6, 6)), active(QPalette::Dark)));    // the shadow pass, in place
  EXPECT_TRUE(near(pixel(file, picture + QPoint(14, 8)), active(QPalette::Light)));  // the highlight, one pixel right
}

TEST_F(ImageMenuEventsTest, TheBannerIsOnePictureDownTheWholeMenu) {
  QMenu popup;
  for (const char* caption : {"切り取り(&T)", "コピー(&C)", "貼り付け(&P)"}) popup.addAction(QString::fromUtf8(caption));
  TMainImageMenu banner(form.get());
  banner.Banner().setShowBanner(true);
  banner.setMenu(&popup);
  popup.popup(form->mapToGlobal(QPoint(20, 20)));
  ASSERT_TRUE(popup.isVisible());
  const QImage shot = popup.grab().toImage();
  const int x = frame(&popup) + 5;
  const QRect first = popup.actionGeometry(popup.actions()[0]);
  const QRect last = popup.actionGeometry(popup.actions()[2]);
  // One gradient from red at the top to yellow at the bottom, not one per item.
  EXPECT_NE(shot.pixelColor(x, first.top()), shot.pixelColor(x, last.top()));
  EXPECT_GT(shot.pixelColor(x, first.top()).red(), 240);
  EXPECT_LT(shot.pixelColor(x, first.top()).green(), 40);
  EXPECT_GT(shot.pixelColor(x, last.bottom()).green(), 200);

  const int width = popup.width();
  banner.Banner().setBannerWidth(30);  // the open menu is measured again
  EXPECT_EQ(popup.width(), width + 10);
  popup.close();
}

TEST_F(ImageMenuEventsTest, BarItemsAreFramedAsThePointerPassesButNotInAnMdiChild) {
  pointAt(bar, bar->actionGeometry(file->menuAction()).center());
  EXPECT_EQ(menu->HotIndex(), 0);
  const QRect second = bar->actionGeometry(edit->menuAction());
  pointAt(bar, second.center());
  EXPECT_EQ(menu->HotIndex(), 1);
  EXPECT_EQ(menu->LastHotIndex(), 0);
  EXPECT_TRUE(near(pixel(bar, second.topLeft() + QPoint(3, 0)), active(QPalette::Light)));  // the raised frame
  pointAt(form.get(), QPoint(200, 200));  // off the bar
  EXPECT_EQ(menu->HotIndex(), -1);
  EXPECT_FALSE(near(pixel(bar, second.topLeft() + QPoint(3, 0)), active(QPalette::Light)));

  QMainWindow frame;
  auto* area = new QMdiArea;
  frame.setCentralWidget(area);
  auto* child = new QMainWindow;
  child->menuBar()->addMenu(QStringLiteral("子(&C)"))->addAction(QStringLiteral("開く(&O)"));
  area->addSubWindow(child)->show();
  auto* childMenu = new TMainImageMenu(child);
  childMenu->setMenu(child->menuBar());
  frame.resize(400, 300);
  activate(&frame);
  QMenuBar* childBar = child->menuBar();
  pointAt(childBar, childBar->actionGeometry(childBar->actions()[0]).center());
  EXPECT_EQ(childMenu->HotIndex(), -1);
}

TEST_F(ImageMenuEventsTest, TheWindowMenuOpensWithShiftAltSpaceAndIsMeasuredAndFramedByTheComponent) {
  menu->SysMenu().setDrawing(true);
  typeKey(form.get(), Qt::Key_Space, Qt::ShiftModifier | Qt::AltModifier);
  WindowMenu* system = WindowMenu::of(form.get());
  ASSERT_TRUE(system->isVisible());
  const int width = RecordingCanvas::measure(QStringLiteral(" 閉じる(C) Alt+F4")) + 20 + 50;
  for (QAction* item : system->actions())
    EXPECT_EQ(system->actionGeometry(item).height(), item->isSeparator() ? 10 : 20) << item->text().toStdString();
  EXPECT_EQ(system->actionGeometry(system->itemOf(SC_CLOSE)).width(), width);
  EXPECT_EQ(system->width(), width + 4);
  const QImage shot = system->grab().toImage();
  EXPECT_TRUE(near(shot.pixelColor(0, 0), active(QPalette::Midlight)));  // the raised frame's outer ring
  EXPECT_TRUE(near(shot.pixelColor(shot.width() - 1, shot.height() - 1), active(QPalette::Shadow)));
  closeAllPopups();

  // A right click on the menu bar where no item is opens it too.
  const QPoint empty(bar->width() - 5, bar->height() / 2);
  clickAt(bar, empty, Qt::RightButton);
  EXPECT_TRUE(system->isVisible());
}

}  // namespace
}  // namespace sorabel::test
