#include "components/imagemenu/ImageMenuTypes.h"

namespace sorabel::imagemenu {

bool isColorValue(draw::Color color) {
  if (draw::isSystemColor(color)) return (color & 0x00FFFF00u) == 0 && draw::systemColorIndex(color) <= draw::COLOR_INFOBK;
  return (color & 0xFF000000u) == 0;
}

bool isCursorValue(int shape) { return shape >= 0 && shape <= static_cast<int>(Qt::LastCursor); }

QPalette activeColours(const QPalette& palette) {
  QPalette colours = palette;
  colours.setCurrentColorGroup(QPalette::Active);
  return colours;
}

bool isMenuStyleValue(TMenuStyle style) { return style == TMenuStyle::msOffice || style == TMenuStyle::msWindows; }

}  // namespace sorabel::imagemenu
