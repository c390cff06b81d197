#include "components/toolbars/ToolbarAccessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>
#include <utility>

#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "components/toolbars/TToolbarButton.h"
#include "components/toolbars/TToolbarSep.h"
#include "draw/HandlerBoundary.h"
#include "draw/TextRules.h"

namespace sorabel::toolbars {
namespace {

class ButtonAccessible : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(TToolbarButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

  TToolbarButton* button() const { return static_cast<TToolbarButton*>(widget()); }

  QAccessible::Role role() const override {
    return button()->DropdownMenu() != nullptr ? QAccessible::ButtonDropDown : QAccessible::Button;
  }

  QString text(QAccessible::Text kind) const override {
    switch (kind) {
      case QAccessible::Name: {
        if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
        const QString caption = draw::shownText(button()->Caption(), true).text;
        return caption.isEmpty() ? widget()->toolTip() : caption;
      }
      case QAccessible::Description: return widget()->toolTip();
      default: return QAccessibleWidget::text(kind);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const FaceState face = button()->faceState();
    s.pressed = face == FaceState::Down || face == FaceState::Exclusive;
    if (button()->GroupIndex() != 0) {
      s.checkable = true;
      s.checked = button()->Down();
    }
    if (button()->DropdownMenu() != nullptr) s.hasPopup = true;
    s.hotTracked = button()->Hot();
    return s;
  }

  QStringList actionNames() const override {
    if (!widget()->isEnabled()) return {};
    QStringList names{pressAction()};
    if (button()->DropdownMenu() != nullptr) names << showMenuAction();
    if (button()->GroupIndex() != 0) names << toggleAction();
    return names;
  }

  // The action runs once the accessibility call has returned, as a click
  // would: a drop-down menu or a dialog then opens in its own loop.
  void doAction(const QString& name) override {
    if (!actionNames().contains(name)) return;
    QPointer<TToolbarButton> target = button();
    QTimer::singleShot(0, target, [target] {
      draw::runHandler([&] {
        if (target != nullptr) target->pressFromKeyboard();
      });
    });
  }
};

class DockAccessible : public QAccessibleWidget {
 public:
  explicit DockAccessible(TDock* dock) : QAccessibleWidget(dock, QAccessible::ToolBar) {}

  QString text(QAccessible::Text kind) const override {
    const auto* dock = static_cast<TDock*>(widget());
    switch (kind) {
      case QAccessible::Name:
        return widget()->accessibleName().isEmpty() ? dockAccessibleName(static_cast<int>(dock->Position()))
                                                    : widget()->accessibleName();
      case QAccessible::Description:
        return dock->isVerticalDock() ? QStringLiteral("縦向き") : QStringLiteral("横向き");
      default: return QAccessibleWidget::text(kind);
    }
  }
};

class ToolbarAccessibleWidget : public QAccessibleWidget {
 public:
  explicit ToolbarAccessibleWidget(TToolbar* bar) : QAccessibleWidget(bar, QAccessible::ToolBar) {}

  // Floating, the toolbar is a tool window of its own.
  QAccessible::Role role() const override {
    return static_cast<TToolbar*>(widget())->floating() ? QAccessible::Window : QAccessible::ToolBar;
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
      return static_cast<TToolbar*>(widget())->Caption();
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
  if (auto* button = qobject_cast<TToolbarButton*>(object)) return new ButtonAccessible(button);
  if (auto* dock = qobject_cast<TDock*>(object)) return new DockAccessible(dock);
  if (auto* bar = qobject_cast<TToolbar*>(object)) return new ToolbarAccessibleWidget(bar);
  if (auto* separator = qobject_cast<TToolbarSep*>(object)) return new QAccessibleWidget(separator, QAccessible::Separator);
  return nullptr;
}

}  // namespace

void installToolbarAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(factory);
    return true;
  }();
  (void)installed;
}

std::function<void(QWidget*, QAccessible::State)>& stateObserver() {
  static std::function<void(QWidget*, QAccessible::State)> observer;
  return observer;
}

void setAccessibleStateObserver(std::function<void(QWidget*, QAccessible::State)> observer) {
  stateObserver() = std::move(observer);
}

void notifyAccessibleState(QWidget* widget, QAccessible::State changed) {
  if (stateObserver()) stateObserver()(widget, changed);
  if (!QAccessible::isActive()) return;
  QAccessibleStateChangeEvent event(widget, changed);
  QAccessible::updateAccessibility(&event);
}

QString dockAccessibleName(int position) {
  switch (static_cast<TDockPosition>(position)) {
    case TDockPosition::dpTop: return QStringLiteral("上のドック");
    case TDockPosition::dpBottom: return QStringLiteral("下のドック");
    case TDockPosition::dpLeft: return QStringLiteral("左のドック");
    case TDockPosition::dpRight: return QStringLiteral("右のドック");
  }
  return {};
}

}  // namespace sorabel::toolbars
