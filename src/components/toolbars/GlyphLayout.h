#pragma once
// ComputeLayout of the glyph renderer as a plain function: where glyph,
// caption and drop-down arrow go in a button's content rectangle for its
// Layout, Margin and Spacing. All halvings and thirds round toward zero.

#include <functional>

#include <QString>

#include "components/toolbars/ToolbarTypes.h"
#include "draw/DrawTypes.h"

namespace sorabel::toolbars {

// A button's Spacing until it is set; a wrapped caption's width is also
// worked out with it for an automatic (-1) spacing or margin.
constexpr int kDefaultSpacing = 4;
// The room the drop-down arrow takes.
constexpr int kArrowWidth = 9;
constexpr int kArrowHeight = 3;

struct GlyphLayoutInput {
  draw::Rect content;            // the content rectangle
  draw::Point offset;            // the press offset
  TButtonLayout layout = TButtonLayout::blGlyphLeft;
  int margin = -1;
  int spacing = kDefaultSpacing;
  bool dropdown = false;
  bool wordWrap = false;
  QString caption;
  bool showText = true;
  bool showGlyph = true;
  draw::Size glyph;              // the glyph's cell size (0 x 0 without one)
  // Measures the caption in a rectangle of the given width (word-wrapped
  // when asked): its width and height.
  std::function<draw::Size(const QString&, int width, bool wordWrap)> measure;
};

struct GlyphLayoutResult {
  draw::Point glyph;
  draw::Point arrow;
  draw::Rect textBounds;  // empty without a caption
  int margin = 0;         // as resolved
  int spacing = 0;
};

GlyphLayoutResult computeGlyphLayout(const GlyphLayoutInput& input);

}  // namespace sorabel::toolbars
