#pragma once
// The system menu drawer: when Drawing is on, the items of the owning
// form's window menu are drawn by the component, in its colours and fonts,
// with fixed Japanese captions and small pictures for restore, minimise,
// maximise and close. The accelerator lookup (SysMenuCharIndex) works
// either way.

#include <QPointer>
#include <QString>
#include <optional>
#include <vector>

#include "components/imagemenu/Accelerators.h"
#include "components/imagemenu/ComponentBitmaps.h"
#include "components/imagemenu/ImageMenuTypes.h"
#include "draw/Canvas.h"
#include "draw/ImageList.h"

class QAction;
class QWidget;

namespace sorabel::imagemenu {

class TImageMenu;
class WindowMenu;

class TSysMenu {
 public:
  // owner: the component; form: the form whose window menu is drawn (none
  // for a component that is not on a form).
  TSysMenu(TImageMenu& owner, QWidget* form);

  bool Drawing() const { return drawing_; }
  // Becoming true makes the window menu owner-drawn; becoming false changes
  // nothing in it.
  void setDrawing(bool drawing);
  int ItemHeight() const { return itemHeight_; }
  // Ignored outside 18 to 512, or when unchanged.
  void setItemHeight(int height);
  TMenuStyle MenuStyle() const { return menuStyle_; }
  void setMenuStyle(TMenuStyle style);

  // The form's window menu (SysMenuHandle), or nullptr.
  WindowMenu* SysMenuHandle() const;

  // Makes the window menu's items owner-drawn (on) and redraws the menu bar.
  void ApplyDrawing(bool on);
  // Draws an item of the window menu (not found in the component's Menu).
  void DrawSysItem(QWidget* menu, draw::Canvas& canvas, unsigned state, const draw::Rect& rect, int command,
                   bool separator);
  // The accelerator lookup over the window menu's items.
  MenuCharResult SysMenuCharIndex(const QList<QAction*>& items, QChar typed) const;

  // The caption drawn and the picture of a command (none for some).
  static QString captionOf(int command);
  static std::optional<ComponentPicture> pictureOf(int command);

 private:
  TImageMenu& owner_;
  QPointer<QWidget> form_;
  bool drawing_ = false;
  int itemHeight_ = kDefaultItemHeight;
  TMenuStyle menuStyle_ = TMenuStyle::msOffice;
  // The window menu's items as captured when the drawer was made.
  struct SysItem {
    QString caption;
    int command;
  };
  std::vector<SysItem> sysItems_;
};

}  // namespace sorabel::imagemenu
