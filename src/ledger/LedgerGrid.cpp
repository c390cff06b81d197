#include "ledger/LedgerGrid.h"

#include <algorithm>
#include <utility>

namespace sorabel {

const LedgerRow& LedgerGrid::headerRow() {
  static const LedgerRow header = {
      sjis("　　　日付"),
      sjis("　　　　　　　　　　　　　摘要"),
      sjis("収入　　　"),
      sjis("支出　　　"),
      sjis("残高　　　"),
  };
  return header;
}

LedgerGrid::LedgerGrid() : rows_(2) { rows_[0] = headerRow(); }

void LedgerGrid::setRowCount(int count) { rows_.resize(static_cast<std::size_t>(std::max(count, 2))); }

void LedgerGrid::reorderDataRows(const std::vector<int>& sources) {
  // Follows each cycle of the permutation, moving every row once, in place.
  std::vector<bool> placed(sources.size(), false);
  for (std::size_t start = 0; start < sources.size(); ++start) {
    if (placed[start]) continue;
    LedgerRow first = std::move(rows_[start + 1]);
    std::size_t at = start;
    for (;;) {
      placed[at] = true;
      auto from = static_cast<std::size_t>(sources[at] - 1);
      if (from == start) {
        rows_[at + 1] = std::move(first);
        break;
      }
      rows_[at + 1] = std::move(rows_[from + 1]);
      at = from;
    }
  }
}

void LedgerGrid::reserveRows(int count) { rows_.reserve(static_cast<std::size_t>(std::max(count, 2))); }

const AnsiString& LedgerGrid::longestCell(int column) const {
  const AnsiString* longest = &rows_[1][column];
  for (std::size_t r = 2; r < rows_.size(); ++r)
    if (rows_[r][column].size() > longest->size()) longest = &rows_[r][column];
  return *longest;
}

void LedgerGrid::clearBook() {
  for (int r = 1; r < rowCount(); ++r)
    for (AnsiString& cell : rows_[r]) cell.clear();
}

void LedgerGrid::resetToEmptyBook() {
  clearBook();
  setRowCount(2);
}

void LedgerGrid::deleteRows(int first, int last) {
  if (last < first) std::swap(first, last);
  if (first > lastRow()) return;
  last = std::min(last, lastRow());
  first = std::max(first, 1);
  if (last < first) return;
  const int count = last - first + 1;
  if (dataRowCount() == 1 || count >= dataRowCount()) {
    for (AnsiString& cell : rows_[1]) cell.clear();
    setRowCount(rowCount() - (count - 1));
    return;
  }
  rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
}

}  // namespace sorabel
