#pragma once
// A bar of flat buttons in place of a form's menu bar: one button per
// top-level item of a main menu, each opening its item's drop-down under
// it, with the mouse and keyboard behaviour of a menu bar (hot button,
// moving between open drop-downs, Alt and F10, arrows, Enter, Esc) and two
// sliders that scroll the row when it is wider than the bar.
//
// The keyboard and mouse hooks of the design are an application-wide event
// filter installed while the bar's form is active; the bar's messages are
// events of the registered type "MenuButtonBar" (BarMessage).
//
// The bar's modes: idle; keyboard mode (a hot button chosen with Alt or F10,
// Left and Right move it, Return and Down open its drop-down; it ends with
// Alt, Esc or the focus moving to a control); drop-down open (PressedButton);
// just closed (ClosedButton, until the next reset or click). Every drop-down
// runs in its own loop (QMenu::exec); the bar may be gone when it returns.

#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "components/imagemenu/TMainImageMenu.h"
#include "components/imagemenu/TMenuButton.h"
#include "draw/CanvasFont.h"
#include "draw/DrawTypes.h"

namespace sorabel::imagemenu {

class TSlideButton;

class TMenuButtonBar : public QWidget {
  Q_OBJECT

 public:
  explicit TMenuButtonBar(QWidget* parent);
  ~TMenuButtonBar() override;

  QMenuBar* Menu() const { return menu_; }
  // A menu builds the buttons (and hides the native menu bar); none frees
  // every button and slider.
  void setMenu(QMenuBar* menu);
  Qt::CursorShape MenuCursor() const { return menuCursor_; }
  // Out-of-range cursor shapes are ignored.
  void setMenuCursor(int cursor);
  bool DefaultFont() const { return defaultFont_; }
  void setDefaultFont(bool value);
  draw::Color Color() const { return color_; }
  // An RGB value or a system colour; other values are ignored.
  void setColor(draw::Color color);
  // The menu a right click on the bar shows; without one, the form's window
  // menu.
  QMenu* PopupMenu() const { return popupMenu_; }
  void setPopupMenu(QMenu* menu) { popupMenu_ = menu; }

  TMenuButton* PressedButton() const { return pressedButton_; }
  TMenuButton* HotButton() const { return hotButton_; }
  TMenuButton* ClosedButton() const { return closedButton_; }
  // The hot button was chosen from the keyboard (Alt, F10, arrows).
  bool KeyboardMode() const { return keyboardMode_ && hotButton_ != nullptr; }
  // A button's drop-down is opening or open.
  bool DropDownOpen() const { return openMenu_ != nullptr; }
  TSlideButton* LeftSlider() const { return leftSlider_; }
  TSlideButton* RightSlider() const { return rightSlider_; }
  int FirstShown() const { return firstShown_; }
  TMainImageMenu* ImageMenuLink() const { return imageMenuLink_; }
  const std::vector<TMenuButton*>& menuButtons() const { return buttons_; }

  // NeighbourButton: the menu button step places away, wrapping around.
  TMenuButton* NeighbourButton(TMenuButton* button, int step) const;
  // The key code of a caption without an accelerator (the right Windows
  // key's): no Alt shortcut is made for it.
  static constexpr int kNoAcceleratorKey = 92;
  // The virtual-key code an item's caption types: the character after the
  // first "&", or kNoAcceleratorKey without one.
  static int AcceleratorKey(const QString& caption);
  void ResetBar();

  void BuildButtons();
  void LayoutButtons();
  void UpdateSliders();
  // A slider's click: the row moves by one button's width.
  void scroll(int direction);

  // A menu button's click: the ClosedButton rule, else its drop-down (from
  // the keyboard with its first item selected).
  void buttonClicked(TMenuButton* button, bool fromKeyboard = false);
  // Where a button's drop-down opens (screen point) and whether it opens
  // upward: below the button, or above it when it would pass the screen's
  // bottom.
  struct DropDownPlace {
    QPoint at;
    bool upward;
  };
  DropDownPlace dropDownPlace(const TMenuButton* button) const;

  // The messages forwarded by the image menu's form hook.
  void systemKeyMenu();    // SC_KEYMENU (Alt, F10)
  void keyDown(int key);   // Enter, Esc, Left, Right, Down
  void keyUp(int key, TMenuButton* button);
  void formActivated(bool active);
  void menuLoopEntered();
  void menuLoopExited();
  void menuChanged();
  void settingsChanged();
  // The step of the bar message that resets the bar (sent with no button).
  static constexpr int kResetStep = 0xFFFF;
  // The step of the bar message the keyboard hook sends for Esc's key-up.
  static constexpr int kEscapeUpStep = -Qt::Key_Escape;
  // BarMessage (step, button or nullptr); kResetStep with no button resets.
  void barMessage(int step, TMenuButton* button);
  static int BarMessage();

  // Button hooks.
  void buttonEntered(TMenuButton* button);
  void buttonLeft(TMenuButton* button);
  void buttonDownChanged(TMenuButton* sender);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  // A right click where no button is: PopupMenu, or the form's window menu.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void freeButtons();
  QMenu* dropDownOf(const TMenuButton* button) const;
  void takeItem(TMenuButton* button, QAction* item);
  void installHooks();
  void removeHooks();
  bool keyboardHook(QKeyEvent* key);
  void mouseHook(QEvent* event);
  TMenuButton* buttonAtScreen(const QPoint& position) const;
  void postBarMessage(int step, TMenuButton* button);
  void openDropDown(TMenuButton* button, bool selectFirst);
  void focusChanged(QWidget* now);
  // Keyboard mode ends; the control that had the focus before gets it back.
  void leaveKeyboardMode();
  void applyMenuFontIfDefault();

  QPointer<QMenuBar> menu_;
  Qt::CursorShape menuCursor_ = Qt::ArrowCursor;
  Qt::CursorShape normalCursor_ = Qt::ArrowCursor;
  bool defaultFont_ = false;
  draw::Color color_;
  QPointer<QMenu> popupMenu_;
  QPointer<TMenuButton> pressedButton_;
  QPointer<TMenuButton> hotButton_;
  QPointer<TMenuButton> closedButton_;
  bool keyboardMode_ = false;
  QPointer<QWidget> focusBeforeKeyboardMode_;
  TSlideButton* leftSlider_ = nullptr;
  TSlideButton* rightSlider_ = nullptr;
  int firstShown_ = 0;
  QPointer<TMainImageMenu> imageMenuLink_;
  std::vector<TMenuButton*> buttons_;
  bool hooked_ = false;
  QPointer<QMenu> openMenu_;
  // The button a press landed on while a drop-down was open: that press
  // closed the drop-down and is the button's click.
  QPointer<TMenuButton> closingPress_;
  // An item was chosen with Return: the bar resets once its drop-down closed.
  bool resetWhenClosed_ = false;
  // Alt is down and no other key or button was pressed since.
  bool altAlone_ = false;
};

}  // namespace sorabel::imagemenu
