#pragma once
// One change of the book, kept small enough that a long history of changes
// of a large book costs little: only the entries (date, description,
// income, expense) of the rows the change replaced and of those it put in
// their place, by position. Balances are not kept: the order-and-balance
// pass that follows every change (and its undoing) writes them again.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ledger/LedgerGrid.h"
#include "ledger/RowDiff.h"

namespace sorabel {

// One number for each data row's entry cells (date, description, income,
// expense; not the balance); rows with equal entries have equal numbers.
using RowFingerprints = std::vector<std::uint64_t>;
RowFingerprints rowFingerprints(const LedgerGrid& grid);
// Those of rows first..last.
RowFingerprints rowFingerprints(const LedgerGrid& grid, int first, int last);

class GridChange {
 public:
  // The change that turned before into after.
  static GridChange between(const LedgerGrid& before, const LedgerGrid& after);
  // The same with the grids' fingerprints already at hand.
  static GridChange between(const LedgerGrid& before, const RowFingerprints& beforeRows, const LedgerGrid& after,
                            const RowFingerprints& afterRows);
  // The change between grids of as many rows that differ at most in the
  // rows from first on that the fingerprints (as many of each) are of.
  static GridChange betweenRows(const LedgerGrid& before, std::span<const std::uint64_t> beforeRows,
                                const LedgerGrid& after, std::span<const std::uint64_t> afterRows, int first);

  bool empty() const { return !reversed_ && runs_.empty(); }

  // Turns the grid as it was before the change into the grid after it
  // (redo), or back (undo). The balance column of the rows put back is
  // empty until the pass runs.
  void redo(LedgerGrid& grid) const { apply(grid, true); }
  void undo(LedgerGrid& grid) const { apply(grid, false); }

  // True when the change only replaced rows where they stand (the same
  // number of them); such a change is made and taken back in place.
  bool keepsRowPlaces() const;
  // The first and last row such a change replaced (nothing when it
  // replaced none or moved rows).
  std::optional<std::pair<int, int>> rowsWritten() const;

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
  void addRuns(const LedgerGrid& before, const LedgerGrid& after, const std::vector<RowHunk>& hunks);

  bool reversed_ = false;  // the whole book turned round (a change of order)
  std::vector<Run> runs_;
};

}  // namespace sorabel
