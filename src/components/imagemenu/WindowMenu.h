#pragma once
// A form's window menu (the system menu): restore, move, size, minimise,
// maximise and close, each acting on the window. On this platform the
// window manager owns the title bar's own window menu, so a form offers
// this one itself. It opens with Alt+Space, with Shift+Alt+Space (which
// window managers leave alone; many take Alt+Space for their own menu), by
// a right click on the form's menu bar where no item is, and by a right
// click on a button of a button menu bar. Each item carries its command
// identifier (SC_*) as its data.

#include <QMenu>

namespace sorabel::imagemenu {

enum SystemCommand : int {
  SC_SIZE = 0xF000,
  SC_MOVE = 0xF010,
  SC_MINIMIZE = 0xF020,
  SC_MAXIMIZE = 0xF030,
  SC_CLOSE = 0xF060,
  SC_KEYMENU = 0xF100,
  SC_RESTORE = 0xF120,
};

// The caption of a command's item, with its accelerator ("" for a command
// that has no item).
QString windowMenuCaption(int command);
// The key that closes a window, shown at the right of the close item.
inline const QString kCloseKeyText = QStringLiteral("Alt+F4");

class WindowMenu : public QMenu {
  Q_OBJECT

 public:
  // The window menu of form, made on first need (GetSystemMenu).
  static WindowMenu* of(QWidget* form);

  // The command identifier of an item (0 for a separator or another item).
  static int commandOf(const QAction* item);
  // The item of a command, or nullptr.
  QAction* itemOf(int command) const;

  // Runs a command on the form, as the item of that command would.
  void runCommand(int command);

  // Opens the menu at a point on the screen.
  void openAt(const QPoint& screenPosition);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit WindowMenu(QWidget* form);
  void addCommand(const QString& text, int command);
  // Enables the items the window's state allows.
  void updateItems();

  QWidget* form_;
};

}  // namespace sorabel::imagemenu
