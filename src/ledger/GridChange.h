#pragma once
// One change of the book, kept small enough that a long history of changes
// of a large book costs little: only the entries (date, description,
// income, expense) of the rows the change replaced and of those it put in
// their place, by position. Balances are not kept: the order-and-balance
// pass that follows every change (and its undoing) writes them again.

#include <cstddef>
#include <string>
#include <vector>

#include "ledger/LedgerGrid.h"
#include "ledger/RowDiff.h"

namespace sorabel {

class GridChange {
 public:
  // The change that turned before into after.
  static GridChange between(const LedgerGrid& before, const LedgerGrid& after);

  bool empty() const { return !reversed_ && runs_.empty(); }

  // Turns the grid as it was before the change into the grid after it
  // (redo), or back (undo). The balance column of the rows put back is
  // empty until the pass runs.
  void redo(LedgerGrid& grid) const { apply(grid, true); }
  void undo(LedgerGrid& grid) const { apply(grid, false); }

  // The bytes the change holds, for keeping a history's size in view.
  std::size_t storedBytes() const;

 private:
  // Rows' entry cells one after another, with where each row's cells end
  // (counted from the start of text).
  struct StoredRows {
    std::string text;
    std::vector<std::array<std::uint32_t, 4>> ends;
    void add(const LedgerRowView& row);
    LedgerRowView row(std::size_t index) const;
  };
  struct Run {
    RowHunk hunk;  // rows counted from 0, the header row not among them
    StoredRows removed;
    StoredRows added;
  };

  void apply(LedgerGrid& grid, bool forward) const;

  bool reversed_ = false;  // the whole book turned round (a change of order)
  std::vector<Run> runs_;
};

}  // namespace sorabel
