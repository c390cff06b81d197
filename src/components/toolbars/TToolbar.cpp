#include "components/toolbars/TToolbar.h"

#include "components/toolbars/ToolbarMetrics.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "components/toolbars/FormHooks.h"
#include "components/toolbars/TDock.h"
#include "components/toolbars/TFloatParent.h"
#include "components/toolbars/TToolbarSep.h"
#include "components/toolbars/ToolbarAccessible.h"
#include "components/toolbars/ToolbarDrag.h"
#include "draw/HandlerBoundary.h"
#include "draw/QtCanvas.h"
#include "draw/SystemMetrics.h"

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
  installToolbarAccessibility();
  installFormHooks();
  floatParent_ = new TFloatParent(hookedForm_);
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

// ---------------------------------------------------------------- parent

void TToolbar::checkParent(QWidget* parent) const {
  const bool allowed = parent == nullptr || qobject_cast<TDock*>(parent) != nullptr || parent == owner_ ||
                       (parent != nullptr && parent == floatParent_);
  if (!allowed) throw EInvalidOperation("TToolbar can only be placed on a TDock or directly on the form");
}

void TToolbar::setParent(QWidget* parent) {
  checkParent(parent);
  if (auto* dock = qobject_cast<TDock*>(parent))
    SetDockedTo(dock);
  else if (parent != nullptr)
    SetDockedTo(nullptr);  // directly on the form: floating
  else
    setParentForState(nullptr, false);
}

// A re-parenting that went past setParent (through QWidget) onto a parent a
// toolbar cannot have is undone and reported like a failed command.
void TToolbar::handleParentChange() {
  QWidget* now = parentWidget();
  try {
    checkParent(now);
    parentBefore_ = now;
  } catch (const EInvalidOperation& error) {
    QWidget* back = parentBefore_;
    const bool toFloat = back != nullptr && back == floatParent_;
    {
      CounterLock layout(layoutLock_);
      reparenting_ = true;
      QWidget::setParent(back, toFloat ? kFloatingFlags : Qt::WindowFlags());
      reparenting_ = false;
    }
    if (auto* dock = qobject_cast<TDock*>(back)) dock->AddRemoveBar(true, this, visible_);
    if (toFloat) setParkedBounds(floatingRect_);
    showAsVisible();
    draw::handleException(error);
  }
}

// The dock is being destroyed: the toolbar belongs to the form and stays,
// floating; it shows once the present teardown is over.
void TToolbar::dockDestroyed() {
  {
    CounterLock layout(layoutLock_);
    reparenting_ = true;
    QWidget::setParent(floatParent_, kFloatingFlags);
    reparenting_ = false;
  }
  QTimer::singleShot(0, this, [this] { draw::runHandler([this] { SetDockedTo(nullptr); }); });
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
  if (row < 0 || row > kMaxDockRow) return;
  dockRow_ = row;
  if (TDock* dock = DockedTo()) dock->RelayoutBars();
}

void TToolbar::SetDockPos(int pos) {
  if (pos < kMinDockPos || pos > kMaxDockPos) return;
  dockPos_ = pos;
  if (TDock* dock = DockedTo()) dock->RelayoutBars();
}

// ---------------------------------------------------------------- layout

QPoint TToolbar::clientOrigin() const { return clientOriginIn(state()); }

QPoint TToolbar::clientOriginIn(ToolbarState state) const {
  if (state != ToolbarState::Floating) return {0, 0};
  const Point origin = toolbars::clientOrigin(frameMetrics());
  return {origin.x, origin.y};
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
                                                                     : rowExtentFor(result.contentHeight, result.contentWidth);
    input.row = &row;
    result = layoutControls(input);
  }
  if (apply) {
    const QPoint origin = clientOriginIn(target);
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
  checkParent(parent);
  if (parent == owner_) parent = floatParent_;  // directly on the form means floating
  if (OnRecreating) OnRecreating(this);
  if (TDock* old = DockedTo()) old->AddRemoveBar(false, this, false);
  // Re-parenting hides the widget through setVisible; that is not the user hiding it.
  reparenting_ = true;
  QWidget::setParent(parent, floatingWindow ? kFloatingFlags : Qt::WindowFlags());
  reparenting_ = false;
  parentBefore_ = parent;
  if (auto* dock = qobject_cast<TDock*>(parent)) dock->AddRemoveBar(true, this, visible_ || hidingForMove_ > 0);
  if (OnRecreated) OnRecreated(this);
}

void TToolbar::SetDockedTo(TDock* newDock) {
  const QPointer<TToolbar> self(this);
  const QPointer<TDock> target(newDock);
  if (OnDockChanging) OnDockChanging(this);
  if (self == nullptr) return;
  if (newDock != nullptr) newDock->raiseArrangeLock();
  // A visible toolbar is hidden during a move to another place and shown at
  // its end; its dock keeps a row for it meanwhile (HidingForMove).
  const bool hiding = !constructing_ && newDock != DockedTo() && visible_;
  if (hiding) {
    ++hidingForMove_;
    TDock* old = DockedTo();
    if (old != nullptr) old->raiseArrangeLock();
    QWidget::setVisible(false);
    if (old != nullptr) old->lowerArrangeLock();
  }
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
      if (parentWidget() == nullptr || parentWidget() != floatParent_) {
        CounterLock layout(layoutLock_);
        setParentForState(floatParent_, true);
      }
      // Already floating: the window moves without being hidden.
      setParkedBounds(floatingRect_);
    }
    UpdateLayout();
  } catch (...) {
    if (hiding) --hidingForMove_;
    if (target != nullptr) target->lowerArrangeLock();
    throw;
  }
  if (hiding) --hidingForMove_;
  showAsVisible();
  if (target != nullptr) {
    target->lowerArrangeLock();
    target->RelayoutBars();
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
  if (visible_ && formShown && !parked_) {
    // The window is kept above its form by the window manager: it is the
    // form's transient, also when it floated before the form was shown.
    // The window manager minimised the window with its form; shown again
    // it must come back normal, or the window manager would minimise the
    // form with it once more.
    if (windowState() & Qt::WindowMinimized) setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!testAttribute(Qt::WA_WState_Created)) create();
    if (QWindow* own = windowHandle(); own != nullptr && hookedForm_ != nullptr)
      own->setTransientParent(hookedForm_->window()->windowHandle());
    if (!isVisible()) QWidget::setVisible(true);
    raise();
  } else {
    QWidget::setVisible(false);
  }
}

void TToolbar::setVisible(bool visible) {
  if (reparenting_) {  // Qt hides a widget it re-parents: not the user hiding the toolbar
    QWidget::setVisible(visible);
    return;
  }
  const bool changed = visible != visible_;
  visible_ = visible;
  if (hidingForMove_ == 0) {
    if (TDock* dock = DockedTo()) dock->AddRemoveBar(visible, this, visible);
  }
  showAsVisible();
  if (changed) notifyAccessibleState(this, QAccessible::State{});
}

void TToolbar::setFloatingShape(int wrapLimit, const Rect& windowRect) {
  wrapLimit_ = wrapLimit;
  floatingRect_ = windowRect;
  setParkedBounds(windowRect);
  UpdateLayout();
  MoveOnScreen(true);
}

// A parked window is unmapped as well as moved aside, so that no window
// manager keeps a strip of it on screen or brings the form back with it.
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
  if (parked == parked_) return;
  parked_ = parked;
  if (parked) QWidget::setVisible(false);  // before its place changes: a hidden window is not reconfigured
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
      dockPos_ = kDockPosBeforeAll;
      SetDockedTo(defaultDock_);
    }
    return;
  }
  if (TDock* dock = DockedTo(); dock != nullptr && !dock->AllowDrag()) return;
  ToolbarDrag::runMoveLoop(*this, clientPoint + clientOrigin());
}

void TToolbar::handleMousePress(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
  const QPoint p = event->position().toPoint();
  if (floating()) raise();  // pressed, the floating window comes to the top
  switch (hitTest(p)) {
    case FrameHit::CloseButton:
      if (!doubleClick) ToolbarDrag::runCloseButtonLoop(*this);
      return;
    case FrameHit::Left: ToolbarDrag::runSizeLoop(*this, SizeBorder::Left); return;
    case FrameHit::Right: ToolbarDrag::runSizeLoop(*this, SizeBorder::Right); return;
    case FrameHit::Top: ToolbarDrag::runSizeLoop(*this, SizeBorder::Top); return;
    case FrameHit::Bottom: ToolbarDrag::runSizeLoop(*this, SizeBorder::Bottom); return;
    case FrameHit::Client: clientMouseDown(p - clientOrigin(), doubleClick); return;
    case FrameHit::Nowhere: return;
  }
}

void TToolbar::mousePressEvent(QMouseEvent* event) {
  draw::runHandler([&] { handleMousePress(event); });
}

void TToolbar::mouseDoubleClickEvent(QMouseEvent* event) {
  draw::runHandler([&] { handleMousePress(event); });
}

void TToolbar::mouseMoveEvent(QMouseEvent* event) {
  draw::runHandler([&] {
    if (floating()) updateCursorForFrame(event->position().toPoint());
  });
}

void TToolbar::contextMenuEvent(QContextMenuEvent* event) {
  draw::runHandler([&] {
    if (popupMenu_ != nullptr) popupMenu_->popup(event->globalPos());
  });
}

// ---------------------------------------------------------------- events and painting

void TToolbar::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  draw::runHandler([&] {
    if (event->added() && event->child()->isWidgetType()) event->child()->installEventFilter(this);
    if (event->added() || event->removed()) QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
  });
}

// A control that moves, resizes, shows or hides re-runs the layout
// (AlignControls): a moved control goes back to its place in its line at
// once; the others are laid out together once the events are handled.
bool TToolbar::eventFilter(QObject* watched, QEvent* event) {
  // A press anywhere on a floating toolbar brings its window to the top.
  if (watched->parent() == this && event->type() == QEvent::MouseButtonPress && floating()) raise();
  if (watched->parent() != this || layoutLock_ > 0 || sizingLock_ > 0) return QWidget::eventFilter(watched, event);
  draw::runHandler([&] {
    switch (event->type()) {
      case QEvent::Move:
        if (!constructing_) UpdateLayout();
        break;
      case QEvent::ShowToParent:
      case QEvent::HideToParent:
      case QEvent::Resize: QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest)); break;
      default: break;
    }
  });
  return QWidget::eventFilter(watched, event);
}

bool TToolbar::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::LayoutRequest:
      draw::runHandler([this] { UpdateLayout(); });  // AlignControls
      return true;
    case QEvent::ParentAboutToChange: reparenting_ = true; break;
    case QEvent::ParentChange:
      reparenting_ = false;
      draw::runHandler([this] { handleParentChange(); });
      break;
    default: break;
  }
  return QWidget::event(event);
}

void TToolbar::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  draw::runHandler([this] {
    if (TDock* dock = DockedTo(); dock != nullptr && !dock->Background().isNull()) repaint();
  });
}

void TToolbar::paintOn(Canvas& canvas) const {
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
  draw::runHandler([this] {
    QPainter painter(this);
    QtCanvas canvas(&painter, palette());
    canvas.setFont(CanvasFont::fromQFont(font(), clWindowText));
    paintOn(canvas);
  });
}

}  // namespace sorabel::toolbars
