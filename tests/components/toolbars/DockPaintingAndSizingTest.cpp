// How docks and toolbars paint and present themselves, the dock's own
// properties, and resizing a floating toolbar by its frame.

#include <QAccessible>
#include <QMenu>
#include <QMouseEvent>

#include "components/toolbars/FloatingFrame.h"
#include "components/toolbars/ToolbarDrag.h"
#include "components/toolbars/ToolbarFixture.h"
#include "draw/SysColors.h"

namespace sorabel::test {
namespace {

TEST_F(ToolbarTest, DockedToolbarsDrawTheirHandleAndSeparatorsTurnWithTheDock) {
  TToolbar* bar = toolbar({23, 0, 23}, top);
  form->show();
  RecordingCanvas docked;
  bar->paintOn(docked);
  const std::string h = std::to_string(bar->height() - 2);
  EXPECT_TRUE(docked.has("edge 4,2,7," + h + " 4 0x80F"));   // two raised bars make the handle
  EXPECT_TRUE(docked.has("edge 7,2,10," + h + " 4 0x80F"));

  auto* separator = bar->findChild<TToolbarSep*>();
  RecordingCanvas across;
  separator->paintOn(across);
  EXPECT_EQ(across.callsStartingWith("line 2,0 2,"), std::vector<std::string>{"line 2,0 2,22 sys16"});

  bar->SetDockedTo(left);
  RecordingCanvas along;
  separator->paintOn(along);
  EXPECT_EQ(along.callsStartingWith("line 0,1 "), std::vector<std::string>{"line 0,1 23,1 sys16"});  // 4 high, a line across
  EXPECT_EQ(separator->height(), 4);
}

TEST_F(ToolbarTest, TheFloatingFrameShowsCaptionAndAPushedCloseButton) {
  TToolbar* bar = toolbar({23, 23}, top);
  bar->setCaption(QStringLiteral("Tools"));
  form->show();
  bar->SetDockedTo(nullptr);
  RecordingCanvas idle;
  bar->paintOn(idle);
  EXPECT_EQ(idle.callsStartingWith("text \"Tools\"").size(), 1u);
  const FrameMetrics m = bar->frameMetrics();
  const draw::Rect button = closeButtonRect(m, bar->width() - 2 * m.frameWidth).inflated(-1, -1);
  const std::string raised = "edge " + RecordingCanvas::rect(button) + " 5 0xF";
  const std::string sunken = "edge " + RecordingCanvas::rect(button) + " 10 0xF";
  EXPECT_TRUE(idle.has(raised));
  ToolbarInternals::setClosePressed(*bar, true);
  RecordingCanvas pressed;
  bar->paintOn(pressed);
  EXPECT_TRUE(pressed.has(sunken));

  bar->setCloseButton(false);
  RecordingCanvas without;
  bar->paintOn(without);
  EXPECT_FALSE(without.has(raised) || without.has(sunken));
}

TEST_F(ToolbarTest, DocksKeepTheirOuterEdgeAndHonourTheirOptions) {
  form->show();
  const int bottomEdge = bottom->y() + bottom->height();
  TToolbar* bar = toolbar({23, 23}, bottom);
  QApplication::processEvents();
  EXPECT_EQ(bottom->height(), bar->height());
  EXPECT_EQ(bottom->y() + bottom->height(), bottomEdge);  // grew upwards

  toolbar({23}, bottom, 1, 0);
  bottom->setLimitToOneRow(true);
  bottom->RelayoutBars();
  EXPECT_EQ(bottom->RowExtents().size(), 1u);  // every toolbar in row 0

  right->setFixAlign(true);
  right->RelayoutBars();
  EXPECT_EQ(right->width(), 1);  // an empty dock with FixAlign keeps a line

  top->setAllowDrag(false);
  TToolbar* fixed = toolbar({23}, top);
  // Were a drag loop to start, this release far below would end it with a drop.
  const QPoint away = form->mapToGlobal(QPoint(300, 200));
  QCoreApplication::postEvent(fixed, new QMouseEvent(QEvent::MouseButtonRelease, fixed->mapFromGlobal(away), away,
                                                     Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
  QMouseEvent press(QEvent::MouseButtonPress, QPoint(5, 10), fixed->mapToGlobal(QPoint(5, 10)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(fixed, &press);
  QApplication::processEvents();
  EXPECT_EQ(fixed->DockedTo(), top);
}

TEST_F(ToolbarTest, ABackgroundWithTransparencyIsTiledOverTheDockColour) {
  QImage tile(4, 4, QImage::Format_RGB32);
  tile.fill(Qt::red);
  tile.setPixel(0, 3, qRgb(0, 0, 255));  // bottom left: the transparent colour
  tile.setPixel(1, 1, qRgb(0, 0, 255));
  top->setBackground(tile);
  top->setBackgroundTransparent(true);
  RecordingCanvas canvas;
  top->DrawBackgroundTiles(canvas, {0, 0, 8, 4}, {0, 0, 8, 4});
  ASSERT_EQ(canvas.images.size(), 2u);
  EXPECT_EQ(canvas.images[0].pixelColor(1, 1), draw::resolve(top->Color(), top->palette()));
  EXPECT_EQ(canvas.images[0].pixelColor(2, 2), QColor(Qt::red));
}

TEST_F(ToolbarTest, SettingTheSameDockDoesNotHideTheToolbar) {
  TToolbar* bar = toolbar({23}, top);
  form->show();
  int changes = 0;
  top->OnInsertRemoveBar = [&](TDock*, bool, TToolbar*) { ++changes; };
  int hides = 0;
  struct HideCounter : QObject {
    int* count;
    explicit HideCounter(int* c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Hide) ++*count;
      return false;
    }
  } counter(&hides);
  bar->installEventFilter(&counter);
  bar->SetDockedTo(top);
  EXPECT_EQ(hides, 0);
  EXPECT_EQ(changes, 0);
  bar->removeEventFilter(&counter);
}

TEST_F(ToolbarTest, ResizingByTheFrameSnapsToTheWrappedShape) {
  TToolbar* bar = toolbar({23, 23, 0, 23, 23}, top);
  form->show();
  ToolbarInternals::setFloatingRect(*bar, {100, 100, 100, 100});
  bar->SetDockedTo(nullptr);
  const QRect oneLine = bar->geometry();
  const auto post = [&](QEvent::Type type, QPoint global) {
    QCoreApplication::postEvent(bar, new QMouseEvent(type, bar->mapFromGlobal(global), global, Qt::LeftButton,
                                                     type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                                                     Qt::NoModifier));
  };
  const QPoint rightEdge(oneLine.right(), oneLine.center().y());
  post(QEvent::MouseMove, rightEdge - QPoint(5, 0));  // within the snap tolerance: unchanged
  post(QEvent::MouseButtonRelease, rightEdge - QPoint(5, 0));
  ToolbarDrag::runSizeLoop(*bar, SizeBorder::Right);
  EXPECT_EQ(bar->geometry(), oneLine);

  post(QEvent::MouseMove, rightEdge - QPoint(20, 0));  // narrower at all: the two-line shape at once
  post(QEvent::MouseButtonRelease, rightEdge - QPoint(20, 0));
  ToolbarDrag::runSizeLoop(*bar, SizeBorder::Right);
  EXPECT_LT(bar->width(), oneLine.width() - 40);
  EXPECT_GT(bar->height(), oneLine.height());
  EXPECT_EQ(bar->LineBreaks().size(), 1u);
  EXPECT_EQ(bar->x(), oneLine.x());  // the left edge stays
}

TEST_F(ToolbarTest, ToolbarsAndButtonsAreNamedForAccessibilityTools) {
  TToolbar* bar = toolbar({23, 23}, top);
  bar->setCaption(QStringLiteral("Format"));
  auto* button = static_cast<TToolbarButton*>(bar->controls()[0]);
  button->setHint(QStringLiteral("Bold"));
  form->show();
  QAccessibleInterface* barFace = QAccessible::queryAccessibleInterface(bar);
  QAccessibleInterface* buttonFace = QAccessible::queryAccessibleInterface(button);
  ASSERT_NE(barFace, nullptr);
  ASSERT_NE(buttonFace, nullptr);
  EXPECT_EQ(barFace->role(), QAccessible::ToolBar);
  EXPECT_EQ(buttonFace->role(), QAccessible::PushButton);
  EXPECT_EQ(buttonFace->text(QAccessible::Name), QStringLiteral("Bold"));
  EXPECT_EQ(buttonFace->rect(), QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
  QMenu menu;
  button->setDropdownMenu(&menu);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::ButtonDropDown);
}

}  // namespace
}  // namespace sorabel::test
