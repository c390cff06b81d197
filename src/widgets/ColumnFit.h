#pragma once
// Widths of the grids' columns from the texts they show: a cell shows its
// text whole when the column is as wide as the text plus the insets the
// cells are drawn with.

#include <QFontMetrics>
#include <QString>
#include <array>
#include <string_view>

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
  // The added advances of bytes that are all ASCII; -1 when one is not.
  int asciiWidth(std::string_view bytes) const;
  // No ASCII character is wider.
  int widestAscii() const { return widestAscii_; }
  const QFontMetrics& metrics() const { return metrics_; }

 private:
  QFontMetrics metrics_;
  std::array<int, 128> ascii_{};
  int widestAscii_ = 0;
};

// The width a column's widest text needs, as the meter measures each text.
// Of texts equally wide the first offered counts, and its whole advance
// when kerning makes that wider than its characters added up. Texts are
// offered in the order of their rows. Offering stops mattering once a text
// reaches enough (wider is cut anyway); a cell's bytes are passed over
// unmeasured when they are ASCII and too few to pass the widest so far.
class WidestText {
 public:
  WidestText(const TextWidthMeter& meter, int enough) : meter_(meter), enough_(enough) {}

  void offer(const QString& text, int row);
  // A cell of code page 932 bytes, shown as shownCellText shows it. The
  // bytes must stay valid until width() is asked.
  void offer(std::string_view cell, int row);

  bool enough() const { return widest_ >= enough_; }
  // The added advances of the widest text (0 when none was offered or all
  // were empty) and its row (-1 then).
  int widestSum() const { return widest_; }
  int widestRow() const { return row_; }
  int width() const;

 private:
  const TextWidthMeter& meter_;
  int enough_;
  int widest_ = 0;
  int row_ = -1;
  QString widestText_;
  std::string_view widestCell_;  // when the widest came as bytes, unconverted
};

// A model that offers a column's texts to a search for the widest faster
// than cell by cell through data(); it offers the texts data() shows, of
// the rows first to last.
class ColumnTexts {
 public:
  virtual ~ColumnTexts() = default;
  virtual void offerColumn(int column, int first, int last, WidestText& search) const = 0;
};

}  // namespace sorabel
