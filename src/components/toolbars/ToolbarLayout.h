#pragma once
// The toolbar's layout as plain values (LayoutControls): its controls
// ordered by their present places and arranged in lines for a target state
// (floating, in a horizontal dock, in a vertical dock), with the margins,
// the drag handle's room, wrapping at WrapLimit, separators suppressed at
// line ends and the rules between wrapped groups. Tested without widgets;
// TToolbar applies the result.

#include <vector>

#include "components/toolbars/DockLayout.h"
#include "components/toolbars/ToolbarMetrics.h"
#include "components/toolbars/ToolbarTypes.h"
#include "draw/DrawTypes.h"

namespace sorabel::toolbars {

struct LayoutMargins {
  int firstLine;
  int lastLine;
  int lineStart;
  int lineEnd;
};
// The margins table: floating, horizontal dock, vertical dock.
LayoutMargins marginsFor(ToolbarState state);

struct ToolbarControl {
  int left = 0;  // present bounds
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool separator = false;
};

struct ControlGroup {
  std::vector<int> controls;  // indexes into the controls
  int width = 0;              // sums over its non-separator controls
  int height = 0;
};

struct ToolbarLayoutInput {
  std::vector<ToolbarControl> controls;
  int wrapLimit = 0;  // 0: unlimited
  ToolbarState target = ToolbarState::HorizontalDock;
  ToolbarState current = ToolbarState::HorizontalDock;
  // The present line breaks and content height (for ordering the controls
  // of a floating toolbar by their lines).
  std::vector<int> lineBreaks;
  int currentContentHeight = kMinContentSize;
  // The record of the toolbar's dock row, when docked with Apply: its
  // content sizes centre the controls and its thickness is the minimum.
  const RowExtent* row = nullptr;
};

struct ToolbarLayoutResult {
  std::vector<int> order;                  // visible controls in layout order
  std::vector<draw::Rect> bounds;          // per control (hidden ones keep theirs)
  std::vector<bool> suppressed;            // per control: a separator ending a line
  std::vector<ControlGroup> groups;
  std::vector<int> lineBreaks;
  int contentHeight = kMinContentSize;
  int contentWidth = kMinContentSize;
  draw::Size size;                         // the client size
};

// The order of the visible controls by their places in the current state.
std::vector<int> controlOrder(const ToolbarLayoutInput& input);

ToolbarLayoutResult layoutControls(const ToolbarLayoutInput& input);

}  // namespace sorabel::toolbars
