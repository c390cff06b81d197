#pragma once
// The book file: Shift-JIS text, one entry per line, five quoted fields,
// CR LF after every line. Reading is lenient (unquoted fields, blanks, blank
// lines, fewer or more fields); writing is exact.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "ledger/LedgerGrid.h"
#include "platform/Errors.h"

namespace sorabel {

// Fills rows 1.. of a grid holding one empty data row with the entry lines of
// bytes: the k-th line fills row k, its first five fields go to columns 0..4.
// The grid keeps the bytes as its text store (see LedgerGrid).
void readBookText(LedgerGrid& grid, std::string&& bytes);
// The same on a copy of bytes.
void readBookText(LedgerGrid& grid, std::string_view bytes);

// The largest book file that is read: 256 MB.
constexpr std::uintmax_t kMaxBookFileBytes = std::uintmax_t{256} * 1024 * 1024;

// A book file's bytes: only a regular file of at most kMaxBookFileBytes.
// Throws FileError.
std::string readBookBytes(const std::filesystem::path& path);

// readBookText on a file's contents. Throws FileError.
void readBookFile(LedgerGrid& grid, const std::filesystem::path& path);

// True for a book file written in UTF-8 rather than Shift-JIS (see
// isUtf8Text).
bool isUtf8Book(std::string_view bytes);

// A UTF-8 book's bytes in Shift-JIS, the byte-order mark dropped. Throws
// ConversionError naming the first character that Shift-JIS lacks.
AnsiString utf8BookInShiftJis(std::string_view bytes);

// A cell that the reader would not read back as the same text: it holds a
// carriage return or a line feed (which end a line) or the character 26
// (which ends the file). The message names the row, the column and the
// start of the cell.
class UnsavableCellError : public Error {
 public:
  UnsavableCellError(int row, int column, std::string_view cell);
};

// True when the reader reads a cell written by bookFileText back as the
// same text.
bool cellReadsBack(std::string_view cell);

// The file's bytes for the grid's data rows, in the order shown. A double
// quote inside a cell is written doubled, so it reads back as it was. A
// cell that would not read back throws UnsavableCellError, so a save never
// writes a book that opens differently.
std::string bookFileText(const LedgerGrid& grid);

// Writes bookFileText atomically, each piece of it as soon as it is made:
// on failure the old file stays. Throws FileError, or UnsavableCellError
// with nothing changed.
void writeBookFile(const LedgerGrid& grid, const std::filesystem::path& path);

// The unsaved-changes test against the file's bytes: line r, split into
// fields and joined again as row text, must equal the row text of row r for
// every data row (a missing line counts as empty). After the grid's last
// row, any further entry line (one the reader would turn into a row) counts
// as a difference too: entries were deleted.
bool bookDiffers(const LedgerGrid& grid, std::string_view fileBytes);

// True when any data cell holds text.
bool bookHasContent(const LedgerGrid& grid);

// BookChanged. Without a file on disk the book counts as changed as soon as
// any data cell holds text, so nothing typed is lost unasked. A file that
// exists but cannot be read counts as changed, so the user is offered to save.
bool bookChanged(const LedgerGrid& grid, const std::filesystem::path& path);

}  // namespace sorabel
