#include "components/toolbars/GlyphLayout.h"

namespace sorabel::toolbars {

GlyphLayoutResult computeGlyphLayout(const GlyphLayoutInput& in) {
  GlyphLayoutResult out;
  const int cw = in.content.width();
  const int ch = in.content.height();
  const int gw = in.showGlyph ? in.glyph.width : 0;  // glyph size
  const int gh = in.showGlyph ? in.glyph.height : 0;
  const int aw = in.dropdown ? kArrowWidth : 0;  // arrow size
  const int ah = in.dropdown ? kArrowHeight : 0;
  TButtonLayout layout = in.layout;  // a top or bottom glyph that is empty lays out as a left one
  const bool glyphEmpty = gw == 0 || gh == 0;
  if ((layout == TButtonLayout::blGlyphTop || layout == TButtonLayout::blGlyphBottom) && glyphEmpty)
    layout = TButtonLayout::blGlyphLeft;
  const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;

  int tw = 0;  // caption size
  int th = 0;
  if (in.showText && !in.caption.isEmpty()) {
    int width = cw - (horizontal ? aw : 0);
    if (in.wordWrap) {
      if (horizontal && !glyphEmpty) width -= gw + (in.spacing == -1 ? kDefaultSpacing : in.spacing);
      int m = kDefaultSpacing;
      if (horizontal && !glyphEmpty) m = in.margin != -1 ? in.margin : (in.spacing != -1 ? in.spacing : kDefaultSpacing);
      width -= 2 * m;
    }
    const draw::Size text = in.measure(in.caption, width, in.wordWrap);
    tw = text.width;
    th = text.height;
  }

  int gx = 0, gy = 0, tx = 0, ty = 0, ax = 0;
  if (!horizontal) {  // centring across the layout's axis
    gx = (cw - gw - aw + 1) / 2;
    tx = (cw - tw + 1) / 2;
    ax = glyphEmpty ? tx + tw : gx + gw;
  } else {
    gy = (ch - gh + 1) / 2;
    ty = (ch - th + 1) / 2;
  }
  int spacing = in.spacing;
  int margin = in.margin;
  if (tw == 0 || th == 0 || gw == 0 || gh == 0) spacing = 0;  // no spacing without both parts
  const int c = horizontal ? cw : ch;  // resolving automatic margin and spacing
  const int total = horizontal ? gw + tw + aw : gh + th;
  if (margin == -1 && spacing == -1) {
    margin = (c - total) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (c - (spacing + total) + 1) / 2;
  } else if (spacing == -1) {
    spacing = horizontal ? (c - margin - gw - aw - tw) / 2 : (c - margin - gh - th) / 2;
  }
  switch (layout) {  // placing along the axis
    case TButtonLayout::blGlyphLeft:
      gx = margin;
      tx = margin + gw + spacing;
      ax = tx + tw;
      break;
    case TButtonLayout::blGlyphRight:
      ax = cw - margin - aw;
      gx = ax - gw;
      tx = gx - spacing - tw;
      break;
    case TButtonLayout::blGlyphTop:
      gy = margin;
      ty = margin + gh + spacing;
      break;
    case TButtonLayout::blGlyphBottom:
      gy = ch - margin - gh;
      ty = gy - spacing - th;
      break;
  }
  const int ay = glyphEmpty ? ty + (th - ah) / 2 : gy + (gh - ah) / 2;  // arrow beside the glyph, or the caption without one
  // From content coordinates to the button's, moved by the press offset.
  const int dx = in.content.left + in.offset.x;
  const int dy = in.content.top + in.offset.y;
  out.glyph = {gx + dx, gy + dy};
  out.arrow = {ax + dx, ay + dy};
  if (tw > 0 || th > 0) out.textBounds = {tx + dx, ty + dy, tx + dx + tw, ty + dy + th};
  out.margin = margin;
  out.spacing = spacing;
  return out;
}

}  // namespace sorabel::toolbars
