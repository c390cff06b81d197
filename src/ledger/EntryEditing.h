#pragma once
// Changes the user makes to entries besides the order-and-balance pass:
// putting new entries into the grid and the text of the delete prompt.

#include <span>
#include <string_view>

#include "ledger/LedgerGrid.h"
#include "ledger/SortAndBalance.h"

namespace sorabel {

struct NewEntry {
  AnsiString date;         // "yyyy/mm/dd"
  AnsiString description;  // may be empty
  AnsiString income;       // as typed; empty becomes "0"
  AnsiString expense;      // as typed; empty becomes "0"
};

// True for a book of one data row that holds no entry: its cells empty, or as
// the order-and-balance pass leaves an empty row (amounts and balance "0").
bool isEmptyBook(const LedgerGrid& grid);

// Puts a new entry where the next pass will move it to its date:
// 1. reuses the placeholder row of an empty book, otherwise appends a row
//    (an entry without a date is an entry, not the placeholder);
// 2. newest-first: shifts every row down one and writes row 1; otherwise
//    writes the last row;
// 3. empty amounts are stored as "0"; the balance stays empty.
void addEntry(LedgerGrid& grid, const NewEntry& entry, BookOrder order);

// Puts several entries in as addEntry puts one, keeping their order as a
// block: above the first row when newest-first, after the last otherwise.
// Throws BookTooLargeError, changing nothing, when the book would hold more
// than kMaxEntries entries.
void addEntries(LedgerGrid& grid, std::span<const NewEntry> entries, BookOrder order);

// "<first 20 bytes of the description>  削除しますか？"; the cut never
// splits a double-byte character.
AnsiString deletePrompt(std::string_view selectedDescription);

}  // namespace sorabel
