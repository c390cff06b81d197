#include "reports/MonthlySummary.h"

#include <gtest/gtest.h>

#include "support/LedgerFixtures.h"
#include "ledger/Amount.h"

namespace sorabel {
namespace {

using test::gridOf;

TEST(MonthlySummary, OneMonthGivesOneRow) {
  EXPECT_EQ(monthlySummary(gridOf({{"2001/05/01", "", "1,000", "0"}, {"2001/05/31", "", "0", "300"}})),
            (std::vector<MonthTotal>{{"2001/05", 1000, 300}}));
}

TEST(MonthlySummary, MonthsInRunsAreListedPerRunWithFullTotals) {
  auto list = monthlySummary(gridOf({{"2001/05/01", "", "1", "0"}, {"2001/06/01", "", "10", "0"},
                                     {"2001/05/20", "", "100", "5"}}));
  EXPECT_EQ(list, (std::vector<MonthTotal>{{"2001/05", 101, 5}, {"2001/06", 10, 0}, {"2001/05", 101, 5}}));
}

TEST(MonthlySummary, NewestFirstBookListsNewestMonthFirst) {
  auto list = monthlySummary(gridOf({{"2002/01/01", "", "1"}, {"2001/12/31", "", "2"}, {"2001/12/01", "", "3"}}));
  EXPECT_EQ(list, (std::vector<MonthTotal>{{"2002/01", 1, 0}, {"2001/12", 5, 0}}));
}

TEST(MonthlySummary, WorksBeyondAThousandEntriesAndMonths) {
  LedgerGrid grid;
  grid.setRowCount(1501);
  for (int r = 1; r <= 1500; ++r) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d/%02d/01", 1800 + (r - 1) / 12, (r - 1) % 12 + 1);
    grid.setCell(kDateColumn, r, date);
    grid.setCell(kIncomeColumn, r, "1");
  }
  auto list = monthlySummary(grid);
  ASSERT_EQ(list.size(), 1500u);
  EXPECT_EQ(list.back(), (MonthTotal{"1924/12", 1, 0}));
}

TEST(MonthlySummary, DateThatIsNotADateStopsIt) {
  try {
    monthlySummary(LedgerGrid());
    FAIL();
  } catch (const DateError& e) {
    EXPECT_STREQ(e.what(), "'' は日付または時刻ではありません");
  }
  try {
    monthlySummary(gridOf({{"2001/01/01", "", "9999999999"}, {"2001/02/30"}}));
    FAIL();
  } catch (const DateError& e) {
    EXPECT_STREQ(e.what(), "'2001/02/30' は日付または時刻ではありません");
  }
  EXPECT_THROW(monthlySummary(gridOf({{"2001/01/01", "", "9999999999"}})), AmountError);
  try {
    monthlySummary(gridOf({{"2001/01/01"}, {"日付" + std::string(10'000, 'x')}}));
    FAIL();
  } catch (const DateError& e) {
    EXPECT_EQ(std::string(e.what()), "'日付" + std::string(36, 'x') + "…' は日付または時刻ではありません");
  }
}

}  // namespace
}  // namespace sorabel
