#pragma once
// The structure of a menu as the image menu sees it: the menu widget (a
// QMenuBar for a main menu, a QMenu for a popup menu), its root items, the
// children of an item and where an item is shown.

#include <QList>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace sorabel::imagemenu {

// A main menu is a form's menu bar.
bool isMainMenu(const QWidget* menu);
QList<QAction*> rootItems(const QWidget* menu);

// The item a menu opened from the keyboard starts with: its first shown
// item that is not a separator (disabled items are selected too).
QAction* firstSelectable(const QMenu* menu);
// The items of a widget that are shown (positions count these).
QList<QAction*> visibleItems(const QWidget* menu);
QList<QAction*> childrenOf(const QAction* item);
// A top-level item of a main menu.
bool isBarItem(const QWidget* menu, const QAction* item);
// The item lies in the menu, at any level.
bool containsItem(const QWidget* menu, const QAction* item);
// The item's index among the root's items, or -1.
int rootIndexOf(const QWidget* menu, const QAction* item);
// The item whose submenu holds item; nullptr for a root item.
QAction* parentItemOf(const QAction* item);
// The menu widget (QMenu or QMenuBar) that shows item, or nullptr.
QWidget* holderOf(const QAction* item);
// "-" for a separator, else the item's text.
QString captionOf(const QAction* item);
// The shortcut as the platform names it ("F3"), or empty.
QString shortCutTextOf(const QAction* item);

}  // namespace sorabel::imagemenu
