#include "ledger/EntryEditing.h"

namespace sorabel {
namespace {

constexpr std::size_t kPromptDescriptionBytes = 20;

std::string_view amountOrZero(const AnsiString& typed) { return typed.empty() ? std::string_view("0") : typed; }

}  // namespace

bool isEmptyBook(const LedgerGrid& grid) { return grid.dataRowCount() == 1 && grid.rowBytes(1).empty(); }

void addEntry(LedgerGrid& grid, const NewEntry& entry, BookOrder order) {
  int target = 1;
  if (!isEmptyBook(grid)) {
    target = order == BookOrder::NewestFirst ? 1 : grid.rowCount();
    grid.insertEmptyRow(target);
  }
  grid.setRow(target, {entry.date, entry.description, amountOrZero(entry.income), amountOrZero(entry.expense), {}});
}

AnsiString deletePrompt(std::string_view selectedDescription) {
  return AnsiString(prefixOnCharBoundary(selectedDescription, kPromptDescriptionBytes)) + sjis("  削除しますか？");
}

}  // namespace sorabel
