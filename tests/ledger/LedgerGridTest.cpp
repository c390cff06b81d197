#include "ledger/LedgerGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

TEST(LedgerGrid, CellsTakenFromTheGridItselfArriveWhole) {
  LedgerGrid grid = gridOf({{"2001/01/01", "short"}, {"2001/01/02", "a much longer description", "1"}});
  grid.setCell(kDescriptionColumn, 1, grid.cell(kDescriptionColumn, 2));  // grows: row 1 moves
  grid.setCell(kDescriptionColumn, 2, grid.cell(kDescriptionColumn, 2).substr(2));  // shrinks: from itself
  grid.setRow(3 - 1, grid.row(1));
  EXPECT_EQ(rowsOf(grid), (Rows{{"2001/01/01", "a much longer description", "", "", ""},
                                {"2001/01/01", "a much longer description", "", "", ""}}));
  const LedgerRowView first = grid.row(1);
  grid.setRow(1, {first[1], first[0], first[2], "", first[4]});  // the cells trade places within the row
  EXPECT_EQ(rowsOf(grid)[0], (test::Utf8Row{"a much longer description", "2001/01/01", "", "", ""}));
  grid.setRow(1, {grid.cell(1, 1), grid.cell(0, 1), "", "", ""});
  const std::string big(70'000, 'x');  // cells ending beyond 65,535 bytes into their row
  grid.setCell(kIncomeColumn, 1, big);
  grid.setCell(kBalanceColumn, 1, grid.cell(kIncomeColumn, 1).substr(1));
  EXPECT_EQ(grid.cell(kIncomeColumn, 1), big);
  EXPECT_EQ(grid.cell(kBalanceColumn, 1), big.substr(1));
  EXPECT_EQ(grid.longestCell(kBalanceColumn), big.substr(1));
  EXPECT_EQ(grid.cell(kDescriptionColumn, 1), "a much longer description");
}

TEST(LedgerGrid, PackingKeepsLongRowsWhole) {
  LedgerGrid grid = gridOf({{"2001/01/01"}, {"2001/01/02"}});
  const std::string big(70'000, 'y');
  grid.setCell(kDescriptionColumn, 1, big);
  grid.setCell(kBalanceColumn, 1, "end");
  // A row that grows again and again is written after the end each time,
  // until the store is packed: 3 MB written, at most the 120 KB in use plus
  // the megabyte that may lie unused before packing pays, plus one row.
  for (std::size_t length = 50'000; length < 50'060; ++length) grid.setCell(kDescriptionColumn, 2, std::string(length, 'z'));
  EXPECT_LT(grid.textBytes(), 1'250'000u);
  EXPECT_EQ(grid.cell(kDescriptionColumn, 1), big);
  EXPECT_EQ(grid.cell(kBalanceColumn, 1), "end");
  EXPECT_EQ(grid.cell(kDescriptionColumn, 2), std::string(50'059, 'z'));
}

// The grid against a plain list of rows, through many random changes:
// cells of every size (a few beyond 65,535 bytes), rows inserted, deleted,
// reordered and reversed. The text store is packed on the way and never
// grows beyond twice the text it holds plus a little.
TEST(LedgerGrid, KeepsEveryCellThroughManyChangesAndStaysCompact) {
  std::mt19937 random(11);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  const auto text = [&] {
    const int kind = pick(40);
    const std::size_t length = kind == 0 ? 66'000 + pick(3'000) : kind < 8 ? 0 : static_cast<std::size_t>(pick(kind * 40));
    return std::string(length, static_cast<char>('a' + pick(26)));
  };
  LedgerGrid grid;
  std::vector<LedgerRow> model(1);
  const auto check = [&](int step) {
    ASSERT_EQ(grid.dataRowCount(), static_cast<int>(model.size())) << step;
    std::size_t live = 0;
    for (int r = 1; r <= grid.dataRowCount(); ++r)
      for (int c = 0; c < kLedgerColumnCount; ++c) {
        const std::string& cell = model[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)];
        ASSERT_EQ(grid.cell(c, r), cell) << "step " << step << " row " << r << " column " << c;
        live += cell.size();
      }
    EXPECT_LE(grid.textBytes(), 2 * live + (3 << 20)) << step;
  };
  for (int step = 0; step < 3'000; ++step) {
    const int rows = static_cast<int>(model.size());
    switch (pick(10)) {
      case 0: {
        const int at = 1 + pick(rows + 1);
        grid.insertEmptyRow(at);
        model.insert(model.begin() + (at - 1), LedgerRow{});
        break;
      }
      case 1: {
        const int first = 1 + pick(rows);
        const int last = std::min(rows, first + pick(3));
        grid.deleteRows(first, last);
        if (last - first + 1 >= rows) {
          model.assign(1, LedgerRow{});
        } else {
          model.erase(model.begin() + (first - 1), model.begin() + last);
        }
        break;
      }
      case 2: {
        std::vector<int> sources(model.size());
        for (std::size_t i = 0; i < sources.size(); ++i) sources[i] = static_cast<int>(i) + 1;
        std::shuffle(sources.begin(), sources.end(), random);
        std::vector<LedgerRow> moved;
        for (int source : sources) moved.push_back(model[static_cast<std::size_t>(source - 1)]);
        grid.reorderDataRows(sources);
        model = moved;
        break;
      }
      case 3:
        grid.reverseDataRows();
        std::reverse(model.begin(), model.end());
        break;
      case 4: {
        const int from = 1 + pick(rows);
        const int to = 1 + pick(rows);
        grid.setRow(to, grid.row(from));
        model[static_cast<std::size_t>(to - 1)] = model[static_cast<std::size_t>(from - 1)];
        break;
      }
      default: {
        const int r = 1 + pick(rows);
        const int c = pick(kLedgerColumnCount);
        const std::string cell = text();
        grid.setCell(c, r, cell);
        model[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)] = cell;
      }
    }
    if (step % 50 == 0 || step > 2'990) check(step);
  }
}

}  // namespace
}  // namespace sorabel
