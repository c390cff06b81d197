#include "ledger/BookBaseline.h"

#include <algorithm>
#include <utility>

namespace sorabel {

void BookBaseline::take(const LedgerGrid& book) {
  grid_ = book;
  fingerprints_.reset();
  mark_ = book.markUnchanged(LedgerGrid::Watcher::UndoHistory);
}

std::optional<BookBaseline::Rows> BookBaseline::changedRows(const LedgerGrid& book) const {
  const ChangedRows changed = book.changedSince(LedgerGrid::Watcher::UndoHistory, mark_);
  if (changed.all || book.dataRowCount() != grid_.dataRowCount()) return std::nullopt;
  return Rows{changed.first, changed.last};
}

const RowFingerprints& BookBaseline::fingerprints() {
  if (!fingerprints_) fingerprints_ = rowFingerprints(grid_);
  return *fingerprints_;
}

GridChange BookBaseline::changeTo(const LedgerGrid& book) {
  const std::optional<Rows> rows = changedRows(book);
  if (!rows) return GridChange::between(grid_, fingerprints(), book, rowFingerprints(book));
  if (rows->first == 0) return {};
  const RowFingerprints now = rowFingerprints(book, rows->first, rows->last);
  const auto before = std::span(fingerprints()).subspan(static_cast<std::size_t>(rows->first - 1), now.size());
  return GridChange::betweenRows(grid_, before, book, now, rows->first);
}

GridChange BookBaseline::joined(const GridChange& step, const LedgerGrid& book) {
  LedgerGrid before = grid_;
  step.undo(before);
  const std::optional<Rows> rows = changedRows(book);
  const std::optional<std::pair<int, int>> stepRows = step.rowsWritten();
  if (!rows || !stepRows || before.dataRowCount() != book.dataRowCount()) return GridChange::between(before, book);
  // The earlier book differs from the baseline in the step's rows only, and
  // book from the baseline in the rows written since.
  const int first = rows->first == 0 ? stepRows->first : std::min(rows->first, stepRows->first);
  const int last = std::max(rows->last, stepRows->second);
  if (first == 1 && last == book.dataRowCount()) return GridChange::between(before, book);
  return GridChange::betweenRows(before, rowFingerprints(before, first, last), book, rowFingerprints(book, first, last),
                                 first);
}

void BookBaseline::follow(const LedgerGrid& book) {
  const std::optional<Rows> rows = changedRows(book);
  if (!rows) {
    take(book);
    return;
  }
  if (rows->first != 0) {
    if (fingerprints_) {
      const RowFingerprints now = rowFingerprints(book, rows->first, rows->last);
      std::copy(now.begin(), now.end(), fingerprints_->begin() + (rows->first - 1));
    }
    // Copying every row's place costs less than writing many rows again.
    if (8 * (rows->last - rows->first + 1) > book.dataRowCount()) {
      grid_ = book;
    } else {
      for (int r = rows->first; r <= rows->last; ++r) grid_.setRow(r, book.row(r));
    }
  }
  mark_ = book.markUnchanged(LedgerGrid::Watcher::UndoHistory);
}

}  // namespace sorabel
