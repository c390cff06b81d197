// The description search over a book file's bytes: the totals are the sums
// of the amounts shown; a longer search text finds a part of what the
// shorter one found, in the same order; and in a book as the program writes
// it, searching for an entry's description finds that entry.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "FuzzCheck.h"
#include "ledger/Amount.h"
#include "ledger/BookFile.h"
#include "reports/Search.h"

namespace {

using namespace sorabel;

// The search, or nothing when an amount is beyond 32 bits.
std::optional<SearchResult> search(std::string_view book, std::string_view needle) {
  try {
    SearchResult result = searchBookText(book, needle);
    std::int64_t income = 0;
    std::int64_t expense = 0;
    for (const auto& row : result.rows) {
      income += parseAmount(row[2]);
      expense += parseAmount(row[3]);
    }
    FUZZ_CHECK(result.incomeTotal == income && result.expenseTotal == expense, "the totals are the sums of the rows shown");
    return result;
  } catch (const AmountError&) {
    return std::nullopt;
  }
}

bool isSubsequence(const std::vector<std::array<AnsiString, 4>>& part, const std::vector<std::array<AnsiString, 4>>& whole) {
  auto at = whole.begin();
  for (const auto& row : part) {
    at = std::find(at, whole.end(), row);
    if (at == whole.end()) return false;
    ++at;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string needle = input.ConsumeRandomLengthString(12);
  const std::string longer = needle + input.ConsumeBytesAsString(input.ConsumeIntegralInRange(0, 2));
  const std::size_t entry = input.ConsumeIntegral<std::uint8_t>();
  const std::string book = input.ConsumeRemainingBytesAsString();

  const auto found = search(book, needle);
  const auto foundLonger = search(book, longer);
  if (found && foundLonger && !needle.empty())
    FUZZ_CHECK(isSubsequence(foundLonger->rows, found->rows), "a longer search text finds a part of the same rows");
  FUZZ_CHECK(search(book, "").value_or(SearchResult{}).count() == 0, "an empty search text finds nothing");

  LedgerGrid grid;
  readBookText(grid, book);
  const int row = 1 + static_cast<int>(entry % static_cast<std::size_t>(grid.dataRowCount()));
  const AnsiString description(grid.cell(kDescriptionColumn, row));
  if (description.empty() || description.find('"') != std::string::npos) return 0;  // quotes are written doubled
  const auto written = search(bookFileText(grid), description);
  if (!written) return 0;
  const std::array<AnsiString, 4> shown{AnsiString(grid.cell(kDateColumn, row)), description,
                                        AnsiString(grid.cell(kIncomeColumn, row)),
                                        AnsiString(grid.cell(kExpenseColumn, row))};
  FUZZ_CHECK(std::find(written->rows.begin(), written->rows.end(), shown) != written->rows.end(),
             "an entry's description finds that entry");
  return 0;
}
