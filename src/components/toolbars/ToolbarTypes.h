#pragma once
// Types shared by the dockable toolbars: positions, bound lines, button
// looks, the toolbar's three states, misuse errors, and the along/across
// helpers that let one code path serve horizontal and vertical docks.

#include <stdexcept>

namespace sorabel::toolbars {

enum class TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

enum TDockBoundLine : unsigned { blTop = 1, blBottom = 2, blLeft = 4, blRight = 8 };
using TDockBoundLines = unsigned;  // a set of TDockBoundLine

enum class TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The toolbar's three states: its layout differs in each.
enum class ToolbarState { Floating = 0, HorizontalDock = 1, VerticalDock = 2 };

inline bool isVertical(TDockPosition position) {
  return position == TDockPosition::dpLeft || position == TDockPosition::dpRight;
}
inline ToolbarState dockedState(TDockPosition position) {
  return isVertical(position) ? ToolbarState::VerticalDock : ToolbarState::HorizontalDock;
}

// The length of a size along a line (width in a horizontal line, height in
// a vertical one) and across it.
inline int along(bool vertical, int width, int height) { return vertical ? height : width; }
inline int across(bool vertical, int width, int height) { return vertical ? width : height; }

// Misuse of a toolbar component by the programmer, with its fixed message.
class EInvalidOperation : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

}  // namespace sorabel::toolbars
