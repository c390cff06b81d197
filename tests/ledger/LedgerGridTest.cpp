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

// Copies share their text until written: a grid and two copies, each
// written at random (in place when the new cells fit), each keeps exactly
// its own cells, also after one of them is packed or goes away.
TEST(LedgerGrid, CopiesKeepTheirOwnCellsWhicheverIsWritten) {
  std::mt19937 random(23);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  std::vector<LedgerGrid> grids(1);
  std::vector<std::vector<LedgerRow>> models(1, std::vector<LedgerRow>(1));
  grids[0].setRowCount(41);
  models[0].resize(40);
  for (int step = 0; step < 4'000; ++step) {
    const std::size_t which = static_cast<std::size_t>(pick(static_cast<int>(grids.size())));
    LedgerGrid& grid = grids[which];
    std::vector<LedgerRow>& model = models[which];
    const int kind = pick(20);
    if (kind == 0 && grids.size() < 3) {
      grids.push_back(grid);
      models.push_back(model);
    } else if (kind == 1 && grids.size() > 1) {
      grids.erase(grids.begin() + static_cast<std::ptrdiff_t>(which));
      models.erase(models.begin() + static_cast<std::ptrdiff_t>(which));
    } else if (kind == 2) {
      const std::size_t other = static_cast<std::size_t>(pick(static_cast<int>(grids.size())));
      grids[which] = grids[other];
      models[which] = models[other];
    } else {
      const int r = 1 + pick(grid.dataRowCount());
      const int c = pick(kLedgerColumnCount);
      // Mostly texts of a few lengths, so that many fit where they stand.
      const std::string cell(static_cast<std::size_t>(pick(4) * 3 + (pick(30) == 0 ? 2'000 : 0)),
                             static_cast<char>('a' + pick(26)));
      grid.setCell(c, r, cell);
      model[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)] = cell;
    }
    for (std::size_t g = 0; g < grids.size(); ++g)
      for (int r = 1; r <= grids[g].dataRowCount(); ++r)
        for (int c = 0; c < kLedgerColumnCount; ++c)
          ASSERT_EQ(grids[g].cell(c, r), models[g][static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)])
              << "step " << step << " grid " << g << " row " << r << " column " << c;
  }
}

// After a mark, every change of the grid leaves the rows outside the noted
// range as they were at the mark, and rows added, removed or moved note
// all; a later mark, or a grid put in the grid's place, makes an older
// mark give all.
TEST(LedgerGrid, NotesWhichRowsChangedSinceAMark) {
  std::mt19937 random(31);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  LedgerGrid grid = gridOf({{"a"}, {"b"}, {"c"}, {"d"}, {"e"}, {"f"}, {"g"}, {"h"}});
  for (int round = 0; round < 300; ++round) {
    const LedgerGrid atMark = grid;
    const auto watcher = pick(2) == 0 ? LedgerGrid::Watcher::UndoHistory : LedgerGrid::Watcher::GridView;
    const std::uint64_t mark = grid.markUnchanged(watcher);
    EXPECT_TRUE(grid.changedSince(watcher, mark).none());
    bool structural = false;
    for (int change = pick(4); change > 0; --change) {
      const int r = 1 + pick(grid.dataRowCount());
      switch (pick(12)) {
        case 0: grid.insertEmptyRow(r); structural = true; break;
        case 1: grid.deleteRows(r, r); structural = true; break;
        case 2: grid.reverseDataRows(); structural = true; break;
        case 3: grid.setRowCount(grid.rowCount() + 1); structural = true; break;
        case 4: grid.setRow(r, grid.row(1 + pick(grid.dataRowCount()))); break;
        case 5: {
          const std::string_view amounts[] = {"1", "22", "333"};
          grid.setCellsFrom(r, kIncomeColumn, amounts);
          break;
        }
        default: grid.setCell(pick(kLedgerColumnCount), r, std::string(static_cast<std::size_t>(pick(5)), 'x'));
      }
    }
    const ChangedRows changed = grid.changedSince(watcher, mark);
    EXPECT_EQ(changed.all, structural) << round;
    if (!changed.all) {
      ASSERT_EQ(grid.dataRowCount(), atMark.dataRowCount());
      for (int r = 1; r <= grid.dataRowCount(); ++r) {
        if (changed.none() || r < changed.first || r > changed.last) {
          EXPECT_EQ(grid.row(r), atMark.row(r)) << round << " row " << r;
        }
      }
    }
    if (grid.dataRowCount() > 30) grid.deleteRows(20, grid.dataRowCount());
  }
  const std::uint64_t older = grid.markUnchanged(LedgerGrid::Watcher::UndoHistory);
  grid.markUnchanged(LedgerGrid::Watcher::UndoHistory);
  EXPECT_TRUE(grid.changedSince(LedgerGrid::Watcher::UndoHistory, older).all);
  const std::uint64_t mark = grid.markUnchanged(LedgerGrid::Watcher::UndoHistory);
  grid = LedgerGrid(grid);
  EXPECT_TRUE(grid.changedSince(LedgerGrid::Watcher::UndoHistory, mark).none());  // the same grid's copy
  grid = gridOf({{"z"}});
  EXPECT_TRUE(grid.changedSince(LedgerGrid::Watcher::UndoHistory, mark).all);
}

}  // namespace
}  // namespace sorabel
