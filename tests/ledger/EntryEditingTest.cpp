#include "ledger/EntryEditing.h"

#include <gtest/gtest.h>

#include "support/LedgerFixtures.h"

namespace sorabel {
namespace {

using test::gridOf;
using test::rowsOf;
using Rows = std::vector<test::Utf8Row>;

NewEntry entry(const char* date, const char* description, const char* income = "", const char* expense = "") {
  return {sjis(date), sjis(description), sjis(income), sjis(expense)};
}

TEST(AddEntry, ReusesTheEmptyPlaceholderRow) {
  LedgerGrid grid;
  addEntry(grid, entry("2001/01/01", "", "", "5"), BookOrder::NewestFirst);
  EXPECT_EQ(rowsOf(grid), (Rows{{"2001/01/01", "", "0", "5", ""}}));
}

TEST(AddEntry, OldestFirstWritesTheLastRow) {
  LedgerGrid grid = gridOf({{"2001/01/01", "a", "1", "0", "1"}});
  addEntry(grid, entry("2000/01/01", "b", "2"), BookOrder::OldestFirst);
  EXPECT_EQ(rowsOf(grid), (Rows{{"2001/01/01", "a", "1", "0", "1"}, {"2000/01/01", "b", "2", "0", ""}}));
}

TEST(AddEntry, NewestFirstShiftsEveryRowWholeAndWritesRowOne) {
  LedgerGrid grid = gridOf({{"2001/01/02", "", "1", "0", "1"}, {"2001/01/01", "a, \"q\" b", "2", "0", "3"}});
  addEntry(grid, entry("2001/01/03", "new", "", ""), BookOrder::NewestFirst);
  EXPECT_EQ(rowsOf(grid), (Rows{{"2001/01/03", "new", "0", "0", ""},
                                {"2001/01/02", "", "1", "0", "1"},
                                {"2001/01/01", "a, \"q\" b", "2", "0", "3"}}));
}

TEST(AddEntries, KeepTheBlocksOrderAboveTheRowsWhenNewestFirstAndAfterThemOtherwise) {
  const std::vector<NewEntry> block{entry("2001/01/05", "x", "1"), entry("2001/01/05", "y", "", "2")};
  LedgerGrid newest = gridOf({{"2001/01/02", "a", "1", "0", "1"}, {"2001/01/01", "b", "2", "0", "3"}});
  addEntries(newest, block, BookOrder::NewestFirst);
  EXPECT_EQ(rowsOf(newest), (Rows{{"2001/01/05", "x", "1", "0", ""},
                                  {"2001/01/05", "y", "0", "2", ""},
                                  {"2001/01/02", "a", "1", "0", "1"},
                                  {"2001/01/01", "b", "2", "0", "3"}}));
  LedgerGrid oldest = gridOf({{"2001/01/01", "b", "2", "0", "2"}});
  addEntries(oldest, block, BookOrder::OldestFirst);
  EXPECT_EQ(rowsOf(oldest), (Rows{{"2001/01/01", "b", "2", "0", "2"},
                                  {"2001/01/05", "x", "1", "0", ""},
                                  {"2001/01/05", "y", "0", "2", ""}}));
  LedgerGrid empty;
  addEntries(empty, block, BookOrder::NewestFirst);
  EXPECT_EQ(rowsOf(empty), (Rows{{"2001/01/05", "x", "1", "0", ""}, {"2001/01/05", "y", "0", "2", ""}}));
}

TEST(DeletePrompt, CutsTheDescriptionAfterTwentyBytesOnACharacterBoundary) {
  EXPECT_EQ(cp932ToUtf8(deletePrompt("")), "  削除しますか？");
  EXPECT_EQ(cp932ToUtf8(deletePrompt(sjis("食費"))), "食費  削除しますか？");
  EXPECT_EQ(cp932ToUtf8(deletePrompt(sjis("あいうえおかきくけこさ"))), "あいうえおかきくけこ  削除しますか？");
  EXPECT_EQ(cp932ToUtf8(deletePrompt(sjis("xあいうえおかきくけこさ"))), "xあいうえおかきくけ  削除しますか？");
}

TEST(AddEntry, AnEntryWithoutADateIsNoPlaceholder) {
  LedgerGrid grid = gridOf({{"", "hand-edited", "1", "0", "1"}});
  addEntry(grid, entry("2001/01/05", "new"), BookOrder::OldestFirst);
  EXPECT_EQ(rowsOf(grid), (Rows{{"", "hand-edited", "1", "0", "1"}, {"2001/01/05", "new", "0", "0", ""}}));
  EXPECT_FALSE(isEmptyBook(grid));
  EXPECT_TRUE(isEmptyBook(LedgerGrid()));
}

TEST(AddEntries, ReuseTheEmptyRowAlsoAfterThePassHasWrittenItsZeros) {
  LedgerGrid grid;
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  ASSERT_TRUE(isEmptyBook(grid));
  const std::vector<NewEntry> block{entry("2001/01/05", "x", "1"), entry("2001/01/06", "y", "", "2")};
  addEntries(grid, block, BookOrder::OldestFirst);
  EXPECT_EQ(rowsOf(grid), (Rows{{"2001/01/05", "x", "1", "0", ""}, {"2001/01/06", "y", "0", "2", ""}}));
  EXPECT_FALSE(isEmptyBook(gridOf({{"", "", "5", "0", "5"}})));  // an amount is an entry
}

}  // namespace
}  // namespace sorabel
