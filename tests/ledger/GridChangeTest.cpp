#include "ledger/GridChange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ledger/BookFile.h"
#include "ledger/EntryEditing.h"
#include "ledger/SortAndBalance.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

std::string date(int day) {
  char text[16];
  std::snprintf(text, sizeof text, "2026/%02d/%02d", day / 28 % 12 + 1, day % 28 + 1);
  return text;
}

LedgerGrid bookOf(int entries) {
  LedgerGrid grid;
  grid.setRowCount(entries + 1);
  for (int r = 1; r <= entries; ++r) {
    grid.setCell(kDateColumn, r, date(r / 3));  // three entries a day: equal dates keep their order
    grid.setCell(kDescriptionColumn, r, "entry" + std::to_string(r));
    grid.setCell(kIncomeColumn, r, std::to_string(r * 7 % 1000));
    grid.setCell(kExpenseColumn, r, "0");
  }
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  return grid;
}

class GridChangeTest : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }
};

// Every kind of change the window makes, each followed by the pass; undone
// one by one and redone, the book is byte for byte each earlier state.
TEST_F(GridChangeTest, EveryKindOfChangeUndoneAndRedoneGivesBackEachStateByteForByte) {
  LedgerGrid grid = bookOf(60);
  BookOrder order = BookOrder::OldestFirst;
  std::vector<std::string> states{bookFileText(grid)};
  std::vector<GridChange> changes;
  std::vector<BookOrder> orders{order};
  std::mt19937 random(3);
  for (int step = 0; step < 12; ++step) {
    const LedgerGrid before = grid;
    const int row = 1 + static_cast<int>(random() % static_cast<unsigned>(grid.dataRowCount()));
    switch (step % 6) {
      case 0: addEntry(grid, {date(static_cast<int>(random() % 60)), "added", "500", "0"}, order); break;
      case 1: grid.setCell(kIncomeColumn, row, "123456"); break;  // every later balance changes
      case 2: grid.setCell(kDateColumn, row, date(static_cast<int>(random() % 60))); break;  // the row moves
      case 3: grid.deleteRows(row, std::min(row + 4, grid.lastRow())); break;
      case 4: order = order == BookOrder::OldestFirst ? BookOrder::NewestFirst : BookOrder::OldestFirst; break;
      default: grid.setCell(kDescriptionColumn, row, "説明"); break;
    }
    sortAndBalance(grid, kDateColumn, order);
    changes.push_back(GridChange::between(before, grid));
    states.push_back(bookFileText(grid));
    orders.push_back(order);
  }
  for (std::size_t n = changes.size(); n-- > 0;) {
    changes[n].undo(grid);
    balanceRows(grid, orders[n]);
    ASSERT_EQ(bookFileText(grid), states[n]) << "undoing change " << n;
  }
  for (std::size_t n = 0; n < changes.size(); ++n) {
    changes[n].redo(grid);
    balanceRows(grid, orders[n + 1]);
    ASSERT_EQ(bookFileText(grid), states[n + 1]) << "redoing change " << n;
  }
}

TEST_F(GridChangeTest, DeletingEveryEntryAndTakingItBackKeepsTheEmptyRowRule) {
  LedgerGrid grid = bookOf(3);
  const std::string full = bookFileText(grid);
  const LedgerGrid before = grid;
  grid.deleteRows(1, 3);  // one empty row remains
  const GridChange change = GridChange::between(before, grid);
  change.undo(grid);
  balanceRows(grid, BookOrder::OldestFirst);
  EXPECT_EQ(bookFileText(grid), full);
  change.redo(grid);
  EXPECT_EQ(grid.dataRowCount(), 1);
  EXPECT_TRUE(isEmptyBook(grid));
}

TEST_F(GridChangeTest, EditsOfALargeBookHoldOnlyTheRowsTheyTouched) {
  LedgerGrid grid = bookOf(20000);  // about 1 MB of text
  std::size_t held = 0;
  std::mt19937 random(5);
  for (int edit = 0; edit < 200; ++edit) {
    const LedgerGrid before = grid;
    const int row = 1 + static_cast<int>(random() % 20000u);
    grid.setCell(kIncomeColumn, row, std::to_string(100000 + edit));
    sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
    const GridChange change = GridChange::between(before, grid);
    EXPECT_FALSE(change.empty());
    held += change.storedBytes();
  }
  EXPECT_LT(held, std::size_t{200 * 512});
  const LedgerGrid before = grid;
  sortAndBalance(grid, kDateColumn, BookOrder::NewestFirst);
  EXPECT_LT(GridChange::between(before, grid).storedBytes(), std::size_t{1024});  // a change of order holds no rows
}

}  // namespace
}  // namespace sorabel
