#pragma once
// The book while the program runs. There is no list of entries besides this
// grid: five text columns, row 0 the header row, rows 1..N the entries. An
// empty book is one data row of empty cells; the grid never has fewer.
// Cells hold code page 932 bytes.
//
// Storage: one text store holds the cells of every row, the five cells of a
// row one after another; a row is sixteen bytes (where its cells start and
// where each ends). A book read from a file keeps the file's own bytes as
// its text store, each line rewritten in place into its cells, so reading
// copies no text. Changing a row writes it where it stands when it fits and
// after the end of the store otherwise; the store is packed again when more
// than half of it is no longer used.
//
// A copy shares the text store with its original (copying a large book
// copies its rows, not its text). While a store is shared, rows are never
// written where they stand, only after its end, so each grid still reads
// its own cells; a grid and its copies therefore belong to one thread.
// Reading cells changes nothing, so while that thread waits, others may
// read the grid's cells (the pass looks at a large book's two halves at
// the same time).
//
// The grid notes which rows change after a mark (ChangedRows), so that the
// order-and-balance pass and the undo history need look only at those.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp932.h"

namespace sorabel {

enum LedgerColumn : int {
  kDateColumn = 0,
  kDescriptionColumn = 1,
  kIncomeColumn = 2,
  kExpenseColumn = 3,
  kBalanceColumn = 4,
};
constexpr int kLedgerColumnCount = 5;

// A row as values (the header row, rows built by hand).
using LedgerRow = std::array<AnsiString, kLedgerColumnCount>;
// A row as it lies in a grid: valid until the grid next changes.
using LedgerRowView = std::array<std::string_view, kLedgerColumnCount>;
// Where each cell of a row ends, counted from the start of the row's first
// cell.
using CellEnds = std::array<std::uint32_t, kLedgerColumnCount>;

// The data rows written since a mark: every row from first to last may
// differ, none outside them; all when rows were added, removed or moved
// (or the mark is not known).
struct ChangedRows {
  bool all = true;
  int first = 0;  // 0 when none changed
  int last = 0;
  bool none() const { return !all && first == 0; }
};

class LedgerGrid {
 public:
  // Header row plus one empty data row.
  LedgerGrid();

  // Rows including the header row: N + 1.
  int rowCount() const { return static_cast<int>(rows_.size()) + 1; }
  int dataRowCount() const { return static_cast<int>(rows_.size()); }
  int lastRow() const { return dataRowCount(); }

  // Grows with empty rows or drops rows at the end; never below 2.
  void setRowCount(int count);

  // Makes room for count rows without changing the row count.
  void reserveRows(int count);

  // A cell's text; valid until the grid next changes.
  std::string_view cell(int column, int row) const {
    if (row == 0) return headerRow()[static_cast<std::size_t>(column)];
    const RowSpan& span = rows_[static_cast<std::size_t>(row - 1)];
    const std::uint32_t begin = column == 0 ? 0 : endOf(span, column - 1);
    return {text_->data() + span.start + begin, endOf(span, column) - begin};
  }
  void setCell(int column, int row, std::string_view text);

  // A row's cells (row 0: the header row); valid until the grid next
  // changes.
  LedgerRowView row(int index) const {
    if (index == 0 || rows_[static_cast<std::size_t>(index - 1)].isLong) return rowSlowly(index);
    const RowSpan& span = rows_[static_cast<std::size_t>(index - 1)];
    const char* base = text_->data() + span.start;
    const auto* e = span.ends;
    return {std::string_view(base, e[0]), std::string_view(base + e[0], e[1] - e[0]),
            std::string_view(base + e[1], e[2] - e[1]), std::string_view(base + e[2], e[3] - e[2]),
            std::string_view(base + e[3], e[4] - e[3])};
  }
  // Replaces a data row's cells (the texts may lie in this grid).
  void setRow(int index, const LedgerRowView& cells);
  // Replaces the cells of a data row from firstColumn on, keeping those
  // before it; the texts may lie in this grid.
  void setCellsFrom(int index, int firstColumn, std::span<const std::string_view> cells);

  // A data row's cells one after another, as the store holds them (the
  // cells of row(index) are consecutive parts of it).
  std::string_view rowBytes(int index) const {
    const RowSpan& span = rows_[static_cast<std::size_t>(index - 1)];
    return {text_->data() + span.start, endOf(span, kLedgerColumnCount - 1)};
  }

  // Puts the data rows in a new order: row i + 1 receives what was in row
  // sources[i]. sources is a permutation of 1..N; it is used up.
  void reorderDataRows(std::vector<int> sources);

  // Reverses the order of the data rows.
  void reverseDataRows();

  // Inserts an empty data row before row index (1..N + 1).
  void insertEmptyRow(int index);

  // The longest text of a column's data rows, by bytes.
  std::string_view longestCell(int column) const;

  // Empties every cell of every data row; the row count stays.
  void clearBook();

  // ClearBook followed by row count 2: one empty data row.
  void resetToEmptyBook();

  // Removes the data rows first..last (either order), cut to the book; when
  // they are all the rows, one empty data row remains.
  void deleteRows(int first, int last);

  // Who notes which rows are written after a mark of its own.
  enum class Watcher { UndoHistory, GridView };
  // A mark: its number, then what changed since. A number the grid does
  // not hold (an earlier mark, or one of a grid put in this one's place)
  // gives all. Marking changes no cell.
  std::uint64_t markUnchanged(Watcher watcher) const;
  ChangedRows changedSince(Watcher watcher, std::uint64_t mark) const;

  // The order-and-balance pass notes what it left the grid as (state, a
  // number of its own; never 0); the grid tells it and the rows written
  // since. Rows added, removed or moved make the state 0.
  void markBalanced(std::uint32_t state);
  std::uint32_t balancedState() const { return balanced_.rows.all ? 0 : static_cast<std::uint32_t>(balanced_.mark); }
  ChangedRows changedSinceBalanced() const { return balanced_.rows; }

  // Bytes the text store takes, used or not.
  std::size_t textBytes() const { return text_->size(); }

  // The header row texts ("　　　日付", ...).
  static const LedgerRow& headerRow();

  // Reading without copying: the grid takes bytes into its text store and
  // returns where they begin. The reader rewrites each line there in place
  // into one row's cells, one after another from where it starts, and
  // records the row in ReadRows; parts of the text may be read at the same
  // time, each into ReadRows of its own, since neither touches the grid.
  // placeReadRows then makes them the data rows. Throws Error when the
  // store would pass 4 GB.
  std::size_t takeText(std::string&& bytes);
  char* textData() { return text_->data(); }
  const char* textData() const { return text_->data(); }

 private:
  // Where a row's cells lie in text_. ends are counted from start; a row
  // with a cell ending beyond 65,535 is long: its ends are in a list of
  // long ends at the index held in ends[0] and ends[1].
  static constexpr std::uint32_t kShortRowLimit = 0xFFFF;
  struct RowSpan {
    std::uint32_t start = 0;
    std::uint16_t ends[kLedgerColumnCount] = {};
    std::uint16_t isLong = 0;
  };
  static_assert(sizeof(RowSpan) == 16);

 public:
  class ReadRows {
   public:
    // The next row: the cells at start of the text store, ending at ends.
    void add(std::size_t start, const CellEnds& ends) {
      RowSpan& span = rows_.emplace_back();
      span.start = static_cast<std::uint32_t>(start);
      setFreshEnds(span, ends, longEnds_);
      bytes_ += ends.back();
    }
    int count() const { return static_cast<int>(rows_.size()); }
    void reserve(int count) { rows_.reserve(static_cast<std::size_t>(count)); }

   private:
    friend class LedgerGrid;
    std::vector<RowSpan> rows_;
    std::vector<CellEnds> longEnds_;
    std::size_t bytes_ = 0;
  };
  // The rows of the parts, one part after the other, become data rows
  // 1, 2, ... in place of all rows; without any, the grid stays as it is.
  void placeReadRows(std::span<ReadRows> parts);

 private:

  static std::uint32_t longIndex(const RowSpan& span) { return span.ends[0] | (std::uint32_t{span.ends[1]} << 16); }
  static void setLongIndex(RowSpan& span, std::uint32_t slot) {
    span.ends[0] = static_cast<std::uint16_t>(slot & 0xFFFF);
    span.ends[1] = static_cast<std::uint16_t>(slot >> 16);
  }
  // Sets the ends of a span that has none yet; a long row's go to longEnds.
  static void setFreshEnds(RowSpan& span, const CellEnds& ends, std::vector<CellEnds>& longEnds) {
    if (ends.back() > kShortRowLimit) {
      span.isLong = 1;
      setLongIndex(span, static_cast<std::uint32_t>(longEnds.size()));
      longEnds.push_back(ends);
    } else {
      for (std::size_t c = 0; c < ends.size(); ++c) span.ends[c] = static_cast<std::uint16_t>(ends[c]);
    }
  }
  std::uint32_t endOf(const RowSpan& span, int column) const {
    return span.isLong ? longEnds_[longIndex(span)][static_cast<std::size_t>(column)]
                       : span.ends[static_cast<std::size_t>(column)];
  }
  std::uint32_t lengthOf(const RowSpan& span) const { return endOf(span, kLedgerColumnCount - 1); }
  LedgerRowView rowSlowly(int index) const;

  // Sets span's ends, long or not, reusing span's entry in longEnds_.
  void setEnds(RowSpan& span, const CellEnds& ends);
  void setLongEnds(RowSpan& span, const CellEnds& ends);
  // Stores the row's new bytes (which do not lie in text_) with its ends.
  void storeRow(RowSpan& span, std::string_view bytes, const CellEnds& ends);
  // Makes room for extra more bytes at the end of text_, packing it first
  // when that frees more than it keeps.
  void makeRoom(std::size_t extra);
  void pack();
  void forget(const RowSpan& span) { live_ -= lengthOf(span); }
  // Rows may be written where they stand only in a store of the grid's own.
  bool textShared() const { return text_.use_count() > 1; }

  // Notes a written row, or that rows were added, removed or moved.
  void noteRow(int index);
  void noteAllRows();
  struct Watch {
    std::uint64_t mark = 0;
    ChangedRows rows;
  };
  void note(Watch& watch, int index);

  std::shared_ptr<std::string> text_ = std::make_shared<std::string>();
  std::size_t live_ = 0;  // bytes of text_ that rows use
  std::vector<RowSpan> rows_;  // data rows 1..N
  std::vector<CellEnds> longEnds_;
  std::string scratch_;  // a row being assembled
  mutable std::array<Watch, 2> marked_;  // by Watcher
  Watch balanced_;
};

}  // namespace sorabel
