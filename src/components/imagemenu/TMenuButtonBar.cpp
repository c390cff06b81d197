#include "components/imagemenu/TMenuButtonBar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTimer>

#include "components/imagemenu/ImageMenuTypes.h"
#include "components/imagemenu/MenuAccessibility.h"
#include "components/imagemenu/MenuStructure.h"
#include "components/imagemenu/TMainImageMenu.h"
#include "components/imagemenu/TMenuButton.h"
#include "components/imagemenu/TSlideButton.h"
#include "components/imagemenu/WindowMenu.h"
#include "draw/AccessibleWidget.h"
#include "draw/SysColors.h"
#include "draw/SystemMetrics.h"
#include "draw/TextRules.h"

namespace sorabel::imagemenu {

using namespace draw;

namespace {

// A message to the bar (BarMessage), posted so that it runs after the
// event that caused it.
class BarMessageEvent : public QEvent {
 public:
  BarMessageEvent(int step, TMenuButton* button)
      : QEvent(static_cast<QEvent::Type>(TMenuButtonBar::BarMessage())), step(step), button(button) {}
  int step;
  QPointer<TMenuButton> button;
};

// The one bar whose form is active: it gets the hooks' events.
QPointer<TMenuButtonBar>& activeBar() {
  static QPointer<TMenuButtonBar> bar;
  return bar;
}

}  // namespace

int TMenuButtonBar::BarMessage() {
  static const int type = QEvent::registerEventType();
  return type;
}

TMenuButtonBar::TMenuButtonBar(QWidget* parent) : QWidget(parent), color_(clMenu) {
  setObjectName(QStringLiteral("MenuButtonBar"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleRole(this, QAccessible::MenuBar);
  installMenuAccessibility();
  CanvasFont font;
  applyMenuFont(font);
  setFont(font.toQFont());
  BarMessage();  // registered at run time
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { runHandler([&] { focusChanged(now); }); });
}

TMenuButtonBar::~TMenuButtonBar() { removeHooks(); }

// ---------------------------------------------------------------- properties

void TMenuButtonBar::setMenu(QMenuBar* menu) {
  if (menu_ != nullptr) disconnect(menu_, &QObject::destroyed, this, nullptr);
  menu_ = menu;
  if (menu == nullptr) {
    freeButtons();
    return;
  }
  connect(menu, &QObject::destroyed, this, [this] {
    menu_ = nullptr;
    freeButtons();
  });
  BuildButtons();
  pressedButton_ = nullptr;
  hotButton_ = nullptr;
  // The native bar shows none of the items. It is hidden as a whole: a
  // hidden item would also be disabled, and its button could no longer
  // take the item's own enabled state.
  menu->hide();
  if (window() != nullptr) imageMenuLink_ = window()->findChild<TMainImageMenu*>();
}

void TMenuButtonBar::setMenuCursor(int cursor) {
  if (!isCursorValue(cursor)) return;
  normalCursor_ = this->cursor().shape();
  menuCursor_ = static_cast<Qt::CursorShape>(cursor);
}

void TMenuButtonBar::setDefaultFont(bool value) {
  defaultFont_ = value;
  applyMenuFontIfDefault();
}

void TMenuButtonBar::applyMenuFontIfDefault() {
  if (!defaultFont_) return;
  CanvasFont font;
  applyMenuFont(font);
  setFont(font.toQFont());
}

void TMenuButtonBar::setColor(draw::Color color) {
  if (!isColorValue(color)) return;
  color_ = color;
  update();
  for (TMenuButton* button : buttons_) button->update();
}

// ---------------------------------------------------------------- buttons

void TMenuButtonBar::freeButtons() {
  for (auto it = buttons_.rbegin(); it != buttons_.rend(); ++it) delete *it;
  buttons_.clear();
  delete leftSlider_;
  delete rightSlider_;
  leftSlider_ = rightSlider_ = nullptr;
}

QMenu* TMenuButtonBar::dropDownOf(const TMenuButton* button) const {
  QAction* item = menu_ != nullptr ? menu_->actions().value(button->Tag()) : nullptr;
  return item != nullptr ? item->menu() : nullptr;
}

// The caption, hint, enabled state, click handler and drop-down of an item.
void TMenuButtonBar::takeItem(TMenuButton* button, QAction* item) {
  button->setCaption(item->text());
  button->setHint(item->statusTip());
  button->setEnabled(item->isEnabled());
  QPointer<QAction> guarded = item;
  button->OnClick = [guarded] {
    if (guarded != nullptr) guarded->trigger();
  };
  if (QMenu* dropDown = item->menu()) setDropDownOpener(dropDown, button);
}

void TMenuButtonBar::BuildButtons() {
  freeButtons();
  if (menu_ == nullptr || menu_->actions().isEmpty()) return;
  const QList<QAction*> items = menu_->actions();
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new TMenuButton(this, i);
    button->setObjectName(QStringLiteral("MenuButton%1").arg(i));
    takeItem(button, items[i]);
    const int key = AcceleratorKey(items[i]->text());
    if (key != kNoAcceleratorKey && window() != nullptr) {
      auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), button);
      shortcut->setContext(Qt::WindowShortcut);
      connect(shortcut, &QShortcut::activated, button, [button, key] { button->dialogChar(QChar(key)); });
    }
    button->show();
    buttons_.push_back(button);
  }
  leftSlider_ = new TSlideButton(this, TSlideButton::Left);
  rightSlider_ = new TSlideButton(this, TSlideButton::Right);
  for (TSlideButton* slider : {leftSlider_, rightSlider_}) {
    slider->resize(TSlideButton::kWidth, buttons_.front()->height());
    slider->move(slider == leftSlider_ ? 0 : width() - TSlideButton::kWidth, 1);
    slider->hide();  // UpdateSliders shows it when the row is wider than the bar
  }
  LayoutButtons();
}

int TMenuButtonBar::AcceleratorKey(const QString& caption) {
  const QChar key = acceleratorOf(caption, DoubledAmpersand::Marker);
  return key.isNull() ? kNoAcceleratorKey : key.toUpper().unicode();
}

void TMenuButtonBar::LayoutButtons() {
  int x = 0;
  for (TMenuButton* button : buttons_) {
    button->move(x, 1);
    x += button->width();
  }
  if (!buttons_.empty()) setFixedHeight(1 + buttons_.front()->height() + 1);
  firstShown_ = 0;
}

void TMenuButtonBar::UpdateSliders() {
  if (buttons_.empty() || leftSlider_ == nullptr) return;
  TMenuButton* first = buttons_.front();
  TMenuButton* last = buttons_.back();
  leftSlider_->resize(TSlideButton::kWidth, first->height());
  rightSlider_->resize(TSlideButton::kWidth, last->height());
  rightSlider_->move(width() - TSlideButton::kWidth, 1);
  leftSlider_->setEnabled(first->x() < 0);
  rightSlider_->setEnabled(last->x() + last->width() > width());
  for (TSlideButton* slider : {leftSlider_, rightSlider_}) {
    if (slider->isEnabled()) {
      slider->show();
      slider->raise();
    }
  }
}

void TMenuButtonBar::scroll(int direction) {
  if (buttons_.empty()) return;
  const int count = static_cast<int>(buttons_.size());
  if (direction < 0) {
    if (firstShown_ == 0) return;
    const int shift = buttons_[static_cast<std::size_t>(firstShown_ - 1)]->width();
    for (TMenuButton* button : buttons_) button->move(button->x() + shift, button->y());
  } else {
    const TMenuButton* last = buttons_.back();
    // The last button shown at the left is as far as the row goes, however
    // narrow the bar is.
    if (last->x() + last->width() < width() || firstShown_ >= count - 1) return;
    const int shift = buttons_[static_cast<std::size_t>(firstShown_)]->width();
    for (TMenuButton* button : buttons_) button->move(button->x() - shift, button->y());
  }
  firstShown_ += direction < 0 ? -1 : 1;
  UpdateSliders();
}

TMenuButton* TMenuButtonBar::NeighbourButton(TMenuButton* button, int step) const {
  if (button == nullptr || buttons_.empty()) return nullptr;
  int index = button->Tag() + step;
  if (index < 0) index = static_cast<int>(buttons_.size()) - 1;
  if (index >= static_cast<int>(buttons_.size())) index = 0;
  return buttons_[static_cast<std::size_t>(index)];
}

void TMenuButtonBar::ResetBar() {
  if (hotButton_ != nullptr) hotButton_->mouseLeft();
  pressedButton_ = nullptr;
  closedButton_ = nullptr;
}

// ---------------------------------------------------------------- button messages

void TMenuButtonBar::buttonEntered(TMenuButton* button) {
  if (button->Down()) {
    pressedButton_ = button;
    hotButton_ = nullptr;
    button->setLook(TMenuButton::Pressed);
  } else {
    pressedButton_ = nullptr;
    hotButton_ = button;
    button->setLook(TMenuButton::Hot);
  }
}

void TMenuButtonBar::buttonLeft(TMenuButton* button) {
  if (hotButton_ == button) hotButton_ = nullptr;
  button->setLook(TMenuButton::Normal);
}

void TMenuButtonBar::buttonDownChanged(TMenuButton* sender) {
  for (TMenuButton* button : buttons_) {
    if (button == sender) continue;
    button->setDownQuietly(sender->Down());
    if (button->ButtonState() != TMenuButton::Normal) button->setLook(TMenuButton::Normal);
  }
}

void TMenuButtonBar::buttonClicked(TMenuButton* button, bool fromKeyboard) {
  runHandler([&] {
    if (button == closedButton_) {  // its drop-down was just closed by this same click
      pressedButton_ = nullptr;
      closedButton_ = nullptr;
      hotButton_ = button;
      button->setLook(TMenuButton::Hot);
      if (button->OnClick) button->OnClick();
      return;
    }
    openDropDown(button, fromKeyboard);
  });
}

TMenuButtonBar::DropDownPlace TMenuButtonBar::dropDownPlace(const TMenuButton* button) const {
  QPoint at = button->mapToGlobal(QPoint(0, button->height()));
  QMenu* dropDown = dropDownOf(button);
  const int children = dropDown != nullptr ? static_cast<int>(dropDown->actions().size()) : 0;
  const int itemHeight = imageMenuLink_ != nullptr ? imageMenuLink_->ItemHeight() : kDefaultItemHeight;
  const bool upward = children * itemHeight + at.y() > screenSize().height;
  if (upward) at.ry() -= button->height();
  return {at, upward};
}

void TMenuButtonBar::openDropDown(TMenuButton* button, bool selectFirst) {
  pressedButton_ = button;
  hotButton_ = nullptr;
  button->setDownQuietly(true);
  button->setLook(TMenuButton::Pressed);
  button->repaint();
  QMenu* dropDown = dropDownOf(button);
  if (dropDown == nullptr) {  // an item without a drop-down runs at once
    button->setLook(TMenuButton::Normal);
    menuLoopExited();
    if (button->OnClick) button->OnClick();
    return;
  }
  const DropDownPlace place = dropDownPlace(button);
  QPoint at = place.at + QPoint(0, 1);
  if (place.upward) at.ry() -= dropDown->sizeHint().height();
  openMenu_ = dropDown;
  closingPress_ = nullptr;
  resetWhenClosed_ = false;
  // The press that closes the drop-down is the bar's to handle (the mouse
  // hook), not to be replayed by Qt.
  dropDown->setAttribute(Qt::WA_NoMouseReplay);
  // The bar's part of leaving the menu loop happens as the drop-down closes,
  // before the click that closed it reaches a button.
  const QMetaObject::Connection closing = connect(dropDown, &QMenu::aboutToHide, this, &TMenuButtonBar::menuLoopExited);
  if (selectFirst)
    QTimer::singleShot(0, dropDown, [dropDown] {
      if (QAction* first = firstSelectable(dropDown); first != nullptr && dropDown->isVisible()) dropDown->setActiveAction(first);
    });
  QPointer<TMenuButtonBar> self = this;
  QPointer<TMenuButton> opened = button;
  dropDown->exec(at);
  if (self == nullptr) return;  // an item's handler removed the bar
  disconnect(closing);
  openMenu_ = nullptr;
  if (opened != nullptr) opened->setLook(opened->isEnabled() ? TMenuButton::Normal : TMenuButton::Disabled);
  if (resetWhenClosed_) {
    resetWhenClosed_ = false;
    keyboardMode_ = false;
    ResetBar();
  }
  if (QPointer<TMenuButton> pressed = closingPress_; pressed != nullptr) {
    closingPress_ = nullptr;
    QTimer::singleShot(0, this, [pressed] {
      if (pressed != nullptr) pressed->click();
    });
  }
}

// ---------------------------------------------------------------- forwarded messages

void TMenuButtonBar::systemKeyMenu() {
  if (hotButton_ != nullptr) {
    leaveKeyboardMode();
    return;
  }
  if (buttons_.empty()) return;
  QWidget* form = window();
  keyboardMode_ = true;
  focusBeforeKeyboardMode_ = form != nullptr ? form->focusWidget() : nullptr;
  TMenuButton* first = buttons_.front();
  first->mouseEntered();
  hotButton_ = first;
  pressedButton_ = nullptr;
  if (form != nullptr) {
    if (QWidget* focused = form->focusWidget()) focused->clearFocus();
    form->setFocus();
  }
  menuButtonLookChanged(first);
}

void TMenuButtonBar::leaveKeyboardMode() {
  TMenuButton* hot = hotButton_;
  keyboardMode_ = false;
  if (hot != nullptr) hot->setLook(TMenuButton::Normal);
  ResetBar();
  QWidget* form = window();
  QWidget* previous = focusBeforeKeyboardMode_;
  focusBeforeKeyboardMode_ = nullptr;
  if (previous != nullptr && form != nullptr && (form->focusWidget() == nullptr || form->focusWidget() == form))
    previous->setFocus(Qt::OtherFocusReason);
}

void TMenuButtonBar::focusChanged(QWidget* now) {
  // The focus went to a control of the form: keyboard mode is over and the
  // keys are that control's again.
  if (!KeyboardMode() || now == nullptr || now == window() || now->window() != window()) return;
  keyboardMode_ = false;
  focusBeforeKeyboardMode_ = nullptr;
  if (hotButton_ != nullptr) hotButton_->mouseLeft();
}

void TMenuButtonBar::keyDown(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (hotButton_ != nullptr)
        buttonClicked(hotButton_, true);
      else if (openMenu_ != nullptr)
        openMenu_->close();
      return;
    case Qt::Key_Escape:
      if (hotButton_ != nullptr) hotButton_->setLook(TMenuButton::Normal);
      if (pressedButton_ != nullptr) {
        TMenuButton* pressed = pressedButton_;
        ResetBar();
        pressed->mouseEntered();
      }
      return;
    case Qt::Key_Left:
    case Qt::Key_Right:
      if (hotButton_ != nullptr) {
        TMenuButton* hot = hotButton_;
        hot->setLook(TMenuButton::Normal);
        if (TMenuButton* next = NeighbourButton(hot, key == Qt::Key_Left ? -1 : 1)) next->mouseEntered();
      }
      return;
    case Qt::Key_Down:
      if (hotButton_ != nullptr) buttonClicked(hotButton_, true);
      return;
    default: return;
  }
}

void TMenuButtonBar::keyUp(int key, TMenuButton* button) {
  if (key != Qt::Key_Escape) return;
  if (button == nullptr && hotButton_ != nullptr) {
    leaveKeyboardMode();
    return;
  }
  if (button != nullptr) {
    // Esc closed a drop-down: back to its button, from the keyboard.
    ResetBar();
    keyboardMode_ = true;
    button->mouseEntered();
    menuButtonLookChanged(button);
  }
}

void TMenuButtonBar::formActivated(bool active) {
  if (active) {
    activeBar() = this;
    installHooks();
  } else {
    removeHooks();
    altAlone_ = false;
    if (activeBar() == this) activeBar() = nullptr;
    if (hotButton_ != nullptr) hotButton_->mouseLeft();
  }
}

void TMenuButtonBar::menuLoopEntered() {
  // The button whose drop-down just opened keeps its pressed look.
  if (closedButton_ != nullptr && closedButton_ != pressedButton_) closedButton_->mouseLeft();
  hotButton_ = nullptr;
}

void TMenuButtonBar::menuLoopExited() {
  if (pressedButton_ == nullptr) return;  // told already, as the drop-down closed
  closedButton_ = pressedButton_;
  closedButton_->mouseLeft();
  pressedButton_ = nullptr;
  for (TMenuButton* button : buttons_) button->setDownQuietly(false);
}

// Each button takes its item's caption, hint, click handler, index and
// enabled state again.
void TMenuButtonBar::menuChanged() {
  if (menu_ == nullptr) return;
  const QList<QAction*> items = menu_->actions();
  if (items.size() != static_cast<qsizetype>(buttons_.size())) {
    BuildButtons();
    return;
  }
  for (int i = 0; i < items.size(); ++i) {
    TMenuButton* button = buttons_[static_cast<std::size_t>(i)];
    button->setTag(i);
    takeItem(button, items[i]);
  }
  LayoutButtons();
}

void TMenuButtonBar::settingsChanged() { applyMenuFontIfDefault(); }

// ---------------------------------------------------------------- bar messages

void TMenuButtonBar::postBarMessage(int step, TMenuButton* button) {
  QCoreApplication::postEvent(this, new BarMessageEvent(step, button));
}

void TMenuButtonBar::barMessage(int step, TMenuButton* button) {
  if (step == kResetStep && button == nullptr) {
    keyboardMode_ = false;
    ResetBar();
    return;
  }
  TMenuButton* target = button != nullptr ? button : NeighbourButton(pressedButton_, step);
  if (target == nullptr) return;
  if (imageMenuLink_ != nullptr && imageMenuLink_->SubmenuSelected()) return;
  // Typing the target's accelerator: the open drop-down closes and the
  // target's opens; from the keyboard with its first item selected.
  const bool fromKeyboard = button == nullptr;
  if (openMenu_ != nullptr) openMenu_->close();
  QPointer<TMenuButton> next = target;
  QTimer::singleShot(0, this, [this, next, fromKeyboard] {
    runHandler([&] {
      if (next != nullptr && next->isEnabled()) openDropDown(next, fromKeyboard);
    });
  });
}

bool TMenuButtonBar::event(QEvent* event) {
  if (event->type() == BarMessage()) {
    auto* message = static_cast<BarMessageEvent*>(event);
    runHandler([&] {
      if (message->step == kEscapeUpStep)
        keyUp(Qt::Key_Escape, message->button);
      else
        barMessage(message->step, message->button);
    });
    return true;
  }
  if (event->type() == QEvent::FocusOut && hotButton_ != nullptr) hotButton_->mouseLeft();
  return QWidget::event(event);
}

// ---------------------------------------------------------------- hooks

void TMenuButtonBar::installHooks() {
  if (hooked_) return;
  qApp->installEventFilter(this);
  hooked_ = true;
}

void TMenuButtonBar::removeHooks() {
  if (!hooked_) return;
  qApp->removeEventFilter(this);
  hooked_ = false;
}

TMenuButton* TMenuButtonBar::buttonAtScreen(const QPoint& position) const {
  for (TMenuButton* button : buttons_)
    if (button->isVisible() && QRect(button->mapToGlobal(QPoint(0, 0)), button->size()).contains(position)) return button;
  return nullptr;
}

bool TMenuButtonBar::keyboardHook(QKeyEvent* key) {
  const bool release = key->type() == QEvent::KeyRelease;
  // Alt pressed and released alone, and F10: the platform's SC_KEYMENU.
  if (key->key() == Qt::Key_Alt) {
    if (key->isAutoRepeat()) return false;
    if (!release) {
      altAlone_ = true;
    } else if (altAlone_ && openMenu_ == nullptr) {
      altAlone_ = false;
      systemKeyMenu();
      return true;
    }
    return false;
  }
  if (!release) altAlone_ = false;
  if (!release && key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier && openMenu_ == nullptr) {
    systemKeyMenu();
    return true;
  }
  if (key->key() == Qt::Key_Escape) {
    if (release)
      postBarMessage(kEscapeUpStep, closedButton_);
    else
      QTimer::singleShot(0, this, [this] { runHandler([&] { keyDown(Qt::Key_Escape); }); });
  }
  if (release) return false;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (openMenu_ != nullptr) {  // the drop-down runs its item; the bar resets once it closed
        resetWhenClosed_ = true;
        return false;
      }
      if (!KeyboardMode()) return false;
      keyDown(Qt::Key_Return);
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const int step = key->key() == Qt::Key_Left ? -1 : 1;
      if (pressedButton_ != nullptr) {
        postBarMessage(step, nullptr);
        return false;
      }
      if (!KeyboardMode()) return false;
      keyDown(key->key());
      return true;
    }
    case Qt::Key_Down:
      if (!KeyboardMode() || openMenu_ != nullptr) return false;
      keyDown(Qt::Key_Down);
      return true;
    default: return false;
  }
}

void TMenuButtonBar::mouseHook(QEvent* event) {
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint global = mouse->globalPosition().toPoint();
  TMenuButton* button = buttonAtScreen(global);
  if (event->type() == QEvent::MouseButtonPress) {
    altAlone_ = false;
    if (button == nullptr)
      postBarMessage(kResetStep, nullptr);
    else if (openMenu_ != nullptr && openMenu_->isVisible())
      closingPress_ = button;
    return;
  }
  if (!QRect(mapToGlobal(QPoint(0, 0)), size()).contains(global)) return;
  if (button != nullptr) {
    if (window() != nullptr) {
      QStatusTipEvent tip(button->Hint());
      QApplication::sendEvent(window(), &tip);
    }
    setCursor(menuCursor_);
  } else {
    setCursor(normalCursor_);
  }
  if (button != nullptr && pressedButton_ != nullptr && button != pressedButton_) postBarMessage(-1, button);
}

bool TMenuButtonBar::eventFilter(QObject* watched, QEvent* event) {
  bool swallowed = false;
  runHandler([&] {
    if (activeBar() != this) return;
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        // Once per key: where the window system delivers it.
        if (watched->isWindowType()) swallowed = keyboardHook(static_cast<QKeyEvent*>(event));
        break;
      case QEvent::MouseButtonPress:
        // Seen where the window system delivers it: an open drop-down may
        // close on it before any widget gets it.
        if (watched->isWindowType()) mouseHook(event);
        break;
      case QEvent::MouseMove:
        if (watched->isWidgetType()) mouseHook(event);
        break;
      default: break;
    }
  });
  return swallowed || QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- painting and layout

void TMenuButtonBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), resolve(color_, activeColours(palette())));
}

void TMenuButtonBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutButtons();
  UpdateSliders();
  if (leftSlider_ != nullptr && !buttons_.empty()) {
    leftSlider_->setVisible(buttons_.front()->x() < 0);
    rightSlider_->setVisible(buttons_.back()->x() + buttons_.back()->width() > width());
  }
}

void TMenuButtonBar::contextMenuEvent(QContextMenuEvent* event) {
  runHandler([&] {
    if (childAt(event->pos()) != nullptr || window() == nullptr) return;
    if (popupMenu_ != nullptr)
      popupMenu_->popup(event->globalPos());
    else if (WindowMenu* menu = WindowMenu::of(window()))
      menu->openAt(event->globalPos());
  });
}

void TMenuButtonBar::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    for (TMenuButton* button : buttons_) button->setFont(font());
    LayoutButtons();
    UpdateSliders();
  }
}

}  // namespace sorabel::imagemenu
