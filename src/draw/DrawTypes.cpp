#include "draw/DrawTypes.h"

#include <cstdio>

namespace sorabel::draw {

std::string colorName(Color c) {
  char text[16];
  if (isSystemColor(c))
    std::snprintf(text, sizeof text, "sys%d", systemColorIndex(c));
  else
    std::snprintf(text, sizeof text, "#%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
  return text;
}

}  // namespace sorabel::draw
