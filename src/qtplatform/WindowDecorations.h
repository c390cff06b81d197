#pragma once
// Title-bar decorations that Qt's window flags cannot express for every
// window manager: a dialog with a title but no title-bar buttons (no system
// menu, minimise, maximise or close).
//
// Under X11, just before the window is mapped, it gets:
//  - a fixed size (the window manager then offers no maximise);
//  - Motif hints that allow moving only; window managers that read them
//    (KWin, Mutter) then draw a bare title bar;
//  - its window type. Dialogs are declared dialogs, which makes xfwm4 drop
//    minimise and maximise for a dialog of a main window. Openbox reads
//    neither the Motif bits for those buttons nor any other hint of the
//    program for a dialog's buttons; it drops them for a window declared a
//    toolbar, so under openbox the window is declared a toolbar first and
//    a dialog second (window managers take the first type they know).
// Window managers that keep a minimise or maximise button all the same find
// the window taking back a minimise or maximise at once; the close button
// does what Escape does.

class QWidget;

namespace sorabel {

// Gives a top-level window of fixed size a title bar without buttons.
void showTitleWithoutButtons(QWidget* window);

}  // namespace sorabel
