#pragma once
// The owner-draw requests of menus in Qt: a proxy style set on every menu
// an image menu converts. sizeFromContents(CT_MenuItem, CT_MenuBarItem) is
// the measure request and drawControl(CE_MenuItem, CE_MenuBarItem) the draw
// request; both go to the component that converted the item (its item
// data). Items of other menus, and everything else, keep the base style.
//
// The platform's part stays here: the menu bar's own background behind its
// items, the arrow of an item with a submenu, a drop-down's frame (a raised
// edge two pixels wide) and menu margins of 0, so that a drop-down's inner
// height is exactly the sum of its items' heights.

#include <QProxyStyle>

class QAction;

namespace sorabel::imagemenu {

class TImageMenu;

class MenuItemStyle : public QProxyStyle {
  Q_OBJECT

 public:
  MenuItemStyle();

  // The component an item carries as its data, or nullptr.
  static TImageMenu* componentOf(const QAction* item);
  static void setComponentOf(QAction* item, TImageMenu* component);
  // The component a menu widget was converted by, or nullptr.
  static TImageMenu* componentOf(const QWidget* menu);
  static void setComponentOf(QWidget* menu, TImageMenu* component);

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;
};

}  // namespace sorabel::imagemenu
