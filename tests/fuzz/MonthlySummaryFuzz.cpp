// The order-and-balance pass and the monthly summary over any book: the
// pass keeps every entry and its amounts and leaves each balance the one
// before it plus income minus expense, in date order from the oldest; the
// summary refuses a book with a date that is not one, lists "yyyy/mm"
// months of the book, never the same month twice in a row, each with the
// totals of all its entries, and the totals of its months add up to the
// book's.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <map>

#include "FuzzCheck.h"
#include "ledger/Amount.h"
#include "ledger/BookFile.h"
#include "ledger/RowText.h"
#include "ledger/SortAndBalance.h"
#include "platform/Locale.h"
#include "reports/MonthlySummary.h"

namespace {

using namespace sorabel;

// A balance cell: "#,##0" with a leading minus sign when negative.
std::int64_t balanceOf(std::string_view text) {
  std::int64_t value = 0;
  for (char c : text)
    if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
  return !text.empty() && text.front() == '-' ? -value : value;
}

std::vector<AnsiString> sortedRowTexts(const LedgerGrid& grid, bool amountsAsNumbers) {
  std::vector<AnsiString> rows;
  for (int r = 1; r <= grid.dataRowCount(); ++r) {
    const LedgerRowView view = grid.row(r);
    LedgerRow row;
    for (int c = 0; c < kLedgerColumnCount; ++c) row[static_cast<std::size_t>(c)] = AnsiString(view[static_cast<std::size_t>(c)]);
    row[kBalanceColumn].clear();
    if (amountsAsNumbers) {
      row[kIncomeColumn] = std::to_string(parseAmount(row[kIncomeColumn]));
      row[kExpenseColumn] = std::to_string(parseAmount(row[kExpenseColumn]));
    }
    rows.push_back(rowText(row));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

// Runs the pass; false when an amount is beyond 32 bits.
bool checkOrderAndBalance(LedgerGrid& grid, BookOrder order) {
  std::vector<AnsiString> before;
  try {
    before = sortedRowTexts(grid, true);
  } catch (const AmountError&) {
    return false;
  }
  sortAndBalance(grid, kDateColumn, order);
  FUZZ_CHECK(sortedRowTexts(grid, true) == before, "the pass keeps every entry and its amounts");
  const int rows = grid.dataRowCount();
  std::int64_t balance = 0;
  for (int k = 0; k < rows; ++k) {  // from the oldest entry
    const int r = order == BookOrder::OldestFirst ? 1 + k : rows - k;
    balance += parseAmount(grid.cell(kIncomeColumn, r)) - parseAmount(grid.cell(kExpenseColumn, r));
    FUZZ_CHECK(balanceOf(grid.cell(kBalanceColumn, r)) == balance, "each balance is the running sum");
    FUZZ_CHECK(grid.cell(kIncomeColumn, r) == amountText(parseAmount(grid.cell(kIncomeColumn, r))),
               "amounts are rewritten as amount texts");
  }
  return true;
}

void checkSummary(const LedgerGrid& grid) {
  std::vector<MonthTotal> list;
  try {
    list = monthlySummary(grid);
  } catch (const DateError&) {
    bool anyBad = false;
    for (int r = 1; r <= grid.dataRowCount(); ++r) anyBad |= !parseDate(grid.cell(kDateColumn, r)).has_value();
    FUZZ_CHECK(anyBad, "only a book with a date that is not one is refused");
    return;
  } catch (const AmountError&) {
    return;
  }
  std::map<AnsiString, MonthTotal> expected;
  for (int r = 1; r <= grid.dataRowCount(); ++r) {
    const auto date = parseDate(grid.cell(kDateColumn, r));
    FUZZ_CHECK(date.has_value(), "a book with a date that is not one is refused");
    MonthTotal& total = expected[monthText(*date)];
    total.income += parseAmount(grid.cell(kIncomeColumn, r));
    total.expense += parseAmount(grid.cell(kExpenseColumn, r));
  }
  std::map<AnsiString, bool> listed;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const MonthTotal& entry = list[i];
    FUZZ_CHECK(entry.month.size() == 7 && entry.month[4] == '/', "a month reads yyyy/mm");
    FUZZ_CHECK(i == 0 || list[i - 1].month != entry.month, "a month is not listed twice in a row");
    const auto found = expected.find(entry.month);
    FUZZ_CHECK(found != expected.end(), "a listed month is a month of the book");
    FUZZ_CHECK(entry.income == found->second.income && entry.expense == found->second.expense,
               "a month shows the totals of all its entries");
    listed[entry.month] = true;
  }
  FUZZ_CHECK(listed.size() == expected.size(), "every month of the book is listed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool newestFirst = input.ConsumeBool();
  const bool balance = input.ConsumeBool();
  const std::string book = input.ConsumeRemainingBytesAsString();
  LedgerGrid grid;
  readBookText(grid, book);
  if (balance && !checkOrderAndBalance(grid, newestFirst ? BookOrder::NewestFirst : BookOrder::OldestFirst)) return 0;
  checkSummary(grid);
  return 0;
}
