#pragma once
// The main grid's cells as text for other programs, and entries taken from
// text that a spreadsheet put on the clipboard.
//
// Both forms spreadsheets exchange are written: tab-separated rows and the
// book's own comma-separated lines. Reading takes rows of date, description,
// income and expense (a fifth field, the balance copied along from this
// grid, and any further fields are ignored). A field starting with a double
// quote is quoted: it runs to the next undoubled quote and may hold
// separators and line breaks; a doubled quote inside stands for one.
//
// Texts here are UTF-8, as the clipboard holds them; entries come out in
// code page 932, as the book holds them.

#include <string>
#include <string_view>
#include <vector>

#include "ledger/EntryEditing.h"
#include "platform/Errors.h"

namespace sorabel {

// Grid rows top..bottom (data rows, from 1) and columns left..right.
struct CellBlock {
  int top = 1;
  int bottom = 1;
  int left = 0;
  int right = kLedgerColumnCount - 1;
};

// The block as tab-separated rows, one "\n" between rows. A cell holding a
// tab, a line break or a double quote is put in quotes with its quotes
// doubled, so that a spreadsheet reads it as one cell. Bytes that are no
// Shift-JIS character come out as U+FFFD, as the grid shows them.
std::string tabSeparatedText(const LedgerGrid& grid, const CellBlock& block);

// The block as the book file writes rows: every cell in double quotes with
// its quotes doubled, cells joined by commas, CR LF after every row.
std::string commaSeparatedText(const LedgerGrid& grid, const CellBlock& block);

// What a plain text offered for pasting is.
enum class PastedText {
  Nothing,    // blanks and line breaks only
  Value,      // one field in one row: it goes into the current cell
  TabRows,    // rows of entries, fields separated by tabs
  CommaRows,  // rows of entries, fields separated by commas
};

// Text with a tab holds tab-separated rows. Text without one holds
// comma-separated rows when it has several rows and a comma, or one row
// whose first comma-separated field of several is a date; otherwise one row
// is a value and several rows are one-field rows.
PastedText kindOfPastedText(std::string_view utf8);

// The one field of a text that kindOfPastedText finds a Value, unquoted.
std::string pastedValue(std::string_view utf8);

// A pasted row that cannot become an entry; the message names the row.
class PasteError : public Error {
 public:
  using Error::Error;
};

// The entries of pasted rows, fields separated by separator, in the order
// of the text. Rows of blank fields are skipped. The first row that is not
// skipped is a header row, and skipped, when its date field holds text but
// neither it nor the amount fields hold a digit (titles such as 日付 and
// 収入).
//
// Fields are cleaned as typed text is (cleanFieldText): the date and the
// amounts as figures, so full-width digits and commas and yen signs count.
// A date is read as the book reads dates (yyyy/mm/dd; "-" may stand for
// "/") and written "yyyy/mm/dd". An amount may carry a yen sign before it
// and 円 after it, group its digits by three with commas (or the user's
// thousands separator), and end in a fraction of zeros; it is stored as its
// digits, empty when the field is empty. Throws PasteError for the first
// row (counted from 1 over every row of the text, header and blank rows
// included) whose date or amount is none, or whose description holds a
// character that Shift-JIS lacks.
std::vector<NewEntry> pastedEntries(std::string_view utf8, char separator);

}  // namespace sorabel
