#pragma once
// The system colours, taken from the current palette so that the components
// follow the desktop's theme.

#include <QColor>
#include <QPalette>

#include "draw/DrawTypes.h"

namespace sorabel::draw {

// The palette colour a system colour index stands for.
QColor systemColor(int index, const QPalette& palette);

// A colour for painting: system colours from palette, RGB values as they are.
QColor resolve(Color color, const QPalette& palette);

// resolve() with the application's palette.
QColor resolve(Color color);

// The nearest RGB value of a colour (system colours resolved).
Color toRgb(const QColor& color);

}  // namespace sorabel::draw
