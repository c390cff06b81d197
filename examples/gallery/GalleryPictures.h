#pragma once
// Simple pictures for the gallery's menus and toolbars: coloured shapes
// drawn at any size.

#include <QImage>

namespace gallery {

// The highest device pixel ratio of the screens (1 before the application).
qreal screenRatio();

// Picture i (0 to 7) at size x size logical pixels on a transparent
// background, with size x ratio device pixels (a picture for a screen of
// that device pixel ratio; screenRatio() is the screens' highest).
QImage shapePicture(int i, int size, qreal ratio = screenRatio());

// A small background picture for menu tiles: a soft diagonal pattern.
QImage tilePicture(QColor base, QColor stripe);

}  // namespace gallery
