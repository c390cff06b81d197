#include "components/imagemenu/TMainImageMenu.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>

#include "components/imagemenu/MenuItemStyle.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "components/imagemenu/TSysMenu.h"
#include "components/imagemenu/WindowMenu.h"

namespace sorabel::imagemenu {

using namespace draw;

namespace {

// A plain letter typed into a menu (no Ctrl, Alt or Meta).
bool isTypedCharacter(const QKeyEvent* key) {
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  return key->text().size() == 1 && key->text()[0].isPrint() && !key->text()[0].isSpace();
}

QList<QAction*> visibleItems(const QWidget* menu) {
  QList<QAction*> visible;
  for (QAction* item : menu->actions())
    if (item->isVisible()) visible << item;
  return visible;
}

}  // namespace

TMainImageMenu::TMainImageMenu(QWidget* form) : TImageMenu(form), form_(form) {
  if (form_ != nullptr) form_->installEventFilter(this);
  watchWindowMenu();
}

TMainImageMenu::~TMainImageMenu() {
  if (form_ != nullptr) form_->removeEventFilter(this);
  for (QWidget* widget : std::as_const(watched_)) widget->removeEventFilter(this);
}

TMenuButtonBar* TMainImageMenu::MenuButtonBar() const { return menuButtonBar_; }

void TMainImageMenu::setMenuButtonBar(TMenuButtonBar* bar) {
  menuButtonBar_ = bar;  // a guarded pointer: cleared when the bar is removed
}

void TMainImageMenu::watchWindowMenu() {
  if (WindowMenu* menu = SysMenu().SysMenuHandle(); menu != nullptr && !watched_.contains(menu)) {
    watched_.insert(menu);
    menu->installEventFilter(this);
  }
}

void TMainImageMenu::itemConverted(QWidget* menuWidget) {
  if (Cursor() != Qt::ArrowCursor) menuWidget->setCursor(Cursor());
  if (watched_.contains(menuWidget)) return;
  watched_.insert(menuWidget);
  menuWidget->installEventFilter(this);
  connect(menuWidget, &QObject::destroyed, this, [this, menuWidget] { watched_.remove(menuWidget); });
  if (auto* menu = qobject_cast<QMenu*>(menuWidget)) {
    connect(menu, &QMenu::aboutToShow, this, &TMainImageMenu::enterMenuLoop);
    connect(menu, &QMenu::aboutToHide, this, [this] {
      // Switching between drop-downs closes one before the next opens.
      QTimer::singleShot(0, this, [this] {
        if (InMenuLoop && !anyMenuOpen()) exitMenuLoop();
      });
    });
    connect(menu, &QMenu::hovered, this, [this, menu](QAction* item) { menuSelect(item, menu, mouseSelecting_); });
  } else if (auto* bar = qobject_cast<QMenuBar*>(menuWidget)) {
    connect(bar, &QMenuBar::hovered, this, [this, bar](QAction* item) {
      if (InMenuLoop) menuSelect(item, bar, mouseSelecting_);
    });
  }
}

// ---------------------------------------------------------------- the hook

bool TMainImageMenu::eventFilter(QObject* watched, QEvent* event) {
  try {
    if (watched == form_) return formEvent(event) || TImageMenu::eventFilter(watched, event);
    if (Menu() == nullptr) return TImageMenu::eventFilter(watched, event);
    if (auto* bar = qobject_cast<QMenuBar*>(watched)) return menuBarEvent(bar, event);
    if (auto* menu = qobject_cast<QMenu*>(watched)) return menuEvent(menu, event);
  } catch (const std::exception& error) {
    handleException(error);
  }
  return TImageMenu::eventFilter(watched, event);
}

bool TMainImageMenu::formEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ChildAdded:
      // A main menu placed on the form while the component has none.
      if (Menu() == nullptr)
        if (auto* bar = qobject_cast<QMenuBar*>(static_cast<QChildEvent*>(event)->child())) setMenu(bar);
      return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
      const bool active = event->type() == QEvent::WindowActivate;
      if (Menu() == nullptr) return false;
      if (!active) {
        if (isMainMenu()) DrawMenuBar();
        trackCursor(-1, false, true);
      }
      if (menuButtonBar_ != nullptr) menuButtonBar_->formActivated(active);
      return false;
    }
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::ApplicationFontChange:
      if (Menu() != nullptr) settingsChanged();
      return false;
    case QEvent::KeyPress: {
      if (Menu() == nullptr || menuButtonBar_ == nullptr) return false;
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F10) {
        menuButtonBar_->systemKeyMenu();
        return true;
      }
      if (key->key() == Qt::Key_Alt) {
        altAlone_ = !key->isAutoRepeat();
        return false;
      }
      altAlone_ = false;
      switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Down: menuButtonBar_->keyDown(key->key()); return true;
        default: return false;
      }
    }
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (menuButtonBar_ != nullptr && key->key() == Qt::Key_Alt && altAlone_ && !key->isAutoRepeat()) {
        altAlone_ = false;
        menuButtonBar_->systemKeyMenu();  // Alt alone: SC_KEYMENU
        return true;
      }
      return false;
    }
    default: return false;
  }
}

bool TMainImageMenu::menuBarEvent(QMenuBar* bar, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: {
      mouseSelecting_ = true;
      QAction* item = bar->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      trackCursor(item != nullptr ? static_cast<int>(visibleItems(bar).indexOf(item)) : -1, true, true);
      return false;
    }
    case QEvent::Leave: trackCursor(-1, false, true); return false;
    case QEvent::Shortcut: {
      // Alt+letter: the component decides which bar item the letter opens.
      const QKeySequence key = static_cast<QShortcutEvent*>(event)->key();
      const QString text = QKeySequence(key[0].key()).toString();
      if (text.isEmpty()) return false;
      const MenuCharResult result = MenuCharIndex(rootItems(), text[0]);
      if (result.code == MNC_EXECUTE) execute(bar, result.position);
      return true;
    }
    case QEvent::KeyPress: {
      mouseSelecting_ = false;
      auto* key = static_cast<QKeyEvent*>(event);
      if (!bar->hasFocus() || !isTypedCharacter(key)) return false;
      const MenuCharResult result = menuChar(bar, key->text()[0]);
      if (result.code == MNC_EXECUTE) execute(bar, result.position);
      else QApplication::beep();
      return true;
    }
    case QEvent::StatusTip: return true;  // the hints are the component's
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
    case QEvent::ActionChanged: QTimer::singleShot(0, this, &TMainImageMenu::menuChanged); return false;
    default: return false;
  }
}

bool TMainImageMenu::menuEvent(QMenu* menu, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: mouseSelecting_ = true; return false;
    case QEvent::KeyPress: {
      mouseSelecting_ = false;
      auto* key = static_cast<QKeyEvent*>(event);
      if (!isTypedCharacter(key)) return false;
      const bool ours = MenuItemStyle::componentOf(menu) == this || menu == SysMenu().SysMenuHandle();
      if (!ours) return false;
      const MenuCharResult result = menuChar(menu, key->text()[0]);
      if (result.code == MNC_EXECUTE)
        execute(menu, result.position);
      else
        QApplication::beep();
      return true;
    }
    case QEvent::StatusTip: return true;
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
    case QEvent::ActionChanged:
      if (menu != SysMenu().SysMenuHandle()) QTimer::singleShot(0, this, &TMainImageMenu::menuChanged);
      return false;
    default: return false;
  }
}

MenuCharResult TMainImageMenu::menuChar(QWidget* menu, QChar typed) const {
  if (menu == Menu()) return MenuCharIndex(rootItems(), typed);
  if (auto* popup = qobject_cast<QMenu*>(menu)) {
    if (popup == SysMenu().SysMenuHandle()) return SysMenu().SysMenuCharIndex(popup->actions(), typed);
    if (isMainMenu() && containsItem(popup->menuAction())) return MenuCharIndex(popup->actions(), typed);
  }
  return {0, MNC_IGNORE};
}

void TMainImageMenu::execute(QWidget* menu, int position) {
  const QList<QAction*> visible = visibleItems(menu);
  if (position < 0 || position >= visible.size()) return;
  QAction* item = visible[position];
  if (auto* bar = qobject_cast<QMenuBar*>(menu)) {
    if (item->menu() != nullptr) {
      bar->setActiveAction(item);
    } else {
      item->trigger();
    }
    return;
  }
  auto* popup = static_cast<QMenu*>(menu);
  popup->setActiveAction(item);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(popup, &enter);  // opens a submenu, or runs the item and closes the menus
}

// ---------------------------------------------------------------- selection and hints

void TMainImageMenu::setApplicationHint(const QString& hint) {
  if (form_ == nullptr) return;
  QStatusTipEvent tip(hint);
  QApplication::sendEvent(form_, &tip);
}

void TMainImageMenu::menuSelect(QAction* item, QWidget* menu, bool bySelectingWithMouse) {
  HintRect = QRect();
  if (item == nullptr) {
    setApplicationHint(QString());
    SubmenuSelected = false;
    if (ShowHint() && bySelectingWithMouse) HideItemHint();
    return;
  }
  const QString hint = HintOf(item);
  setApplicationHint(longHint(hint));
  MenuItemSelected(item, hint);
  QAction* parent = parentItemOf(item);
  SubmenuSelected = !childrenOf(item).isEmpty() || (parent != nullptr && parent->isVisible());
  if (!ShowHint() || !bySelectingWithMouse) {
    HideItemHint();
    return;
  }
  if (auto* popup = qobject_cast<QMenu*>(menu)) {
    const QRect local = popup->actionGeometry(item);
    HintRect = QRect(popup->mapToGlobal(local.topLeft()), local.size());
  }
  if (!HintRect.isEmpty() && HintRect.contains(QCursor::pos()) && menu != Menu() && !hint.isEmpty())
    ShowItemHint(shortHint(hint));
  else
    HideItemHint();
}

void TMainImageMenu::enterMenuLoop() {
  if (InMenuLoop) return;
  InMenuLoop = true;
  trackCursor(tracker_.HotPosition, true, true);  // tracking is off inside the loop
  if (menuButtonBar_ != nullptr) menuButtonBar_->menuLoopEntered();
}

void TMainImageMenu::exitMenuLoop() {
  InMenuLoop = false;
  menuSelect(nullptr, nullptr, true);
  if (menuButtonBar_ != nullptr) menuButtonBar_->menuLoopExited();
  if (isMainMenu()) DrawMenuBar();
}

bool TMainImageMenu::anyMenuOpen() const {
  for (QWidget* widget : watched_)
    if (qobject_cast<QMenu*>(widget) != nullptr && widget->isVisible()) return true;
  return false;
}

// ---------------------------------------------------------------- hot tracking

std::vector<BarItemInfo> TMainImageMenu::barItems() const {
  std::vector<BarItemInfo> items;
  for (QAction* item : rootItems()) items.push_back({item->isVisible(), item->isEnabled()});
  return items;
}

bool TMainImageMenu::trackingOff() const { return MenuStyle() != TMenuStyle::msOffice || InMenuLoop; }

void TMainImageMenu::trackCursor(int position, bool onMenuBar, bool mouseMessage) {
  if (!isMainMenu()) return;
  const bool active = form_ != nullptr && form_->isActiveWindow();
  paintBarItems(tracker_.track({position, onMenuBar, active, mouseMessage, trackingOff()}, barItems()));
  HotIndex = tracker_.HotIndex;
  LastHotIndex = tracker_.LastHotIndex;
  if (Cursor() != Qt::ArrowCursor && Menu() != nullptr && onMenuBar && active && mouseMessage &&
      (tracker_.HotPosition >= 0 || tracker_.HotIndex >= 0))
    Menu()->setCursor(Cursor());
}

void TMainImageMenu::paintBarItems(const std::vector<BarItemPaint>& paints) {
  auto* bar = qobject_cast<QMenuBar*>(Menu());
  if (bar == nullptr) return;
  const QList<QAction*> items = rootItems();
  for (const BarItemPaint& paint : paints)
    if (paint.index >= 0 && paint.index < items.size()) bar->update(bar->actionGeometry(items[paint.index]));
}

// PaintBarItem (raised) on top of the item's own drawing: the bar item the
// mouse is on stands out while no menu is open.
void TMainImageMenu::DrawMenuItem(QWidget* menu, QAction* item, unsigned state, const Rect& rect) {
  TImageMenu::DrawMenuItem(menu, item, state, rect);
  if (!isBarItem(item) || trackingOff() || !item->isEnabled() || rootIndexOf(item) != tracker_.HotIndex ||
      (state & ODS_SELECTED))
    return;
  Canvas& canvas = DrawCanvas();
  canvas.setBrushHollow();
  canvas.drawEdge(rect, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
  canvas.drawEdge(rect, BDR_RAISEDINNER, BF_SOFT | BF_RIGHT | BF_BOTTOM);
}

// ---------------------------------------------------------------- changes

void TMainImageMenu::settingsChanged() {
  if (Menu() != nullptr) {
    OwnerDrawItems();
    if (isMainMenu()) DrawMenuBar();
  }
  discardCheckedPattern();
  if (menuButtonBar_ != nullptr) menuButtonBar_->settingsChanged();
}

void TMainImageMenu::menuChanged() {
  if (Menu() == nullptr) return;
  OwnerDrawItems();
  if (menuButtonBar_ != nullptr) menuButtonBar_->menuChanged();
  if (isMainMenu()) DrawMenuBar();
}

}  // namespace sorabel::imagemenu
