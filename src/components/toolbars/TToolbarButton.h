#pragma once
// A flat toolbar button: no border while idle, a thin raised border while
// the mouse is over it (hot), a thin sunken border while pressed or latched
// down. It shows a glyph, a caption or both through its glyph renderer, can
// be one of a group of latching buttons, and can drop down a popup menu.
// Hot tracking is shared by all buttons of the process: at most one button
// is hot, and one 125 ms timer notices when the mouse has left it.

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "components/toolbars/TButtonGlyph.h"
#include "components/toolbars/ToolbarTypes.h"
#include "draw/Canvas.h"

class QMenu;
class QShortcut;
class QTimer;

namespace sorabel::toolbars {

class TToolbarButton : public QWidget {
  Q_OBJECT

 public:
  explicit TToolbarButton(QWidget* parent);
  ~TToolbarButton() override;

  // Margin and Spacing: -1 (centred) to these; NumGlyphs 1 to 4; GroupIndex
  // 0 or above. Values outside are ignored.
  static constexpr int kMaxMargin = 32767;
  static constexpr int kMaxSpacing = 32767;

  // Properties.
  bool AllowAllUp() const { return allowAllUp_; }
  void setAllowAllUp(bool allow);
  int GroupIndex() const { return groupIndex_; }
  void setGroupIndex(int index);
  TButtonDisplayMode DisplayMode() const { return displayMode_; }
  void setDisplayMode(TButtonDisplayMode mode);
  bool Down() const { return down_; }
  void setDown(bool down);
  bool DropdownArrow() const { return dropdownArrow_; }
  void setDropdownArrow(bool show);
  QMenu* DropdownMenu() const { return dropdownMenu_; }
  void setDropdownMenu(QMenu* menu);
  const QString& Caption() const { return caption_; }
  void setCaption(const QString& caption);
  const QImage& Glyph() const { return glyph_.SourceBitmap(); }
  void setGlyph(const QImage& glyph);
  TButtonLayout Layout() const { return layout_; }
  void setLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  void setMargin(int margin);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void setNumGlyphs(int count);
  bool Opaque() const { return opaque_; }
  void setOpaque(bool opaque);
  int Spacing() const { return spacing_; }
  void setSpacing(int spacing);
  bool WordWrap() const { return wordWrap_; }
  void setWordWrap(bool wrap);
  // The hint, shown as a tooltip and as the status tip.
  void setHint(const QString& hint);

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(QMouseEvent*)> OnMouseDown;
  std::function<void(QMouseEvent*)> OnMouseMove;
  std::function<void(QMouseEvent*)> OnMouseUp;

  // State.
  FaceState faceState() const { return faceState_; }
  bool Hot() const { return hot_; }
  bool Tracking() const { return tracking_; }
  TButtonGlyph& glyphRenderer() { return glyph_; }

  void MouseEntered();
  void MouseLeft();
  void RefreshHover();
  void Redraw();
  void SyncGroup();
  // The click handling, as a click by mouse, keyboard or code runs it.
  void Click();
  // A press from the keyboard or an accessibility tool: a button of a group
  // toggles as a mouse click would toggle it, then the click handling runs.
  void pressFromKeyboard();

  // The button's painting, on any canvas.
  void paintOn(draw::Canvas& canvas) const;

  // Process-wide hot tracking.
  static TToolbarButton* HoverButton();
  static QTimer* HoverTimer();
  static int livingButtons();
  static const QImage& DitherBitmap();
  // How the control under the cursor is found (disabled ones included);
  // tests give their own.
  static void setControlUnderCursor(std::function<QWidget*()> probe);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void handlePress(QMouseEvent* event);
  // The face state as painted: disabled while the button is disabled.
  FaceState shownState() const;
  void groupMessage(TToolbarButton* sender);
  void hoverTick();
  void prepareEnabledCell();
  void dropDown();
  void updateAccelerator();
  void updateAccessibleState();
  draw::Color faceColor() const;

  // The renderer builds each state's image on its first drawing.
  mutable TButtonGlyph glyph_;
  bool allowAllUp_ = false;
  int groupIndex_ = 0;
  TButtonDisplayMode displayMode_ = TButtonDisplayMode::dmBoth;
  bool down_ = false;
  bool dropdownArrow_ = true;
  QPointer<QMenu> dropdownMenu_;
  QString caption_;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  bool opaque_ = true;
  int spacing_ = kDefaultSpacing;
  bool wordWrap_ = false;
  FaceState faceState_ = FaceState::Up;
  bool hot_ = false;
  bool tracking_ = false;
  bool inClick_ = false;
  bool reportedPressed_ = false;  // the state last told to accessibility tools
  bool reportedDown_ = false;
  QShortcut* accelerator_ = nullptr;
};

}  // namespace sorabel::toolbars
