#pragma once
// A button of the button menu bar: one top-level item of the main menu,
// shown as a flat caption that looks hot (raised) under the mouse and
// pressed (sunken) while its drop-down is open, and greyed while disabled.
// A right click opens the form's window menu.

#include <QWidget>
#include <functional>

#include "draw/Canvas.h"

namespace sorabel::imagemenu {

class TMenuButtonBar;

class TMenuButton : public QWidget {
  Q_OBJECT

 public:
  // The looks (ButtonState).
  enum Look : int { Hot = 0, Disabled = 1, Pressed = 2, Normal = 3 };

  TMenuButton(TMenuButtonBar* bar, int tag);

  TMenuButtonBar* bar() const { return bar_; }

  // The index of the button's item among the menu's top-level items;
  // values that are no such index are ignored.
  int Tag() const { return tag_; }
  void setTag(int tag);
  // The item's hint, shown as the application hint while the mouse is on
  // the button.
  const QString& Hint() const { return hint_; }
  void setHint(const QString& hint) { hint_ = hint; }
  bool Down() const { return down_; }
  // Tells the other buttons of the bar (they copy Down and become normal).
  void setDown(bool down);
  // Sets Down without telling the others.
  void setDownQuietly(bool down) { down_ = down; }
  const QString& Caption() const { return caption_; }
  void setCaption(const QString& caption);
  Look ButtonState() const { return look_; }
  void setLook(Look look);
  std::function<void()> OnClick;

  // The button's messages.
  void mouseEntered();
  void mouseLeft();
  void enabledChanged();
  // The answer to an accelerator character: clicked when it is the
  // caption's accelerator and the button is enabled.
  bool dialogChar(QChar typed);
  void click();
  // Caption or font changed: the button fits its caption again.
  void AutoSizeButton();

  // The button's painting, on any canvas.
  void paintOn(draw::Canvas& canvas);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  TMenuButtonBar* bar_;
  int tag_;
  bool down_ = false;
  QString caption_;
  QString hint_;
  Look look_ = Normal;
};

}  // namespace sorabel::imagemenu
