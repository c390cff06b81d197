#include "widgets/ColumnFit.h"

#include <algorithm>

#include "ledger/Amount.h"
#include "qtplatform/AnsiText.h"
#include "widgets/CellLayout.h"
#include "widgets/ShownText.h"

namespace sorabel {

int columnWidthForText(int textWidth) { return textWidth + 2 * kCellTextInset + 1; }

QString widestAmountSample(const QFontMetrics& metrics) {
  QChar widest = u'0';
  for (char16_t digit = u'1'; digit <= u'9'; ++digit)
    if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest)) widest = QChar(digit);
  // Ten digits and a minus sign: the longest amount of 32 bits.
  QString sample = toQString(amountText(-9'999'999'999));
  for (QChar& c : sample)
    if (c.isDigit()) c = widest;
  return sample;
}

TextWidthMeter::TextWidthMeter(const QFontMetrics& metrics) : metrics_(metrics) {
  for (int c = 0; c < static_cast<int>(ascii_.size()); ++c) ascii_[c] = metrics_.horizontalAdvance(QChar(c));
  widestAscii_ = *std::max_element(ascii_.begin(), ascii_.end());
}

int TextWidthMeter::width(const QString& text) const {
  int sum = 0;
  for (QChar c : text) {
    if (c.unicode() >= ascii_.size()) return metrics_.horizontalAdvance(text);
    sum += ascii_[c.unicode()];
  }
  return sum;
}

int TextWidthMeter::asciiWidth(std::string_view bytes) const {
  int sum = 0;
  for (char c : bytes) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= ascii_.size()) return -1;
    sum += ascii_[code];
  }
  return sum;
}

void WidestText::offer(const QString& text, int row) {
  const int width = meter_.width(text);
  if (width <= widest_) return;
  widest_ = width;
  row_ = row;
  widestText_ = text;
  widestCell_ = {};
}

void WidestText::offer(std::string_view cell, int row) {
  // ASCII bytes are the characters shown, one each, unless the cell is cut.
  if (cell.size() > static_cast<std::size_t>(kShownCellLength)) {
    offer(shownCellText(cell), row);
    return;
  }
  const bool tooFew = static_cast<long long>(cell.size()) * meter_.widestAscii() <= widest_;
  if (tooFew && std::all_of(cell.begin(), cell.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return;
  const int width = meter_.asciiWidth(cell);
  if (width < 0) {
    offer(shownCellText(cell), row);
    return;
  }
  if (width <= widest_) return;
  widest_ = width;
  row_ = row;
  widestText_.clear();
  widestCell_ = cell;
}

int WidestText::width() const {
  if (widest_ == 0) return 0;
  // Kerning may make the whole text a little wider than its characters.
  const QString text = widestCell_.data() != nullptr ? toQString(widestCell_) : widestText_;
  return std::max(widest_, meter_.metrics().horizontalAdvance(text));
}

}  // namespace sorabel
