#include "ledger/LedgerGrid.h"

#include <gtest/gtest.h>

#include "support/LedgerFixtures.h"

namespace sorabel {
namespace {

using test::columnOf;
using test::gridOf;
using test::rowsOf;
using Rows = std::vector<test::Utf8Row>;
using Cells = std::vector<std::string>;

TEST(LedgerGrid, StartsAsHeaderAndOneEmptyRowAndNeverHasFewer) {
  LedgerGrid grid;
  EXPECT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(rowsOf(grid), (Rows{{"", "", "", "", ""}}));
  EXPECT_EQ(cp932ToUtf8(grid.cell(0, 0)), "　　　日付");
  EXPECT_EQ(cp932ToUtf8(grid.cell(1, 0)), "　　　　　　　　　　　　　摘要");
  EXPECT_EQ(cp932ToUtf8(grid.cell(4, 0)), "残高　　　");
  grid.setRowCount(0);
  EXPECT_EQ(grid.rowCount(), 2);
}

TEST(LedgerGrid, ClearBookEmptiesCellsAndKeepsTheRowCount) {
  LedgerGrid grid = gridOf({{"a", "b"}, {"c"}});
  grid.clearBook();
  EXPECT_EQ(rowsOf(grid), (Rows{{"", "", "", "", ""}, {"", "", "", "", ""}}));
  EXPECT_EQ(cp932ToUtf8(grid.cell(0, 0)), "　　　日付");
  grid.resetToEmptyBook();
  EXPECT_EQ(grid.rowCount(), 2);
}

TEST(LedgerGrid, DeleteRowsRemovesARangeInEitherOrder) {
  LedgerGrid grid = gridOf({{"1"}, {"2"}, {"3"}, {"4"}, {"5"}});
  grid.deleteRows(4, 2);
  EXPECT_EQ(columnOf(grid, 0), (Cells{"1", "5"}));
}

TEST(LedgerGrid, DeleteRowsIsCutToTheBook) {
  LedgerGrid grid = gridOf({{"1"}, {"2"}, {"3"}, {"4"}});
  grid.deleteRows(0, 1);  // the header row is never deleted
  EXPECT_EQ(columnOf(grid, 0), (Cells{"2", "3", "4"}));
  grid.deleteRows(3, 99);
  EXPECT_EQ(columnOf(grid, 0), (Cells{"2", "3"}));
  grid.deleteRows(7, 9);  // beyond the last row: nothing
  EXPECT_EQ(columnOf(grid, 0), (Cells{"2", "3"}));
}

TEST(LedgerGrid, DeletingEveryRowLeavesOneEmptyRow) {
  LedgerGrid grid = gridOf({{"1", "a"}, {"2", "b"}, {"3", "c"}});
  grid.deleteRows(1, 3);
  EXPECT_EQ(rowsOf(grid), (Rows{{"", "", "", "", ""}}));

  LedgerGrid single = gridOf({{"1", "a", "5"}});
  single.deleteRows(1, 1);
  EXPECT_EQ(rowsOf(single), (Rows{{"", "", "", "", ""}}));

  LedgerGrid wide = gridOf({{"1"}, {"2"}});
  wide.deleteRows(0, 50);
  EXPECT_EQ(rowsOf(wide), (Rows{{"", "", "", "", ""}}));
}

}  // namespace
}  // namespace sorabel
