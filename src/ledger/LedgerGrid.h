#pragma once
// The book while the program runs. There is no list of entries besides this
// grid: five text columns, row 0 the header row, rows 1..N the entries. An
// empty book is one data row of empty cells; the grid never has fewer.
// Cells hold code page 932 bytes.

#include <array>
#include <string>
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

using LedgerRow = std::array<AnsiString, kLedgerColumnCount>;

class LedgerGrid {
 public:
  // Header row plus one empty data row.
  LedgerGrid();

  // Rows including the header row: N + 1.
  int rowCount() const { return static_cast<int>(rows_.size()); }
  int dataRowCount() const { return rowCount() - 1; }
  int lastRow() const { return rowCount() - 1; }

  // Grows with empty rows or drops rows at the end; never below 2.
  void setRowCount(int count);

  // Makes room for count rows without changing the row count.
  void reserveRows(int count);

  const AnsiString& cell(int column, int row) const { return rows_[row][column]; }
  void setCell(int column, int row, AnsiString text) { rows_[row][column] = std::move(text); }
  const LedgerRow& row(int index) const { return rows_[index]; }
  LedgerRow& row(int index) { return rows_[index]; }

  // Puts the data rows in a new order: row i + 1 receives what was in row
  // sources[i]. sources is a permutation of 1..N.
  void reorderDataRows(const std::vector<int>& sources);

  // The longest text of a column's data rows, by bytes.
  const AnsiString& longestCell(int column) const;

  // Empties every cell of every data row; the row count stays.
  void clearBook();

  // ClearBook followed by row count 2: one empty data row.
  void resetToEmptyBook();

  // Removes the data rows first..last (either order), cut to the book; when
  // they are all the rows, one empty data row remains.
  void deleteRows(int first, int last);

  // The header row texts ("　　　日付", ...).
  static const LedgerRow& headerRow();

 private:
  std::vector<LedgerRow> rows_;
};

}  // namespace sorabel
