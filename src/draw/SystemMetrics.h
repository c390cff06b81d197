#pragma once
// What the components ask of the desktop: the menu font, caption and frame
// sizes, the screen and its work area, the cursor.

#include "draw/CanvasFont.h"
#include "draw/DrawTypes.h"

namespace sorabel::draw {

// ApplyMenuFont: the desktop's menu font, with its height as the negative
// character height and bold for weights above medium. The colour is left
// as it was.
void applyMenuFont(CanvasFont& font);

// The height of a window caption (SM_CYCAPTION).
int captionHeight();
// The height of a small (tool window) caption.
int smallCaptionHeight();
// The width of a sizing frame (SM_CXFRAME).
int sizingFrameWidth();

// The primary screen's size and work area (the screen less panels); 1024 x
// 768 when there is no screen.
Size screenSize();
Rect workArea();

Point cursorPosition();

}  // namespace sorabel::draw
