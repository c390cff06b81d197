#pragma once
// The geometry of dragging and resizing a toolbar, as plain functions: when
// a dock accepts the dragged toolbar, where the outline goes, how a
// floating outline is kept on the work area, and the sizes a floating
// toolbar snaps to when resized by its frame.

#include <functional>
#include <vector>

#include "draw/DrawTypes.h"

namespace sorabel::toolbars {

// MulDiv rounding to nearest, as the platform's.
int mulDiv(int number, int numerator, int denominator);

// The outline of a candidate size, placed so that the grab point, scaled
// from the starting size to the candidate size, lies under the cursor.
draw::Rect outlineAt(draw::Point cursor, draw::Point grab, draw::Size start, draw::Size candidate);

// DockAccepts: the dock's client rectangle D on the screen (an empty dock
// widened by one pixel on both sides across the dock), the cursor and the
// candidate docked outline R.
bool dockAccepts(draw::Rect dock, bool vertical, draw::Point cursor, draw::Point grab, draw::Size start,
                 const draw::Rect& candidate);

// A floating outline kept touching the work area shrunk by FrameWidth +
// kWorkAreaMargin.
draw::Rect keepOnWorkArea(draw::Rect outline, const draw::Rect& workArea, int frameWidth);

// A point clamped into a rectangle.
draw::Point clampInto(draw::Point p, const draw::Rect& area);

enum class SizeBorder { Left, Right, Top, Bottom };

// SizeList: the distinct floating window sizes between the one-line shape
// and the narrowest, for each height only the narrowest width; sorted by
// decreasing width (decreasing height for the top and bottom borders).
// layoutAt(limit) gives the client size of the floating layout at a line
// limit (0: unlimited); frame is the width and height the frame adds.
std::vector<draw::Size> buildSizeList(const std::function<draw::Size(int limit)>& layoutAt, int contentWidth,
                                      draw::Size frame, SizeBorder border);

// SnapTolerance for the current size: kMaxSnapTolerance, less than the
// distance to its neighbours in the list.
int snapTolerance(const std::vector<draw::Size>& sizes, draw::Size current, SizeBorder border);

// The size chosen for a requested length along the border's axis.
draw::Size chooseSize(const std::vector<draw::Size>& sizes, int request, int current, SizeBorder border);

}  // namespace sorabel::toolbars
