#include "components/toolbars/TToolbarButton.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTimer>

#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "platform/draw/AccessibleWidget.h"
#include "platform/draw/QtCanvas.h"
#include "platform/draw/SysColors.h"
#include "platform/draw/TextRules.h"

namespace sorabel::toolbars {

using namespace draw;

namespace {

struct HoverState {
  QTimer* timer = nullptr;
  QPointer<TToolbarButton> button;
  int living = 0;
  QImage dither;
  std::function<QWidget*()> probe;
  QMetaObject::Connection deactivation;
};

HoverState& hover() {
  static HoverState state;
  return state;
}

QWidget* controlUnderCursor() {
  if (hover().probe) return hover().probe();
  return QApplication::widgetAt(QCursor::pos());  // disabled widgets included
}

bool applicationActive() { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

}  // namespace

TToolbarButton* TToolbarButton::HoverButton() { return hover().button; }

QTimer* TToolbarButton::HoverTimer() { return hover().timer; }

int TToolbarButton::livingButtons() { return hover().living; }

void TToolbarButton::setControlUnderCursor(std::function<QWidget*()> probe) { hover().probe = std::move(probe); }

const QImage& TToolbarButton::DitherBitmap() {
  if (hover().dither.isNull()) hover().dither = checkerPattern(resolve(clBtnFace), resolve(clBtnHighlight));
  return hover().dither;
}

TToolbarButton::TToolbarButton(QWidget* parent) : QWidget(parent) {
  resize(23, 22);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setAccessibleRole(this, QAccessible::PushButton);
  glyph_.OnChange = [this] { Redraw(); };
  if (hover().living++ == 0) {
    hover().timer = new QTimer;
    hover().timer->setInterval(125);
    // Switching to another application removes the hot border at once.
    hover().deactivation = QObject::connect(qApp, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState s) {
      if (s != Qt::ApplicationActive && hover().button != nullptr) hover().button->MouseLeft();
    });
  }
}

TToolbarButton::~TToolbarButton() {
  if (hover().button == this) {
    hover().timer->stop();
    hover().button = nullptr;
  }
  if (--hover().living == 0) {
    QObject::disconnect(hover().deactivation);
    delete hover().timer;
    hover().timer = nullptr;
    hover().dither = QImage();
  }
}

// ---------------------------------------------------------------- properties

void TToolbarButton::setAllowAllUp(bool allow) {
  allowAllUp_ = allow;
  SyncGroup();
}

void TToolbarButton::setGroupIndex(int index) {
  groupIndex_ = index;
  SyncGroup();
}

void TToolbarButton::setDisplayMode(TButtonDisplayMode mode) {
  if (mode == displayMode_) return;
  displayMode_ = mode;
  Redraw();
}

void TToolbarButton::setDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_ || (down_ && !allowAllUp_)) return;
  down_ = down;
  faceState_ = down ? FaceState::Exclusive : FaceState::Up;
  updateAccessibleState();
  Redraw(true);
  if (down) SyncGroup();
}

void TToolbarButton::setDropdownArrow(bool show) {
  if (show == dropdownArrow_) return;
  dropdownArrow_ = show;
  Redraw();
}

void TToolbarButton::setDropdownMenu(QMenu* menu) {
  if (menu == dropdownMenu_) return;
  dropdownMenu_ = menu;  // a guarded pointer: forgotten when the menu goes
  setAccessibleRole(this, menu != nullptr ? QAccessible::ButtonDropDown : QAccessible::PushButton);
  if (dropdownArrow_) Redraw();
}

void TToolbarButton::setCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  setAccessibleName(shownText(caption, true).text);
  updateAccelerator();
  Redraw();
}

void TToolbarButton::setGlyph(const QImage& glyph) {
  glyph_.SetGlyph(glyph);
  Redraw();
}

void TToolbarButton::setLayout(TButtonLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Redraw();
}

void TToolbarButton::setMargin(int margin) {
  if (margin < -1 || margin == margin_) return;
  margin_ = margin;
  Redraw();
}

void TToolbarButton::setNumGlyphs(int count) {
  count = std::min(count, 4);
  if (count != glyph_.NumGlyphs()) glyph_.SetNumGlyphs(count);
  Redraw();
}

void TToolbarButton::setOpaque(bool opaque) {
  if (opaque == opaque_) return;
  opaque_ = opaque;
  setAttribute(Qt::WA_OpaquePaintEvent, opaque);
  update();
}

void TToolbarButton::setSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  Redraw();
}

void TToolbarButton::setWordWrap(bool wrap) {
  if (wrap == wordWrap_) return;
  wordWrap_ = wrap;
  Redraw();
}

void TToolbarButton::setHint(const QString& hint) {
  setToolTip(hint);
  setStatusTip(hint);
  if (caption_.isEmpty()) setAccessibleName(hint);
  setAccessibleDescription(hint);
}

void TToolbarButton::updateAccelerator() {
  delete accelerator_;
  accelerator_ = nullptr;
  const ShownText shown = shownText(caption_, true);
  if (shown.underline < 0) return;
  accelerator_ = new QShortcut(QKeySequence(Qt::ALT | shown.text[shown.underline].toUpper().unicode()), this);
  accelerator_->setContext(Qt::WindowShortcut);
  connect(accelerator_, &QShortcut::activated, this, [this] {
    if (isEnabled() && isVisible()) Click();
  });
}

void TToolbarButton::updateAccessibleState() {
  setAccessiblePressed(this, faceState_ == FaceState::Down || faceState_ == FaceState::Exclusive);
  setAccessibleChecked(this, down_);
}

// ---------------------------------------------------------------- hot tracking

void TToolbarButton::MouseEntered() {
  if (!isEnabled() || hot_) return;
  hot_ = true;
  Redraw(down_);
}

void TToolbarButton::MouseLeft() {
  if (!isEnabled() || !hot_ || tracking_) return;
  if (!inClick_ && faceState_ == FaceState::Down) faceState_ = FaceState::Up;
  hot_ = false;
  Redraw();
  if (hover().button == this) {
    hover().timer->stop();
    hover().button = nullptr;
  }
}

void TToolbarButton::RefreshHover() {
  if (!isEnabled()) return;
  const bool under = controlUnderCursor() == this;
  hot_ = !under;  // so that the call below always acts
  if (under)
    MouseEntered();
  else
    MouseLeft();
}

void TToolbarButton::hoverTick() {
  if (controlUnderCursor() != this) MouseLeft();
}

void TToolbarButton::Redraw(bool) { update(); }

// ---------------------------------------------------------------- groups

void TToolbarButton::SyncGroup() {
  if (groupIndex_ == 0 || parentWidget() == nullptr) return;
  for (QObject* child : parentWidget()->children())
    if (auto* other = qobject_cast<TToolbarButton*>(child); other != nullptr && other != this) other->groupMessage(this);
}

void TToolbarButton::groupMessage(TToolbarButton* sender) {
  if (sender->groupIndex_ != groupIndex_) return;
  if (sender->down_ && down_) {
    down_ = false;
    faceState_ = FaceState::Up;
    updateAccessibleState();
    Redraw(true);
  }
  allowAllUp_ = sender->allowAllUp_;
}

// ---------------------------------------------------------------- mouse

void TToolbarButton::mousePressEvent(QMouseEvent* event) {
  if (dropReplayedPress_) {  // the press that closed this button's drop-down
    dropReplayedPress_ = false;
    return;
  }
  if (OnMouseDown) OnMouseDown(event);
  if (!isEnabled()) return;
  hot_ = true;
  if (event->button() != Qt::LeftButton) return;
  if (!down_) {
    faceState_ = FaceState::Down;
    updateAccessibleState();
    Redraw();
  } else if (allowAllUp_) {
    Redraw();
  }
  if (dropdownMenu_ != nullptr)
    Click();
  else
    tracking_ = true;
}

void TToolbarButton::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(event);
  if (hover().button != this && controlUnderCursor() == this) {
    if (hover().button != nullptr) hover().button->MouseLeft();
    if (applicationActive()) {
      hover().button = this;
      QObject::disconnect(hover().timer, nullptr, nullptr, nullptr);
      QObject::connect(hover().timer, &QTimer::timeout, this, &TToolbarButton::hoverTick);
      hover().timer->start();
      MouseEntered();
    }
  }
  if (!tracking_) return;
  FaceState wanted = down_ ? FaceState::Exclusive : FaceState::Up;
  if (rect().contains(event->position().toPoint())) wanted = down_ ? FaceState::Exclusive : FaceState::Down;
  if (wanted != faceState_) {
    faceState_ = wanted;
    updateAccessibleState();
    Redraw();
  }
}

void TToolbarButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton && isEnabled()) MouseLeft();
  if (OnMouseUp) OnMouseUp(event);
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  const bool click = dropdownMenu_ == nullptr && rect().contains(event->position().toPoint());
  if (groupIndex_ != 0) {
    if (click)
      setDown(!down_);
    else if (down_)
      faceState_ = FaceState::Exclusive;
  }
  if (click)
    Click();
  else
    RefreshHover();
}

void TToolbarButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && down_ && OnDblClick) OnDblClick();
}

void TToolbarButton::leaveEvent(QEvent*) { MouseLeft(); }

// ---------------------------------------------------------------- clicks

void TToolbarButton::Click() {
  inClick_ = true;
  struct End {
    TToolbarButton* button;
    ~End() {
      button->inClick_ = false;
      if (button->faceState_ == FaceState::Down) button->faceState_ = FaceState::Up;
      button->updateAccessibleState();
      button->Redraw();
      button->RefreshHover();
    }
  } end{this};
  if (faceState_ == FaceState::Up) {
    faceState_ = FaceState::Down;
    updateAccessibleState();
    repaint();
  }
  MouseLeft();
  if (dropdownMenu_ == nullptr) {
    if (OnClick) OnClick();
    return;
  }
  dropDown();
}

void TToolbarButton::dropDown() {
  releaseMouse();
  QMenu* menu = dropdownMenu_;
  QPoint at = mapToGlobal(QPoint(0, height()));
  bool rightAligned = false;
  if (auto* toolbar = qobject_cast<TToolbar*>(parentWidget()); toolbar != nullptr && toolbar->DockedTo() != nullptr &&
                                                                 toolbar->DockedTo()->isVerticalDock()) {
    if (toolbar->DockedTo()->Position() == TDockPosition::dpLeft) {
      at = mapToGlobal(QPoint(width(), 0));
    } else {
      at = mapToGlobal(QPoint(0, 0));
      rightAligned = true;
    }
  }
  if (rightAligned) at.rx() -= menu->sizeHint().width();
  // A click on this button that closes the menu must not open it again.
  const QMetaObject::Connection closing = connect(menu, &QMenu::aboutToHide, this, [this] {
    dropReplayedPress_ = (QApplication::mouseButtons() & Qt::LeftButton) && rect().contains(mapFromGlobal(QCursor::pos()));
    if (dropReplayedPress_) QTimer::singleShot(0, this, [this] { dropReplayedPress_ = false; });
  });
  menu->exec(at);
  disconnect(closing);
}

// ---------------------------------------------------------------- changes and painting

void TToolbarButton::prepareEnabledCell() { glyph_.PrepareCell(isEnabled() ? FaceState::Up : FaceState::Disabled); }

void TToolbarButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange:
      prepareEnabledCell();
      RefreshHover();
      Redraw();
      break;
    case QEvent::PaletteChange:
      glyph_.ReleaseCells();
      glyph_.PrepareCell(faceState_);
      hover().dither = QImage();
      Redraw();
      break;
    case QEvent::FontChange: Redraw(); break;
    default: break;
  }
}

draw::Color TToolbarButton::faceColor() const {
  if (auto* toolbar = qobject_cast<TToolbar*>(parentWidget())) return toolbar->Color();
  return clBtnFace;
}

void TToolbarButton::paintOn(Canvas& canvas) {
  const Rect client{0, 0, width(), height()};
  if (opaque_) {
    canvas.setBrushColor(faceColor());
    canvas.fillRect(client);
  }
  if (!isEnabled()) {
    faceState_ = FaceState::Disabled;
    tracking_ = false;
  } else if (faceState_ == FaceState::Disabled) {
    faceState_ = down_ && groupIndex_ != 0 ? FaceState::Exclusive : FaceState::Up;
  }
  canvas.setFont(CanvasFont::fromQFont(font(), clBtnText));
  const bool pressed = faceState_ == FaceState::Down || faceState_ == FaceState::Exclusive;
  if (pressed)
    canvas.drawEdge(client, BDR_SUNKENOUTER, BF_RECT);
  else if (hot_ && faceState_ != FaceState::Disabled)
    canvas.drawEdge(client, BDR_RAISEDINNER, BF_RECT);
  const Rect content = client.inflated(-1, -1);
  const Point offset = pressed ? Point{1, 1} : Point{0, 0};
  if (faceState_ == FaceState::Exclusive && !hot_) {
    canvas.setBrushPattern(DitherBitmap());
    canvas.fillRect(content);
  }
  TButtonGlyph::DrawOptions options;
  options.transparent = true;
  options.state = faceState_;
  options.dropdown = dropdownArrow_ && dropdownMenu_ != nullptr;
  options.spacing = spacing_;
  options.margin = margin_;
  options.layout = layout_;
  options.wordWrap = wordWrap_;
  options.caption = caption_;
  options.showText = displayMode_ != TButtonDisplayMode::dmGlyphOnly;
  options.showGlyph = displayMode_ != TButtonDisplayMode::dmTextOnly;
  options.offset = offset;
  glyph_.Draw(canvas, content, options);
}

void TToolbarButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(&painter, palette());
  paintOn(canvas);
}

}  // namespace sorabel::toolbars
