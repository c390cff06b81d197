#pragma once
// Hot tracking of a main menu's bar items: which top-level item is framed
// raised as the mouse passes, and which is to be drawn flat again. The
// whole state machine lives here, apart from the widgets; the component
// feeds it cursor reports and repaints what it returns.
//
// A position counts among the bar's visible items; an index among all
// top-level items.

#include <vector>

namespace sorabel::imagemenu {

struct BarItemInfo {
  bool visible = true;
  bool enabled = true;
};

struct CursorReport {
  int position = -1;          // the bar item under the cursor, or -1
  bool onMenuBar = false;     // the cursor is on the menu bar (hit code HTMENU)
  bool formActive = true;
  bool mouseMessage = true;   // the report comes with a mouse message
  bool trackingOff = false;   // not msOffice, an MDI child, or inside a menu loop
};

struct BarItemPaint {
  int index;
  int position;
  bool raised;  // false: flat again
  bool operator==(const BarItemPaint&) const = default;
};

class BarHotTracker {
 public:
  int HotIndex = -1;
  int LastHotIndex = -1;
  int HotPosition = -1;
  int LastHotPosition = -1;

  // Applies a cursor report; returns the items to paint, in order.
  std::vector<BarItemPaint> track(const CursorReport& report, const std::vector<BarItemInfo>& items);

  // The index, among all top-level items, of the visible item at position.
  static int positionToIndex(int position, const std::vector<BarItemInfo>& items);
};

}  // namespace sorabel::imagemenu
