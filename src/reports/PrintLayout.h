#pragma once
// The printed book: a ruled table of 35 entries a page with title, date,
// page numbers, entry count and file name on every page, and the income and
// expense totals after the last entry. Positions are device units.

#include <string>

#include "ledger/LedgerGrid.h"
#include "platform/PrinterPort.h"

namespace sorabel {

struct PrintGeometry {
  static constexpr int x0 = 200;    // left edge of the table
  static constexpr int x1 = 600;    // date | description
  static constexpr int x2 = 1500;   // description | income
  static constexpr int x3 = 1900;   // income | expense
  static constexpr int x4 = 2300;   // expense | balance
  static constexpr int x5 = 2700;   // right edge
  static constexpr int top = 300;   // top of the heading band
  static constexpr int pitch = 100;
  static constexpr int rowsPerPage = 35;
  static constexpr int bottom = top + (rowsPerPage + 1) * pitch;  // 3900
  static constexpr int inset = 30;
  // The area a page needs: the table and the totals band below its frame.
  static constexpr int neededWidth = x5;
  static constexpr int neededHeight = bottom + pitch;  // 4000
};

struct PrintJob {
  std::string today;        // "yyyy/mm/dd"
  AnsiString bookFileName;  // the file name without its folder
};

// Pages for the grid: its data rows divided by 35, rounded up (at least 1).
int printPageCount(const LedgerGrid& grid);

// Prints the whole book. An amount beyond 32 bits aborts the job and throws
// AmountError.
void printBook(PrinterPort& printer, const LedgerGrid& grid, const PrintJob& job);

}  // namespace sorabel
