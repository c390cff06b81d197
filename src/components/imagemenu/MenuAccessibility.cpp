#include "components/imagemenu/MenuAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include "components/imagemenu/MenuItemStyle.h"
#include "components/imagemenu/MenuStructure.h"
#include "components/imagemenu/TImageMenu.h"
#include "components/imagemenu/TItemImage.h"
#include "components/imagemenu/TMenuButton.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "components/imagemenu/TSlideButton.h"
#include "draw/TextRules.h"

namespace sorabel::imagemenu {
namespace {

constexpr char kOpenerProperty[] = "sorabel_dropDownOpener";

QString shownName(const QString& caption) {
  return draw::shownText(caption.section(QLatin1Char('\t'), 0, 0), true).text;
}

QWidget* openerOf(const QMenu* menu) { return qobject_cast<QWidget*>(menu->property(kOpenerProperty).value<QObject*>()); }

QAccessibleInterface* itemInterface(QAction* item);

// An item of a menu the component converted.
class AccessibleMenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  explicit AccessibleMenuItem(QAction* item) : item_(item) {}

  bool isValid() const override { return item_ != nullptr; }
  QObject* object() const override { return item_; }
  QWindow* window() const override {
    QWidget* holder = holderOf(item_);
    return holder != nullptr ? holder->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    QWidget* holder = holderOf(item_);
    return holder != nullptr ? QAccessible::queryAccessibleInterface(holder) : nullptr;
  }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && item_->menu() != nullptr ? QAccessible::queryAccessibleInterface(item_->menu()) : nullptr;
  }
  int childCount() const override { return item_->menu() != nullptr ? 1 : 0; }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && item_->menu() != nullptr && child->object() == item_->menu() ? 0 : -1;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return item_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem; }

  QString text(QAccessible::Text kind) const override {
    switch (kind) {
      case QAccessible::Name: return shownName(item_->text());
      case QAccessible::Description: {
        if (TImageMenu* component = MenuItemStyle::componentOf(item_)) {
          const QString hint = longHint(component->HintOf(item_));
          if (!hint.isEmpty()) return hint;
        }
        return item_->statusTip();
      }
      case QAccessible::Accelerator: {
        if (!item_->shortcut().isEmpty()) return item_->shortcut().toString(QKeySequence::NativeText);
        const QChar key = draw::acceleratorOf(item_->text(), draw::DoubledAmpersand::Shown);
        return key.isNull() ? QString() : QStringLiteral("Alt+") + key.toUpper();
      }
      default: return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    QWidget* holder = holderOf(item_);
    QRect local;
    if (auto* menu = qobject_cast<QMenu*>(holder)) local = menu->actionGeometry(item_);
    if (auto* bar = qobject_cast<QMenuBar*>(holder)) local = bar->actionGeometry(item_);
    if (holder == nullptr || local.isEmpty()) return {};
    return QRect(holder->mapToGlobal(local.topLeft()), local.size());
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    QWidget* holder = holderOf(item_);
    const bool shown = holder != nullptr && holder->isVisible() && item_->isVisible();
    s.invisible = !item_->isVisible();
    s.offscreen = !shown;
    s.disabled = !item_->isEnabled();
    s.focusable = !item_->isSeparator();
    QAction* active = nullptr;
    if (auto* menu = qobject_cast<QMenu*>(holder)) active = menu->activeAction();
    if (auto* bar = qobject_cast<QMenuBar*>(holder)) active = bar->activeAction();
    if (shown && active == item_) s.focused = s.selected = s.hotTracked = true;
    s.checkable = item_->isCheckable();
    s.checked = item_->isChecked();
    s.hasPopup = item_->menu() != nullptr;
    s.expanded = item_->menu() != nullptr && item_->menu()->isVisible();
    s.collapsed = item_->menu() != nullptr && !s.expanded;
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override {
    if (item_->isSeparator() || !item_->isEnabled()) return {};
    if (item_->menu() != nullptr) return {showMenuAction()};
    if (item_->isCheckable()) return {toggleAction()};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    if (!item_->isEnabled()) return;
    if (name == pressAction() || name == toggleAction()) {
      item_->trigger();
      return;
    }
    if (name != showMenuAction() || item_->menu() == nullptr) return;
    QWidget* holder = holderOf(item_);
    if (item_->menu()->isVisible())
      item_->menu()->hide();
    else if (auto* bar = qobject_cast<QMenuBar*>(holder))
      bar->setActiveAction(item_);
    else if (auto* menu = qobject_cast<QMenu*>(holder))
      menu->setActiveAction(item_);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name == showMenuAction() || item_->shortcut().isEmpty()) return {};
    return {item_->shortcut().toString(QKeySequence::NativeText)};
  }

 private:
  QPointer<QAction> item_;
};

// A drop-down (or popup) menu the component converted: its items are its
// children, and it is the child of the item or button that opens it.
class AccessibleDropDown : public QAccessibleWidget {
 public:
  explicit AccessibleDropDown(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

  QMenu* menu() const { return static_cast<QMenu*>(widget()); }

  int childCount() const override { return static_cast<int>(menu()->actions().size()); }
  QAccessibleInterface* child(int index) const override { return itemInterface(menu()->actions().value(index)); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr ? static_cast<int>(menu()->actions().indexOf(qobject_cast<QAction*>(child->object()))) : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    return itemInterface(menu()->actionAt(menu()->mapFromGlobal(QPoint(x, y))));
  }
  QAccessibleInterface* parent() const override {
    if (QWidget* opener = openerOf(menu())) return QAccessible::queryAccessibleInterface(opener);
    if (QAction* item = menu()->menuAction(); item != nullptr && holderOf(item) != nullptr) return itemInterface(item);
    return QAccessibleWidget::parent();
  }
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return shownName(menu()->title());
    return QAccessibleWidget::text(kind);
  }
};

// A button of the button menu bar.
class AccessibleMenuButton : public QAccessibleWidget {
 public:
  explicit AccessibleMenuButton(TMenuButton* button) : QAccessibleWidget(button, QAccessible::MenuItem) {}

  TMenuButton* button() const { return static_cast<TMenuButton*>(widget()); }
  QMenu* dropDown() const {
    const QMenuBar* menu = button()->bar()->Menu();
    QAction* item = menu != nullptr ? menu->actions().value(button()->Tag()) : nullptr;
    return item != nullptr ? item->menu() : nullptr;
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return shownName(button()->Caption());
    if (kind == QAccessible::Description) return longHint(button()->Hint());
    return QAccessibleWidget::text(kind);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const TMenuButtonBar* bar = button()->bar();
    s.pressed = button()->ButtonState() == TMenuButton::Pressed;
    s.hotTracked = bar->HotButton() == button();
    s.focusable = true;
    s.focused = bar->KeyboardMode() && bar->HotButton() == button();
    s.hasPopup = dropDown() != nullptr;
    s.expanded = dropDown() != nullptr && dropDown()->isVisible();
    return s;
  }
  int childCount() const override { return dropDown() != nullptr ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && dropDown() != nullptr ? QAccessible::queryAccessibleInterface(dropDown()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && dropDown() != nullptr && child->object() == dropDown() ? 0 : -1;
  }
  QStringList actionNames() const override {
    if (!button()->isEnabled()) return {};
    return dropDown() != nullptr ? QStringList{pressAction(), showMenuAction()} : QStringList{pressAction()};
  }
  void doAction(const QString& name) override {
    if (!button()->isEnabled() || (name != pressAction() && name != showMenuAction())) return;
    // The drop-down runs its own loop: not inside the tool's request.
    QPointer<TMenuButton> target = button();
    QTimer::singleShot(0, target, [target] {
      if (target != nullptr) target->click();
    });
  }
};

// A slider of the button menu bar.
class AccessibleSlideButton : public QAccessibleWidget {
 public:
  explicit AccessibleSlideButton(TSlideButton* slider) : QAccessibleWidget(slider, QAccessible::PushButton) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return widget()->toolTip();
    return QAccessibleWidget::text(kind);
  }
  QStringList actionNames() const override {
    return widget()->isEnabled() ? QStringList{pressAction()} : QStringList();
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && widget()->isEnabled()) static_cast<TSlideButton*>(widget())->click();
  }
};

QAccessibleInterface* itemInterface(QAction* item) {
  if (item == nullptr) return nullptr;
  if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(item)) return known;
  auto* made = new AccessibleMenuItem(item);
  QAccessible::registerAccessibleInterface(made);
  return made;
}

bool isComponentMenu(QMenu* menu) {
  return MenuItemStyle::componentOf(menu) != nullptr || openerOf(menu) != nullptr;
}

QAccessibleInterface* factory(const QString& className, QObject* object) {
  if (className == QLatin1String("QAction")) {
    auto* item = static_cast<QAction*>(object);
    return MenuItemStyle::componentOf(item) != nullptr ? new AccessibleMenuItem(item) : nullptr;
  }
  if (className == QLatin1String("QMenu")) {
    auto* menu = static_cast<QMenu*>(object);
    return isComponentMenu(menu) ? new AccessibleDropDown(menu) : nullptr;
  }
  if (auto* button = qobject_cast<TMenuButton*>(object)) return new AccessibleMenuButton(button);
  if (auto* slider = qobject_cast<TSlideButton*>(object)) return new AccessibleSlideButton(slider);
  return nullptr;
}

}  // namespace

void installMenuAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(factory);
    return true;
  }();
  (void)installed;
}

void setDropDownOpener(QMenu* dropDown, QWidget* opener) {
  dropDown->setProperty(kOpenerProperty, QVariant::fromValue<QObject*>(opener));
}

void menuButtonLookChanged(TMenuButton* button) {
  if (!QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.pressed = true;
  changed.hotTracked = true;
  changed.focused = true;
  QAccessibleStateChangeEvent change(button, changed);
  QAccessible::updateAccessibility(&change);
  if (button->bar()->KeyboardMode() && button->bar()->HotButton() == button) {
    QAccessibleEvent focus(button, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

}  // namespace sorabel::imagemenu
