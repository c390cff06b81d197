#pragma once
// Widths of the grids' columns from the texts they show: a cell shows its
// text whole when the column is as wide as the text plus the insets the
// cells are drawn with.

#include <QFontMetrics>
#include <QString>
#include <array>

namespace sorabel {

// The column width that shows a text textWidth pixels wide whole.
int columnWidthForText(int textWidth);

// The widest text an amount column must show whole: the widest amount a
// signed 32-bit total can be, written "#,##0" with the widest digit of the
// font.
QString widestAmountSample(const QFontMetrics& metrics);

// Measures many short texts quickly: texts of ASCII characters add up the
// advances of their characters, others are measured whole.
class TextWidthMeter {
 public:
  explicit TextWidthMeter(const QFontMetrics& metrics);
  int width(const QString& text) const;
  const QFontMetrics& metrics() const { return metrics_; }

 private:
  QFontMetrics metrics_;
  std::array<int, 128> ascii_{};
};

}  // namespace sorabel
