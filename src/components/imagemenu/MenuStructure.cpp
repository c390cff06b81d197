#include "components/imagemenu/MenuStructure.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace sorabel::imagemenu {

bool isMainMenu(const QWidget* menu) { return qobject_cast<const QMenuBar*>(menu) != nullptr; }

QList<QAction*> rootItems(const QWidget* menu) { return menu != nullptr ? menu->actions() : QList<QAction*>(); }

QList<QAction*> visibleItems(const QWidget* menu) {
  QList<QAction*> visible;
  for (QAction* item : rootItems(menu))
    if (item->isVisible()) visible << item;
  return visible;
}

QList<QAction*> childrenOf(const QAction* item) {
  return item != nullptr && item->menu() != nullptr ? item->menu()->actions() : QList<QAction*>();
}

bool isBarItem(const QWidget* menu, const QAction* item) {
  return isMainMenu(menu) && item != nullptr && rootItems(menu).contains(const_cast<QAction*>(item));
}

bool containsItem(const QWidget* menu, const QAction* item) {
  if (item == nullptr || menu == nullptr) return false;
  QList<QAction*> pending = rootItems(menu);
  while (!pending.isEmpty()) {
    QAction* next = pending.takeFirst();
    if (next == item) return true;
    pending += childrenOf(next);
  }
  return false;
}

int rootIndexOf(const QWidget* menu, const QAction* item) {
  return static_cast<int>(rootItems(menu).indexOf(const_cast<QAction*>(item)));
}

QAction* parentItemOf(const QAction* item) {
  if (item == nullptr) return nullptr;
  for (QObject* holder : item->associatedObjects())
    if (auto* menu = qobject_cast<QMenu*>(holder)) return menu->menuAction();
  return nullptr;
}

QWidget* holderOf(const QAction* item) {
  QWidget* holder = nullptr;
  if (item == nullptr) return holder;
  // An item can be held by a menu that is not shown as well: the shown
  // holder is the one that draws it.
  for (QObject* object : item->associatedObjects())
    if ((qobject_cast<QMenu*>(object) != nullptr || qobject_cast<QMenuBar*>(object) != nullptr) &&
        (holder == nullptr || !holder->isVisible()))
      holder = static_cast<QWidget*>(object);
  return holder;
}

QAction* firstSelectable(const QMenu* menu) {
  for (QAction* item : menu->actions())
    if (item->isVisible() && !item->isSeparator()) return item;
  return nullptr;
}

QString captionOf(const QAction* item) { return item->isSeparator() ? QStringLiteral("-") : item->text(); }

QString shortCutTextOf(const QAction* item) { return item->shortcut().toString(QKeySequence::NativeText); }

}  // namespace sorabel::imagemenu
