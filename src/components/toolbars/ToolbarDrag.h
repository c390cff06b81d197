#pragma once
// The toolbar's mouse loops: moving (with docking and floating), resizing a
// floating toolbar by its frame, and its close button. Each is a modal loop
// holding the mouse, with its state in one struct of its own, that nothing
// changes before the drop; another button press cancels.

#include <QPoint>
#include <QPointer>

#include "components/toolbars/TDock.h"

#include "components/toolbars/DragGeometry.h"

namespace sorabel::toolbars {

class TToolbar;
class TDock;

namespace ToolbarDrag {

// RunMoveLoop: grab is the press point in the toolbar's window.
void runMoveLoop(TToolbar& bar, const QPoint& grab);
// RunSizeLoop for a floating toolbar, by one border.
void runSizeLoop(TToolbar& bar, SizeBorder border);
void runCloseButtonLoop(TToolbar& bar);

// The move loop's state for a cursor position (exposed for tests): the dock
// that would take the toolbar (or none) and the outline.
struct MoveState {
  QPoint grab;
  draw::Size start;
  draw::Size floatingSize;
  draw::Size horizontalSize;
  draw::Size verticalSize;
  bool ctrl = false;
  QPointer<TDock> dock;  // the dock under the cursor, or none
  bool overDock = false;
  draw::Rect outline;
};
MoveState startMove(TToolbar& bar, const QPoint& grab);
void updateMove(TToolbar& bar, MoveState& state, draw::Point cursor);
// The drop of a move loop that ended with the button's release.
void drop(TToolbar& bar, const MoveState& state);

}  // namespace ToolbarDrag
}  // namespace sorabel::toolbars
