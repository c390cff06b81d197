#include "reports/MonthlySummary.h"

#include <unordered_map>
#include <utility>

#include "ledger/Amount.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

AnsiString monthOf(std::string_view dateCell) {
  std::optional<Date> date = parseDate(dateCell);
  if (!date) throw DateError(formatMessage("'%s' は日付または時刻ではありません", excerptForMessage(dateCell)));
  return monthText(*date);
}

}  // namespace

std::vector<MonthTotal> monthlySummary(const LedgerGrid& grid) {
  std::vector<AnsiString> months;  // one per data row
  months.reserve(static_cast<std::size_t>(grid.dataRowCount()));
  std::unordered_map<AnsiString, MonthTotal> totals;
  // Every date is read before any amount, so a bad date is reported first.
  for (int r = 1; r <= grid.dataRowCount(); ++r) months.push_back(monthOf(grid.cell(kDateColumn, r)));
  // Entries of one month lie together in a book in date order: the month's
  // total is looked up again only where the month changes.
  MonthTotal* total = nullptr;
  for (int r = 1; r <= grid.dataRowCount(); ++r) {
    const auto at = static_cast<std::size_t>(r - 1);
    if (at == 0 || months[at] != months[at - 1]) total = &totals[months[at]];
    total->income += parseAmount(grid.cell(kIncomeColumn, r));
    total->expense += parseAmount(grid.cell(kExpenseColumn, r));
  }
  std::vector<MonthTotal> list;
  for (std::size_t i = 0; i < months.size(); ++i) {
    if (i > 0 && months[i] == months[i - 1]) continue;
    MonthTotal entry = totals[months[i]];
    entry.month = months[i];
    list.push_back(std::move(entry));
  }
  return list;
}

}  // namespace sorabel
