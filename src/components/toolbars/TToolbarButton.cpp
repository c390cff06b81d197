#include "components/toolbars/TToolbarButton.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTimer>
#include <utility>

#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "components/toolbars/ToolbarAccessible.h"
#include "draw/HandlerBoundary.h"
#include "draw/QtCanvas.h"
#include "draw/SysColors.h"
#include "draw/TextRules.h"

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
  // Made again when the colours changed (another palette).
  const QImage wanted = checkerPattern(resolve(clBtnFace), resolve(clBtnHighlight));
  if (hover().dither != wanted) hover().dither = wanted;
  return hover().dither;
}

TToolbarButton::TToolbarButton(QWidget* parent) : QWidget(parent) {
  resize(23, 22);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  installToolbarAccessibility();
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
  if (index < 0) return;
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
  Redraw();
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
  if (dropdownArrow_) Redraw();
}

void TToolbarButton::setCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
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
  if (margin < -1 || margin > kMaxMargin || margin == margin_) return;
  margin_ = margin;
  Redraw();
}

void TToolbarButton::setNumGlyphs(int count) {
  if (count < 1 || count > 4 || count == glyph_.NumGlyphs()) return;
  glyph_.SetNumGlyphs(count);
  Redraw();
}

void TToolbarButton::setOpaque(bool opaque) {
  if (opaque == opaque_) return;
  opaque_ = opaque;
  setAttribute(Qt::WA_OpaquePaintEvent, opaque);
  update();
}

void TToolbarButton::setSpacing(int spacing) {
  if (spacing < -1 || spacing > kMaxSpacing || spacing == spacing_) return;
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
}

void TToolbarButton::updateAccelerator() {
  delete accelerator_;
  accelerator_ = nullptr;
  const QChar key = acceleratorOf(caption_, DoubledAmpersand::Shown);
  if (key.isNull()) return;
  accelerator_ = new QShortcut(QKeySequence(Qt::ALT | key.toUpper().unicode()), this);
  accelerator_->setContext(Qt::WindowShortcut);
  connect(accelerator_, &QShortcut::activated, this, [this] {
    draw::runHandler([this] {
      if (isEnabled() && isVisible()) Click();
    });
  });
}

void TToolbarButton::pressFromKeyboard() {
  if (!isEnabled()) return;
  const QPointer<TToolbarButton> self(this);
  if (groupIndex_ != 0 && dropdownMenu_ == nullptr) setDown(!down_);
  if (self != nullptr) Click();
}

void TToolbarButton::updateAccessibleState() {
  const bool pressed = faceState_ == FaceState::Down || faceState_ == FaceState::Exclusive;
  if (pressed == reportedPressed_ && down_ == reportedDown_) return;
  QAccessible::State changed;
  changed.pressed = pressed != reportedPressed_;
  changed.checked = down_ != reportedDown_;
  reportedPressed_ = pressed;
  reportedDown_ = down_;
  notifyAccessibleState(this, changed);
}

// ---------------------------------------------------------------- hot tracking

void TToolbarButton::MouseEntered() {
  if (!isEnabled() || hot_) return;
  hot_ = true;
  Redraw();
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
  draw::runHandler([this] {
    if (controlUnderCursor() != this) MouseLeft();
  });
}

void TToolbarButton::Redraw() { update(); }

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
    Redraw();
  }
  allowAllUp_ = sender->allowAllUp_;
}

// ---------------------------------------------------------------- mouse

void TToolbarButton::mousePressEvent(QMouseEvent* event) {
  draw::runHandler([&] { handlePress(event); });
}

// A second press within the double-click time arrives as a double click: it
// presses the button like any press (the release then clicks it), and a
// latched button also fires OnDblClick.
void TToolbarButton::mouseDoubleClickEvent(QMouseEvent* event) {
  draw::runHandler([&] {
    const QPointer<TToolbarButton> self(this);
    handlePress(event);
    if (self != nullptr && event->button() == Qt::LeftButton && down_ && OnDblClick) OnDblClick();
  });
}

void TToolbarButton::handlePress(QMouseEvent* event) {
  const QPointer<TToolbarButton> self(this);
  if (OnMouseDown) OnMouseDown(event);
  if (self == nullptr || !isEnabled()) return;
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
  draw::runHandler([&] {
    const QPointer<TToolbarButton> self(this);
    if (OnMouseMove) OnMouseMove(event);
    if (self == nullptr) return;
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
  });
}

void TToolbarButton::mouseReleaseEvent(QMouseEvent* event) {
  draw::runHandler([&] {
    const QPointer<TToolbarButton> self(this);
    if (event->button() == Qt::RightButton && isEnabled()) MouseLeft();
    if (OnMouseUp) OnMouseUp(event);
    if (self == nullptr || event->button() != Qt::LeftButton || !tracking_) return;
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
  });
}

void TToolbarButton::leaveEvent(QEvent*) {
  draw::runHandler([this] { MouseLeft(); });
}

// ---------------------------------------------------------------- clicks

void TToolbarButton::Click() {
  const QPointer<TToolbarButton> self(this);
  inClick_ = true;
  // Whatever happens, the pressed look ends with the click, unless the
  // handler deleted the button.
  struct End {
    const QPointer<TToolbarButton>& button;
    ~End() {
      if (button == nullptr) return;
      button->inClick_ = false;
      if (button->faceState_ == FaceState::Down) button->faceState_ = FaceState::Up;
      button->updateAccessibleState();
      button->Redraw();
      button->RefreshHover();
    }
  } end{self};
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

namespace {

// Watches the presses that reach an open drop-down menu outside of it: the
// press that closes the menu, to be handed on to where it was aimed.
class ClosingPress : public QObject {
 public:
  explicit ClosingPress(QMenu* menu) : menu_(menu) { menu->installEventFilter(this); }
  ~ClosingPress() override {
    if (menu_ != nullptr) menu_->removeEventFilter(this);
  }

  bool seen = false;
  QPoint global;
  Qt::MouseButton button = Qt::NoButton;
  Qt::MouseButtons buttons;
  Qt::KeyboardModifiers modifiers;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == menu_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!menu_->rect().contains(mouse->position().toPoint())) {
        seen = true;
        global = mouse->globalPosition().toPoint();
        button = mouse->button();
        buttons = mouse->buttons();
        modifiers = mouse->modifiers();
        menu_->setAttribute(Qt::WA_NoMouseReplay);  // handed on below, once
      }
    }
    return false;
  }

 private:
  QPointer<QMenu> menu_;
};

// Hands a press that closed a menu on to the control it was aimed at, and
// then the release that goes with it: Qt drops the release of a press that
// closed a pop-up, and the control would stay pressed.
class HandedOnPress : public QObject {
 public:
  HandedOnPress(QWidget* target, const ClosingPress& press) : target_(target), button_(press.button) {
    qApp->installEventFilter(this);
    const QPoint local = target->mapFromGlobal(press.global);
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, local, press.global, press.button,
                                                        press.buttons, press.modifiers));
  }
  ~HandedOnPress() override { qApp->removeEventFilter(this); }

 protected:
  // Mouse events as the window system delivers them reach the windows
  // first: the release of the handed-on press goes to its control.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWindowType()) return false;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
      deleteLater();  // a new press: this one is over
      return false;
    }
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != button_) return false;
    deleteLater();
    if (target_ == nullptr) return false;
    const QPoint global = mouse->globalPosition().toPoint();
    QMouseEvent release(QEvent::MouseButtonRelease, target_->mapFromGlobal(global), global, mouse->button(),
                        mouse->buttons(), mouse->modifiers());
    QCoreApplication::sendEvent(target_, &release);
    return true;
  }

 private:
  QPointer<QWidget> target_;
  Qt::MouseButton button_;
};

}  // namespace

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
  const QPointer<TToolbarButton> self(this);
  ClosingPress closing(menu);
  menu->exec(at);
  if (self == nullptr || !closing.seen) return;
  // The press that closed the menu goes on to the control it was aimed at,
  // unless that is this button (clicking it again only closes its menu).
  QWidget* target = QApplication::widgetAt(closing.global);
  if (target == nullptr || target == this) return;
  new HandedOnPress(target, closing);
}

// ---------------------------------------------------------------- changes and painting

void TToolbarButton::prepareEnabledCell() { glyph_.PrepareCell(isEnabled() ? FaceState::Up : FaceState::Disabled); }

void TToolbarButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  draw::runHandler([&] {
    switch (event->type()) {
      case QEvent::EnabledChange: {
        // A disabled button is in its disabled state and tracks nothing; an
        // enabled one returns to latched or up.
        if (!isEnabled()) {
          faceState_ = FaceState::Disabled;
          tracking_ = false;
        } else if (faceState_ == FaceState::Disabled) {
          faceState_ = down_ && groupIndex_ != 0 ? FaceState::Exclusive : FaceState::Up;
        }
        prepareEnabledCell();
        RefreshHover();
        Redraw();
        QAccessible::State changed;
        changed.disabled = true;
        notifyAccessibleState(this, changed);
        break;
      }
      case QEvent::PaletteChange:
        glyph_.setPalette(palette());
        glyph_.ReleaseCells();
        glyph_.PrepareCell(faceState_);
        hover().dither = QImage();
        Redraw();
        break;
      case QEvent::FontChange: Redraw(); break;
      default: break;
    }
  });
}

// The colour of the button's face: its parent's colour, whatever the
// container.
draw::Color TToolbarButton::faceColor() const {
  const QWidget* parent = parentWidget();
  if (auto* toolbar = qobject_cast<const TToolbar*>(parent)) return toolbar->Color();
  if (auto* dock = qobject_cast<const TDock*>(parent)) return dock->Color();
  if (parent == nullptr) return clBtnFace;
  const QColor colour = parent->palette().color(parent->backgroundRole());
  return rgb(colour.red(), colour.green(), colour.blue());
}

FaceState TToolbarButton::shownState() const {
  if (!isEnabled()) return FaceState::Disabled;
  if (faceState_ == FaceState::Disabled) return down_ && groupIndex_ != 0 ? FaceState::Exclusive : FaceState::Up;
  return faceState_;
}

void TToolbarButton::paintOn(Canvas& canvas) const {
  glyph_.setPalette(palette());  // the disabled glyph in this button's colours
  const Rect client{0, 0, width(), height()};
  if (opaque_) {
    canvas.setBrushColor(faceColor());
    canvas.fillRect(client);
  }
  const FaceState face = shownState();
  canvas.setFont(CanvasFont::fromQFont(font(), clBtnText));
  const bool pressed = face == FaceState::Down || face == FaceState::Exclusive;
  if (pressed)
    canvas.drawEdge(client, BDR_SUNKENOUTER, BF_RECT);
  else if (hot_ && face != FaceState::Disabled)
    canvas.drawEdge(client, BDR_RAISEDINNER, BF_RECT);
  const Rect content = client.inflated(-1, -1);
  const Point offset = pressed ? Point{1, 1} : Point{0, 0};
  if (face == FaceState::Exclusive && !hot_) {
    canvas.setBrushPattern(DitherBitmap());
    canvas.fillRect(content);
  }
  TButtonGlyph::DrawOptions options;
  options.transparent = true;
  options.state = face;
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
  draw::runHandler([this] {
    QPainter painter(this);
    QtCanvas canvas(&painter, palette());
    paintOn(canvas);
  });
}

}  // namespace sorabel::toolbars
