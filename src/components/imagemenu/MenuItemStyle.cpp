#include "components/imagemenu/MenuItemStyle.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include "components/imagemenu/TImageMenu.h"
#include "platform/draw/QtCanvas.h"

namespace sorabel::imagemenu {
namespace {

constexpr char kComponentProperty[] = "sorabel_imagemenu";
// The platform's margin on each side of a menu bar item, around its
// measured width.
constexpr int kBarItemMargin = 4;

draw::Rect toRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

MenuItemStyle::MenuItemStyle() : QProxyStyle(nullptr) {}

TImageMenu* MenuItemStyle::componentOf(const QAction* item) {
  if (item == nullptr) return nullptr;
  return qobject_cast<TImageMenu*>(item->property(kComponentProperty).value<QObject*>());
}

void MenuItemStyle::setComponentOf(QAction* item, TImageMenu* component) {
  item->setProperty(kComponentProperty, QVariant::fromValue<QObject*>(component));
}

TImageMenu* MenuItemStyle::componentOf(const QWidget* menu) {
  if (menu == nullptr) return nullptr;
  return qobject_cast<TImageMenu*>(menu->property(kComponentProperty).value<QObject*>());
}

void MenuItemStyle::setComponentOf(QWidget* menu, TImageMenu* component) {
  menu->setProperty(kComponentProperty, QVariant::fromValue<QObject*>(component));
}

QAction* MenuItemStyle::itemAt(const QWidget* menu, const QRect& rect) {
  if (auto* bar = qobject_cast<const QMenuBar*>(menu)) return bar->actionAt(rect.center());
  if (auto* popup = qobject_cast<const QMenu*>(menu)) return popup->actionAt(rect.center());
  return nullptr;
}

QAction* MenuItemStyle::itemFor(const QWidget* menu, const QStyleOption* option) {
  auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (menu == nullptr || item == nullptr) return nullptr;
  const QString text = item->text.section(QLatin1Char('\t'), 0, 0);
  const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
  for (QAction* action : menu->actions()) {
    if (!action->isVisible()) continue;
    if (separator ? action->isSeparator() : (!action->isSeparator() && action->text() == text)) return action;
  }
  return nullptr;
}

unsigned MenuItemStyle::stateOf(const QStyleOption* option, const QWidget* menu, bool barItem) {
  unsigned state = 0;
  auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  const bool selected = option->state.testFlag(State_Selected);
  if (barItem)
    state |= (option->state.testFlag(State_Sunken) || (selected && menu != nullptr && menu->hasFocus())) ? unsigned{ODS_SELECTED} : 0u;
  else if (selected)
    state |= ODS_SELECTED;
  if (!option->state.testFlag(State_Enabled)) state |= ODS_GRAYED | ODS_DISABLED;
  if (item != nullptr && item->checked) state |= ODS_CHECKED;
  if (item != nullptr && item->menuItemType == QStyleOptionMenuItem::DefaultItem) state |= ODS_DEFAULT;
  return state;
}

QSize MenuItemStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const {
  if (type == CT_MenuItem || type == CT_MenuBarItem) {
    QAction* item = itemFor(widget, option);
    if (TImageMenu* component = componentOf(item)) {
      if (const std::optional<draw::Size> measured = component->measureRequest(item)) {
        const int margin = type == CT_MenuBarItem ? 2 * kBarItemMargin : 0;
        return {measured->width + margin, measured->height};
      }
    }
  }
  return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void MenuItemStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
  if (element == CE_MenuItem || element == CE_MenuBarItem) {
    QAction* item = itemAt(widget, option->rect);
    TImageMenu* component = componentOf(item);
    if (component != nullptr) {
      const bool bar = element == CE_MenuBarItem;
      if (bar) QProxyStyle::drawControl(CE_MenuBarEmptyArea, option, painter, widget);
      component->drawRequest(*painter, option->palette, const_cast<QWidget*>(widget), item,
                             stateOf(option, widget, bar), toRect(option->rect));
      auto* menuItem = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
      if (!bar && menuItem != nullptr && menuItem->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = *option;
        arrow.rect = QRect(option->rect.right() - 14, option->rect.top(), 12, option->rect.height());
        arrow.state = option->state & ~State_Selected;
        proxy()->drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
      }
      return;
    }
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

int MenuItemStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  if (componentOf(widget) != nullptr) {
    switch (metric) {
      case PM_MenuVMargin:
      case PM_MenuHMargin:
      case PM_MenuBarItemSpacing:
      case PM_MenuTearoffHeight:
      case PM_MenuScrollerHeight: return 0;
      case PM_MenuPanelWidth: return 2;
      default: break;
    }
  }
  return QProxyStyle::pixelMetric(metric, option, widget);
}

void MenuItemStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
  if ((element == PE_FrameMenu || element == PE_PanelMenu) && qobject_cast<const QMenu*>(widget) != nullptr &&
      componentOf(widget) != nullptr) {
    draw::QtCanvas canvas(painter, option->palette);
    const draw::Rect r = toRect(option->rect);
    if (element == PE_PanelMenu) {
      canvas.setBrushColor(draw::clMenu);
      canvas.fillRect(r);
    }
    canvas.drawEdge(r, draw::EDGE_RAISED, draw::BF_RECT);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int MenuItemStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
  // The menus' accelerator letters are decided by the component.
  if (hint == SH_Menu_KeyboardSearch && componentOf(widget) != nullptr) return 0;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace sorabel::imagemenu
