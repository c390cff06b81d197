#include "draw/Canvas.h"

#include "draw/Edges.h"

namespace sorabel::draw {

void Canvas::setBrushColor(Color color) {
  state_.brush.style = BrushStyle::Solid;
  state_.brush.color = color;
  state_.brush.pattern = QImage();
}

void Canvas::setBrushPattern(const QImage& pattern) {
  state_.brush.style = BrushStyle::Pattern;
  state_.brush.pattern = pattern;
}

void Canvas::setBrushHollow() {
  state_.brush.style = BrushStyle::Hollow;
  state_.brush.pattern = QImage();
}

void Canvas::setPen(Color color, int width, PenStyle style) { state_.pen = {color, width, style}; }

void Canvas::save() { saved_.push_back(state_); }

void Canvas::restore() {
  if (saved_.empty()) return;
  state_ = saved_.back();
  saved_.pop_back();
  clipChanged();
}

void Canvas::setClipRect(const Rect& rect) {
  state_.clipped = true;
  state_.clip = rect;
  clipChanged();
}

Rect Canvas::drawEdge(const Rect& rect, unsigned edge, unsigned flags) {
  const EdgePlan plan = planEdge(rect, edge, flags);
  const Pen pen = state_.pen;
  for (const EdgeLine& edgeLine : plan.lines) {
    setPen(edgeLine.color);
    line(edgeLine.from, edgeLine.to);
  }
  state_.pen = pen;
  if (plan.fillMiddle) {
    const Brush brush = state_.brush;
    setBrushColor(clBtnFace);
    fillRect(plan.middle);
    state_.brush = brush;
  }
  return plan.middle;
}

QImage embossMask(const QImage& image) {
  QImage source = image.convertToFormat(QImage::Format_ARGB32);
  QImage mask(source.size(), QImage::Format_ARGB32);
  mask.setDevicePixelRatio(image.devicePixelRatio());
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) {
      const QRgb pixel = source.pixel(x, y);
      const bool drawn = qAlpha(pixel) >= 128 && (qRed(pixel) < 255 || qGreen(pixel) < 255 || qBlue(pixel) < 255);
      mask.setPixel(x, y, drawn ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
  return mask;
}

EmbossColours embossColours(bool darkTheme) { return {clBtnHighlight, darkTheme ? clGrayText : clBtnShadow}; }

QImage withTransparentColor(const QImage& image, Color color) {
  QImage result = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = qRgb(redOf(color), greenOf(color), blueOf(color));
  for (int y = 0; y < result.height(); ++y)
    for (int x = 0; x < result.width(); ++x)
      if ((result.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) result.setPixel(x, y, qRgba(0, 0, 0, 0));
  return result;
}

QImage checkerPattern(const QColor& base, const QColor& light) {
  QImage pattern(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.setPixel(x, y, ((x % 2) == (y % 2) ? light : base).rgb());
  return pattern;
}

}  // namespace sorabel::draw
