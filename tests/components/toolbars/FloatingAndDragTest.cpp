// Floating toolbars: their frame, the drag and resize geometry, the mouse
// loops driven by posted events, and parking while the form is away.

#include <QMouseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "components/toolbars/DragGeometry.h"
#include "components/toolbars/FloatingFrame.h"
#include "components/toolbars/FormHooks.h"
#include "components/toolbars/ToolbarDrag.h"
#include "components/toolbars/ToolbarFixture.h"

namespace sorabel::test {
namespace {

using draw::Point;

TEST(FloatingFrame, HitTestingFindsBordersCaptionAndCloseButton) {
  const FrameMetrics m{4, 15};
  const Size window{100, 50};
  EXPECT_EQ(hitTestFrame(m, window, true, {2, 4}), FrameHit::Top);  // exactly F from the top, beside the caption
  EXPECT_EQ(hitTestFrame(m, window, true, {50, 8}), FrameHit::Client);  // the caption starts a drag
  EXPECT_EQ(hitTestFrame(m, window, true, {92, 8}), FrameHit::CloseButton);
  EXPECT_EQ(hitTestFrame(m, window, false, {92, 8}), FrameHit::Client);  // no close button: all caption
  EXPECT_EQ(hitTestFrame(m, window, true, {50, 45}), FrameHit::Bottom);
  EXPECT_EQ(hitTestFrame(m, window, true, {1, 30}), FrameHit::Left);
  EXPECT_EQ(hitTestFrame(m, window, true, {95, 30}), FrameHit::Right);
  EXPECT_EQ(hitTestFrame(m, window, true, {50, 30}), FrameHit::Nowhere);
  EXPECT_EQ(captionRect(m, 92, false).right, 96);
  EXPECT_EQ(captionRect(m, 92, true).right, 96 - 14);
}

TEST(FloatingFrame, ALongCaptionEndsInDotsAndKeepsFourCharacters) {
  const auto measure = [](const QString& text) { return static_cast<int>(text.size()) * 6; };
  EXPECT_EQ(fitCaption(QStringLiteral("Toolbar"), 42, measure), QStringLiteral("Toolbar"));
  EXPECT_EQ(fitCaption(QStringLiteral("Toolbar one"), 48, measure), QStringLiteral("Toolb..."));
  EXPECT_EQ(fitCaption(QStringLiteral("Toolbar one"), 5, measure), QStringLiteral("Tool..."));
}

TEST(DragGeometry, DocksAcceptNearTheirBandAndEmptyOnesCountTwoPixels) {
  const Size start{100, 26};
  const Point grab{50, 13};
  const draw::Rect dock{0, 30, 640, 56};
  const auto accepts = [&](Point cursor, const draw::Rect& d) {
    return dockAccepts(d, false, cursor, grab, start, outlineAt(cursor, grab, start, start));
  };
  EXPECT_TRUE(accepts({300, 40}, dock));
  EXPECT_TRUE(accepts({300, 56 + 9}, dock));    // within the tolerance below (20 scaled by the grab: 10)
  EXPECT_FALSE(accepts({300, 56 + 11}, dock));  // beyond it
  const draw::Rect empty{0, 30, 640, 30};
  EXPECT_TRUE(accepts({300, 30}, empty));  // widened to 29..31
  EXPECT_TRUE(dockAccepts({0, 0, 30, 400}, true, {15, 200}, grab, start, outlineAt({15, 200}, grab, start, {26, 100})));
  EXPECT_FALSE(dockAccepts({0, 0, 30, 400}, true, {15, 420}, grab, start, outlineAt({15, 420}, grab, start, {26, 100})));

  const draw::Rect area{0, 0, 800, 600};
  EXPECT_EQ(keepOnWorkArea({-500, 100, -400, 140}, area, 4), (draw::Rect{-92, 100, 8, 140}));
  EXPECT_EQ(keepOnWorkArea({100, 900, 200, 940}, area, 4), (draw::Rect{100, 592, 200, 632}));
  EXPECT_EQ(keepOnWorkArea({100, 100, 200, 140}, area, 4), (draw::Rect{100, 100, 200, 140}));
  EXPECT_EQ(outlineAt({100, 100}, {50, 10}, {100, 20}, {200, 40}), (draw::Rect{0, 80, 200, 120}));
}

TEST(DragGeometry, ResizingJumpsBetweenTheShapesTheLayoutAllows) {
  // Two groups of 50: one line of 100, or two lines.
  const auto layoutAt = [](int limit) { return limit == 0 || limit >= 100 ? Size{100, 22} : Size{50, 50}; };
  const Size frame{8, 27};
  const std::vector<Size> sizes = buildSizeList(layoutAt, 23, frame, SizeBorder::Right);
  ASSERT_EQ(sizes, (std::vector<Size>{{108, 49}, {58, 77}}));
  EXPECT_EQ(snapTolerance(sizes, {108, 49}, SizeBorder::Right), 12);
  EXPECT_EQ(snapTolerance({{108, 49}, {100, 60}}, {108, 49}, SizeBorder::Right), 7);
  EXPECT_EQ(chooseSize(sizes, 100, 108, SizeBorder::Right), (Size{58, 77}));  // narrower at all: two lines at once
  EXPECT_EQ(chooseSize(sizes, 60, 58, SizeBorder::Right), (Size{108, 49}));
  EXPECT_EQ(chooseSize(sizes, 30, 58, SizeBorder::Right), (Size{58, 77}));  // never narrower than the last
  const std::vector<Size> byHeight = buildSizeList(layoutAt, 23, frame, SizeBorder::Bottom);
  EXPECT_EQ(byHeight.front(), (Size{58, 77}));
  EXPECT_EQ(chooseSize(byHeight, 70, 49, SizeBorder::Bottom), (Size{58, 77}));
}

class FloatingTest : public ToolbarTest {
 protected:
  void SetUp() override {
    ToolbarTest::SetUp();
    bar = toolbar({23, 23, 0, 23}, top);
    other = toolbar({23, 23}, top, 0, 200);
    form->move(100, 100);
    form->show();
    QApplication::processEvents();
  }

  QPoint dockPoint(TDock* dock, QPoint local) const { return dock->mapToGlobal(local); }
  void post(QEvent::Type type, QPoint global, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint local = bar->mapFromGlobal(global);
    QCoreApplication::postEvent(bar, new QMouseEvent(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : button,
                                                     type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                                                     Qt::NoModifier));
  }

  TToolbar* bar = nullptr;
  TToolbar* other = nullptr;
};

TEST_F(FloatingTest, DraggingOutOfTheDockFloatsAndCtrlKeepsItFloating) {
  ToolbarDrag::MoveState state = ToolbarDrag::startMove(*bar, {5, 10});
  const QPoint inDock = dockPoint(top, {100, 10});
  ToolbarDrag::updateMove(*bar, state, {inDock.x(), inDock.y()});
  EXPECT_EQ(state.dock, top);
  EXPECT_EQ((Size{state.outline.width(), state.outline.height()}), (Size{bar->width(), bar->height()}));  // docked size while over the band

  const QPoint below = dockPoint(top, {100, 200});
  ToolbarDrag::updateMove(*bar, state, {below.x(), below.y()});
  EXPECT_EQ(state.dock, nullptr);
  EXPECT_EQ((Size{state.outline.width(), state.outline.height()}), state.floatingSize);

  state.ctrl = true;
  ToolbarDrag::updateMove(*bar, state, {inDock.x(), inDock.y()});
  EXPECT_EQ(state.dock, nullptr);
  ToolbarDrag::drop(*bar, state);
  EXPECT_TRUE(bar->floating());
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->pos(), QPoint(state.outline.left, state.outline.top));
  EXPECT_EQ(top->BarList().size(), 1u);

  bar->setCanDockLeftRight(false);
  state = ToolbarDrag::startMove(*bar, {10, 10});
  const QPoint inLeft = dockPoint(left, {0, 100});
  ToolbarDrag::updateMove(*bar, state, {inLeft.x(), inLeft.y()});
  EXPECT_EQ(state.dock, nullptr);  // the left dock is not offered
}

TEST_F(FloatingTest, DroppingOnTheTopOfARowOpensANewRowAbove) {
  ToolbarDrag::MoveState state = ToolbarDrag::startMove(*bar, {5, 13});
  state.dock = top;
  const QPoint at = dockPoint(top, {300, -11});  // the outline's centre lies 2 pixels into the row
  state.outline = {at.x(), at.y(), at.x() + bar->width(), at.y() + bar->height()};
  ToolbarDrag::drop(*bar, state);
  EXPECT_EQ(bar->DockRow(), 0);
  EXPECT_EQ(other->DockRow(), 1);

  const QPoint middle = dockPoint(top, {300, 0});
  state.outline = {middle.x(), middle.y(), middle.x() + bar->width(), middle.y() + bar->height()};
  ToolbarDrag::drop(*bar, state);
  EXPECT_EQ(bar->DockRow(), 0);  // the middle of its own row keeps it
  EXPECT_EQ(bar->x(), 300);
}

TEST_F(FloatingTest, TheMoveLoopDropsOnReleaseAndAnotherPressCancels) {
  const QPoint away = form->mapToGlobal(QPoint(300, 300));
  post(QEvent::MouseMove, away);
  post(QEvent::MouseButtonPress, away);  // cancels
  ToolbarDrag::runMoveLoop(*bar, {5, 10});
  EXPECT_EQ(bar->DockedTo(), top);

  post(QEvent::MouseMove, away);
  QCoreApplication::postEvent(bar, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));  // swallowed
  post(QEvent::MouseButtonRelease, away);
  ToolbarDrag::runMoveLoop(*bar, {5, 10});
  EXPECT_TRUE(bar->floating());
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->windowTitle(), bar->Caption());
}

TEST_F(FloatingTest, TheCloseButtonClosesOnlyOnAReleaseOverIt) {
  bar->SetDockedTo(nullptr);
  int closed = 0;
  bar->OnClose = [&](QObject*) { ++closed; };
  const FrameMetrics m = bar->frameMetrics();
  const draw::Rect button = closeButtonRect(m, bar->width() - 2 * m.frameWidth);
  const QPoint on = bar->mapToGlobal(QPoint(button.left + 2, button.top + 2));
  const QPoint off = bar->mapToGlobal(QPoint(2, bar->height() - 2));

  post(QEvent::MouseMove, off);
  post(QEvent::MouseButtonRelease, off);
  ToolbarDrag::runCloseButtonLoop(*bar);
  EXPECT_EQ(closed, 0);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_FALSE(ToolbarInternals::closePressed(*bar));

  post(QEvent::MouseMove, off);
  post(QEvent::MouseMove, on);
  post(QEvent::MouseButtonRelease, on);
  ToolbarDrag::runCloseButtonLoop(*bar);
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(bar->Visible());
  bar->setVisible(true);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_FALSE(ToolbarInternals::closePressed(*bar));  // shown again unpushed
}

TEST_F(FloatingTest, ParkingMovesFloatingToolbarsAsideAndBack) {
  ToolbarInternals::setFloatingRect(*bar, {150, 160, 150 + 80, 160 + 40});
  bar->SetDockedTo(nullptr);
  const QRect placed = bar->geometry();
  const QRect docked = other->geometry();
  FormHooks::UpdateParking(form.get(), true);
  EXPECT_TRUE(bar->isVisible());
  FormHooks::UpdateParking(form.get(), false);
  EXPECT_TRUE(ToolbarInternals::parked(*bar));
  EXPECT_FALSE(bar->isVisible());  // out of sight: no strip of it left to press
  EXPECT_EQ(bar->x(), -bar->width());
  EXPECT_EQ(bar->y(), placed.y());
  EXPECT_EQ(ToolbarInternals::parkedBounds(*bar).left, placed.x());
  EXPECT_EQ(other->geometry(), docked);  // docked toolbars stay
  FormHooks::UpdateParking(form.get(), true);
  EXPECT_FALSE(ToolbarInternals::parked(*bar));
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->geometry(), placed);
  EXPECT_GE(FormHooks::hookCount(FormHookKind::Form, form.get()), 2);
}

TEST_F(FloatingTest, DoubleClickingFloatsAndDocksInTheDefaultDock) {
  bar->setDefaultDock(bottom);
  const QPoint handle(5, 10);
  QMouseEvent twice(QEvent::MouseButtonDblClick, handle, bar->mapToGlobal(handle), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(bar, &twice);
  EXPECT_TRUE(bar->floating());
  const QPoint caption(20, bar->frameMetrics().frameWidth + 3);
  QMouseEvent again(QEvent::MouseButtonDblClick, caption, bar->mapToGlobal(caption), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(bar, &again);
  EXPECT_EQ(bar->DockedTo(), bottom);
  EXPECT_EQ(bottom->height(), bar->height());
}

}  // namespace
}  // namespace sorabel::test

namespace sorabel::test {
namespace {

TEST(MdiChildToolbars, AMinimisedChildFormParksItsFloatingToolbar) {
  QWidget parent;
  auto* layout = new QVBoxLayout(&parent);
  auto* area = new QMdiArea(&parent);
  layout->addWidget(area);
  QMdiSubWindow* child = area->addSubWindow(new QWidget);
  parent.resize(500, 400);
  parent.show();
  child->show();

  auto* bar = new TToolbar(child);
  new TToolbarButton(bar);
  ToolbarInternals::setFloatingRect(*bar, {200, 200, 260, 240});
  bar->SetDockedTo(nullptr);
  EXPECT_EQ(FormHooks::hookCount(FormHookKind::Form, &parent), 1);  // on the MDI parent form
  EXPECT_EQ(FormHooks::hookCount(FormHookKind::MdiChild, child), 1);
  const QRect placed = bar->geometry();

  FormHooks::UpdateParking(&parent, true);
  EXPECT_FALSE(ToolbarInternals::parked(*bar));
  child->showMinimized();
  QApplication::processEvents();
  EXPECT_TRUE(ToolbarInternals::parked(*bar));
  child->showNormal();
  QApplication::processEvents();
  EXPECT_FALSE(ToolbarInternals::parked(*bar));
  EXPECT_EQ(bar->geometry(), placed);

  delete child;  // the toolbar goes with its form, and so do the hooks
  EXPECT_EQ(FormHooks::hookCount(FormHookKind::Form, &parent), 0);
  EXPECT_EQ(FormHooks::hookCount(FormHookKind::MdiChild, child), 0);
}

}  // namespace
}  // namespace sorabel::test
