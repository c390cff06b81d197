#include "draw/QtCanvas.h"

#include <QFontMetrics>

#include "draw/SysColors.h"

namespace sorabel::draw {
namespace {

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

int sign(int v) { return (v > 0) - (v < 0); }

int qtTextFlags(unsigned format) {
  int flags = 0;
  if (format & DT_CENTER)
    flags |= Qt::AlignHCenter;
  else if (format & DT_RIGHT)
    flags |= Qt::AlignRight;
  else
    flags |= Qt::AlignLeft;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
    flags |= Qt::AlignVCenter;
  else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
    flags |= Qt::AlignBottom;
  else
    flags |= Qt::AlignTop;
  if (format & DT_SINGLELINE) flags |= Qt::TextSingleLine;
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) flags |= Qt::TextWordWrap;
  if (format & DT_EXPANDTABS) flags |= Qt::TextExpandTabs;
  if (!(format & DT_NOPREFIX)) flags |= Qt::TextShowMnemonic;
  if (format & DT_NOCLIP) flags |= Qt::TextDontClip;
  return flags;
}

}  // namespace

Rect calculateTextRect(const QString& text, const Rect& rect, unsigned format, const QFont& font) {
  const QFontMetrics metrics(font);
  const int lineHeight = metrics.height() + ((format & DT_EXTERNALLEADING) ? metrics.leading() : 0);
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
    const int width = std::max(1, rect.width());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 100000), qtTextFlags(format & ~DT_CENTER & ~DT_RIGHT), text);
    const int lines = std::max(1, (bounds.height() + metrics.height() - 1) / metrics.height());
    return {rect.left, rect.top, rect.left + bounds.width(), rect.top + lines * lineHeight};
  }
  const QRect bounds = metrics.boundingRect(QRect(0, 0, 100000, lineHeight), qtTextFlags(format) & ~Qt::AlignVCenter, text);
  return {rect.left, rect.top, rect.left + bounds.width(), rect.top + lineHeight};
}

void QtCanvas::attach(QPainter* painter, const QPalette& palette) {
  painter_ = painter;
  palette_ = palette;
  if (painter_ != nullptr) painter_->setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::detach() { painter_ = nullptr; }

QColor QtCanvas::color(Color c) const { return resolve(c, palette_); }

QBrush QtCanvas::qbrush() const {
  const Brush& b = brush();
  if (b.style == BrushStyle::Pattern) return QBrush(b.pattern);
  if (b.style == BrushStyle::Hollow) return Qt::NoBrush;
  return QBrush(color(b.color));
}

void QtCanvas::fillRect(const Rect& rect) {
  if (painter_ == nullptr || brush().style == BrushStyle::Hollow || rect.isEmpty()) return;
  painter_->fillRect(toQRect(rect), qbrush());
}

void QtCanvas::frameRect(const Rect& rect) {
  if (painter_ == nullptr || rect.isEmpty()) return;
  const QBrush b = qbrush();
  painter_->fillRect(QRect(rect.left, rect.top, rect.width(), 1), b);
  painter_->fillRect(QRect(rect.left, rect.bottom - 1, rect.width(), 1), b);
  painter_->fillRect(QRect(rect.left, rect.top, 1, rect.height()), b);
  painter_->fillRect(QRect(rect.right - 1, rect.top, 1, rect.height()), b);
}

void QtCanvas::rectangle(const Rect& rect) {
  if (painter_ == nullptr || rect.isEmpty()) return;
  fillRect(rect.inflated(-1, -1));
  line({rect.left, rect.top}, {rect.right - 1, rect.top});
  line({rect.right - 1, rect.top}, {rect.right - 1, rect.bottom - 1});
  line({rect.right - 1, rect.bottom - 1}, {rect.left, rect.bottom - 1});
  line({rect.left, rect.bottom - 1}, {rect.left, rect.top});
}

void QtCanvas::drawFocusRect(const Rect& rect) {
  if (painter_ == nullptr || rect.isEmpty()) return;
  painter_->save();
  painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  for (int x = rect.left; x < rect.right; x += 2) {
    painter_->fillRect(x, rect.top, 1, 1, Qt::white);
    painter_->fillRect(x, rect.bottom - 1, 1, 1, Qt::white);
  }
  for (int y = rect.top + 2; y < rect.bottom - 1; y += 2) {
    painter_->fillRect(rect.left, y, 1, 1, Qt::white);
    painter_->fillRect(rect.right - 1, y, 1, 1, Qt::white);
  }
  painter_->restore();
}

void QtCanvas::line(Point from, Point to) {
  if (painter_ == nullptr || from == to) return;
  const Point last{to.x - sign(to.x - from.x), to.y - sign(to.y - from.y)};
  QPen qpen(color(pen().color), pen().width <= 1 ? 0 : pen().width);
  if (pen().style == PenStyle::Dot) qpen.setStyle(Qt::DotLine);
  painter_->setPen(qpen);
  painter_->drawLine(QPoint(from.x, from.y), QPoint(last.x, last.y));
}

void QtCanvas::setPixel(Point at, Color c) {
  if (painter_ != nullptr) painter_->fillRect(at.x, at.y, 1, 1, color(c));
}

Rect QtCanvas::drawText(const QString& text, const Rect& rect, unsigned format) {
  const QFont qfont = font().toQFont();
  if (format & DT_CALCRECT) return calculateTextRect(text, rect, format, qfont);
  if (painter_ == nullptr) return rect;
  painter_->setFont(qfont);
  if (brush().style != BrushStyle::Hollow) {  // opaque text: its background first
    const QRect bounds = painter_->boundingRect(toQRect(rect), qtTextFlags(format), text);
    painter_->fillRect(bounds.intersected(toQRect(rect)), qbrush());
  }
  painter_->setPen(color(font().color));
  painter_->drawText(toQRect(rect), qtTextFlags(format), text);
  return rect;
}

Size QtCanvas::textExtent(const QString& text) {
  const QFontMetrics metrics(font().toQFont());
  return {metrics.horizontalAdvance(text), metrics.height()};
}

void QtCanvas::drawImage(Point at, const QImage& image) {
  if (painter_ != nullptr) painter_->drawImage(QPoint(at.x, at.y), image);
}

void QtCanvas::drawImagePart(const Rect& dest, const QImage& image, const Rect& source) {
  if (painter_ != nullptr) painter_->drawImage(toQRect(dest), image, toQRect(source));
}

void QtCanvas::fillMask(Point at, const QImage& mask, Color c) {
  if (painter_ == nullptr) return;
  QImage painted(mask.size(), QImage::Format_ARGB32);
  painted.fill(Qt::transparent);
  const QRgb paint = color(c).rgb();
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if ((mask.pixel(x, y) & 0xFFFFFF) == 0) painted.setPixel(x, y, paint);
  painter_->drawImage(QPoint(at.x, at.y), painted);
}

void QtCanvas::clipChanged() {
  if (painter_ == nullptr) return;
  if (state().clipped)
    painter_->setClipRect(toQRect(state().clip));
  else
    painter_->setClipping(false);
}

Rect MeasureCanvas::drawText(const QString& text, const Rect& rect, unsigned format) {
  if (format & DT_CALCRECT) return calculateTextRect(text, rect, format, font().toQFont());
  return rect;
}

Size MeasureCanvas::textExtent(const QString& text) {
  const QFontMetrics metrics(font().toQFont());
  return {metrics.horizontalAdvance(text), metrics.height()};
}

}  // namespace sorabel::draw
