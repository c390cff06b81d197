#pragma once
// The image menu placed on a form. Besides the properties of TImageMenu it
// hooks the form (the form's window procedure of the design, realised as
// event filters on the form, its menu bar, the converted menus and the
// window menu):
//
//   measure and draw requests  -> the item style, back to the component
//   mouse over the menu bar    -> hot tracking (BarHotTracker), raised frame
//   a menu opens / all close   -> InMenuLoop on / off (enter/exit menu loop)
//   the selected item changes  -> the application hint, OnMenuSelect, ShowHint
//                                 (once per selection: disabled items and
//                                 separators included)
//   a letter in an open menu   -> MenuCharIndex / SysMenuCharIndex
//   Alt+letter, or Alt and a letter -> the bar item's drop-down opens with
//                                 its first item selected
//   activation, settings change, menu changes -> redraw and reconversion
//   keys and activation        -> forwarded to a MenuButtonBar when one is set
//
// The application hint reaches the form as a status-tip event; the menus'
// own status tips are held back so that only the item hints are shown.

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSet>

#include "components/imagemenu/Accelerators.h"
#include "components/imagemenu/TImageMenu.h"

namespace sorabel::imagemenu {

class TMenuButtonBar;

class TMainImageMenu : public TImageMenu {
  Q_OBJECT

 public:
  // form: the form the component is placed on (its owner).
  explicit TMainImageMenu(QWidget* form);
  ~TMainImageMenu() override;

  TMenuButtonBar* MenuButtonBar() const;
  void setMenuButtonBar(TMenuButtonBar* bar);

  // WM_MENUCHAR: the answer to a letter typed into an open menu.
  MenuCharResult menuChar(QWidget* menu, QChar typed) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void itemConverted(QWidget* menuWidget) override;
  void cursorChanged() override;
  void DrawMenuItem(QWidget* menu, QAction* item, unsigned state, const draw::Rect& rect) override;

 private:
  bool formEvent(QEvent* event);
  bool formKey(QKeyEvent* key);
  bool menuBarEvent(QMenuBar* bar, QEvent* event);
  bool menuEvent(QMenu* menu, QEvent* event);
  void watch(QWidget* menuWidget);
  void watchWindowMenu();
  void takeMainMenu(QObject* child);

  // WM_MENUSELECT: item selected in menu (nullptr: the menus closed).
  void menuSelect(QAction* item, QWidget* menu);
  void enterMenuLoop(QMenu* opened);
  void exitMenuLoopWhenAllClosed();
  void exitMenuLoop();
  bool anyMenuOpen() const;
  // Opens or runs the visible item at a position of a menu (MNC_EXECUTE).
  void execute(QWidget* menu, int position);
  void setApplicationHint(const QString& hint);

  // Hot tracking (WM_SETCURSOR): a cursor report from the menu bar.
  void trackCursor(int position, bool onMenuBar, bool mouseMessage);
  bool trackingOff() const;
  void paintBarItems(const std::vector<BarItemPaint>& paints);
  std::vector<BarItemInfo> barItems() const;

  void settingsChanged();
  void menuChanged();
  void menuChangedSoon();

  QWidget* form_;
  QPointer<TMenuButtonBar> menuButtonBar_;
  QSet<QWidget*> watched_;
  QPointer<QAction> selected_;   // the item of the last selection
  bool selectionMade_ = false;   // something was selected since the menus closed
  bool mouseSelecting_ = false;  // the selection comes from the mouse (MF_MOUSESELECT)
  bool menuChangePending_ = false;
  bool sendingHint_ = false;
};

}  // namespace sorabel::imagemenu
