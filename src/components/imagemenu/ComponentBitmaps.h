#pragma once
// The pictures the menu components draw with, made anew in code as masks:
// black where the picture is drawn, white elsewhere. The components paint a
// mask in the colour its place asks for (the menu text, the disabled text,
// the 3-D highlight and shadow), so the pictures follow the palette.
//
// Each is designed on a grid of logical pixels and made with as many device
// pixels as the ratio asks: at ratio 2 a 16 x 16 picture is a 32 x 32 mask of
// device pixel ratio 2, its slopes drawn in half-pixel steps.
//   CheckMark     16 x 16: a check mark two pixels thick, its lowest point at (6, 11)
//   CheckLight    the row of pixels above the mark, CheckShade the row below it
//   Restore, Minimize, Maximize, Close   16 x 16 window commands
//   Left, Right   7 x 15 arrows

#include <QImage>

namespace sorabel::imagemenu {

// The side of the square pictures (check mark and window commands).
constexpr int kPictureSize = 16;

enum class ComponentPicture { CheckMark, CheckLight, CheckShade, Restore, Minimize, Maximize, Close, Left, Right };

QImage componentMask(ComponentPicture picture, qreal ratio = 1.0);

}  // namespace sorabel::imagemenu
