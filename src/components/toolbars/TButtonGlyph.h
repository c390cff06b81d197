#pragma once
// The glyph renderer a toolbar button owns: it keeps the button's glyph
// strip (up, disabled, down, exclusive cells), builds the image of each
// state on first use (an embossed image for a disabled state that has no
// cell of its own), keeps the images in the image list its cell size
// shares with other buttons, and draws glyph, caption and drop-down arrow
// in the button's content rectangle.

#include <QImage>
#include <QPalette>
#include <array>
#include <functional>
#include <optional>

#include "components/toolbars/GlyphLayout.h"
#include "components/toolbars/ToolbarTypes.h"
#include "draw/Canvas.h"

namespace sorabel::toolbars {

class TGlyphList;

// A button's face state, which is also its glyph cell.
enum class FaceState : int { Up = 0, Disabled = 1, Down = 2, Exclusive = 3 };

class TButtonGlyph {
 public:
  TButtonGlyph();
  ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  const QImage& SourceBitmap() const { return source_; }
  int NumGlyphs() const { return numGlyphs_; }
  draw::Color TransparentColor() const { return transparentColor_; }
  TGlyphList* CellList() const { return cellList_; }

  // Told when the glyph changes (the button redraws).
  std::function<void()> OnChange;

  void SetGlyph(const QImage& bitmap);
  void SetNumGlyphs(int count);
  // The image index of a state's cell, built on first need; -1 without a
  // glyph.
  int PrepareCell(FaceState state);
  // Gives back every cached image (glyph, cell count or system colours
  // changed).
  void ReleaseCells();
  // The palette the disabled cell's colours come from (the application's
  // until one is given); another one releases the cells.
  void setPalette(const QPalette& palette);

  struct DrawOptions {
    bool transparent = true;
    FaceState state = FaceState::Up;
    bool dropdown = false;
    int spacing = kDefaultSpacing;
    int margin = -1;
    TButtonLayout layout = TButtonLayout::blGlyphLeft;
    bool wordWrap = false;
    QString caption;
    bool showText = true;
    bool showGlyph = true;
    draw::Point offset;
  };
  // Lays out and draws; returns the caption's bounds.
  draw::Rect Draw(draw::Canvas& canvas, const draw::Rect& client, const DrawOptions& options);

 private:
  void changed();
  // A cell's size in logical pixels (a glyph of device pixel ratio 2 has
  // twice as many pixels).
  draw::Size cellSize() const;
  QImage cellOf(int cell) const;
  QImage disabledImage() const;

  QPalette palette() const;

  QImage source_;
  std::optional<QPalette> palette_;
  int numGlyphs_ = 1;
  draw::Color transparentColor_ = draw::clOlive;
  std::array<int, 4> cells_{-1, -1, -1, -1};
  TGlyphList* cellList_ = nullptr;
};

// The colour of a bitmap's bottom-left pixel: its transparent colour.
draw::Color transparentColorOf(const QImage& bitmap);

}  // namespace sorabel::toolbars
