#pragma once
// Builds ledger grids from UTF-8 rows and reads them back, so tests can be
// written in readable text while the grid holds Shift-JIS bytes.

#include <initializer_list>
#include <string>
#include <vector>

#include "ledger/LedgerGrid.h"

namespace sorabel::test {

using Utf8Row = std::vector<std::string>;

// A grid whose data rows are the given rows (missing cells empty).
inline LedgerGrid gridOf(std::initializer_list<Utf8Row> rows) {
  LedgerGrid grid;
  grid.setRowCount(static_cast<int>(rows.size()) + 1);
  int r = 1;
  for (const Utf8Row& row : rows) {
    for (int c = 0; c < static_cast<int>(row.size()); ++c) grid.setCell(c, r, sjis(row[c]));
    ++r;
  }
  return grid;
}

// Every data row of the grid, cells in UTF-8.
inline std::vector<Utf8Row> rowsOf(const LedgerGrid& grid) {
  std::vector<Utf8Row> rows;
  for (int r = 1; r < grid.rowCount(); ++r) {
    Utf8Row row;
    for (std::string_view cell : grid.row(r)) row.push_back(cp932ToUtf8(cell));
    rows.push_back(row);
  }
  return rows;
}

// One column of every data row, in UTF-8.
inline std::vector<std::string> columnOf(const LedgerGrid& grid, int column) {
  std::vector<std::string> cells;
  for (int r = 1; r < grid.rowCount(); ++r) cells.push_back(cp932ToUtf8(grid.cell(column, r)));
  return cells;
}

}  // namespace sorabel::test
