#pragma once
// What the image menus tell accessibility tools (Qt's accessibility
// interfaces, which the platform bridge hands to screen readers):
//
//  - every item of a converted menu: its name, its hint (the long part) as
//    its description, checkable and checked, disabled, selected, its place
//    on the screen, and press / show-menu actions;
//  - the drop-downs: under the bar item or the bar button that opens them;
//  - the button menu bar's buttons: press and show-menu actions, pressed
//    while their drop-down is open, and, in keyboard mode, the hot button
//    is the focused object; the sliders: a press action.

class QMenu;
class QWidget;

namespace sorabel::imagemenu {

class TMenuButton;

// Installs the interfaces (once per process).
void installMenuAccessibility();

// The widget that opens a drop-down, when it is not the item's own menu bar
// (a button of a button menu bar). The drop-down is its accessible child.
void setDropDownOpener(QMenu* dropDown, QWidget* opener);

// A button's look or its bar's keyboard mode changed: tools are told of its
// state, and of the focus when it is the keyboard mode's hot button.
void menuButtonLookChanged(TMenuButton* button);

}  // namespace sorabel::imagemenu
