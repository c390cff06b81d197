#pragma once
// The narrow door to a toolbar's inner state for the code that drives it
// from outside its own events: the mouse loops (ToolbarDrag), the form hooks
// (parking), the separators (a press on one drags the toolbar) and tests.
// TToolbar's public face stays its properties, methods and events.

#include "components/toolbars/TFloatParent.h"
#include "components/toolbars/TToolbar.h"

namespace sorabel::toolbars {

struct ToolbarInternals {
  // The form the toolbar belongs to, and its hidden float parent.
  static QWidget* ownerForm(const TToolbar& bar) { return bar.owner_; }
  static QWidget* floatParent(const TToolbar& bar) { return bar.floatParent_; }

  // A drop: row and position without a relayout (the docking that follows
  // lays the dock out once).
  static void setDockPlace(TToolbar& bar, int row, int pos) {
    bar.dockRow_ = row;
    bar.dockPos_ = pos;
  }
  static void setFloatingRect(TToolbar& bar, const draw::Rect& rect) { bar.floatingRect_ = rect; }
  // After resizing by the frame: the new line limit and window rectangle.
  static void setFloatingShape(TToolbar& bar, int wrapLimit, const draw::Rect& windowRect) {
    bar.setFloatingShape(wrapLimit, windowRect);
  }

  // Parking: the bounds as the program sees them (the left kept while the
  // window is out of sight).
  static bool parked(const TToolbar& bar) { return bar.parked_; }
  static void setParked(TToolbar& bar, bool parked) { bar.setParked(parked); }
  static draw::Rect parkedBounds(const TToolbar& bar) { return bar.parkedBounds(); }
  static void setParkedBounds(TToolbar& bar, const draw::Rect& r) { bar.setParkedBounds(r); }
  // Shows or hides the window as Visible and the toolbar's place say.
  static void showAsVisible(TToolbar& bar) { bar.showAsVisible(); }

  // The floating frame and its close button.
  static FrameHit hitTest(const TToolbar& bar, const QPoint& windowPoint) { return bar.hitTest(windowPoint); }
  static bool closePressed(const TToolbar& bar) { return bar.closePressed_; }
  static void setClosePressed(TToolbar& bar, bool pressed) { bar.setClosePressed(pressed); }
  static void closeFromButton(TToolbar& bar) { bar.closeFromButton(); }

  // A press on the client area or a separator, in client coordinates.
  static void clientMouseDown(TToolbar& bar, const QPoint& clientPoint, bool doubleClick) {
    bar.clientMouseDown(clientPoint, doubleClick);
  }
  static QPoint clientOrigin(const TToolbar& bar) { return bar.clientOrigin(); }
};

}  // namespace sorabel::toolbars
