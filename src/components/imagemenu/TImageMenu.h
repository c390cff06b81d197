#pragma once
// The image menu component.
//
// Architecture in brief:
//  - TImageMenu holds all state and measures and draws the items of one
//    menu: a form's menu bar (a main menu) or a popup menu. Measuring and
//    drawing are split into virtual operations a descendant can replace one
//    by one, and they draw on the drawing port's Canvas, so tests check them
//    on a recording canvas.
//  - OwnerDrawItems turns the menu's items into owner-drawn items: each
//    QAction carries the component as its item data (a property) and each
//    menu widget gets the component's MenuItemStyle, a proxy style whose
//    measure request (sizeFromContents) and draw request (drawControl) come
//    back to the component named by the item. Every conversion makes the
//    menus measure their items again, also a menu that is open.
//  - TMainImageMenu (the class placed on forms) publishes the properties
//    and hooks the form: hot tracking of the bar items (BarHotTracker),
//    item hints, accelerator letters, the menu loop and the menu cursor.
//    The state it keeps (InMenuLoop, SubmenuSelected, the hot items,
//    HintRect) is owned here and only read by others.
//  - TSysMenu draws a form's window menu (WindowMenu); TMenuButtonBar shows
//    a main menu as a bar of flat buttons; MenuAccessibility answers for
//    the items, menus and buttons to accessibility tools.
//  - Nothing here knows the cash book; the component links only Qt and the
//    drawing port.

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "components/imagemenu/BarHotTracker.h"
#include "components/imagemenu/ComponentBitmaps.h"
#include "components/imagemenu/ImageMenuTypes.h"
#include "components/imagemenu/MenuStructure.h"
#include "components/imagemenu/TBanner.h"
#include "components/imagemenu/TItemImages.h"
#include "draw/Canvas.h"
#include "draw/CanvasFont.h"
#include "draw/ImageList.h"
#include "draw/QtCanvas.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPainter;
class QPalette;

namespace sorabel::imagemenu {

class MenuItemStyle;
class TSysMenu;

class TImageMenu : public QObject {
  Q_OBJECT

 public:
  // A popup item's caption starts at the left and its shortcut text ends
  // kShortCutRightMargin pixels before the right edge; both on one line.
  static constexpr unsigned kCaptionFormat = draw::DT_LEFT | draw::DT_VCENTER | draw::DT_SINGLELINE | draw::DT_EXPANDTABS;
  static constexpr unsigned kShortCutFormat = draw::DT_RIGHT | draw::DT_VCENTER | draw::DT_SINGLELINE | draw::DT_EXPANDTABS;
  static constexpr int kShortCutRightMargin = 15;

  explicit TImageMenu(QObject* owner);
  ~TImageMenu() override;

  // Properties (published by TMainImageMenu). Out-of-range values are
  // ignored (ImageMenuTypes.h gives the ranges).
  const draw::CanvasFont& ActiveFont() const { return activeFont_; }
  void setActiveFont(const draw::CanvasFont& font);
  const draw::CanvasFont& InActiveFont() const { return inActiveFont_; }
  void setInActiveFont(const draw::CanvasFont& font);
  draw::Color ActiveColor() const { return activeColor_; }
  void setActiveColor(draw::Color color);
  draw::Color InActiveColor() const { return inActiveColor_; }
  void setInActiveColor(draw::Color color);
  const QImage& ActiveBitmap() const { return activeBitmap_; }
  void setActiveBitmap(const QImage& bitmap);
  const QImage& InActiveBitmap() const { return inActiveBitmap_; }
  void setInActiveBitmap(const QImage& bitmap);
  Qt::CursorShape Cursor() const { return cursor_; }
  void setCursor(int cursor);
  bool DefaultFont() const { return defaultFont_; }
  void setDefaultFont(bool value);
  draw::ImageList* Images() const { return images_; }
  void setImages(draw::ImageList* images);
  TItemImages& ItemImages() { return itemImages_; }
  const TItemImages& ItemImages() const { return itemImages_; }
  int ItemHeight() const { return itemHeight_; }
  void setItemHeight(int height);
  bool LargeImage() const { return largeImage_; }
  void setLargeImage(bool large);
  QWidget* Menu() const { return menu_; }
  void setMenu(QWidget* menu);
  TMenuStyle MenuStyle() const { return menuStyle_; }
  void setMenuStyle(TMenuStyle style);
  bool ShowHint() const { return showHint_; }
  void setShowHint(bool show) { showHint_ = show; }
  TSysMenu& SysMenu() { return *sysMenu_; }
  const TSysMenu& SysMenu() const { return *sysMenu_; }
  // Not published by TMainImageMenu; popup menus of a program may use it.
  TBanner& Banner() { return banner_; }

  TDrawMenuItemEvent OnDrawItem;
  TMeasureMenuItemEvent OnMeasureItem;
  TMenuSelectEvent OnMenuSelect;

  // State, kept by the form's hook.
  int ImageSize() const { return imageSize_; }
  const QImage& ActiveTile() const { return activeTile_; }
  const QImage& InActiveTile() const { return inActiveTile_; }
  bool InMenuLoop() const { return inMenuLoop_; }
  bool SubmenuSelected() const { return submenuSelected_; }
  int HotIndex() const { return tracker_.HotIndex; }
  int LastHotIndex() const { return tracker_.LastHotIndex; }
  const QRect& HintRect() const { return hintRect_; }

  // The picture index of an item: -1 without Images or without a row.
  int ImageIndexOf(const QAction* item) const;
  // The hint of an item's first row; empty without one.
  QString HintOf(const QAction* item) const;

  // Makes item and all below it owner-drawn (nullptr: the menu's root),
  // and has every converted menu measure its items again.
  // Throws EImageMenuError "<caption> のオーナードローに失敗しました".
  void OwnerDrawItems(QAction* item = nullptr);
  // Tiles a background picture to 400 x 600 pixels.
  void BuildTile(bool active);

  // The measure request of an item of Menu or of the window menu; nothing
  // when it failed (the error has gone to the exception handler).
  std::optional<draw::Size> measureRequest(QAction* item);
  // The draw request on a painter: DrawCanvas is attached for its duration.
  void drawRequest(QPainter& painter, const QPalette& palette, QWidget* menu, QAction* item, unsigned state,
                   const draw::Rect& rect);
  // The draw request on any canvas (the steps after attaching).
  void drawRequest(draw::Canvas& canvas, QWidget* menu, QAction* item, unsigned state, const draw::Rect& rect);

  // The virtual operations, in slot order.
  virtual void DrawMenuItem(QWidget* menu, QAction* item, unsigned state, const draw::Rect& rect);
  virtual void MeasureMenuItem(QAction* item, int& height);
  virtual void MenuItemSelected(QAction* item, const QString& hint);
  virtual void ShowItemHint(const QString& text);
  virtual void DrawGrayImage(QAction* item, draw::Canvas& canvas, unsigned state, const draw::Rect& rect);
  virtual void DrawSeparator(draw::Canvas& canvas, const draw::Rect& rect);
  virtual void DrawItemText(QAction* item, draw::Canvas& canvas, unsigned state, const draw::Rect& rect);
  virtual void DrawItemEdge(QAction* item, draw::Canvas& canvas, unsigned state, const draw::Rect& rect);
  virtual void DrawItemGlyph(QAction* item, draw::Canvas& canvas, unsigned state, const draw::Rect& rect);
  void HideItemHint();

  // The canvas the draw request is attached to.
  draw::Canvas& DrawCanvas() { return *drawCanvas_; }

  // DrawGrayImage's embossing of a picture at a point: the button highlight
  // through its mask one pixel right and down, then the shape in place (in
  // the shadow, or on a dark theme the disabled text colour).
  static void embossPicture(draw::Canvas& canvas, const QImage& picture, draw::Point at);
  // A mask of the components' pictures at the canvas's pixel ratio, painted
  // in a colour at a point.
  static void paintMask(draw::Canvas& canvas, ComponentPicture picture, draw::Point at, draw::Color color);

  // Measuring uses a canvas on the screen; tests give their own.
  void setMeasureCanvasFactory(std::function<std::unique_ptr<draw::Canvas>()> factory);

  // The dither of a checked item's picture cell, made from the current
  // menu and highlight colours (made again when they change).
  static const QImage& CheckedPattern();
  static void discardCheckedPattern();

 protected:
  // The form that owns the component; throws EInvalidCast for another owner.
  QWidget* ownerForm() const;
  void DrawMenuBar();
  // Every converted menu measures its items again: open drop-downs at
  // once, a menu bar with an open drop-down once its drop-downs close.
  void remeasure();
  // A menu widget was converted (TMainImageMenu watches it).
  virtual void itemConverted(QWidget* menuWidget) { (void)menuWidget; }
  // The cursor changed.
  virtual void cursorChanged() {}

  // The state the form's hook keeps.
  void setInMenuLoop(bool on) { inMenuLoop_ = on; }
  void setSubmenuSelected(bool on) { submenuSelected_ = on; }
  void setHintRect(const QRect& rect) { hintRect_ = rect; }
  BarHotTracker& hotTracker() { return tracker_; }

  bool isMainMenu() const { return imagemenu::isMainMenu(menu_); }
  bool isBarItem(const QAction* item) const { return imagemenu::isBarItem(menu_, item); }
  bool containsItem(const QAction* item) const { return imagemenu::containsItem(menu_, item); }

 private:
  static void sendStyleChange(QWidget* widget);
  static QMenu* openDropDownOf(const QMenuBar* bar);
  void remeasureWhenClosed(QMenuBar* bar);
  friend class TSysMenu;

  // Gives a menu widget the component's item style.
  void useItemStyle(QWidget* widget);
  void convertTree(QAction* item);
  void convertMenuWidget(QWidget* widget);
  void convertItem(QAction* item);
  void forgetMenu();
  void forgetImages();
  void forgetItem(QObject* item);
  bool bannerApplies(const QAction* item) const;
  void drawBanner(QWidget* menu, const draw::Rect& strip);
  void paintEarlierBackground(QAction* item, unsigned state, const draw::Rect& rect);
  void drawBackground(QAction* item, unsigned state, const draw::Rect& r, const draw::Rect& g, const draw::Rect& t);
  void copyTile(const QImage& tile, const draw::Rect& r);
  void drawPicture(QAction* item, draw::Canvas& canvas, const draw::Rect& p) const;
  // The check mark in the picture place p (16 or 32 pixels): the mark in
  // its colour (grey when disabled), a highlight row above, a shadow below.
  void drawCheck(draw::Canvas& canvas, bool enabled, draw::Color mark, const draw::Rect& p) const;
  static bool bitmapNotEmpty(const QImage& bitmap) { return !bitmap.isNull() && bitmap.height() > 0; }

  draw::CanvasFont activeFont_;
  QImage activeBitmap_;
  draw::Color activeColor_ = draw::clHighlight;
  TBanner banner_;
  std::unique_ptr<TSysMenu> sysMenu_;
  draw::QtCanvas qtCanvas_;
  draw::Canvas* drawCanvas_ = &qtCanvas_;
  Qt::CursorShape cursor_ = Qt::ArrowCursor;
  bool defaultFont_ = false;
  QPointer<draw::ImageList> images_;
  QImage inActiveBitmap_;
  draw::Color inActiveColor_ = draw::clMenu;
  draw::CanvasFont inActiveFont_;
  bool inMenuLoop_ = false;
  bool submenuSelected_ = false;
  TItemImages itemImages_;
  int itemHeight_ = kDefaultItemHeight;
  bool largeImage_ = false;
  QPointer<QWidget> menu_;
  TMenuStyle menuStyle_ = TMenuStyle::msOffice;
  bool showHint_ = false;
  int imageSize_ = kPictureSize;
  QRect hintRect_;
  QImage activeTile_;
  QImage inActiveTile_;
  QLabel* hintWindow_ = nullptr;
  BarHotTracker tracker_;
  std::unique_ptr<MenuItemStyle> style_;
  std::function<std::unique_ptr<draw::Canvas>()> measureCanvasFactory_;
  QList<QMetaObject::Connection> itemConnections_;
  QList<QPointer<QWidget>> convertedWidgets_;
  bool barRemeasurePending_ = false;
  std::array<QMetaObject::Connection, 2> dropDownWatch_;  // the open drop-down's hiding and deletion
};

}  // namespace sorabel::imagemenu
