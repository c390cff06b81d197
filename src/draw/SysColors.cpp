#include "draw/SysColors.h"

#include <QGuiApplication>

namespace sorabel::draw {

QColor systemColor(int index, const QPalette& p) {
  switch (index) {
    case COLOR_SCROLLBAR: return p.color(QPalette::Button);
    case COLOR_BACKGROUND: return p.color(QPalette::Dark);
    case COLOR_ACTIVECAPTION: return p.color(QPalette::Active, QPalette::Highlight);
    case COLOR_INACTIVECAPTION: return p.color(QPalette::Mid);
    case COLOR_MENU: return p.color(QPalette::Window);
    case COLOR_WINDOW: return p.color(QPalette::Base);
    case COLOR_WINDOWFRAME: return p.color(QPalette::Shadow);
    case COLOR_MENUTEXT: return p.color(QPalette::WindowText);
    case COLOR_WINDOWTEXT: return p.color(QPalette::Text);
    case COLOR_CAPTIONTEXT: return p.color(QPalette::Active, QPalette::HighlightedText);
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER: return p.color(QPalette::Window);
    case COLOR_APPWORKSPACE: return p.color(QPalette::Dark);
    case COLOR_HIGHLIGHT: return p.color(QPalette::Active, QPalette::Highlight);
    case COLOR_HIGHLIGHTTEXT: return p.color(QPalette::Active, QPalette::HighlightedText);
    case COLOR_BTNFACE: return p.color(QPalette::Button);
    case COLOR_BTNSHADOW: return p.color(QPalette::Dark);
    case COLOR_GRAYTEXT: return p.color(QPalette::Disabled, QPalette::WindowText);
    case COLOR_BTNTEXT: return p.color(QPalette::ButtonText);
    case COLOR_INACTIVECAPTIONTEXT: return p.color(QPalette::Disabled, QPalette::WindowText);
    case COLOR_BTNHIGHLIGHT: return p.color(QPalette::Light);
    case COLOR_3DDKSHADOW: return p.color(QPalette::Shadow);
    case COLOR_3DLIGHT: return p.color(QPalette::Midlight);
    case COLOR_INFOTEXT: return p.color(QPalette::ToolTipText);
    case COLOR_INFOBK: return p.color(QPalette::ToolTipBase);
    default: return p.color(QPalette::Window);
  }
}

QColor resolve(Color color, const QPalette& palette) {
  if (isSystemColor(color)) return systemColor(systemColorIndex(color), palette);
  return QColor(redOf(color), greenOf(color), blueOf(color));
}

QColor resolve(Color color) { return resolve(color, QGuiApplication::palette()); }

Color toRgb(const QColor& color) { return rgb(color.red(), color.green(), color.blue()); }

}  // namespace sorabel::draw
