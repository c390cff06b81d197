#pragma once
// The outline shown while a toolbar is dragged or resized: a frame between
// a rectangle and the same rectangle shrunk by a thickness (1 pixel over a
// dock, the frame width when floating), drawn as a halftone checkerboard in
// a window of its own that takes no input and no focus. Moving it changes
// only the window's shape and place.

#include <QWidget>

#include "draw/DrawTypes.h"

namespace sorabel::toolbars {

class DragOutline : public QWidget {
  Q_OBJECT

 public:
  DragOutline();

  // Shows the frame of rect (screen coordinates) with a thickness.
  void showFrame(const draw::Rect& rect, int thickness);
  draw::Rect frameRect() const { return rect_; }
  int thickness() const { return thickness_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  draw::Rect rect_;
  int thickness_ = 0;
};

}  // namespace sorabel::toolbars
