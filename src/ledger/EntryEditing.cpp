#include "ledger/EntryEditing.h"

namespace sorabel {
namespace {

constexpr std::size_t kPromptDescriptionBytes = 20;

AnsiString amountOrZero(const AnsiString& typed) { return typed.empty() ? AnsiString("0") : typed; }

}  // namespace

bool isEmptyBook(const LedgerGrid& grid) {
  if (grid.dataRowCount() != 1) return false;
  for (const AnsiString& cell : grid.row(1))
    if (!cell.empty()) return false;
  return true;
}

void addEntry(LedgerGrid& grid, const NewEntry& entry, BookOrder order) {
  if (!isEmptyBook(grid)) {
    grid.setRowCount(grid.rowCount() + 1);
    grid.row(grid.lastRow()) = LedgerRow{};
  }
  int target = grid.lastRow();
  if (order == BookOrder::NewestFirst) {
    for (int r = grid.lastRow(); r > 1; --r) grid.row(r) = std::move(grid.row(r - 1));
    target = 1;
  }
  grid.row(target) = LedgerRow{entry.date, entry.description, amountOrZero(entry.income), amountOrZero(entry.expense),
                               AnsiString()};
}

AnsiString deletePrompt(std::string_view selectedDescription) {
  return AnsiString(prefixOnCharBoundary(selectedDescription, kPromptDescriptionBytes)) + sjis("  削除しますか？");
}

}  // namespace sorabel
