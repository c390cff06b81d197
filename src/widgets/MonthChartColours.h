#pragma once
// The monthly chart's colours, taken from the palette so that the chart
// follows a light or a dark theme: text and lines from the palette's text
// colour on its base colour, and two bar colours of fixed hues (blue for
// income, orange for expense) whose lightness is moved away from the
// background until they stand out from it.

#include <QColor>

class QPalette;

namespace sorabel {

struct ChartColours {
  QColor background;
  QColor text;
  QColor grid;      // the amount steps' lines
  QColor zeroLine;  // the axis through zero
  QColor income;
  QColor expense;
  QColor balance;  // the balance line and its points
  QColor hover;    // the column of the month under the mouse
};

// The contrast ratio of two colours, from 1 (alike) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A colour of hue and saturation (0 to 255) that reaches at least ratio
// against background: from a middle lightness, darker on a light background
// and lighter on a dark one.
QColor standingOut(int hue, int saturation, const QColor& background, double ratio);

// Text keeps 4.5 : 1 against the background (the palette's text colour, or
// black or white when that is too faint); bars and lines keep 3 : 1.
ChartColours chartColours(const QPalette& palette);

constexpr double kTextContrast = 4.5;
constexpr double kGraphicContrast = 3.0;

}  // namespace sorabel
