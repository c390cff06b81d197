#pragma once
// Title-bar decorations that Qt's window flags cannot express for every
// window manager: a dialog with a title but no title-bar buttons (no system
// menu, minimise, maximise or close).
//
// Under X11 the window's Motif hints allow moving only, set each time just
// before the window is mapped; window managers that read them (KWin, xfwm,
// Mutter) then draw a bare title bar. Some (openbox) keep their close and
// minimise buttons whatever the hints say; there the window takes back a
// minimise or maximise at once, and the close button does what Escape does.

class QWidget;

namespace sorabel {

// Gives a top-level window a title bar without buttons.
void showTitleWithoutButtons(QWidget* window);

}  // namespace sorabel
