#include "widgets/CellLayout.h"

#include <gtest/gtest.h>

namespace sorabel {
namespace {

TEST(CellLayout, LeftColumnsStartFivePixelsInsideAndAmountsEndFiveInside) {
  const QRect cell(100, 20, 80, 18);
  EXPECT_EQ(cellTextOrigin(cell, CellAlign::Left, 40, 12), QPoint(105, 23));
  EXPECT_EQ(cellTextOrigin(cell, CellAlign::Right, 40, 12), QPoint(135, 23));
  // The vertical remainder is dropped: (18 - 13) / 2 = 2.
  EXPECT_EQ(cellTextOrigin(cell, CellAlign::Left, 1, 13).y(), 22);
  // Text taller than the cell rounds toward zero: (18 - 21) / 2 = -1.
  EXPECT_EQ(cellTextOrigin(cell, CellAlign::Left, 1, 21).y(), 19);
}

TEST(CellLayout, MainGridAlignsIncomeExpenseAndBalanceRight) {
  EXPECT_EQ(ledgerColumnAlign(0), CellAlign::Left);
  EXPECT_EQ(ledgerColumnAlign(1), CellAlign::Left);
  EXPECT_EQ(ledgerColumnAlign(2), CellAlign::Right);
  EXPECT_EQ(ledgerColumnAlign(3), CellAlign::Right);
  EXPECT_EQ(ledgerColumnAlign(4), CellAlign::Right);
}

}  // namespace
}  // namespace sorabel
