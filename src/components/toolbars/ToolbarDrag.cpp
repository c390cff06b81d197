#include "components/toolbars/ToolbarDrag.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

#include "components/toolbars/DragOutline.h"
#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "components/toolbars/ToolbarInternals.h"
#include "draw/SystemMetrics.h"

namespace sorabel::toolbars::ToolbarDrag {

using namespace draw;

namespace {

// A modal loop holding the mouse: mouse moves and Ctrl changes are
// reported, a left release ends it as a drop, another left press (or
// double click) cancels it, other keys and buttons are swallowed, and it
// ends when the mouse is taken away or the program quits. A window closing
// or a modal dialog opening ends it too, at once (grabs released, outline
// gone), so that the question such a dialog asks can be answered.
class MouseLoop : public QObject {
 public:
  enum class End { Release, Cancel };

  std::function<void(Point cursor)> onMove;
  std::function<void(bool ctrl)> onCtrl;
  std::function<void()> onEnd;  // the outline goes as the loop ends

  End run(QWidget* grabber) {
    grabber_ = grabber;
    qApp->installEventFilter(this);
    const QMetaObject::Connection quitting =
        connect(qApp, &QCoreApplication::aboutToQuit, &loop_, [this] { finish(End::Cancel); });
    const QMetaObject::Connection gone = connect(grabber, &QObject::destroyed, &loop_, [this] { finish(End::Cancel); });
    grabber->grabMouse();
    grabber->grabKeyboard();
    active_ = true;
    loop_.exec();
    release();
    disconnect(quitting);
    disconnect(gone);
    return end_;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!active_) return false;
    switch (event->type()) {
      case QEvent::MouseMove:
        if (onMove) onMove(toPoint(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
        return true;
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) finish(End::Release);
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) finish(End::Cancel);
        return true;
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control && onCtrl)
          onCtrl(event->type() == QEvent::KeyPress);
        return true;
      case QEvent::Wheel:
      case QEvent::ToolTip: return true;
      case QEvent::Close:
      case QEvent::WindowBlocked:
        // Let the close request or the dialog through, free of the loop.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) finish(End::Cancel);
        return false;
      default:
        if (QWidget::mouseGrabber() != nullptr && QWidget::mouseGrabber() != grabber_) finish(End::Cancel);
        return false;
    }
  }

 private:
  static Point toPoint(const QPoint& p) { return {p.x(), p.y()}; }
  void finish(End end) {
    if (!active_) return;
    end_ = end;
    release();
    loop_.quit();
  }
  // Grabs, the event filter and the outline go at once, also while the
  // event that ended the loop is still being handled.
  void release() {
    if (!active_) return;
    active_ = false;
    if (grabber_ != nullptr) {
      grabber_->releaseKeyboard();
      grabber_->releaseMouse();
    }
    qApp->removeEventFilter(this);
    if (onEnd) onEnd();
  }

  QEventLoop loop_;
  QPointer<QWidget> grabber_;
  bool active_ = false;
  End end_ = End::Cancel;
};

Rect screenRectOf(const QWidget* widget, const Rect& local) {
  const QPoint at = widget->mapToGlobal(QPoint(local.left, local.top));
  return {at.x(), at.y(), at.x() + local.width(), at.y() + local.height()};
}

std::vector<TDock*> docksOf(const TToolbar& bar, bool vertical) {
  std::vector<TDock*> docks;
  for (TDock* dock : ToolbarInternals::ownerForm(bar)->findChildren<TDock*>())
    if (dock->isVerticalDock() == vertical && dock->AllowDrag()) docks.push_back(dock);
  return docks;
}

// Hides a shown tooltip when a loop starts; the loop swallows new ones.
class HintsOff {
 public:
  HintsOff() { QToolTip::hideText(); }
};

}  // namespace

MoveState startMove(TToolbar& bar, const QPoint& grab) {
  MoveState state;
  state.grab = grab;
  state.start = {bar.width(), bar.height()};
  state.ctrl = QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier);
  const ToolbarState now = bar.state();
  const Size client = bar.floating() ? Size{bar.width() - 2 * bar.frameMetrics().frameWidth,
                                            bar.height() - 2 * bar.frameMetrics().frameWidth - bar.frameMetrics().captionHeight}
                                     : Size{bar.width(), bar.height()};
  state.floatingSize = bar.floatingWindowSize(now == ToolbarState::Floating ? client : bar.sizeIn(ToolbarState::Floating, bar.WrapLimit()));
  state.horizontalSize = now == ToolbarState::HorizontalDock ? client : bar.sizeIn(ToolbarState::HorizontalDock, 0);
  state.verticalSize = now == ToolbarState::VerticalDock ? client : bar.sizeIn(ToolbarState::VerticalDock, 0);
  return state;
}

void updateMove(TToolbar& bar, MoveState& state, Point cursor) {
  const Point grab{state.grab.x(), state.grab.y()};
  state.dock = nullptr;
  state.overDock = false;
  if (!state.ctrl) {
    for (bool vertical : {false, true}) {
      if (vertical && !bar.CanDockLeftRight()) break;
      for (TDock* dock : docksOf(bar, vertical)) {
        const Size size = vertical ? state.verticalSize : state.horizontalSize;
        const Rect candidate = outlineAt(cursor, grab, state.start, size);
        if (dockAccepts(screenRectOf(dock, dock->clientRect()), vertical, cursor, grab, state.start, candidate)) {
          state.dock = dock;
          state.overDock = true;
          break;
        }
      }
      if (state.dock != nullptr) break;
    }
  }
  const Rect area = workArea();
  if (state.dock == nullptr) cursor = clampInto(cursor, area);
  const Size size = state.dock == nullptr ? state.floatingSize
                                          : (state.dock->isVerticalDock() ? state.verticalSize : state.horizontalSize);
  state.outline = outlineAt(cursor, grab, state.start, size);
  if (state.dock == nullptr) state.outline = keepOnWorkArea(state.outline, area, bar.frameMetrics().frameWidth);
}

void drop(TToolbar& bar, const MoveState& state) {
  if (TDock* dock = state.dock) {
    const QPoint topLeft = dock->mapFromGlobal(QPoint(state.outline.left, state.outline.top));
    const Rect client = dock->clientRect();
    const Rect local = Rect{topLeft.x(), topLeft.y(), topLeft.x() + state.outline.width(), topLeft.y() + state.outline.height()}
                           .translated(-client.left, -client.top);
    const bool vertical = dock->isVerticalDock();
    const int centre = vertical ? (local.left + local.right) / 2 : (local.top + local.bottom) / 2;
    const RowDrop row = dock->DropRowAt(centre);
    if (row.openNewRow) dock->OpenRow(row.row);
    const int pos = std::clamp(vertical ? local.top : local.left, TToolbar::kMinDockPos, TToolbar::kMaxDockPos);
    ToolbarInternals::setDockPlace(bar, row.row, pos);
    bar.SetDockedTo(dock);
  } else {
    ToolbarInternals::setFloatingRect(bar, state.outline);
    bar.SetDockedTo(nullptr);
  }
  bar.MoveOnScreen(true);
}

void runMoveLoop(TToolbar& bar, const QPoint& grab) {
  const QPointer<TToolbar> alive(&bar);
  MoveState state = startMove(bar, grab);
  DragOutline outline;
  const HintsOff hints;
  auto show = [&] { outline.showFrame(state.outline, state.dock != nullptr ? 1 : bar.frameMetrics().frameWidth); };
  const QPoint start = bar.mapToGlobal(grab);
  updateMove(bar, state, {start.x(), start.y()});
  show();
  Point last{start.x(), start.y()};
  MouseLoop loop;
  loop.onMove = [&](Point cursor) {
    last = cursor;
    updateMove(bar, state, cursor);
    show();
  };
  loop.onCtrl = [&](bool ctrl) {
    if (ctrl == state.ctrl) return;
    state.ctrl = ctrl;
    updateMove(bar, state, last);
    show();
  };
  loop.onEnd = [&outline] { outline.hide(); };
  const MouseLoop::End end = loop.run(&bar);
  if (alive == nullptr) return;  // the toolbar went while the loop ran
  // A dock that went during the loop takes nothing.
  if (end == MouseLoop::End::Release && !(state.overDock && state.dock == nullptr)) drop(bar, state);
}

void runSizeLoop(TToolbar& bar, SizeBorder border) {
  if (!bar.floating()) return;
  const FrameMetrics m = bar.frameMetrics();
  const Size frame{2 * m.frameWidth, 2 * m.frameWidth + m.captionHeight};
  const std::vector<Size> sizes = buildSizeList(
      [&bar](int limit) { return bar.sizeIn(ToolbarState::Floating, limit); }, bar.ContentWidth(), frame, border);
  const QPointer<TToolbar> alive(&bar);
  const Rect start = ToolbarInternals::parkedBounds(bar);
  const Size current{start.width(), start.height()};
  const bool vertical = border == SizeBorder::Top || border == SizeBorder::Bottom;
  const int currentLength = vertical ? current.height : current.width;
  const int tolerance = snapTolerance(sizes, current, border);
  Rect outlineRect = start;
  int wrapLimit = bar.WrapLimit();
  bool changed = false;
  bool lastGrowing = false;
  DragOutline outline;
  const HintsOff hints;
  outline.showFrame(outlineRect, m.frameWidth);
  MouseLoop loop;
  loop.onMove = [&](Point cursor) {
    int request = 0;
    switch (border) {
      case SizeBorder::Right: request = cursor.x - start.left; break;
      case SizeBorder::Left: request = start.right - cursor.x; break;
      case SizeBorder::Bottom: request = cursor.y - start.top; break;
      case SizeBorder::Top: request = start.bottom - cursor.y; break;
    }
    const bool growing = request > currentLength;
    if ((!changed || growing != lastGrowing) && currentLength - tolerance <= request && request < currentLength + tolerance)
      request = currentLength;
    lastGrowing = growing;
    const Size chosen = chooseSize(sizes, request, currentLength, border);
    Rect next;
    switch (border) {
      case SizeBorder::Right:
      case SizeBorder::Bottom: next = {start.left, start.top, start.left + chosen.width, start.top + chosen.height}; break;
      case SizeBorder::Left: next = {start.right - chosen.width, start.top, start.right, start.top + chosen.height}; break;
      case SizeBorder::Top: next = {start.left, start.bottom - chosen.height, start.left + chosen.width, start.bottom}; break;
    }
    // The line limit is the chosen shape's client width.
    wrapLimit = chosen.width - 2 * m.frameWidth;
    if (next != outlineRect) {
      outlineRect = next;
      changed = true;
      outline.showFrame(outlineRect, m.frameWidth);
    }
  };
  loop.onEnd = [&outline] { outline.hide(); };
  const MouseLoop::End end = loop.run(&bar);
  if (alive == nullptr) return;
  if (end == MouseLoop::End::Release && changed) ToolbarInternals::setFloatingShape(bar, wrapLimit, outlineRect);
}

void runCloseButtonLoop(TToolbar& bar) {
  const QPointer<TToolbar> alive(&bar);
  const FrameMetrics m = bar.frameMetrics();
  const Rect button = closeButtonRect(m, bar.width() - 2 * m.frameWidth);
  ToolbarInternals::setClosePressed(bar, true);
  MouseLoop loop;
  loop.onMove = [&](Point cursor) {
    const QPoint local = bar.mapFromGlobal(QPoint(cursor.x, cursor.y));
    ToolbarInternals::setClosePressed(bar, button.contains({local.x(), local.y()}));
  };
  const MouseLoop::End end = loop.run(&bar);
  if (alive == nullptr) return;
  const bool closing = end == MouseLoop::End::Release && ToolbarInternals::closePressed(bar);
  ToolbarInternals::setClosePressed(bar, false);
  if (closing) ToolbarInternals::closeFromButton(bar);
}

}  // namespace sorabel::toolbars::ToolbarDrag
