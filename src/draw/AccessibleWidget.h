#pragma once
// Accessibility for the components' own widgets: a widget that names its
// role (setAccessibleRole) answers Qt's accessibility interface like Qt's
// own widgets do, with its role, its accessible name and description (the
// caption and the hint) and its geometry, and reports itself pressed or
// checked as its widget says.

#include <QAccessible>

class QWidget;

namespace sorabel::draw {

// Gives widget a role for accessibility tools; the interface is made on
// demand by a factory installed with the first call.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

// State a widget reports besides Qt's (disabled, focus, invisible), read
// from its "accessiblePressed" and "accessibleChecked" properties.
void setAccessiblePressed(QWidget* widget, bool pressed);
void setAccessibleChecked(QWidget* widget, bool checked);

}  // namespace sorabel::draw
