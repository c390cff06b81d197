// The book reader and writer: whatever the reader makes of a file is
// written so that it reads back as the same rows, the written text is the
// writer's fixed point, and a book just written never counts as changed.
// A grid of arbitrary cells (without the line and file ends a line cannot
// carry) reads back as it was written.

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "ledger/BookFile.h"
#include "ledger/RowText.h"
#include "platform/TextFile.h"

namespace {

using namespace sorabel;

bool sameRows(const LedgerGrid& a, const LedgerGrid& b) {
  if (a.rowCount() != b.rowCount()) return false;
  for (int r = 1; r < a.rowCount(); ++r)
    if (a.row(r) != b.row(r)) return false;
  return true;
}

void checkRoundTrip(const LedgerGrid& grid) {
  const std::string written = bookFileText(grid);
  LedgerGrid back;
  readBookText(back, written);
  FUZZ_CHECK(sameRows(grid, back), "a written book reads back as the same rows");
  FUZZ_CHECK(bookFileText(back) == written, "writing what was read back gives the same bytes");
  FUZZ_CHECK(!bookDiffers(grid, written), "a book just written does not count as changed");
}

// The reader's rows are the first five fields of the file's entry lines,
// each line split on its own: the reader's shortcuts (lines found and split
// in one look at a block) change nothing.
void checkRowsAreTheLinesFields(const LedgerGrid& read, std::string_view bytes) {
  TextLineReader lines(bytes);
  std::string_view line;
  int r = 0;
  while (lines.nextEntryLine(line)) {
    ++r;
    FUZZ_CHECK(r < read.rowCount(), "every entry line is a row");
    const std::vector<AnsiString> fields = splitFields(line);
    for (int c = 0; c < kLedgerColumnCount; ++c) {
      const AnsiString expected = c < static_cast<int>(fields.size()) ? fields[static_cast<std::size_t>(c)] : AnsiString();
      FUZZ_CHECK(read.cell(c, r) == expected, "a row holds the fields of its line");
    }
  }
  FUZZ_CHECK(r == read.dataRowCount() || (r == 0 && read.dataRowCount() == 1), "every row is an entry line");
}

// Cells may hold every byte but the ones that end a line or the file.
std::string cellFrom(FuzzedDataProvider& input) {
  std::string cell = input.ConsumeRandomLengthString(40);
  std::erase_if(cell, [](char c) { return c == '\r' || c == '\n' || c == kEndOfFile; });
  return cell;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  using namespace sorabel;
  LedgerGrid read;
  readBookText(read, fuzz::bytesOf(data, size));
  checkRowsAreTheLinesFields(read, fuzz::bytesOf(data, size));
  checkRoundTrip(read);

  FuzzedDataProvider input(data, size);
  LedgerGrid made;
  const int rows = input.ConsumeIntegralInRange(1, 20);
  made.setRowCount(rows + 1);
  for (int r = 1; r <= rows; ++r)
    for (int column = 0; column < kLedgerColumnCount; ++column) made.setCell(column, r, cellFrom(input));
  checkRoundTrip(made);
  return 0;
}
