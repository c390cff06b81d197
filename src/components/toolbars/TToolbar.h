#pragma once
// A toolbar: a container of buttons and separators that lives in a dock or
// floats in a small tool window of its own. Its controls are laid out in
// lines by layoutControls for each of its three states; while floating it
// draws its own frame, caption and close button and is moved, docked and
// resized by the mouse (see ToolbarDrag). See TDock.h for the overview.

#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "components/toolbars/DockLayout.h"
#include "components/toolbars/FloatingFrame.h"
#include "components/toolbars/ToolbarLayout.h"
#include "components/toolbars/ToolbarMetrics.h"
#include "components/toolbars/ToolbarTypes.h"
#include "draw/DrawTypes.h"

namespace sorabel::draw {
class Canvas;
}

namespace sorabel::toolbars {

class TDock;
class TFloatParent;

using TNotifyEvent = std::function<void(QObject* sender)>;

class TToolbar : public QWidget {
  Q_OBJECT

 public:
  // owner: the form the toolbar belongs to. Throws EInvalidOperation when
  // owner is not a form. The new toolbar floats until it is docked.
  explicit TToolbar(QWidget* owner);
  ~TToolbar() override;

  // A toolbar goes only on a dock, or directly on its form (where it
  // floats). Anything else throws EInvalidOperation and leaves it where it
  // was; a re-parenting through QWidget is undone and reported.
  void setParent(QWidget* parent);

  // Properties.
  bool CanDockLeftRight() const { return canDockLeftRight_; }
  void setCanDockLeftRight(bool can) { canDockLeftRight_ = can; }
  const QString& Caption() const { return caption_; }
  void setCaption(const QString& caption);
  draw::Color Color() const { return color_; }
  void setColor(draw::Color color);
  bool CloseButton() const { return closeButton_; }
  void setCloseButton(bool show);
  TDock* DefaultDock() const;
  void setDefaultDock(TDock* dock);
  TDock* DockedTo() const;
  void setDockedTo(TDock* dock) { SetDockedTo(dock); }
  // DockRow 0 to kMaxDockRow, DockPos kMinDockPos to kMaxDockPos (a window
  // coordinate); values outside are ignored.
  static constexpr int kMaxDockRow = 255;
  static constexpr int kMinDockPos = -32768;
  static constexpr int kMaxDockPos = 32767;
  int DockRow() const { return dockRow_; }
  void SetDockRow(int row);
  int DockPos() const { return dockPos_; }
  void SetDockPos(int pos);
  QMenu* PopupMenu() const { return popupMenu_; }
  void setPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  TNotifyEvent OnClose;
  TNotifyEvent OnRecreating;
  TNotifyEvent OnRecreated;
  TNotifyEvent OnDockChanging;
  TNotifyEvent OnDockChanged;

  // State.
  bool floating() const { return DockedTo() == nullptr; }
  ToolbarState state() const;
  int ContentHeight() const { return contentHeight_; }
  int ContentWidth() const { return contentWidth_; }
  int WrapLimit() const { return wrapLimit_; }
  const std::vector<int>& LineBreaks() const { return lineBreaks_; }
  const std::vector<ControlGroup>& ControlGroups() const { return groups_; }
  // The floating window's screen rectangle (empty until first needed).
  const draw::Rect& FloatingRect() const { return floatingRect_; }

  // LayoutControls: the arrangement for a target state; with apply the
  // controls move and the stored state changes, with resize the toolbar
  // takes the result's client size.
  ToolbarLayoutResult LayoutControls(bool apply, bool resize, int wrapLimit, ToolbarState target, ToolbarState current);
  void UpdateLayout();
  // Docks into dock, or floats with none.
  void SetDockedTo(TDock* dock);
  // Keeps a floating toolbar inside the work area.
  void MoveOnScreen(bool onlyIfOffScreen);
  // The client size in a state, from the layout (without applying it).
  draw::Size sizeIn(ToolbarState state, int wrapLimit);
  // The floating window's size for a client size.
  draw::Size floatingWindowSize(draw::Size client) const;
  // The floating window's frame width and caption height.
  FrameMetrics frameMetrics() const;
  // The toolbar's own controls: buttons and separators, in creation order.
  std::vector<QWidget*> controls() const;

  // Visible: a docked toolbar leaves its dock's rows while hidden; a
  // floating one shows while its form shows.
  bool Visible() const { return visible_; }
  void setVisible(bool visible) override;

  // The toolbar's painting while docked or floating, on any canvas.
  void paintOn(draw::Canvas& canvas) const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void childEvent(QChildEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The dock, the separator, the mouse loops and the form hooks reach the
  // toolbar's inner state through these (see ToolbarInternals.h).
  friend class TDock;
  friend struct ToolbarInternals;

  void setParentForState(QWidget* parent, bool floatingWindow);
  void checkParent(QWidget* parent) const;
  ToolbarLayoutInput layoutInput(int wrapLimit, ToolbarState target, ToolbarState current) const;
  // Where the client area starts in the toolbar's window, now and in a
  // state.
  QPoint clientOrigin() const;
  QPoint clientOriginIn(ToolbarState state) const;
  // The form-level hook goes on the form, or on the MDI parent form of an
  // MDI child form, which also gets its own hook.
  void installFormHooks();
  void removeFormHooks();
  void updateCursorForFrame(const QPoint& windowPoint);
  void handleMousePress(QMouseEvent* event);
  void handleParentChange();
  void dockDestroyed();

  // Inner state, for the dock, the loops and the hooks.
  void placeInDock(int row, int pos, const draw::Rect& bounds);
  void setFloatingShape(int wrapLimit, const draw::Rect& windowRect);
  void setParkedBounds(const draw::Rect& windowRect);
  draw::Rect parkedBounds() const;
  void setParked(bool parked);
  FrameHit hitTest(const QPoint& windowPoint) const;
  void setClosePressed(bool pressed);
  void closeFromButton();
  void showAsVisible();
  // A mouse press on the toolbar's client area or on a separator (point in
  // client coordinates): starts a move loop or, doubled, docks or floats.
  void clientMouseDown(const QPoint& clientPoint, bool doubleClick);

  QWidget* owner_;
  QWidget* hookedForm_ = nullptr;  // the form the form-level hook is on
  bool mdiChildOwner_ = false;
  QPointer<TFloatParent> floatParent_;
  QPointer<QWidget> parentBefore_;  // the parent a refused re-parenting returns to
  bool canDockLeftRight_ = true;
  QString caption_;
  draw::Color color_;
  bool closeButton_ = true;
  QPointer<TDock> defaultDock_;
  int dockRow_ = 0;
  int dockPos_ = -1;
  QPointer<QMenu> popupMenu_;
  int contentHeight_ = kMinContentSize;
  int contentWidth_ = kMinContentSize;
  int wrapLimit_ = 0;
  std::vector<ControlGroup> groups_;
  std::vector<int> lineBreaks_;
  draw::Rect floatingRect_;
  int layoutLock_ = 0;
  int sizingLock_ = 0;
  int hidingForMove_ = 0;
  bool parked_ = false;
  int parkedLeft_ = 0;
  bool closePressed_ = false;
  bool constructing_ = true;
  bool visible_ = true;
  bool reparenting_ = false;
};

}  // namespace sorabel::toolbars
