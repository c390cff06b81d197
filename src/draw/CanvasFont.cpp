#include "draw/CanvasFont.h"

#include <QFontInfo>
#include <algorithm>
#include <cmath>

namespace sorabel::draw {

QFont CanvasFont::toQFont() const {
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

CanvasFont CanvasFont::fromQFont(const QFont& font, Color color) {
  CanvasFont result{font.family(), -QFontInfo(font).pixelSize(), color};
  result.bold = font.bold();
  result.italic = font.italic();
  return result;
}

}  // namespace sorabel::draw
