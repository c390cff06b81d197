#include "ledger/CellLayout.h"

#include "ledger/LedgerGrid.h"

namespace sorabel {

TextOrigin cellTextOrigin(const CellRect& cell, CellAlign align, int textWidth, int textHeight) {
  int x = align == CellAlign::Right ? cell.right - kCellTextInset - textWidth : cell.left + kCellTextInset;
  int y = cell.top + (cell.height() - textHeight) / 2;
  return {x, y};
}

CellAlign ledgerColumnAlign(int column) {
  return column >= kIncomeColumn ? CellAlign::Right : CellAlign::Left;
}

}  // namespace sorabel
