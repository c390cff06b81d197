#pragma once
// The fixed sizes and distances of the dockable toolbars, in logical pixels.

namespace sorabel::toolbars {

// A toolbar's content (its largest control) and so a dock row are at least
// this high and wide; an empty toolbar's content is this big.
constexpr int kMinContentSize = 8;
// A docked row is as thick as its content plus the first and last line
// margins of a docked toolbar (2 + 2).
constexpr int kDockedRowExtra = 4;

// A floating toolbar's lines start and end this far from its client edges;
// a docked toolbar's lines start past its drag handle.
constexpr int kFloatingLineMargin = 4;
constexpr int kDockedLineStart = 11;
// A separator's length along a horizontal line and along a vertical one.
constexpr int kSeparatorWidth = 6;
constexpr int kSeparatorHeight = 4;
// The gap between two groups of a floating toolbar that wrapped onto new
// lines; its rule is drawn in it.
constexpr int kWrapGap = 6;

// A drop within this distance of a row's start (or end) opens a new row
// there.
constexpr int kNewRowZone = 5;
// How far outside a dock the cursor may be for the dock to take the
// dragged toolbar: across the dock's left and right edges together, and
// its top and bottom edges together (shared by where the toolbar was
// grabbed).
constexpr int kDockReachX = 32;
constexpr int kDockReachY = 20;
// A floating toolbar dropped off the work area is brought back to within
// this distance (plus its frame) of it.
constexpr int kWorkAreaMargin = 4;
// Resizing a floating toolbar by its frame: a request within this distance
// of the current size keeps it.
constexpr int kMaxSnapTolerance = 12;

// The dock position a floating toolbar gets when a double click docks it
// again: before every other toolbar of row 0.
constexpr int kDockPosBeforeAll = -8;

}  // namespace sorabel::toolbars
