#pragma once
// The image menu placed on a form. Besides the properties of TImageMenu it
// hooks the form (the form's window procedure of the design, realised as
// event filters on the form, its menu bar and the converted menus):
//
//   measure and draw requests  -> the item style, back to the component
//   mouse over the menu bar    -> hot tracking (BarHotTracker), raised frame
//   a menu opens / all close   -> InMenuLoop on / off (enter/exit menu loop)
//   an item is hovered         -> the application hint, OnMenuSelect, ShowHint
//   a letter in an open menu   -> MenuCharIndex / SysMenuCharIndex
//   Alt+letter on the bar      -> MenuCharIndex over the bar items
//   activation, settings change, menu changes -> redraw and reconversion
//   keys and activation        -> forwarded to a MenuButtonBar when one is set
//
// The application hint reaches the form as a status-tip event; the menus'
// own status tips are held back so that only the item hints are shown.

#include <QPointer>
#include <QSet>

#include "components/imagemenu/Accelerators.h"
#include "components/imagemenu/BarHotTracker.h"
#include "components/imagemenu/TImageMenu.h"

class QMenu;
class QMenuBar;

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

  // Part of the hook a program or a test can drive directly.
  // WM_MENUSELECT: item hovered in menu (nullptr: the menus closed).
  void menuSelect(QAction* item, QWidget* menu, bool bySelectingWithMouse);
  void enterMenuLoop();
  void exitMenuLoop();
  // A cursor report from the menu bar or the client area.
  void trackCursor(int position, bool onMenuBar, bool mouseMessage);
  // WM_MENUCHAR: the answer to a letter typed into an open menu.
  MenuCharResult menuChar(QWidget* menu, QChar typed) const;
  // The form's settings (palette, font, style) changed.
  void settingsChanged();
  // The menu's items changed.
  void menuChanged();

  const BarHotTracker& hotTracker() const { return tracker_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void itemConverted(QWidget* menuWidget) override;
  void DrawMenuItem(QWidget* menu, QAction* item, unsigned state, const draw::Rect& rect) override;

 private:
  bool formEvent(QEvent* event);
  bool menuBarEvent(QMenuBar* bar, QEvent* event);
  bool menuEvent(QMenu* menu, QEvent* event);
  // Opens or runs the visible item at a position of a menu (MNC_EXECUTE).
  void execute(QWidget* menu, int position);
  void setApplicationHint(const QString& hint);
  void paintBarItems(const std::vector<BarItemPaint>& paints);
  std::vector<BarItemInfo> barItems() const;
  bool anyMenuOpen() const;
  bool trackingOff() const;
  void watchWindowMenu();

  QWidget* form_;
  QPointer<TMenuButtonBar> menuButtonBar_;
  BarHotTracker tracker_;
  QSet<QWidget*> watched_;
  bool mouseSelecting_ = false;
  bool altAlone_ = false;
};

}  // namespace sorabel::imagemenu
