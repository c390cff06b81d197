#pragma once
// The lines of DrawEdge. An edge is one or two one-pixel rings: the outer
// ring (BDR_*OUTER) on the rectangle's border and the inner ring
// (BDR_*INNER) one pixel inside; a single ring lies on the border. Each
// ring has a top-left colour (left and top sides) and a bottom-right colour
// (right and bottom sides, which own the top-right and bottom-left corner
// pixels):
//
//   raised outer: 3D light / dark shadow     sunken outer: shadow / highlight
//   raised inner: highlight / shadow         sunken inner: dark shadow / 3D light
//
// BF_SOFT swaps the top-left colours between the rings (raised: highlight
// outside, 3D light inside; sunken: dark shadow outside, shadow inside).
// BF_MIDDLE fills what is left inside with the button face; BF_ADJUST
// returns that rectangle.

#include <vector>

#include "draw/DrawTypes.h"

namespace sorabel::draw {

struct EdgeLine {
  Point from;
  Point to;  // not drawn
  Color color;
  bool operator==(const EdgeLine&) const = default;
};

struct EdgePlan {
  std::vector<EdgeLine> lines;
  bool fillMiddle = false;
  Rect middle;  // the rectangle inside the drawn rings
};

EdgePlan planEdge(const Rect& rect, unsigned edge, unsigned flags);

}  // namespace sorabel::draw
