#include "platform/draw/FontSpec.h"

#include <cmath>

namespace sorabel::draw {

QFont FontSpec::toQFont() const {
  QFont font(name);
  if (height < 0)
    font.setPixelSize(-height);
  else if (height > 0)
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * 0.85))));  // a cell holds leading too
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStrikeOut(strikeOut);
  return font;
}

}  // namespace sorabel::draw
