#include "components/toolbars/TToolbar.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "components/toolbars/FormHooks.h"
#include "components/toolbars/TDock.h"
#include "components/toolbars/TFloatParent.h"
#include "components/toolbars/TToolbarSep.h"
#include "components/toolbars/ToolbarDrag.h"
#include "platform/draw/AccessibleWidget.h"
#include "platform/draw/QtCanvas.h"
#include "platform/draw/SystemMetrics.h"

namespace sorabel::toolbars {

using namespace draw;

namespace {

constexpr Qt::WindowFlags kFloatingFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;

// Raises a counter for a scope, lowering it also when the scope is left by
// an error.
class CounterLock {
 public:
  explicit CounterLock(int& counter) : counter_(counter) { ++counter_; }
  ~CounterLock() { --counter_; }
  CounterLock(const CounterLock&) = delete;
  CounterLock& operator=(const CounterLock&) = delete;

 private:
  int& counter_;
};

// A form: a window, or an MDI child form inside its parent form.
QWidget* checkedOwner(QWidget* owner) {
  if (owner == nullptr || (!owner->isWindow() && qobject_cast<QMdiSubWindow*>(owner) == nullptr))
    throw EInvalidOperation("TToolbar must be owned by a form");
  return owner;
}

// The form whose activation and window position matter: the MDI parent
// form for an MDI child form.
QWidget* hookFormOf(QWidget* owner) {
  if (auto* child = qobject_cast<QMdiSubWindow*>(owner); child != nullptr && child->mdiArea() != nullptr)
    return child->mdiArea()->window();
  return owner;
}

}  // namespace

TToolbar::TToolbar(QWidget* owner) : QWidget(nullptr), owner_(checkedOwner(owner)), color_(clBtnFace) {
  CounterLock lock(layoutLock_);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setMouseTracking(true);
  setAccessibleRole(this, QAccessible::ToolBar);
  floatParent_ = new TFloatParent(owner_);
  installFormHooks();
  // The toolbar goes with its form: it is deleted with it.
  connect(owner_, &QObject::destroyed, this, [this] { delete this; });
  SetDockedTo(nullptr);
  {
    CounterLock sizing(sizingLock_);
    resize(129, 49);
  }
  constructing_ = false;
}

TToolbar::~TToolbar() {
  if (TDock* dock = DockedTo()) dock->AddRemoveBar(false, this, false);
  removeFormHooks();
}

void TToolbar::installFormHooks() {
  hookedForm_ = hookFormOf(owner_);
  mdiChildOwner_ = qobject_cast<QMdiSubWindow*>(owner_) != nullptr;
  FormHooks::InstallFormHook(FormHookKind::Form, hookedForm_);
  if (mdiChildOwner_) FormHooks::InstallFormHook(FormHookKind::MdiChild, owner_);
}

void TToolbar::removeFormHooks() {
  FormHooks::RemoveFormHook(FormHookKind::Form, hookedForm_);
  // Not asked of the owner again: it may be in its destructor by now.
  if (mdiChildOwner_) FormHooks::RemoveFormHook(FormHookKind::MdiChild, owner_);
}

// ---------------------------------------------------------------- properties

void TToolbar::setCaption(const QString& caption) {
  caption_ = caption;
  setWindowTitle(caption);  // task lists and accessibility tools name the floating window by it
  setAccessibleName(caption);
  if (floating()) update();
}

void TToolbar::setColor(draw::Color color) {
  color_ = color;
  update();
}

void TToolbar::setCloseButton(bool show) {
  closeButton_ = show;
  if (floating()) update();
}

TDock* TToolbar::DefaultDock() const { return defaultDock_; }

void TToolbar::setDefaultDock(TDock* dock) { defaultDock_ = dock; }

TDock* TToolbar::DockedTo() const { return qobject_cast<TDock*>(parentWidget()); }

ToolbarState TToolbar::state() const {
  const TDock* dock = DockedTo();
  return dock == nullptr ? ToolbarState::Floating : dockedState(dock->Position());
}

void TToolbar::SetDockRow(int row) {
  dockRow_ = row;
  if (TDock* dock = DockedTo()) dock->RelayoutBars();
}

void TToolbar::SetDockPos(int pos) {
  dockPos_ = pos;
  if (TDock* dock = DockedTo()) dock->RelayoutBars();
}

// ---------------------------------------------------------------- layout

QPoint TToolbar::clientOrigin() const {
  if (!floating()) return {0, 0};
  const FrameMetrics m = frameMetrics();
  return {m.frameWidth, m.frameWidth + m.captionHeight};
}

FrameMetrics TToolbar::frameMetrics() const { return floatingFrameMetrics(); }

Size TToolbar::floatingWindowSize(Size client) const {
  const FrameMetrics m = frameMetrics();
  return {client.width + 2 * m.frameWidth, client.height + 2 * m.frameWidth + m.captionHeight};
}

std::vector<QWidget*> TToolbar::controls() const {
  std::vector<QWidget*> result;
  for (QObject* child : children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget != nullptr && !widget->isWindow() && widget != floatParent_) result.push_back(widget);
  }
  return result;
}

ToolbarLayoutInput TToolbar::layoutInput(int wrapLimit, ToolbarState target, ToolbarState current) const {
  ToolbarLayoutInput input;
  const QPoint origin = clientOrigin();
  for (QWidget* control : controls()) {
    const QRect r = control->geometry();
    input.controls.push_back({r.left() - origin.x(), r.top() - origin.y(), r.width(), r.height(), !control->isHidden(),
                              qobject_cast<TToolbarSep*>(control) != nullptr});
  }
  input.wrapLimit = wrapLimit;
  input.target = target;
  input.current = current;
  input.lineBreaks = lineBreaks_;
  input.currentContentHeight = contentHeight_;
  return input;
}

ToolbarLayoutResult TToolbar::LayoutControls(bool apply, bool resize, int wrapLimit, ToolbarState target,
                                             ToolbarState current) {
  if (layoutLock_ > 0) return {};
  CounterLock lock(layoutLock_);
  ToolbarLayoutInput input = layoutInput(wrapLimit, target, current);
  ToolbarLayoutResult result = layoutControls(input);
  TDock* dock = DockedTo();
  RowExtent row;
  if (apply && dock != nullptr && target != ToolbarState::Floating) {
    // The row's record centres the controls of all toolbars of the row alike.
    std::vector<DockedBar> bars;
    for (const TToolbar* bar : dock->BarList()) {
      const bool self = bar == this;
      bars.push_back({bar->DockRow(), bar->DockPos(), bar->width(), bar->height(),
                      self ? result.contentHeight : bar->ContentHeight(), self ? result.contentWidth : bar->ContentWidth(), 0});
    }
    const std::vector<RowExtent> rows = buildRowExtents(bars);
    row = dockRow_ >= 0 && dockRow_ < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(dockRow_)]
                                                                     : RowExtent{result.contentHeight, result.contentWidth,
                                                                                 result.contentHeight + 4, result.contentWidth + 4};
    input.row = &row;
    result = layoutControls(input);
  }
  if (apply) {
    const QPoint origin = target == ToolbarState::Floating
                              ? QPoint(frameMetrics().frameWidth, frameMetrics().frameWidth + frameMetrics().captionHeight)
                              : QPoint(0, 0);
    const std::vector<QWidget*> widgets = controls();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
      const Rect& r = result.bounds[i];
      widgets[i]->setGeometry(r.left + origin.x(), r.top + origin.y(), r.width(), r.height());
      if (auto* separator = qobject_cast<TToolbarSep*>(widgets[i])) separator->setSuppressed(result.suppressed[i]);
    }
    groups_ = result.groups;
    lineBreaks_ = result.lineBreaks;
    contentHeight_ = result.contentHeight;
    contentWidth_ = result.contentWidth;
  }
  if (resize) {
    CounterLock sizing(sizingLock_);
    const Size client = result.size;
    const QSize wanted = target == ToolbarState::Floating
                             ? QSize(floatingWindowSize(client).width, floatingWindowSize(client).height)
                             : QSize(client.width, client.height);
    if (wanted != size()) {
      QWidget::resize(wanted);
      if (dock != nullptr && target != ToolbarState::Floating) dock->RelayoutBars();
    }
  }
  if (floating()) update();
  return result;
}

void TToolbar::UpdateLayout() { LayoutControls(true, true, wrapLimit_, state(), state()); }

Size TToolbar::sizeIn(ToolbarState target, int wrapLimit) {
  return LayoutControls(false, false, wrapLimit, target, state()).size;
}

void TToolbar::placeInDock(int row, int pos, const Rect& bounds) {
  dockRow_ = row;
  dockPos_ = pos;
  CounterLock sizing(sizingLock_);
  setGeometry(bounds.left, bounds.top, bounds.width(), bounds.height());
}

// ---------------------------------------------------------------- docking and floating

void TToolbar::setParentForState(QWidget* parent, bool floatingWindow) {
  const bool allowed = parent == nullptr || qobject_cast<TDock*>(parent) != nullptr || parent == owner_ ||
                       qobject_cast<TFloatParent*>(parent) != nullptr;
  if (!allowed) throw EInvalidOperation("TToolbar can only be placed on a TDock or directly on the form");
  if (parent == owner_) parent = floatParent_;  // directly on the form means floating
  if (OnRecreating) OnRecreating(this);
  if (TDock* old = DockedTo()) old->AddRemoveBar(false, this, false);
  // Re-parenting hides the widget through setVisible; that is not the user hiding it.
  const bool wasVisible = visible_;
  QWidget::setParent(parent, floatingWindow ? kFloatingFlags : Qt::WindowFlags());
  visible_ = wasVisible;
  if (auto* dock = qobject_cast<TDock*>(parent)) dock->AddRemoveBar(true, this, visible_ || hidingForMove_ > 0);
  if (OnRecreated) OnRecreated(this);
}

void TToolbar::SetDockedTo(TDock* newDock) {
  if (OnDockChanging) OnDockChanging(this);
  if (newDock != nullptr) newDock->raiseArrangeLock();
  if (!constructing_ && newDock != DockedTo() && visible_ && !isHidden()) {
    // Hidden during the move, shown again at its end.
    CounterLock hiding(hidingForMove_);
    TDock* old = DockedTo();
    if (old != nullptr) old->raiseArrangeLock();
    QWidget::setVisible(false);
    if (old != nullptr) old->lowerArrangeLock();
  }
  ++hidingForMove_;  // the move itself keeps the dock's place for a hidden toolbar
  try {
    if (newDock != nullptr) {
      if (parentWidget() != nullptr) LayoutControls(true, false, wrapLimit_, dockedState(newDock->Position()), state());
      CounterLock layout(layoutLock_);
      if (parentWidget() != newDock) setParentForState(newDock, false);
    } else {
      if (floatingRect_.isEmpty()) {
        const Size window = floatingWindowSize({width(), height()});
        floatingRect_ = {0, 0, window.width, window.height};  // a toolbar that never floated starts at the screen's corner
      }
      if (parentWidget() != nullptr) LayoutControls(true, false, wrapLimit_, ToolbarState::Floating, state());
      {
        CounterLock layout(layoutLock_);
        setParentForState(floatParent_, true);
      }
      setParkedBounds(floatingRect_);
    }
    UpdateLayout();
  } catch (...) {
    --hidingForMove_;
    if (newDock != nullptr) newDock->lowerArrangeLock();
    throw;
  }
  --hidingForMove_;
  showAsVisible();
  if (newDock != nullptr) {
    newDock->lowerArrangeLock();
    newDock->RelayoutBars();
  }
  if (OnDockChanged) OnDockChanged(this);
}

void TToolbar::showAsVisible() {
  if (constructing_) return;
  if (!floating()) {
    QWidget::setVisible(visible_);
    return;
  }
  const bool formShown = owner_->isVisible();
  if (visible_ && formShown) {
    QWidget::setVisible(true);
    raise();
  } else {
    QWidget::setVisible(false);
  }
}

void TToolbar::setVisible(bool visible) {
  visible_ = visible;
  if (hidingForMove_ == 0) {
    if (TDock* dock = DockedTo()) dock->AddRemoveBar(visible, this, visible);
  }
  showAsVisible();
}

void TToolbar::setFloatingShape(int wrapLimit, const Rect& windowRect) {
  wrapLimit_ = wrapLimit;
  floatingRect_ = windowRect;
  setParkedBounds(windowRect);
  UpdateLayout();
  MoveOnScreen(true);
}

void TToolbar::setParkedBounds(const Rect& r) {
  parkedLeft_ = r.left;
  CounterLock sizing(sizingLock_);
  setGeometry(parked_ ? -r.width() : r.left, r.top, r.width(), r.height());
}

Rect TToolbar::parkedBounds() const {
  const QRect g = geometry();
  const int left = parked_ ? parkedLeft_ : g.left();
  return {left, g.top(), left + g.width(), g.top() + g.height()};
}

void TToolbar::setParked(bool parked) {
  parked_ = parked;
  if (!parked) showAsVisible();
}

void TToolbar::MoveOnScreen(bool onlyIfOffScreen) {
  if (!floating()) return;
  const Rect area = workArea();
  Rect r = parkedBounds();
  if (onlyIfOffScreen && r.intersects(area)) return;
  if (r.right > area.right) r = r.translated(area.right - r.right, 0);
  if (r.bottom > area.bottom) r = r.translated(0, area.bottom - r.bottom);
  if (r.left < area.left) r = r.translated(area.left - r.left, 0);
  if (r.top < area.top) r = r.translated(0, area.top - r.top);
  setParkedBounds(r);
  floatingRect_ = r;
}

// ---------------------------------------------------------------- the floating frame

FrameHit TToolbar::hitTest(const QPoint& p) const {
  if (!floating()) return FrameHit::Client;
  const FrameMetrics m = frameMetrics();
  const QPoint origin = clientOrigin();
  const QRect client(origin, QSize(width() - 2 * m.frameWidth, height() - 2 * m.frameWidth - m.captionHeight));
  if (client.contains(p)) return FrameHit::Client;
  return hitTestFrame(m, {width(), height()}, closeButton_, {p.x(), p.y()});
}

void TToolbar::setClosePressed(bool pressed) {
  if (pressed == closePressed_) return;
  closePressed_ = pressed;
  update();
}

void TToolbar::closeFromButton() {
  setVisible(false);
  if (OnClose) OnClose(this);
}

void TToolbar::runCloseButtonLoop() { ToolbarDrag::runCloseButtonLoop(*this); }

void TToolbar::updateCursorForFrame(const QPoint& p) {
  switch (hitTest(p)) {
    case FrameHit::Left:
    case FrameHit::Right: setCursor(Qt::SizeHorCursor); break;
    case FrameHit::Top:
    case FrameHit::Bottom: setCursor(Qt::SizeVerCursor); break;
    default: unsetCursor(); break;
  }
}

// ---------------------------------------------------------------- mouse

void TToolbar::clientMouseDown(const QPoint& clientPoint, bool doubleClick) {
  if (doubleClick) {
    if (!floating()) {
      SetDockedTo(nullptr);
    } else {
      dockRow_ = 0;
      dockPos_ = -8;  // before every other toolbar of row 0
      SetDockedTo(defaultDock_);
    }
    return;
  }
  if (TDock* dock = DockedTo(); dock != nullptr && !dock->AllowDrag()) return;
  ToolbarDrag::runMoveLoop(*this, clientPoint + clientOrigin());
}

void TToolbar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  switch (hitTest(p)) {
    case FrameHit::CloseButton: runCloseButtonLoop(); return;
    case FrameHit::Left: ToolbarDrag::runSizeLoop(*this, SizeBorder::Left); return;
    case FrameHit::Right: ToolbarDrag::runSizeLoop(*this, SizeBorder::Right); return;
    case FrameHit::Top: ToolbarDrag::runSizeLoop(*this, SizeBorder::Top); return;
    case FrameHit::Bottom: ToolbarDrag::runSizeLoop(*this, SizeBorder::Bottom); return;
    case FrameHit::Client: clientMouseDown(p - clientOrigin(), false); return;
    case FrameHit::Nowhere: return;
  }
}

void TToolbar::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  if (hitTest(p) == FrameHit::Client) clientMouseDown(p - clientOrigin(), true);
}

void TToolbar::mouseMoveEvent(QMouseEvent* event) {
  if (floating()) updateCursorForFrame(event->position().toPoint());
}

void TToolbar::contextMenuEvent(QContextMenuEvent* event) {
  if (popupMenu_ != nullptr) popupMenu_->popup(event->globalPos());
}

// ---------------------------------------------------------------- events and painting

void TToolbar::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  if (event->added() && event->child()->isWidgetType()) event->child()->installEventFilter(this);
  if (event->added() || event->removed()) QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

bool TToolbar::eventFilter(QObject* watched, QEvent* event) {
  if (watched->parent() == this && layoutLock_ == 0 && sizingLock_ == 0) {
    switch (event->type()) {
      case QEvent::ShowToParent:
      case QEvent::HideToParent:
      case QEvent::Resize: QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest)); break;
      default: break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool TToolbar::event(QEvent* event) {
  if (event->type() == QEvent::LayoutRequest) {
    UpdateLayout();  // AlignControls
    return true;
  }
  return QWidget::event(event);
}

void TToolbar::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (TDock* dock = DockedTo(); dock != nullptr && !dock->Background().isNull()) repaint();
}

void TToolbar::paintOn(Canvas& canvas) {
  canvas.setBrushColor(color_);
  canvas.fillRect({0, 0, width(), height()});
  if (TDock* dock = DockedTo()) {
    const Rect client{0, 0, width(), height()};
    canvas.drawEdge(client, BDR_RAISEDINNER, BF_RECT);
    if (!dock->Background().isNull()) {
      const QPoint origin = dock->parentWidget() != nullptr ? mapFrom(dock->parentWidget(), QPoint(0, 0)) : QPoint();
      dock->DrawBackgroundTiles(canvas, client.inflated(-1, -1), {origin.x(), origin.y(), client.right, client.bottom});
    }
    const bool vertical = dock->isVerticalDock();
    const int w = width();
    const int h = height();
    const Rect bars[2] = {vertical ? Rect{2, 4, w - 2, 7} : Rect{4, 2, 7, h - 2},
                          vertical ? Rect{2, 7, w - 2, 10} : Rect{7, 2, 10, h - 2}};
    for (const Rect& bar : bars) canvas.drawEdge(bar, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    canvas.setPixel(vertical ? Point{w - 3, 4} : Point{4, h - 3}, clBtnHighlight);
    canvas.setPixel(vertical ? Point{w - 3, 7} : Point{7, h - 3}, clBtnHighlight);
    return;
  }
  const FrameMetrics m = frameMetrics();
  const int clientWidth = width() - 2 * m.frameWidth;
  drawFloatingFrame(canvas, m, {width(), height()}, clientWidth, caption_, {true, true, closeButton_, closePressed_});
  const QPoint origin = clientOrigin();
  for (int y : lineBreaks_) {
    canvas.setPen(clBtnShadow);
    canvas.line({origin.x() + 1, origin.y() + y - 4}, {origin.x() + clientWidth - 1, origin.y() + y - 4});
    canvas.setPen(clBtnHighlight);
    canvas.line({origin.x() + 1, origin.y() + y - 3}, {origin.x() + clientWidth - 1, origin.y() + y - 3});
  }
}

void TToolbar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(&painter, palette());
  canvas.setFont(CanvasFont::fromQFont(font(), clWindowText));
  paintOn(canvas);
}

}  // namespace sorabel::toolbars
