#include "widgets/MonthChartColours.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

namespace sorabel {
namespace {

double channel(double value) {
  return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

bool isLight(const QColor& background) {
  return contrastRatio(background, Qt::black) > contrastRatio(background, Qt::white);
}

QColor mixed(const QColor& front, const QColor& back, double share) {
  const QColor a = front.toRgb();
  const QColor b = back.toRgb();
  return QColor::fromRgbF(static_cast<float>(a.redF() * share + b.redF() * (1 - share)),
                          static_cast<float>(a.greenF() * share + b.greenF() * (1 - share)),
                          static_cast<float>(a.blueF() * share + b.blueF() * (1 - share)));
}

QColor readableText(const QColor& text, const QColor& background) {
  if (contrastRatio(text, background) >= kTextContrast) return text;
  return isLight(background) ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor standingOut(int hue, int saturation, const QColor& background, double ratio) {
  const bool darken = isLight(background);
  QColor colour;
  for (int lightness = 128; lightness >= 0 && lightness <= 255; lightness += darken ? -4 : 4) {
    colour = QColor::fromHsl(hue, saturation, lightness);
    if (contrastRatio(colour, background) >= ratio) return colour;
  }
  return darken ? QColor(Qt::black) : QColor(Qt::white);
}

ChartColours chartColours(const QPalette& palette) {
  ChartColours colours;
  colours.background = palette.color(QPalette::Base);
  colours.text = readableText(palette.color(QPalette::Text), colours.background);
  colours.grid = mixed(colours.text, colours.background, 0.18);
  colours.zeroLine = mixed(colours.text, colours.background, 0.7);
  colours.income = standingOut(212, 170, colours.background, kGraphicContrast);
  colours.expense = standingOut(24, 200, colours.background, kGraphicContrast);
  colours.balance = colours.text;
  colours.hover = palette.color(QPalette::Highlight);
  colours.hover.setAlpha(48);
  return colours;
}

}  // namespace sorabel
