#pragma once
// The pictures the menu components draw with, made anew in code:
//   "CHECK", "CHECKMONO"   16 x 16 check marks on RGB (128, 0, 128)
//   "RESTORE", "MIN", "MAX", "CLOSE"   16 x 16 window commands on RGB (128, 128, 0)
//   "LEFT", "RIGHT"        7 x 15 arrows on RGB (128, 128, 0)
// The background colour of each is its transparent colour.

#include <QImage>

#include "draw/DrawTypes.h"

namespace sorabel::imagemenu {

constexpr draw::Color kCheckTransparent = draw::rgb(128, 0, 128);
constexpr draw::Color kGlyphTransparent = draw::rgb(128, 128, 0);

// The picture of a name above; an empty image for an unknown name.
QImage componentBitmap(const char* name);

}  // namespace sorabel::imagemenu
