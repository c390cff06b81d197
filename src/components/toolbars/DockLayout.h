#pragma once
// The dock's layout as plain values: the toolbars of a dock in rows, their
// row extents, and the pass that orders, packs and places them
// (RelayoutBars), with the row lookups used by dragging. Tested without
// widgets; TDock applies the result to its toolbars.

#include <vector>

#include "components/toolbars/ToolbarMetrics.h"
#include "components/toolbars/ToolbarTypes.h"
#include "draw/DrawTypes.h"

namespace sorabel::toolbars {

// A row's four sizes: content height and width (largest of its toolbars,
// at least kMinContentSize), and its thickness in a horizontal and in a
// vertical dock.
struct RowExtent {
  int contentHeight = 0;
  int contentWidth = 0;
  int dockedHeight = 0;
  int dockedWidth = 0;
  bool operator==(const RowExtent&) const = default;
};

// The extent of a row whose content is contentHeight x contentWidth.
inline RowExtent rowExtentFor(int contentHeight, int contentWidth) {
  return {contentHeight, contentWidth, contentHeight + kDockedRowExtra, contentWidth + kDockedRowExtra};
}

// A docked toolbar as the dock's layout sees it.
struct DockedBar {
  int dockRow = 0;
  int dockPos = -1;
  int width = 0;   // its window size
  int height = 0;
  int contentHeight = kMinContentSize;  // its own four size values
  int contentWidth = kMinContentSize;
  int id = 0;             // the caller's key for the toolbar
};

struct DockLayoutResult {
  std::vector<DockedBar> bars;          // in arrangement order, rows and positions updated
  std::vector<draw::Rect> bounds;       // client bounds of each, in the same order
  std::vector<RowExtent> rowExtents;    // per row
  int thickness = 0;                    // the dock's new client thickness
};

// BuildRowExtents over the bars (any order).
std::vector<RowExtent> buildRowExtents(const std::vector<DockedBar>& bars);

// RelayoutBars for a dock with at least one toolbar: rows closed up, each
// row packed and shifted back from the far edge, bounds and thickness.
// clientLength: the dock's client width (height when vertical).
DockLayoutResult relayoutBars(std::vector<DockedBar> bars, bool vertical, int clientLength, bool limitToOneRow);

// The thickness of an empty dock: 0, or 1 with FixAlign.
int emptyDockThickness(bool fixAlign);

// RowAtPosition: the row whose band holds the coordinate; past all rows,
// the highest row + 1.
int rowAtPosition(const std::vector<RowExtent>& rows, bool vertical, int coordinate);

struct RowDrop {
  int row;
  bool openNewRow;
  bool operator==(const RowDrop&) const = default;
};
// DropRowAt: within kNewRowZone of a row's start a new row opens there; inside
// a row the drop joins it; past the last row a new last row.
RowDrop dropRowAt(const std::vector<RowExtent>& rows, bool vertical, int coordinate);

enum class DockAlign { Top, Bottom, Left, Right };
// SetThickness: the dock's new bounds for a new width and height; a bottom
// dock keeps its bottom edge and a right dock its right edge.
draw::Rect thicknessBounds(DockAlign align, const draw::Rect& bounds, int newWidth, int newHeight);

}  // namespace sorabel::toolbars
