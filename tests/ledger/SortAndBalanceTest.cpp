#include "ledger/SortAndBalance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <utility>

#include "ledger/RowText.h"
#include "support/LedgerFixtures.h"
#include "ledger/Amount.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

using test::columnOf;
using test::gridOf;
using test::rowsOf;
using Rows = std::vector<test::Utf8Row>;
using Cells = std::vector<std::string>;

class SortAndBalanceTest : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }
};

TEST_F(SortAndBalanceTest, EmptyBookGetsZeroAmounts) {
  LedgerGrid grid;
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  EXPECT_EQ(rowsOf(grid), (Rows{{"", "", "0", "0", "0"}}));
}

TEST_F(SortAndBalanceTest, OrdersByDateAndBalancesInDateOrder) {
  LedgerGrid grid = gridOf({{"2001/01/03", "a", "1000", ""}, {"2001/01/01", "b", "", "300"}, {"2001/01/02", "c", "50", ""}});
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  EXPECT_EQ(rowsOf(grid), (Rows{{"2001/01/01", "b", "0", "300", "-300"},
                                {"2001/01/02", "c", "50", "0", "-250"},
                                {"2001/01/03", "a", "1,000", "0", "750"}}));
  sortAndBalance(grid, kDateColumn, BookOrder::NewestFirst);
  EXPECT_EQ(rowsOf(grid), (Rows{{"2001/01/03", "a", "1,000", "0", "750"},
                                {"2001/01/02", "c", "50", "0", "-250"},
                                {"2001/01/01", "b", "0", "300", "-300"}}));
}

TEST_F(SortAndBalanceTest, EqualDatesKeepTheirOrderAndReverseWithTheDirection) {
  LedgerGrid grid = gridOf({{"2001/01/01", "first"}, {"2001/01/03", "middle"}, {"2001/01/05", "x"}, {"2001/01/05", "y"},
                            {"2001/01/09", "last"}});
  for (int pass = 0; pass < 3; ++pass) sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  EXPECT_EQ(columnOf(grid, 1), (Cells{"first", "middle", "x", "y", "last"}));
  for (int pass = 0; pass < 3; ++pass) sortAndBalance(grid, kDateColumn, BookOrder::NewestFirst);
  EXPECT_EQ(columnOf(grid, 1), (Cells{"last", "y", "x", "middle", "first"}));
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  EXPECT_EQ(columnOf(grid, 1), (Cells{"first", "middle", "x", "y", "last"}));
}

TEST_F(SortAndBalanceTest, KeysIgnoreCaseAndCarryTheTieNumber) {
  LedgerGrid mixed = gridOf({{"B", "1"}, {"a", "2"}, {"c", "3"}});
  sortAndBalance(mixed, kDateColumn, BookOrder::OldestFirst);
  EXPECT_EQ(columnOf(mixed, 1), (Cells{"2", "1", "3"}));
  // "b" and "B" are equal keys, so their present order decides.
  LedgerGrid tied = gridOf({{"b", "1"}, {"a", "2"}, {"B", "3"}, {"c", "4"}, {"d", "5"}});
  sortAndBalance(tied, kDateColumn, BookOrder::OldestFirst);
  EXPECT_EQ(columnOf(tied, 1), (Cells{"2", "1", "3", "4", "5"}));
}

TEST_F(SortAndBalanceTest, AmountsAreRewrittenAndNegativeBalancesShowSeparators) {
  LedgerGrid grid = gridOf({{"2001/01/01", "", "1000円", "2,234"}, {"2001/01/02", "", "△500", "１２３"},
                            {"2001/01/03", "", "12.5", "abc"}});
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  EXPECT_EQ(columnOf(grid, 2), (Cells{"1,000", "500", "125"}));
  EXPECT_EQ(columnOf(grid, 3), (Cells{"2,234", "0", "0"}));
  EXPECT_EQ(columnOf(grid, 4), (Cells{"-1,234", "-734", "-609"}));
}

TEST_F(SortAndBalanceTest, DescriptionsWithQuotesCommasAndBlanksSurviveEveryPass) {
  LedgerGrid grid = gridOf({{"2001/01/02", "a, \"quoted\"  b"}, {"2001/01/01", ""}, {"2001/01/03", " "}});
  for (int pass = 0; pass < 4; ++pass)
    sortAndBalance(grid, kDateColumn, pass % 2 ? BookOrder::NewestFirst : BookOrder::OldestFirst);
  EXPECT_EQ(columnOf(grid, 1), (Cells{" ", "a, \"quoted\"  b", ""}));
}

TEST_F(SortAndBalanceTest, RunningSumBeyondThirtyTwoBitsStaysExact) {
  LedgerGrid grid = gridOf({{"2001/01/01", "", "2,147,483,647"}, {"2001/01/02", "", "2,147,483,647"},
                            {"2001/01/03", "", "2,147,483,647"}});
  sortAndBalance(grid, kDateColumn, BookOrder::NewestFirst);
  EXPECT_EQ(columnOf(grid, 4), (Cells{"6,442,450,941", "4,294,967,294", "2,147,483,647"}));
}

TEST_F(SortAndBalanceTest, AmountBeyondThirtyTwoBitsStopsThePassAtThatRow) {
  LedgerGrid grid = gridOf({{"2001/01/03", "", "5", "", "old"}, {"2001/01/01", "", "10", "", "old"},
                            {"2001/01/02", "", "1", "2147483648", "old"}});
  try {
    sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
    FAIL();
  } catch (const AmountError& e) {
    EXPECT_STREQ(e.what(), "'2147483648' は整数ではありません");
  }
  // Rows are placed; the row before the bad one is balanced, the rest keep their old texts.
  EXPECT_EQ(rowsOf(grid), (Rows{{"2001/01/01", "", "10", "0", "10"},
                                {"2001/01/02", "", "1", "2147483648", "old"},
                                {"2001/01/03", "", "5", "", "old"}}));
}

TEST_F(SortAndBalanceTest, MoreThanSixtyFiveThousandRowsKeepTheirOrder) {
  // A 16-bit row counter would wrap here; the seven-digit tie keeps order.
  const int n = 70'000;
  LedgerGrid grid;
  grid.setRowCount(n + 1);
  for (int r = 1; r <= n; ++r) {
    grid.setCell(kDateColumn, r, "2001/01/01");
    grid.setCell(kDescriptionColumn, r, std::to_string(r));
    grid.setCell(kIncomeColumn, r, "1");
  }
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  ASSERT_EQ(grid.dataRowCount(), n);
  for (int r = 1; r <= n; r += 997) EXPECT_EQ(grid.cell(kDescriptionColumn, r), std::to_string(r));
  EXPECT_EQ(grid.cell(kBalanceColumn, n), "70,000");
  sortAndBalance(grid, kDateColumn, BookOrder::NewestFirst);
  EXPECT_EQ(grid.cell(kDescriptionColumn, 1), std::to_string(n));
  EXPECT_EQ(grid.cell(kBalanceColumn, 1), "70,000");
}

// The pass step by step on plain rows, as the reference for the grid's
// pass, which takes shortcuts (packed keys, books already in order).
std::vector<LedgerRow> referencePass(std::vector<LedgerRow> rows, BookOrder order) {
  const int n = static_cast<int>(rows.size());
  const LedgerRow none{};
  const LedgerRow& second = n >= 2 ? rows[1] : none;
  const LedgerRow& secondToLast = n >= 2 ? rows[static_cast<std::size_t>(n - 2)] : LedgerGrid::headerRow();
  const bool newestFirstNow = rowText(second) > rowText(secondToLast);
  std::vector<std::pair<std::string, int>> keys;
  for (int c = 1; c <= n; ++c) {
    std::string key = rows[static_cast<std::size_t>(c - 1)][kDateColumn];
    foldCaseInPlace(key);
    char tie[16];
    std::snprintf(tie, sizeof tie, "%07d", newestFirstNow ? n - c : c);
    keys.emplace_back(key + tie, c - 1);
  }
  std::stable_sort(keys.begin(), keys.end());
  std::vector<LedgerRow> placed(rows.size());
  for (int i = 0; i < n; ++i)
    placed[static_cast<std::size_t>(order == BookOrder::OldestFirst ? i : n - 1 - i)] =
        rows[static_cast<std::size_t>(keys[static_cast<std::size_t>(i)].second)];
  std::int64_t sum = 0;
  for (int k = 0; k < n; ++k) {
    LedgerRow& row = placed[static_cast<std::size_t>(order == BookOrder::OldestFirst ? k : n - 1 - k)];
    const std::int32_t income = parseAmount(row[kIncomeColumn]);
    const std::int32_t expense = parseAmount(row[kExpenseColumn]);
    row[kIncomeColumn] = amountText(income);
    row[kExpenseColumn] = amountText(expense);
    sum += static_cast<std::int64_t>(income) - expense;
    row[kBalanceColumn] = amountText(sum);
  }
  return placed;
}

TEST_F(SortAndBalanceTest, AgreesWithThePassStepByStepOnBooksOfEveryKind) {
  // Dates of one length and of many, letters of both cases, Shift-JIS
  // characters whose second byte looks like a letter, equal dates; books in
  // order, in reverse order, nearly in order and in none.
  std::mt19937 random(5);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  const std::vector<std::string> oddDates = {"", "x", "ABC", "abd", "2001/1/5", "2001/01/01 memo", sjis("表A"),
                                             sjis("表a"), "2001/01/01extra-long-key-text", "Z"};
  const std::vector<std::string> tenBytes = {"2001/01/0a", "2001/01/0B", "2001/01/0b", sjis("表A") + "2001/01",
                                             sjis("表a") + "2001/01", "2001/01/0C"};
  const std::vector<std::string> amounts = {"", "0", "5", "1,234", "1234", "-500", "12.5", "abc", "2,147,483,647"};
  for (int book = 0; book < 60; ++book) {
    const int n = 1 + pick(book < 20 ? 6 : 80);
    const bool sameLength = book % 3 != 0;
    std::vector<LedgerRow> rows(static_cast<std::size_t>(n));
    for (LedgerRow& row : rows) {
      if (!sameLength)
        row[kDateColumn] = oddDates[static_cast<std::size_t>(pick(static_cast<int>(oddDates.size())))];
      else if (pick(4) == 0)
        row[kDateColumn] = tenBytes[static_cast<std::size_t>(pick(static_cast<int>(tenBytes.size())))];
      else
        row[kDateColumn] = "2001/0" + std::to_string(1 + pick(3)) + "/0" + std::to_string(1 + pick(4));
      row[kDescriptionColumn] = std::to_string(pick(1000));
      row[kIncomeColumn] = amounts[static_cast<std::size_t>(pick(static_cast<int>(amounts.size())))];
      row[kExpenseColumn] = amounts[static_cast<std::size_t>(pick(static_cast<int>(amounts.size())))];
      row[kBalanceColumn] = amounts[static_cast<std::size_t>(pick(static_cast<int>(amounts.size())))];
    }
    if (book % 4 == 1) rows = referencePass(rows, BookOrder::OldestFirst);
    if (book % 4 == 2) rows = referencePass(rows, BookOrder::NewestFirst);
    if (book % 4 == 3 && n > 2) std::swap(rows[0], rows[static_cast<std::size_t>(n / 2)]);
    LedgerGrid grid;
    grid.setRowCount(n + 1);
    for (int r = 1; r <= n; ++r) grid.setRow(r, {rows[r - 1][0], rows[r - 1][1], rows[r - 1][2], rows[r - 1][3], rows[r - 1][4]});
    for (BookOrder order : {BookOrder::OldestFirst, BookOrder::OldestFirst, BookOrder::NewestFirst, BookOrder::OldestFirst}) {
      sortAndBalance(grid, kDateColumn, order);
      rows = referencePass(rows, order);
      for (int r = 1; r <= n; ++r)
        for (int c = 0; c < kLedgerColumnCount; ++c)
          ASSERT_EQ(grid.cell(c, r), rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)])
              << "book " << book << " row " << r << " column " << c;
    }
  }
}

// The pass starts at the first row written since the last pass and stops
// once a row after the written ones keeps its balance, and does nothing on
// a book it left where the next pass would: through edits of every kind
// between passes (none at all, amounts early and late, dates that move a
// row, rows added and removed, the other order, another separator, a pass
// stopped by an amount too large), it agrees with the pass step by step.
TEST_F(SortAndBalanceTest, AgreesWithThePassStepByStepWhenTheBookIsEditedBetweenPasses) {
  std::mt19937 random(41);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  const std::vector<std::string> amounts = {"", "0", "7", "1,234", "98765", "-500", "x", "2,147,483,647"};
  const auto date = [&] { return "2001/0" + std::to_string(1 + pick(3)) + "/0" + std::to_string(1 + pick(3)); };
  for (int book = 0; book < 12; ++book) {
    const int n = 2 + pick(60);
    std::vector<LedgerRow> rows(static_cast<std::size_t>(n));
    LedgerGrid grid;
    grid.setRowCount(n + 1);
    const auto set = [&](int r, int c, const std::string& text) {
      grid.setCell(c, r, text);
      rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)] = text;
    };
    for (int r = 1; r <= n; ++r) {
      set(r, kDateColumn, date());
      set(r, kDescriptionColumn, std::to_string(r));
      set(r, kIncomeColumn, amounts[static_cast<std::size_t>(pick(6))]);
    }
    BookOrder order = BookOrder::OldestFirst;
    for (int pass = 0; pass < 60; ++pass) {
      const int count = static_cast<int>(rows.size());
      const int r = 1 + pick(count);
      switch (pick(10)) {
        case 0: break;  // the same book again
        case 1: set(r, kDateColumn, date()); break;
        case 2: set(pick(2) == 0 ? 1 : count, kExpenseColumn, amounts[static_cast<std::size_t>(pick(6))]); break;
        case 3: set(r, kBalanceColumn, "12"); break;
        case 4:
          grid.insertEmptyRow(r);
          rows.insert(rows.begin() + (r - 1), LedgerRow{});
          set(r, kDateColumn, date());
          break;
        case 5:
          if (count > 2) {
            grid.deleteRows(r, r);
            rows.erase(rows.begin() + (r - 1));
          }
          break;
        case 6: order = order == BookOrder::OldestFirst ? BookOrder::NewestFirst : BookOrder::OldestFirst; break;
        case 7: setThousandsSeparator(pick(2) == 0 ? '.' : ','); break;
        case 8: set(r, kIncomeColumn, pick(4) == 0 ? "99999999999" : amounts[static_cast<std::size_t>(pick(6))]); break;
        default: set(r, pick(4), std::to_string(pick(100))); break;
      }
      std::vector<LedgerRow> expected;
      bool tooLarge = false;
      try {
        expected = referencePass(rows, order);
      } catch (const AmountError&) {
        tooLarge = true;
      }
      if (tooLarge) {
        EXPECT_THROW(sortAndBalance(grid, kDateColumn, order), AmountError);
        // The rows stay as the stopped pass left them; the amount is
        // corrected, as a person would.
        for (int row = 1; row <= grid.dataRowCount(); ++row)
          for (int c = 0; c < kLedgerColumnCount; ++c)
            rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(c)] = grid.cell(c, row);
        for (int row = 1; row <= grid.dataRowCount(); ++row) {
          try {
            parseAmount(grid.cell(kIncomeColumn, row));
          } catch (const AmountError&) {
            set(row, kIncomeColumn, "5");
          }
        }
        continue;
      }
      sortAndBalance(grid, kDateColumn, order);
      rows = expected;
      for (int row = 1; row <= grid.dataRowCount(); ++row)
        for (int c = 0; c < kLedgerColumnCount; ++c)
          ASSERT_EQ(grid.cell(c, row), rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(c)])
              << "book " << book << " pass " << pass << " row " << row << " column " << c;
    }
  }
}

// Writing the amounts can turn the direction step 1 finds, so that the
// next pass turns rows of equal date round although nothing was edited:
// every pass of small books of one date agrees with the pass step by step.
TEST_F(SortAndBalanceTest, APassAfterAPassIsSkippedOnlyWhenItWouldChangeNothing) {
  std::mt19937 random(43);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  const std::vector<std::string> amounts = {"", "0", "5", "10", "-3", "1,000"};
  int turned = 0;
  for (int book = 0; book < 400; ++book) {
    const int n = 3 + pick(4);
    std::vector<LedgerRow> rows(static_cast<std::size_t>(n));
    LedgerGrid grid;
    grid.setRowCount(n + 1);
    for (int r = 1; r <= n; ++r) {
      LedgerRow& row = rows[static_cast<std::size_t>(r - 1)];
      row = {"2001/01/01", std::to_string(pick(2)), amounts[static_cast<std::size_t>(pick(6))],
             amounts[static_cast<std::size_t>(pick(6))], amounts[static_cast<std::size_t>(pick(6))]};
      grid.setRow(r, {row[0], row[1], row[2], row[3], row[4]});
    }
    const BookOrder order = pick(2) == 0 ? BookOrder::OldestFirst : BookOrder::NewestFirst;
    for (int pass = 0; pass < 3; ++pass) {
      const std::vector<LedgerRow> expected = referencePass(rows, order);
      if (pass > 0 && expected != rows) ++turned;
      rows = expected;
      sortAndBalance(grid, kDateColumn, order);
      for (int r = 1; r <= n; ++r)
        for (int c = 0; c < kLedgerColumnCount; ++c)
          ASSERT_EQ(grid.cell(c, r), rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)])
              << "book " << book << " pass " << pass << " row " << r << " column " << c;
    }
  }
  EXPECT_GT(turned, 0);  // the books had such passes
}

// The pass looks at a large book's rows in two halves at the same time
// (whether the book is in order, and which rows keep their balance, the
// second half starting from the balance written before it). With faults
// on either side of the middle and on it, in both orders, it agrees with
// the pass step by step.
TEST_F(SortAndBalanceTest, AgreesWithThePassStepByStepOnLargeBooks) {
  const int n = 20'000;
  const int middle = n / 2;
  std::mt19937 random(11);
  std::vector<LedgerRow> book(static_cast<std::size_t>(n));
  for (int r = 0; r < n; ++r) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", 2000 + r / 336, 1 + r / 28 % 12, 1 + r % 28);
    const std::string amount = std::to_string(random() % 300'000);
    book[static_cast<std::size_t>(r)] = {date, std::to_string(r), r % 4 == 0 ? amount : "", r % 4 == 0 ? "" : amount, ""};
  }
  using Fault = std::function<void(std::vector<LedgerRow>&)>;
  const auto at = [](std::vector<LedgerRow>& rows, int r) -> LedgerRow& { return rows[static_cast<std::size_t>(r - 1)]; };
  std::vector<Fault> faults = {[](std::vector<LedgerRow>&) {}};
  for (int r : {3, middle - 1, middle, middle + 1, middle + 2, n - 3}) {
    faults.push_back([=](std::vector<LedgerRow>& rows) { at(rows, r)[kBalanceColumn] = "12"; });
    faults.push_back([=](std::vector<LedgerRow>& rows) { at(rows, r)[kBalanceColumn] = "x"; });
    faults.push_back([=](std::vector<LedgerRow>& rows) { at(rows, r)[kExpenseColumn] = "7"; });
  }
  faults.push_back([&](std::vector<LedgerRow>& rows) { std::swap(at(rows, middle), at(rows, middle + 1)); });
  faults.push_back([&](std::vector<LedgerRow>& rows) { std::reverse(rows.begin() + middle, rows.end()); });
  for (BookOrder order : {BookOrder::OldestFirst, BookOrder::NewestFirst}) {
    const std::vector<LedgerRow> balanced = referencePass(book, order);
    for (std::size_t f = 0; f < faults.size(); ++f) {
      std::vector<LedgerRow> rows = balanced;
      faults[f](rows);
      LedgerGrid grid;
      grid.setRowCount(n + 1);
      for (int r = 1; r <= n; ++r) {
        const LedgerRow& row = at(rows, r);
        grid.setRow(r, {row[0], row[1], row[2], row[3], row[4]});
      }
      sortAndBalance(grid, kDateColumn, order);
      rows = referencePass(rows, order);
      for (int r = 1; r <= n; ++r)
        for (int c = 0; c < kLedgerColumnCount; ++c)
          ASSERT_EQ(grid.cell(c, r), at(rows, r)[static_cast<std::size_t>(c)]) << "fault " << f << " row " << r;
    }
  }
}

TEST_F(SortAndBalanceTest, RefusesBooksBeyondTheTieNumberBeforeChangingAnything) {
  LedgerGrid grid;
  grid.setRowCount(kMaxEntries + 2);
  grid.setCell(kDateColumn, 1, "2001/01/02");
  EXPECT_THROW(sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst), BookTooLargeError);
  EXPECT_EQ(grid.cell(kDateColumn, 1), "2001/01/02");
  EXPECT_EQ(grid.cell(kIncomeColumn, 1), "");
}

}  // namespace
}  // namespace sorabel
