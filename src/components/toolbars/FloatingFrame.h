#pragma once
// The floating toolbar's own window frame as plain values: its rectangles,
// its hit testing and its caption text. F is the frame width, C the small
// caption's height, W x H the window's size and CW its client width;
// rectangles are in window coordinates.

#include <QString>
#include <functional>

#include "draw/DrawTypes.h"

namespace sorabel::draw {
class Canvas;
}

namespace sorabel::toolbars {

struct FrameMetrics {
  int frameWidth;      // F
  int captionHeight;   // C
};

// The metrics of this desktop.
FrameMetrics floatingFrameMetrics();

// Where the client area starts in the window: inside the frame, below the
// caption.
draw::Point clientOrigin(const FrameMetrics& m);

// The caption row, without the close button's square when there is one.
draw::Rect captionRect(const FrameMetrics& m, int clientWidth, bool closeButton);
// The close button's square at the right end of the caption row.
draw::Rect closeButtonRect(const FrameMetrics& m, int clientWidth);

enum class FrameHit { Nowhere, Client, CloseButton, Left, Right, Top, Bottom };

// Hit test outside the client area: the caption counts as client (it
// starts a drag), the close button as itself; borders without corners.
FrameHit hitTestFrame(const FrameMetrics& m, draw::Size window, bool closeButton, draw::Point p);

// The caption text fitted to a width: "..." takes the place of characters
// removed from its end, until it fits or fewer than five characters remain.
QString fitCaption(const QString& caption, int width, const std::function<int(const QString&)>& measure);

struct FramePaint {
  bool frame = true;
  bool caption = true;
  bool closeButton = true;  // the toolbar's CloseButton
  bool closePressed = false;
};

// DrawFloatingFrame: frame rings, caption with its text, close button.
void drawFloatingFrame(draw::Canvas& canvas, const FrameMetrics& m, draw::Size window, int clientWidth,
                       const QString& caption, const FramePaint& paint);

}  // namespace sorabel::toolbars
