#include "components/imagemenu/TMainImageMenu.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>

#include "components/imagemenu/MenuItemStyle.h"
#include "components/imagemenu/MenuStructure.h"
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

// ---------------------------------------------------------------- watching the menus

void TMainImageMenu::watch(QWidget* menuWidget) {
  if (watched_.contains(menuWidget)) return;
  watched_.insert(menuWidget);
  menuWidget->installEventFilter(this);
  connect(menuWidget, &QObject::destroyed, this, [this, menuWidget] { watched_.remove(menuWidget); });
  if (auto* menu = qobject_cast<QMenu*>(menuWidget)) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { runHandler([&] { enterMenuLoop(menu); }); });
    connect(menu, &QMenu::aboutToHide, this, &TMainImageMenu::exitMenuLoopWhenAllClosed);
    // Qt tells every menu up to the bar of a hover; a menu answers for its
    // own items only.
    connect(menu, &QMenu::hovered, this, [this, menu](QAction* item) {
      if (menu->actions().contains(item)) runHandler([&] { menuSelect(item, menu); });
    });
  } else if (auto* bar = qobject_cast<QMenuBar*>(menuWidget)) {
    connect(bar, &QMenuBar::hovered, this, [this, bar](QAction* item) {
      if (InMenuLoop() && bar->actions().contains(item)) runHandler([&] { menuSelect(item, bar); });
    });
  }
}

void TMainImageMenu::watchWindowMenu() {
  if (WindowMenu* menu = SysMenu().SysMenuHandle()) watch(menu);
}

void TMainImageMenu::itemConverted(QWidget* menuWidget) {
  if (qobject_cast<QMenu*>(menuWidget) != nullptr && Cursor() != Qt::ArrowCursor) menuWidget->setCursor(Cursor());
  watch(menuWidget);
}

// WM_ENTERIDLE: an open menu shows Cursor.
void TMainImageMenu::cursorChanged() {
  for (QWidget* widget : std::as_const(watched_)) {
    if (qobject_cast<QMenu*>(widget) == nullptr || widget == SysMenu().SysMenuHandle()) continue;
    if (Cursor() == Qt::ArrowCursor)
      widget->unsetCursor();
    else
      widget->setCursor(Cursor());
  }
}

// ---------------------------------------------------------------- the hook

bool TMainImageMenu::eventFilter(QObject* watched, QEvent* event) {
  bool handled = false;
  runHandler([&] {
    if (watched == form_)
      handled = formEvent(event);
    else if (Menu() == nullptr)
      handled = false;
    else if (auto* bar = qobject_cast<QMenuBar*>(watched))
      handled = menuBarEvent(bar, event);
    else if (auto* menu = qobject_cast<QMenu*>(watched))
      handled = menuEvent(menu, event);
  });
  return handled || TImageMenu::eventFilter(watched, event);
}

void TMainImageMenu::takeMainMenu(QObject* child) {
  // A main menu placed on the form while the component has none.
  if (Menu() != nullptr) return;
  if (auto* bar = qobject_cast<QMenuBar*>(child); bar != nullptr && bar->parentWidget() == form_) setMenu(bar);
}

bool TMainImageMenu::formEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildPolished:
      takeMainMenu(static_cast<QChildEvent*>(event)->child());
      return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
      const bool active = event->type() == QEvent::WindowActivate;
      if (Menu() == nullptr) return false;
      if (!active) {
        if (isMainMenu()) DrawMenuBar();
        trackCursor(-1, false, true);  // the raised frame goes with the redraw
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
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (Menu() == nullptr || menuButtonBar_ == nullptr) return false;
      return formKey(static_cast<QKeyEvent*>(event));
    case QEvent::StatusTip:
      // While a menu is open the hint is the selected item's: a control's
      // own hint (sent, for one, as the open menu takes the pointer from
      // it) does not replace it.
      return InMenuLoop() && !sendingHint_;
    default: return false;
  }
}

// WM_KEYDOWN for the bar. (SC_KEYMENU, Alt alone and F10, the bar's
// keyboard hook sees itself, wherever the focus is.)
bool TMainImageMenu::formKey(QKeyEvent* key) {
  if (key->type() != QEvent::KeyPress) return false;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Down:
      // The form's own keys (it holds the focus in keyboard mode), not
      // those a control of the form passed on unused.
      if (QApplication::focusWidget() != nullptr && QApplication::focusWidget() != form_) return false;
      menuButtonBar_->keyDown(key->key());
      return true;
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
      mouseSelecting_ = false;
      const MenuCharResult result = MenuCharIndex(rootItems(bar), text[0]);
      if (result.code == MNC_EXECUTE) execute(bar, result.position);
      return true;
    }
    case QEvent::KeyPress: {
      mouseSelecting_ = false;
      auto* key = static_cast<QKeyEvent*>(event);
      if (!bar->hasFocus() || !isTypedCharacter(key)) return false;
      const MenuCharResult result = menuChar(bar, key->text()[0]);
      if (result.code == MNC_EXECUTE)
        execute(bar, result.position);
      else
        QApplication::beep();
      return true;
    }
    case QEvent::StatusTip: return true;  // the hints are the component's
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
    case QEvent::ActionChanged: menuChangedSoon(); return false;
    default: return false;
  }
}

bool TMainImageMenu::menuEvent(QMenu* menu, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: {
      mouseSelecting_ = true;
      // Qt selects no separator; the platform selects it, and its hint
      // (none) replaces the last one.
      QAction* item = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      if (item != nullptr && item->isSeparator()) menuSelect(item, menu);
      return false;
    }
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
      if (menu != SysMenu().SysMenuHandle()) menuChangedSoon();
      return false;
    default: return false;
  }
}

MenuCharResult TMainImageMenu::menuChar(QWidget* menu, QChar typed) const {
  if (menu == Menu()) return MenuCharIndex(rootItems(menu), typed);
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
    QMenu* dropDown = item->menu();
    if (dropDown == nullptr) {
      item->trigger();
      return;
    }
    bar->setActiveAction(item);  // opens the drop-down
    if (dropDown->isVisible())
      if (QAction* first = firstSelectable(dropDown)) dropDown->setActiveAction(first);
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
  sendingHint_ = true;
  QApplication::sendEvent(form_, &tip);
  sendingHint_ = false;
}

void TMainImageMenu::menuSelect(QAction* item, QWidget* menu) {
  // One selection is told once, however often Qt reports it.
  if (item != nullptr && item == selected_) return;
  selected_ = item;
  setHintRect(QRect());
  if (item == nullptr || !containsItem(item)) {  // the menus closed, or an item of the window menu
    setApplicationHint(QString());
    setSubmenuSelected(false);
    if (ShowHint() && mouseSelecting_) HideItemHint();
    return;
  }
  const QString hint = HintOf(item);
  setApplicationHint(longHint(hint));
  MenuItemSelected(item, hint);
  // An item lies in a nested drop-down when the item that opens its menu is
  // shown (a drop-down of a button menu bar opens from a hidden bar).
  QAction* parent = parentItemOf(item);
  const QWidget* parentHolder = holderOf(parent);
  const bool parentShown = parent != nullptr && parent->isVisible() && parentHolder != nullptr && parentHolder->isVisible();
  setSubmenuSelected(!childrenOf(item).isEmpty() || parentShown);
  if (!ShowHint() || !mouseSelecting_) {
    HideItemHint();
    return;
  }
  if (auto* popup = qobject_cast<QMenu*>(menu)) {
    const QRect local = popup->actionGeometry(item);
    setHintRect(QRect(popup->mapToGlobal(local.topLeft()), local.size()));
  }
  if (!HintRect().isEmpty() && HintRect().contains(QCursor::pos()) && menu != Menu() && !hint.isEmpty())
    ShowItemHint(shortHint(hint));
  else
    HideItemHint();
  // No control keeps the mouse (the open menus keep theirs).
  if (QWidget* grabber = QWidget::mouseGrabber(); grabber != nullptr && grabber->windowType() != Qt::Popup)
    grabber->releaseMouse();
}

void TMainImageMenu::enterMenuLoop(QMenu* opened) {
  if (InMenuLoop()) return;
  setInMenuLoop(true);
  trackCursor(hotTracker().HotPosition, true, true);  // tracking is off inside the loop
  if (menuButtonBar_ != nullptr) menuButtonBar_->menuLoopEntered();
  // A drop-down opened from the menu bar: its bar item is the selection.
  if (QAction* opener = opened->menuAction(); isBarItem(opener) && Menu()->isVisible()) menuSelect(opener, Menu());
}

void TMainImageMenu::exitMenuLoopWhenAllClosed() {
  // Switching between drop-downs closes one before the next opens.
  QTimer::singleShot(0, this, [this] {
    runHandler([&] {
      if (InMenuLoop() && !anyMenuOpen()) exitMenuLoop();
    });
  });
}

void TMainImageMenu::exitMenuLoop() {
  setInMenuLoop(false);
  menuSelect(nullptr, nullptr);
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
  for (QAction* item : rootItems(Menu())) items.push_back({item->isVisible(), item->isEnabled()});
  return items;
}

bool TMainImageMenu::trackingOff() const {
  const bool mdiChild = form_ != nullptr && qobject_cast<QMdiSubWindow*>(form_->parentWidget()) != nullptr;
  return MenuStyle() != TMenuStyle::msOffice || mdiChild || InMenuLoop();
}

void TMainImageMenu::trackCursor(int position, bool onMenuBar, bool mouseMessage) {
  if (!isMainMenu()) return;
  const bool active = form_ != nullptr && form_->isActiveWindow();
  BarHotTracker& tracker = hotTracker();
  paintBarItems(tracker.track({position, onMenuBar, active, mouseMessage, trackingOff()}, barItems()));
  // The menu cursor over the bar's items; the bar's own cursor elsewhere.
  const bool overItem = tracker.HotPosition >= 0 || tracker.HotIndex >= 0;
  if (Cursor() != Qt::ArrowCursor && onMenuBar && active && mouseMessage && overItem)
    Menu()->setCursor(Cursor());
  else if (Menu()->testAttribute(Qt::WA_SetCursor))
    Menu()->unsetCursor();
}

void TMainImageMenu::paintBarItems(const std::vector<BarItemPaint>& paints) {
  auto* bar = qobject_cast<QMenuBar*>(Menu());
  if (bar == nullptr) return;
  const QList<QAction*> items = rootItems(bar);
  for (const BarItemPaint& paint : paints)
    if (paint.index >= 0 && paint.index < items.size()) bar->update(bar->actionGeometry(items[paint.index]));
}

// PaintBarItem (raised) on top of the item's own drawing: the bar item the
// mouse is on stands out while no menu is open.
void TMainImageMenu::DrawMenuItem(QWidget* menu, QAction* item, unsigned state, const Rect& rect) {
  TImageMenu::DrawMenuItem(menu, item, state, rect);
  if (!isBarItem(item) || trackingOff() || !item->isEnabled() || rootIndexOf(Menu(), item) != HotIndex() ||
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

void TMainImageMenu::menuChangedSoon() {
  if (menuChangePending_) return;
  menuChangePending_ = true;
  QTimer::singleShot(0, this, [this] {
    menuChangePending_ = false;
    runHandler([&] { menuChanged(); });
  });
}

void TMainImageMenu::menuChanged() {
  if (Menu() == nullptr) return;
  OwnerDrawItems();
  if (menuButtonBar_ != nullptr) menuButtonBar_->menuChanged();
  if (isMainMenu()) DrawMenuBar();
}

}  // namespace sorabel::imagemenu
