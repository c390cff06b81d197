#pragma once
// A row as one line of text, and a line split back into fields.
//
// Row text: the cells joined with ","; a cell holding a character with a
// code from 1 to 32, a double quote or a comma is quoted with its quotes
// doubled; an empty cell contributes nothing.
//
// Field splitting (the book file reader): blanks (codes 1 to 32) around
// fields are skipped; a quoted field runs to the next undoubled quote (or the
// end of the line); an unquoted field ends at a blank or a comma. The second
// byte of a double-byte character is never taken for a quote, comma or blank:
// a second byte is at least 0x40, so those bytes never are one, and the
// splitter can look at single bytes.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "ledger/LedgerGrid.h"

namespace sorabel {

// The blanks around fields: codes 1 to 32 (a NUL byte is an ordinary
// character).
constexpr bool isBlankByte(char c) { return static_cast<unsigned char>(c) - 1u < 32u; }

// Appends a cell in double quotes, doubling the quotes inside it.
void appendQuotedField(AnsiString& out, std::string_view cell);

AnsiString joinRowText(std::span<const AnsiString> fields);

// joinRowText appended to out, for loops that reuse one buffer.
void appendRowText(AnsiString& out, std::span<const AnsiString> fields);
void appendRowText(AnsiString& out, std::span<const std::string_view> cells);

inline AnsiString rowText(const LedgerRow& row) { return joinRowText(row); }
AnsiString rowText(const LedgerRowView& row);

// Splits a line into fields, reusing the vector's storage.
void splitFields(std::string_view line, std::vector<AnsiString>& fields);

inline std::vector<AnsiString> splitFields(std::string_view line) {
  std::vector<AnsiString> fields;
  splitFields(line, fields);
  return fields;
}

// Splits a line in place into a row's cells: the first fields are written
// one after another over the line from its start (a field is never longer
// than the bytes it was read from, so nothing is overwritten before it is
// read), and ends receives where each cell ends; cells without a field are
// empty; further fields are dropped. Returns how many cells got a field.
int splitFieldsInPlace(char* line, std::size_t length, CellEnds& ends);

// The same for a line whose double quotes are known (bit k: byte k of the
// line, which is shorter than 64 bytes, and 64 bytes from its start may be
// read), as TextLineReader finds them. Bytes of the line after its cells
// may change.
int splitFieldsInPlace(char* line, std::size_t length, std::uint64_t quotes, CellEnds& ends);

}  // namespace sorabel
