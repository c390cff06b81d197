#include "ledger/RowDiff.h"

#include <gtest/gtest.h>

#include <random>

namespace sorabel {
namespace {

using Rows = std::vector<std::uint64_t>;

// before with every hunk applied, last first so that the places stay valid.
Rows applied(Rows rows, const Rows& after, const std::vector<RowHunk>& hunks) {
  for (auto h = hunks.rbegin(); h != hunks.rend(); ++h) {
    rows.erase(rows.begin() + h->from, rows.begin() + h->from + h->removed);
    rows.insert(rows.begin() + h->from, after.begin() + h->to, after.begin() + h->to + h->added);
  }
  return rows;
}

Rows counting(int n) {
  Rows rows(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) rows[static_cast<std::size_t>(i)] = static_cast<std::uint64_t>(i) + 1;
  return rows;
}

TEST(RowDiff, EverydayChangesGiveTheFewestRows) {
  const Rows book = counting(1000);
  EXPECT_TRUE(diffRows(book, book).empty());

  Rows edited = book;
  edited[500] = 9999;
  EXPECT_EQ(diffRows(book, edited), (std::vector<RowHunk>{{500, 1, 500, 1}}));

  Rows moved = book;  // an entry whose new date sends it from row 10 to row 900
  moved.erase(moved.begin() + 10);
  moved.insert(moved.begin() + 900, 9999);
  EXPECT_EQ(diffRows(book, moved), (std::vector<RowHunk>{{10, 1, 10, 0}, {901, 0, 900, 1}}));

  Rows deleted = book;
  deleted.erase(deleted.begin() + 100, deleted.begin() + 700);
  EXPECT_EQ(diffRows(book, deleted), (std::vector<RowHunk>{{100, 600, 100, 0}}));

  Rows reversed(book.rbegin(), book.rend());  // beyond the bounded search: one exact hunk
  EXPECT_EQ(diffRows(book, reversed), (std::vector<RowHunk>{{0, 1000, 0, 1000}}));
}

TEST(RowDiff, RandomChangesAlwaysApplyBackToTheOtherSide) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    const Rows before = [&] {
      Rows rows(random() % 40);
      for (auto& r : rows) r = random() % 6;  // few values: many equal rows
      return rows;
    }();
    Rows after = before;
    for (int change = static_cast<int>(random() % 6); change > 0; --change) {
      const std::size_t at = after.empty() ? 0 : random() % (after.size() + 1);
      switch (random() % 3) {
        case 0: after.insert(after.begin() + static_cast<long>(at), random() % 6); break;
        case 1: if (at < after.size()) after.erase(after.begin() + static_cast<long>(at)); break;
        default: if (at < after.size()) after[at] = random() % 6; break;
      }
    }
    const std::vector<RowHunk> hunks = diffRows(before, after);
    ASSERT_EQ(applied(before, after, hunks), after) << "round " << round;
    int changedRows = 0;
    for (const RowHunk& h : hunks) {
      EXPECT_TRUE(h.removed > 0 || h.added > 0);
      changedRows += h.removed + h.added;
    }
    EXPECT_LE(changedRows, 2 * 5 + 2) << "round " << round;  // five changes at most, each a row or two
  }
}

}  // namespace
}  // namespace sorabel
