#include "ledger/BookBaseline.h"

#include <gtest/gtest.h>

#include <random>

#include "ledger/SortAndBalance.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

using Entries = std::vector<std::array<std::string, 4>>;

// Date, description, income and expense of every row: what undo keeps.
Entries entriesOf(const LedgerGrid& grid) {
  Entries entries;
  for (int r = 1; r <= grid.dataRowCount(); ++r) {
    const LedgerRowView row = grid.row(r);
    entries.push_back({std::string(row[0]), std::string(row[1]), std::string(row[2]), std::string(row[3])});
  }
  return entries;
}

class BookBaselineTest : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }
};

// The window's steps on a book: edits of every kind, each recorded (the
// change since the baseline, then the baseline follows), sometimes followed
// by a pass that joins the step. Every change found, from the rows written
// or from all rows, takes the book back to what it was and forward again.
TEST_F(BookBaselineTest, ChangesFoundFromTheWrittenRowsTakeEveryStepBackAndForth) {
  std::mt19937 random(17);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  const auto date = [&] { return "2001/0" + std::to_string(1 + pick(4)) + "/1" + std::to_string(pick(10)); };
  LedgerGrid book;
  book.setRowCount(41);
  for (int r = 1; r <= 40; ++r) {
    book.setCell(kDateColumn, r, date());
    book.setCell(kDescriptionColumn, r, "entry " + std::to_string(r));
    book.setCell(kIncomeColumn, r, std::to_string(pick(1000)));
  }
  sortAndBalance(book, kDateColumn, BookOrder::OldestFirst);
  BookBaseline baseline;
  baseline.take(book);
  for (int step = 0; step < 400; ++step) {
    const LedgerGrid before = book;
    const int r = 1 + pick(book.dataRowCount());
    // Most edits write cells where they stand: found from those rows.
    switch (pick(9)) {
      case 0: break;
      case 1: book.insertEmptyRow(r); break;
      case 2: book.deleteRows(r, r + pick(3)); break;
      case 3: book.reverseDataRows(); break;
      case 4: book.setRow(r, book.row(1 + pick(book.dataRowCount()))); break;
      case 5: book.setCell(kDateColumn, r, date()); break;
      case 6:
        book.setCell(kExpenseColumn, r, std::to_string(pick(50)));
        book.setCell(kDescriptionColumn, 1 + pick(book.dataRowCount()), "edited");
        break;
      default: book.setCell(pick(kLedgerColumnCount), r, std::to_string(pick(100))); break;
    }
    const GridChange change = baseline.changeTo(book);
    EXPECT_EQ(change.empty(), entriesOf(before) == entriesOf(book)) << step;
    LedgerGrid undone = book;
    change.undo(undone);
    ASSERT_EQ(entriesOf(undone), entriesOf(before)) << "undoing step " << step;
    LedgerGrid redone = before;
    change.redo(redone);
    ASSERT_EQ(entriesOf(redone), entriesOf(book)) << "redoing step " << step;
    baseline.follow(book);
    if (pick(2) == 0) {
      // Enter: the pass, and the step grows to what it left.
      sortAndBalance(book, kDateColumn, pick(4) == 0 ? BookOrder::NewestFirst : BookOrder::OldestFirst);
      const GridChange joined = baseline.joined(change, book);
      LedgerGrid back = book;
      joined.undo(back);
      ASSERT_EQ(entriesOf(back), entriesOf(before)) << "undoing the joined step " << step;
      LedgerGrid forth = before;
      joined.redo(forth);
      ASSERT_EQ(entriesOf(forth), entriesOf(book)) << "redoing the joined step " << step;
      baseline.follow(book);
    }
    ASSERT_EQ(entriesOf(baseline.grid()), entriesOf(book)) << step;
  }
}

}  // namespace
}  // namespace sorabel
