#include "ledger/EntryEditing.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace sorabel {
namespace {

constexpr std::size_t kPromptDescriptionBytes = 20;

std::string_view amountOrZero(const AnsiString& typed) { return typed.empty() ? std::string_view("0") : typed; }

}  // namespace

bool isEmptyBook(const LedgerGrid& grid) {
  if (grid.dataRowCount() != 1) return false;
  const auto emptyOrZero = [&](int column) { return grid.cell(column, 1).empty() || grid.cell(column, 1) == "0"; };
  return grid.cell(kDateColumn, 1).empty() && grid.cell(kDescriptionColumn, 1).empty() && emptyOrZero(kIncomeColumn) &&
         emptyOrZero(kExpenseColumn) && emptyOrZero(kBalanceColumn);
}

void addEntry(LedgerGrid& grid, const NewEntry& entry, BookOrder order) { addEntries(grid, {&entry, 1}, order); }

void addEntries(LedgerGrid& grid, std::span<const NewEntry> entries, BookOrder order) {
  if (entries.empty()) return;
  const int kept = isEmptyBook(grid) ? 0 : grid.dataRowCount();
  const auto added = static_cast<int>(std::min<std::size_t>(entries.size(), kMaxEntries + 1));
  if (added > kMaxEntries - kept) throw BookTooLargeError();
  grid.setRowCount(kept + added + 1);
  for (int n = 0; n < added; ++n) {
    const NewEntry& entry = entries[static_cast<std::size_t>(n)];
    grid.setRow(kept + 1 + n,
                {entry.date, entry.description, amountOrZero(entry.income), amountOrZero(entry.expense), {}});
  }
  if (order == BookOrder::OldestFirst || kept == 0) return;
  // Newest-first: the block moves above the rows that were there.
  std::vector<int> sources(static_cast<std::size_t>(kept + added));
  std::iota(sources.begin(), sources.begin() + added, kept + 1);
  std::iota(sources.begin() + added, sources.end(), 1);
  grid.reorderDataRows(std::move(sources));
}

AnsiString deletePrompt(std::string_view selectedDescription) {
  return AnsiString(prefixOnCharBoundary(selectedDescription, kPromptDescriptionBytes)) + sjis("  削除しますか？");
}

}  // namespace sorabel
