#include "draw/AccessibleWidget.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace sorabel::draw {
namespace {

constexpr char kRoleProperty[] = "sorabel_accessibleRole";

class ComponentAccessible : public QAccessibleWidget {
 public:
  ComponentAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

  // The role as the widget names it now: a button that gets a drop-down
  // menu becomes a drop-down button after its interface was made.
  QAccessible::Role role() const override {
    const QVariant role = widget()->property(kRoleProperty);
    return role.isValid() ? static_cast<QAccessible::Role>(role.toInt()) : QAccessibleWidget::role();
  }

  QString text(QAccessible::Text kind) const override {
    const QString own = QAccessibleWidget::text(kind);
    if (!own.isEmpty()) return own;
    if (kind == QAccessible::Name) return widget()->toolTip();
    return own;
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (widget()->property("accessiblePressed").toBool()) s.pressed = true;
    if (widget()->property("accessibleChecked").toBool()) {
      s.checkable = true;
      s.checked = true;
    }
    return s;
  }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  const QVariant role = widget->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  return new ComponentAccessible(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
  static const bool installed = [] {
    QAccessible::installFactory(factory);
    return true;
  }();
  (void)installed;
  widget->setProperty(kRoleProperty, static_cast<int>(role));
}

void setAccessiblePressed(QWidget* widget, bool pressed) { widget->setProperty("accessiblePressed", pressed); }

void setAccessibleChecked(QWidget* widget, bool checked) { widget->setProperty("accessibleChecked", checked); }

}  // namespace sorabel::draw
