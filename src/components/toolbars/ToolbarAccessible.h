#pragma once
// What screen readers learn of the toolbar component: a button is a push
// button with a press action (a drop-down button reports its pop-up, a
// button of a group is checkable and says whether it is down), a dock is
// named by its edge and tells its orientation, a floating toolbar is a tool
// window named by its caption. State changes are announced.

#include <QAccessible>
#include <functional>

class QWidget;

namespace sorabel::toolbars {

// Installs the component's accessibility factory (once).
void installToolbarAccessibility();

// Tells accessibility tools that a widget's state changed (pressed,
// checked, enabled or shown).
void notifyAccessibleState(QWidget* widget, QAccessible::State changed);

// Also told of every state change (for tests of what is announced; Qt
// passes the changes on only while an accessibility tool listens).
void setAccessibleStateObserver(std::function<void(QWidget*, QAccessible::State)> observer);

// A dock's accessible name for its position ("上のドック" ...).
QString dockAccessibleName(int position);

}  // namespace sorabel::toolbars
