#pragma once
// Income and expense totals per month, in the order in which the months
// first occur down the grid. A month that occurs in separate runs (the grid
// not in date order) is listed once per run, each time with the totals of
// all its entries.

#include <cstdint>
#include <vector>

#include "ledger/LedgerGrid.h"
#include "platform/Errors.h"

namespace sorabel {

// A date cell that is not a date: "'%s' は日付または時刻ではありません".
class DateError : public Error {
 public:
  using Error::Error;
};

struct MonthTotal {
  AnsiString month;  // "yyyy/mm"
  std::int64_t income = 0;
  std::int64_t expense = 0;
  bool operator==(const MonthTotal&) const = default;
};

// Throws DateError (an empty book included) or AmountError.
std::vector<MonthTotal> monthlySummary(const LedgerGrid& grid);

}  // namespace sorabel
