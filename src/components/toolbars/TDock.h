#pragma once
// Dockable toolbars.
//
// Architecture in brief:
//  - TDock is a strip along one edge of a form holding toolbars in rows.
//    Its layout (RelayoutBars) is the plain function relayoutBars of
//    DockLayout; the dock applies the result to its toolbars.
//  - TToolbar lays out its buttons and separators in lines; its layout is
//    the plain function layoutControls of ToolbarLayout. It lives in a dock
//    or floats in a small tool window of its own whose frame, caption and
//    close button it draws itself (FloatingFrame), and it is moved, docked
//    and resized by the mouse in modal loops (ToolbarDrag).
//  - TToolbarButton is a flat button with shared hot tracking, latching
//    groups and drop-down menus; its glyph renderer (TButtonGlyph) keeps the
//    state images in image lists shared per cell size (TGlyphCache).
//  - Nothing here knows the cash book; the component links only Qt and the
//    drawing port.

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "components/toolbars/DockLayout.h"
#include "components/toolbars/ToolbarTypes.h"
#include "draw/DrawTypes.h"

namespace sorabel::draw {
class Canvas;
}

namespace sorabel::toolbars {

class TToolbar;

// OnInsertRemoveBar (Sender, Inserting, Bar).
using TInsertRemoveEvent = std::function<void(class TDock* sender, bool inserting, TToolbar* bar)>;

class TDock : public QWidget {
  Q_OBJECT

 public:
  // Throws EInvalidOperation when placed in a TToolbar or another TDock.
  explicit TDock(QWidget* parent, TDockPosition position = TDockPosition::dpTop);
  // The toolbars on the dock belong to their form and stay: they float.
  ~TDock() override;

  // Throws EInvalidOperation when placed in a TToolbar or another TDock, and
  // stays where it was; a re-parenting through QWidget is undone and
  // reported.
  void setParent(QWidget* parent);

  // Properties.
  const QImage& Background() const { return background_; }
  void setBackground(const QImage& background);
  bool BackgroundTransparent() const { return backgroundTransparent_; }
  void setBackgroundTransparent(bool transparent);
  TDockBoundLines BoundLines() const { return boundLines_; }
  void setBoundLines(TDockBoundLines lines);
  draw::Color Color() const { return color_; }
  void setColor(draw::Color color);
  bool FixAlign() const { return fixAlign_; }
  void setFixAlign(bool fixAlign);
  bool LimitToOneRow() const { return limitToOneRow_; }
  void setLimitToOneRow(bool limit) { limitToOneRow_ = limit; }
  QMenu* PopupMenu() const { return popupMenu_; }
  void setPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  // Toolbars in this dock can be dragged out and into it (true by default).
  bool AllowDrag() const { return allowDrag_; }
  void setAllowDrag(bool allow) { allowDrag_ = allow; }
  TDockPosition Position() const { return position_; }
  // Throws EInvalidOperation while the dock holds controls.
  void setPosition(TDockPosition position);
  TInsertRemoveEvent OnInsertRemoveBar;

  bool isVerticalDock() const { return isVertical(position_); }
  const std::vector<TToolbar*>& BarList() const { return barList_; }
  const std::vector<RowExtent>& RowExtents() const { return rowExtents_; }

  // ArrangeLock: while raised, RelayoutBars does nothing.
  void raiseArrangeLock() { ++arrangeLock_; }
  void lowerArrangeLock() { --arrangeLock_; }
  int ArrangeLock() const { return arrangeLock_; }

  void RelayoutBars();
  void AddRemoveBar(bool inserting, TToolbar* bar, bool barVisible);
  int RowAtPosition(int coordinate) const;
  RowDrop DropRowAt(int coordinate) const;
  void OpenRow(int row);
  // SetThickness: the dock's new size, a bottom or right dock keeping its
  // outer edge. AsClientSize adds the bound lines.
  void SetThickness(bool asClientSize, int width, int height);
  // Tiles the background into the clip rectangle from the tile rectangle's
  // corner (in the canvas's coordinates).
  void DrawBackgroundTiles(draw::Canvas& canvas, const draw::Rect& clip, const draw::Rect& tileRect);
  // Where the background tiles start, in the dock's coordinates: the client
  // origin of the dock's parent, so the pattern continues across docks.
  QPoint tileOrigin() const;
  // The dock's painting: colour, background tiles and bound lines.
  void paintDock(draw::Canvas& canvas);
  // The client rectangle (inside the bound lines).
  draw::Rect clientRect() const;

  // Hiding a dock throws EInvalidOperation; a dock is shown for its life.
  void setVisible(bool visible) override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void childEvent(QChildEvent* event) override;

 private:
  // The bound lines' margins for a window size: none below 2 x 2 pixels.
  QMargins boundMarginsFor(int windowWidth, int windowHeight) const;
  void updateBoundLineMargins();
  void handleParentChange();
  void watchParent();
  // On a form without a layout the docks align themselves to their edges:
  // top and bottom docks span the form, left and right ones the room between.
  static void alignDocks(QWidget* parent);
  void discardTransparentCache();
  void repaintWithBars();
  const QImage& tile();

  QImage background_;
  QImage transparentCache_;
  bool backgroundTransparent_ = false;
  TDockBoundLines boundLines_ = 0;
  draw::Color color_;
  bool fixAlign_ = false;
  bool limitToOneRow_ = false;
  bool allowDrag_ = true;
  TDockPosition position_ = TDockPosition::dpTop;
  int arrangeLock_ = 0;
  std::vector<TToolbar*> barList_;
  std::vector<RowExtent> rowExtents_;
  QPointer<QMenu> popupMenu_;
  QPointer<QWidget> watchedParent_;
  QPointer<QWidget> parentBefore_;  // the parent a refused re-parenting returns to
  bool relayingOut_ = false;        // the dock's own resize does not lay it out again
  bool destroying_ = false;
  bool reparenting_ = false;  // Qt hides a widget it re-parents: that is no hiding of the dock
};

}  // namespace sorabel::toolbars
