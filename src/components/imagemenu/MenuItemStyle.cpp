#include "components/imagemenu/MenuItemStyle.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <algorithm>

#include "components/imagemenu/MenuStructure.h"
#include "components/imagemenu/TImageMenu.h"
#include "draw/QtCanvas.h"

namespace sorabel::imagemenu {
namespace {

constexpr char kComponentProperty[] = "sorabel_imagemenu";
// The platform's margin on each side of a menu bar item, around its
// measured width.
constexpr int kBarItemMargin = 4;

draw::Rect toRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// The item's text without what follows a tab (a shortcut shown by Qt).
QString withoutShortcut(const QString& text) { return text.section(QLatin1Char('\t'), 0, 0); }

// The menu was opened from a menu bar (Qt then shows every item's shortcut).
bool opensFromMenuBar(const QMenu* menu) {
  const QAction* opener = menu->menuAction();
  for (int depth = 0; opener != nullptr && depth < 32; ++depth) {
    const QWidget* holder = holderOf(opener);
    if (auto* bar = qobject_cast<const QMenuBar*>(holder)) return bar->isVisible();
    auto* parentMenu = qobject_cast<const QMenu*>(holder);
    opener = parentMenu != nullptr ? parentMenu->menuAction() : nullptr;
  }
  return false;
}

// The column Qt adds to a drop-down's width for the shortcuts, beside the
// widest item: the widest shortcut text of the menu in the menu's font. The
// component measures the shortcut as part of the item, so the column is
// taken off each item's width again.
int qtShortcutColumn(const QMenu* menu) {
  const QFontMetrics metrics = menu->fontMetrics();
  const bool fromBar = opensFromMenuBar(menu);
  int column = 0;
  for (const QAction* item : menu->actions()) {
    if (!item->isVisible() || item->isSeparator()) continue;
    const QString text = item->text();
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
      column = std::max(column, metrics.horizontalAdvance(text.mid(tab + 1)));
    else if (!item->shortcut().isEmpty() && (fromBar || item->isShortcutVisibleInContextMenu()))
      column = std::max(column, metrics.horizontalAdvance(item->shortcut().toString(QKeySequence::NativeText)));
  }
  return column;
}

// The item drawn in a rectangle of a menu.
QAction* itemAt(const QWidget* menu, const QRect& rect) {
  if (auto* bar = qobject_cast<const QMenuBar*>(menu)) return bar->actionAt(rect.center());
  if (auto* popup = qobject_cast<const QMenu*>(menu)) return popup->actionAt(rect.center());
  return nullptr;
}

// The item a measure request stands for: found by its caption (a measure
// request names no place).
QAction* itemFor(const QWidget* menu, const QStyleOption* option) {
  auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (menu == nullptr || item == nullptr) return nullptr;
  const QString text = withoutShortcut(item->text);
  const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
  for (QAction* action : menu->actions()) {
    if (!action->isVisible()) continue;
    if (separator ? action->isSeparator() : (!action->isSeparator() && withoutShortcut(action->text()) == text))
      return action;
  }
  return nullptr;
}

// The owner-draw state bits of an option.
unsigned stateOf(const QStyleOption* option, const QWidget* menu, bool barItem) {
  unsigned state = 0;
  auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  const bool selected = option->state.testFlag(QStyle::State_Selected);
  if (barItem)
    state |= (option->state.testFlag(QStyle::State_Sunken) || (selected && menu != nullptr && menu->hasFocus())) ? unsigned{ODS_SELECTED} : 0u;
  else if (selected)
    state |= ODS_SELECTED;
  if (!option->state.testFlag(QStyle::State_Enabled)) state |= ODS_GRAYED | ODS_DISABLED;
  if (item != nullptr && item->checked) state |= ODS_CHECKED;
  if (item != nullptr && item->menuItemType == QStyleOptionMenuItem::DefaultItem) state |= ODS_DEFAULT;
  return state;
}

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

QSize MenuItemStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const {
  if (type == CT_MenuItem || type == CT_MenuBarItem) {
    QAction* item = itemFor(widget, option);
    if (TImageMenu* component = componentOf(item)) {
      if (const std::optional<draw::Size> measured = component->measureRequest(item)) {
        if (type == CT_MenuBarItem) return {measured->width + 2 * kBarItemMargin, measured->height};
        auto* menu = qobject_cast<const QMenu*>(widget);
        const int column = menu != nullptr ? qtShortcutColumn(menu) : 0;
        // An item Qt finds empty would be left out; the widest item is
        // always wider than the column, so the menu's width stays exact.
        return {std::max(1, measured->width - column), measured->height};
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
    draw::QtCanvas canvas(painter, activeColours(option->palette));
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
  if (componentOf(widget) != nullptr) {
    switch (hint) {
      // The menus' accelerator letters are decided by the component.
      case SH_Menu_KeyboardSearch: return 0;
      // Disabled items are selected too, and show their hint.
      case SH_Menu_AllowActiveAndDisabled: return 1;
      // Alt alone moves into the menu bar, while it shows items.
      case SH_MenuBar_AltKeyNavigation: return !visibleItems(widget).isEmpty() ? 1 : 0;
      default: break;
    }
  }
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace sorabel::imagemenu
