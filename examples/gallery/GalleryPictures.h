#pragma once
// Simple pictures for the gallery's menus and toolbars: coloured shapes
// drawn at any size.

#include <QImage>

namespace gallery {

// Picture i (0 to 7) at size x size pixels on a transparent background.
QImage shapePicture(int i, int size);

// A small background picture for menu tiles: a soft diagonal pattern.
QImage tilePicture(QColor base, QColor stripe);

}  // namespace gallery
