#include "widgets/CellLayout.h"

#include "ledger/LedgerGrid.h"

namespace sorabel {

QPoint cellTextOrigin(const QRect& cell, CellAlign align, int textWidth, int textHeight) {
  const int right = cell.x() + cell.width();  // exclusive
  const int x = align == CellAlign::Right ? right - kCellTextInset - textWidth : cell.x() + kCellTextInset;
  const int y = cell.y() + (cell.height() - textHeight) / 2;
  return {x, y};
}

CellAlign ledgerColumnAlign(int column) {
  return column >= kIncomeColumn ? CellAlign::Right : CellAlign::Left;
}

}  // namespace sorabel
