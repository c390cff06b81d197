#include "widgets/ColumnFit.h"

#include "ledger/Amount.h"
#include "qtplatform/AnsiText.h"
#include "widgets/CellLayout.h"

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
}

int TextWidthMeter::width(const QString& text) const {
  int sum = 0;
  for (QChar c : text) {
    if (c.unicode() >= ascii_.size()) return metrics_.horizontalAdvance(text);
    sum += ascii_[c.unicode()];
  }
  return sum;
}

}  // namespace sorabel
