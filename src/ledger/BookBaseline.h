#pragma once
// The book as the last undo step left it, and the change from it to the
// book as it is now. Only the rows the book wrote since are compared and
// copied, so a cell edited in a large book costs little; a change that
// added, removed or moved rows compares every row.

#include <cstdint>
#include <optional>

#include "ledger/GridChange.h"
#include "ledger/LedgerGrid.h"

namespace sorabel {

class BookBaseline {
 public:
  // The book as it is now becomes the baseline.
  void take(const LedgerGrid& book);

  // What turned the baseline into book.
  GridChange changeTo(const LedgerGrid& book);

  // The change that step (which turned an earlier book into the baseline)
  // and the changes of book since make together: what turned that earlier
  // book into book.
  GridChange joined(const GridChange& step, const LedgerGrid& book);

  // The baseline becomes book as it is now.
  void follow(const LedgerGrid& book);

  const LedgerGrid& grid() const { return grid_; }

 private:
  struct Rows {
    int first = 0;  // 0: none
    int last = 0;
  };
  // The rows book wrote since it was the baseline, or nothing when any row
  // may differ.
  std::optional<Rows> changedRows(const LedgerGrid& book) const;
  const RowFingerprints& fingerprints();

  LedgerGrid grid_;
  std::optional<RowFingerprints> fingerprints_;  // of grid_, made when first needed
  std::uint64_t mark_ = 0;
};

}  // namespace sorabel
