#pragma once
// Contrast of painted colours as readers see it (relative luminance and the
// contrast ratio of the accessibility guidelines), a widget rendered at a
// device pixel ratio, and the search for the colour of the text or mark
// painted in a part of a rendering.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace sorabel::test {

inline double relativeLuminance(const QColor& colour) {
  auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

// From 1 (alike) to 21 (black on white).
inline double contrast(const QColor& a, const QColor& b) {
  const double la = relativeLuminance(a);
  const double lb = relativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The widget painted into an image of ratio device pixels per logical
// pixel, on magenta so that what it leaves unpainted shows.
inline QImage rendered(QWidget* widget, qreal ratio) {
  QImage image(widget->size() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::magenta);
  widget->render(&image);
  return image;
}

// The best contrast any pixel of an area of image (in device pixels) has
// against every one of the background colours: how well what is painted
// there stands out. Anti-aliased text reaches its own colour in the middle
// of its strokes, so this is the text colour's contrast.
inline double strongestContrast(const QImage& image, const QRect& area, std::initializer_list<QColor> backgrounds) {
  double best = 1.0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      double weakest = 21.0;
      for (const QColor& background : backgrounds) weakest = std::min(weakest, contrast(pixel, background));
      best = std::max(best, weakest);
    }
  return best;
}

}  // namespace sorabel::test
