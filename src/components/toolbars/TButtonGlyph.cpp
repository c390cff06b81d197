#include "components/toolbars/TButtonGlyph.h"

#include <QGuiApplication>
#include <algorithm>

#include "components/toolbars/TGlyphList.h"
#include "draw/SysColors.h"

namespace sorabel::toolbars {

using namespace draw;

namespace {

// An image's colour as a Color, alpha kept in the high byte when the pixel
// is not opaque (so a transparent key matches only transparent pixels).
Color keyOf(QRgb pixel) {
  const Color color = rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
  return qAlpha(pixel) == 255 ? color : (color | (static_cast<Color>(qAlpha(pixel) & 0x7F) << 24) | 0x80000000u);
}

QImage withoutKey(const QImage& image, Color key) {
  QImage result = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < result.height(); ++y)
    for (int x = 0; x < result.width(); ++x)
      if (keyOf(result.pixel(x, y)) == key || qAlpha(result.pixel(x, y)) == 0) result.setPixel(x, y, qRgba(0, 0, 0, 0));
  return result;
}

// The black pixels of a cell (a monochrome glyph taken as colour first):
// the lines the embossed disabled image keeps. Black in the mask: set.
QImage blackPixelMask(const QImage& cell, Color key) {
  const QImage source = cell.convertToFormat(QImage::Format_ARGB32);
  QImage mask(source.size(), QImage::Format_RGB32);
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) {
      const QRgb pixel = source.pixel(x, y);
      const bool black = qAlpha(pixel) == 255 && (pixel & 0xFFFFFF) == 0 && keyOf(pixel) != key;
      mask.setPixel(x, y, black ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
  return mask;
}

}  // namespace

Color transparentColorOf(const QImage& bitmap) {
  if (bitmap.isNull()) return clOlive;
  return keyOf(bitmap.pixel(0, bitmap.height() - 1));
}

TButtonGlyph::TButtonGlyph() = default;

TButtonGlyph::~TButtonGlyph() {
  source_ = QImage();
  ReleaseCells();
  TGlyphCache::freeIfEmpty();
}

void TButtonGlyph::changed() {
  transparentColor_ = transparentColorOf(source_);
  ReleaseCells();
  if (OnChange) OnChange();
}

void TButtonGlyph::SetGlyph(const QImage& bitmap) {
  ReleaseCells();
  source_ = bitmap;
  if (!bitmap.isNull() && bitmap.height() > 0) {
    transparentColor_ = transparentColorOf(bitmap);
    if (bitmap.width() % bitmap.height() == 0) {
      const int cells = bitmap.width() / bitmap.height();
      SetNumGlyphs(cells < 5 ? cells : 1);
    }
  }
  changed();
}

void TButtonGlyph::SetNumGlyphs(int count) {
  if (count == numGlyphs_ || count == 0) return;
  ReleaseCells();
  numGlyphs_ = count;
  changed();
}

void TButtonGlyph::ReleaseCells() {
  for (int& cell : cells_) {
    if (cell != -1 && cellList_ != nullptr) cellList_->Release(cell);
    cell = -1;
  }
  if (cellList_ != nullptr && TGlyphCache::instance() != nullptr) TGlyphCache::instance()->ReleaseList(cellList_);
  cellList_ = nullptr;
}

Size TButtonGlyph::cellSize() const {
  const QSizeF logical = source_.deviceIndependentSize();
  return {qRound(logical.width() / numGlyphs_), qRound(logical.height())};
}

QImage TButtonGlyph::cellOf(int cell) const {
  const int width = source_.width() / numGlyphs_;
  return source_.copy(cell * width, 0, width, source_.height());
}

void TButtonGlyph::setPalette(const QPalette& palette) {
  if (palette_ && *palette_ == palette) return;
  ReleaseCells();
  palette_ = palette;
}

QPalette TButtonGlyph::palette() const { return palette_ ? *palette_ : QGuiApplication::palette(); }

QImage TButtonGlyph::disabledImage() const {
  const QPalette palette = this->palette();
  const QColor face = resolve(clBtnFace, palette);
  const EmbossColours emboss = embossColours(isDarkPalette(palette));
  if (numGlyphs_ < 2) {
    const QImage mask = blackPixelMask(cellOf(0), transparentColor_);
    QImage work(mask.size(), QImage::Format_ARGB32);
    work.setDevicePixelRatio(source_.devicePixelRatio());
    work.fill(face);
    const QColor highlight = resolve(emboss.highlight, palette);
    const QColor shadow = resolve(emboss.shape, palette);
    // The highlight lies one logical pixel down and right: as many device
    // pixels as the glyph has to a logical one.
    const int shift = std::max(1, qRound(source_.devicePixelRatio()));
    for (int y = 0; y < mask.height(); ++y)
      for (int x = 0; x < mask.width(); ++x)
        if ((mask.pixel(x, y) & 0xFFFFFF) == 0 && x + shift < work.width() && y + shift < work.height())
          work.setPixelColor(x + shift, y + shift, highlight);
    for (int y = 0; y < mask.height(); ++y)
      for (int x = 0; x < mask.width(); ++x)
        if ((mask.pixel(x, y) & 0xFFFFFF) == 0) work.setPixelColor(x, y, shadow);
    return withTransparentColor(work, toRgb(face));  // the face colour is the mask colour
  }
  QImage work = cellOf(1).convertToFormat(QImage::Format_ARGB32);
  const QRgb highlight = resolve(emboss.highlight, palette).rgb();
  const QRgb shadow = resolve(emboss.shape, palette).rgb();
  for (int y = 0; y < work.height(); ++y)
    for (int x = 0; x < work.width(); ++x) {
      const QRgb pixel = work.pixel(x, y);
      if (keyOf(pixel) == transparentColor_ || qAlpha(pixel) == 0) {
        work.setPixel(x, y, qRgba(0, 0, 0, 0));
      } else if ((pixel & 0xFFFFFF) == 0xFFFFFF) {
        work.setPixel(x, y, highlight);
      } else if ((pixel & 0xFFFFFF) == 0x808080) {
        work.setPixel(x, y, shadow);
      }
    }
  return work;
}

int TButtonGlyph::PrepareCell(FaceState state) {
  if (state == FaceState::Down && numGlyphs_ < 3) state = FaceState::Up;
  int& entry = cells_[static_cast<std::size_t>(state)];
  if (entry != -1) return entry;
  if (source_.width() == 0 || source_.height() == 0) return -1;
  const Size cell = cellSize();
  if (cellList_ == nullptr) cellList_ = TGlyphCache::ensure().ListFor(cell.width, cell.height);
  const int index = static_cast<int>(state) < numGlyphs_ ? static_cast<int>(state) : 0;
  if (state == FaceState::Disabled)
    entry = cellList_->AddWithMask(disabledImage(), QImage());
  else
    entry = cellList_->AddWithMask(withoutKey(cellOf(index), transparentColor_), QImage());
  return entry;
}

Rect TButtonGlyph::Draw(Canvas& canvas, const Rect& client, const DrawOptions& options) {
  GlyphLayoutInput input;
  input.content = client;
  input.offset = options.offset;
  input.layout = options.layout;
  input.margin = options.margin;
  input.spacing = options.spacing;
  input.dropdown = options.dropdown;
  input.wordWrap = options.wordWrap;
  input.caption = options.caption;
  input.showText = options.showText;
  input.showGlyph = options.showGlyph;
  if (!source_.isNull()) input.glyph = cellSize();
  input.measure = [&canvas](const QString& text, int width, bool wrap) {
    const Rect r = canvas.drawText(text, {0, 0, width, 0},
                                   DT_CALCRECT | (wrap ? unsigned{DT_WORDBREAK} : unsigned{DT_SINGLELINE}));
    return Size{r.width(), r.height()};
  };
  const GlyphLayoutResult layout = computeGlyphLayout(input);

  if (options.showGlyph && source_.width() > 0 && source_.height() > 0) {  // DrawGlyph
    const int index = PrepareCell(options.state);
    if (index >= 0) {
      // Not transparent: the glyph sits on the button face instead of on
      // what lies under the button (a latched glyph always shows the dither).
      if (!options.transparent && options.state != FaceState::Exclusive) {
        canvas.setBrushColor(clBtnFace);
        canvas.fillRect({layout.glyph.x, layout.glyph.y, layout.glyph.x + cellList_->width(),
                         layout.glyph.y + cellList_->height()});
      }
      cellList_->draw(canvas, index, layout.glyph);
    }
  }
  if (options.showText && !layout.textBounds.isEmpty()) {  // DrawLabel
    canvas.setBrushHollow();
    const unsigned format = DT_CENTER | DT_VCENTER | (options.wordWrap ? unsigned{DT_WORDBREAK} : unsigned{DT_SINGLELINE});
    if (options.state == FaceState::Disabled) {
      const Color text = canvas.font().color;
      canvas.setFontColor(clBtnHighlight);
      canvas.drawText(options.caption, layout.textBounds.translated(1, 1), format);
      canvas.setFontColor(clBtnShadow);
      canvas.drawText(options.caption, layout.textBounds, format);
      canvas.setFontColor(text);
    } else {
      canvas.drawText(options.caption, layout.textBounds, format);
    }
  }
  if (options.dropdown) {  // DrawArrow: a small downward triangle
    const Pen pen = canvas.pen();
    canvas.setPen(canvas.font().color);
    const Point a = layout.arrow;
    canvas.line({a.x + 4, a.y}, {a.x + 9, a.y});
    canvas.line({a.x + 5, a.y + 1}, {a.x + 8, a.y + 1});
    canvas.line({a.x + 6, a.y + 2}, {a.x + 7, a.y + 2});
    canvas.setPen(pen.color, pen.width, pen.style);
  }
  return layout.textBounds;
}

}  // namespace sorabel::toolbars
