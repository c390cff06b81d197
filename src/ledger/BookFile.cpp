#include "ledger/BookFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "ledger/RowText.h"
#include "ledger/SortAndBalance.h"
#include "platform/ByteScan.h"
#include "platform/FileIo.h"
#include "platform/SideBySide.h"
#include "platform/TextFile.h"

namespace sorabel {
namespace {

const char* const kColumnNames[kLedgerColumnCount] = {"日付", "摘要", "収入", "支出", "残高"};

// A written line is its cells plus five pairs of quotes, four commas, CR LF.
constexpr std::size_t kWrittenRowExtraBytes = 16;

// Cells without a byte below this ('"' is 34; CR, LF and 26 are below it)
// are written as they are.
constexpr unsigned char kFirstByteNotLooked = '"' + 1;

bool hasByteBelow(std::string_view text, unsigned char limit) {
  return bytes::findByteBelow(text.data(), 0, text.size(), limit) != text.size();
}

// True when line is exactly what the writer writes for the cells: each in
// quotes with its quotes doubled, joined by commas. rowBytes are the cells
// one after another.
bool writtenAs(std::string_view line, const LedgerRowView& cells, std::string_view rowBytes) {
  const char* at = line.data();
  if (!hasByteBelow(rowBytes, kFirstByteNotLooked)) {
    // No quote to double: the line is the cells and the quotes and commas.
    if (line.size() != rowBytes.size() + kWrittenRowExtraBytes - 2) return false;
    for (std::string_view cell : cells) {
      if (*at != '"' || !bytes::sameBytes(at + 1, cell.data(), cell.size()) || at[cell.size() + 1] != '"') return false;
      at += cell.size() + 2;
      if (at != line.data() + line.size() && *at++ != ',') return false;
    }
    return true;
  }
  const char* const end = at + line.size();
  const auto take = [&](char c) {
    if (at == end || *at != c) return false;
    ++at;
    return true;
  };
  const auto takeText = [&](std::string_view text) {
    if (static_cast<std::size_t>(end - at) < text.size() || !bytes::sameBytes(at, text.data(), text.size()))
      return false;
    at += text.size();
    return true;
  };
  for (int column = 0; column < kLedgerColumnCount; ++column) {
    if ((column > 0 && !take(',')) || !take('"')) return false;
    std::string_view cell = cells[static_cast<std::size_t>(column)];
    for (std::size_t quote = cell.find('"'); quote != std::string_view::npos; quote = cell.find('"')) {
      if (!takeText(cell.substr(0, quote + 1)) || !take('"')) return false;
      cell.remove_prefix(quote + 1);
    }
    if (!takeText(cell) || !take('"')) return false;
  }
  return at == end;
}

// Text written through a pointer into a string made large enough
// beforehand: claim room, write, then say where the writing ended. (A
// pointer kept in a local variable stays in a register; one kept in a
// member would be reloaded after every byte written.) The text is kept
// whole, or handed on in pieces of about kSavePiece bytes.
constexpr std::size_t kSavePiece = 512 * 1024;

class TextWriter {
 public:
  // The whole text, expected to be so many bytes.
  explicit TextWriter(std::size_t expected) : text_(expected, '\0') {}
  // The text handed to put in pieces.
  explicit TextWriter(const PutBytes& put) : text_(2 * kSavePiece, '\0'), put_(&put) {}

  // Where the next n bytes go.
  char* claim(std::size_t n) {
    if (text_.size() - used_ < n) text_.resize(std::max(text_.size() * 2, used_ + n));
    return text_.data() + used_;
  }
  void wroteUpTo(const char* end) {
    used_ = static_cast<std::size_t>(end - text_.data());
    if (put_ != nullptr && used_ >= kSavePiece) handOn();
  }

  // The whole text.
  std::string finish() {
    text_.resize(used_);
    return std::move(text_);
  }
  // Hands on what is not yet handed on.
  void handOn() {
    if (used_ > 0) (*put_)(std::string_view(text_.data(), used_));
    used_ = 0;
  }

 private:
  std::string text_;
  std::size_t used_ = 0;
  const PutBytes* put_ = nullptr;
};

char* put(char* at, std::string_view text) {
  bytes::moveBytes(at, text.data(), text.size());
  return at + text.size();
}

// Cells of up to kCopyBlock bytes are copied as one block of that size (no
// branching on their length) when the block lies within the text store;
// the bytes written past the cell are written over next. The destination
// must have kCopyBlock bytes of room more than the cell needs.
constexpr std::size_t kCopyBlock = 16;
struct TextStore {
  std::uintptr_t begin;
  std::uintptr_t end;
};
char* putShort(char* at, std::string_view cell, TextStore store) {
  const auto from = reinterpret_cast<std::uintptr_t>(cell.data());
  if (cell.size() <= kCopyBlock && from >= store.begin && from + kCopyBlock <= store.end) {
    std::memcpy(at, cell.data(), kCopyBlock);
    return at + cell.size();
  }
  return put(at, cell);
}

// Books of this size and more are read in two halves at the same time.
constexpr std::size_t kReadInHalvesBytes = 512 * 1024;

// Room for the rows of a text of so many bytes, most likely.
int likelyRows(std::size_t bytes) { return static_cast<int>(std::min<std::size_t>(bytes / 48, kMaxEntries)) + 2; }

// The entry lines of a reader as rows of a text store, in rows with room
// for room rows; one row more than a book may have at most, so a book too
// large is known.
LedgerGrid::ReadRows readLines(TextLineReader& reader, char* store, int room) {
  LedgerGrid::ReadRows rows;
  rows.reserve(room);
  std::string_view line;
  std::optional<std::uint64_t> quotes;
  CellEnds ends{};
  while (rows.count() <= kMaxEntries && reader.nextEntryLine(line, quotes)) {
    // The line lies in the store; its cells are written over it.
    char* at = const_cast<char*>(line.data());
    if (quotes)
      splitFieldsInPlace(at, line.size(), *quotes, ends);
    else
      splitFieldsInPlace(at, line.size(), ends);
    rows.add(static_cast<std::size_t>(at - store), ends);
  }
  return rows;
}

}  // namespace

void readBookText(LedgerGrid& grid, std::string&& bytes) {
  const std::size_t size = bytes.size();
  const std::size_t base = grid.takeText(std::move(bytes));
  char* const store = grid.textData();
  OwnLine<TextLineReader> first{TextLineReader(std::string_view(store + base, size))};
  std::array<LedgerGrid::ReadRows, 2> parts;
  if (size < kReadInHalvesBytes) {
    parts[0] = readLines(first.value, store, likelyRows(size));
  } else {
    OwnLine<TextLineReader> second{first.value.splitAtMiddle()};
    // Each half fills rows of its own (rows side by side in one array
    // would share a cache line between the cores) and hands them over.
    // The first half's rows have room for the second's, which are put
    // after them.
    runSideBySide([&] { parts[0] = readLines(first.value, store, likelyRows(size)); },
                  [&] { parts[1] = readLines(second.value, store, likelyRows(second.value.size())); });
    // Nothing after an end-of-file mark belongs to the book.
    if (first.value.stoppedAtMark()) parts[1] = {};
  }
  if (parts[0].count() + parts[1].count() > kMaxEntries) throw BookTooLargeError();
  grid.placeReadRows(parts);
}

void readBookText(LedgerGrid& grid, std::string_view bytes) { readBookText(grid, std::string(bytes)); }

std::string readBookBytes(const std::filesystem::path& path) { return readWholeFile(path, kMaxBookFileBytes); }

void readBookFile(LedgerGrid& grid, const std::filesystem::path& path) { readBookText(grid, readBookBytes(path)); }

bool isUtf8Book(std::string_view bytes) { return isUtf8Text(bytes); }

AnsiString utf8BookInShiftJis(std::string_view bytes) { return utf8ToCp932(withoutByteOrderMark(bytes)); }

UnsavableCellError::UnsavableCellError(int row, int column, std::string_view cell)
    : Error(std::to_string(row) + " 行目の" + kColumnNames[column] + "「" + excerptForMessage(cell) +
            "」に改行または文字コード 26 の文字が含まれているため、保存できません。\nその文字を取り除いてから保存して下さい。") {}

bool cellReadsBack(std::string_view cell) {
  for (char c : cell) {
    const auto code = static_cast<unsigned char>(c);
    if (code <= 26 && (code == '\r' || code == '\n' || code == kEndOfFile)) return false;
  }
  return true;
}

namespace {

// The file's bytes for the grid's data rows, written to out (see
// bookFileText).
void formatBook(const LedgerGrid& grid, TextWriter& out) {
  const TextStore store{reinterpret_cast<std::uintptr_t>(grid.textData()),
                        reinterpret_cast<std::uintptr_t>(grid.textData() + grid.textBytes())};
  for (int r = 1; r <= grid.dataRowCount(); ++r) {
    const LedgerRowView cells = grid.row(r);
    const std::string_view rowBytes = grid.rowBytes(r);
    if (!hasByteBelow(rowBytes, kFirstByteNotLooked)) {
      // Nothing to double and nothing that would not read back.
      char* at = out.claim(rowBytes.size() + kWrittenRowExtraBytes + kCopyBlock);
      *at++ = '"';
      for (int column = 0; column < kLedgerColumnCount; ++column) {
        if (column > 0) {
          *at++ = ',';
          *at++ = '"';
        }
        at = putShort(at, cells[static_cast<std::size_t>(column)], store);
        *at++ = '"';
      }
      *at++ = '\r';
      *at++ = '\n';
      out.wroteUpTo(at);
      continue;
    }
    AnsiString line;
    for (int column = 0; column < kLedgerColumnCount; ++column) {
      const std::string_view cell = cells[static_cast<std::size_t>(column)];
      if (!cellReadsBack(cell)) throw UnsavableCellError(r, column, cell);
      if (column > 0) line += ',';
      appendQuotedField(line, cell);
    }
    line += "\r\n";
    out.wroteUpTo(put(out.claim(line.size()), line));
  }
}

}  // namespace

std::string bookFileText(const LedgerGrid& grid) {
  std::size_t size = 0;
  for (int r = 1; r <= grid.dataRowCount(); ++r) size += grid.rowBytes(r).size() + kWrittenRowExtraBytes;
  TextWriter out(size + kCopyBlock);
  formatBook(grid, out);
  return out.finish();
}

void writeBookFile(const LedgerGrid& grid, const std::filesystem::path& path) {
  writeFileAtomically(path, [&grid](const PutBytes& put) {
    TextWriter out(put);
    formatBook(grid, out);
    out.handOn();
  });
}

namespace {

// Books of this many entries and more are compared with their files in two
// halves at the same time.
constexpr int kCompareInHalvesRows = 8192;

// Where row's line starts in a file the writer wrote from the grid, when
// no row before it has a quote to double: each line is its row's cells and
// kWrittenRowExtraBytes more.
std::size_t writtenOffset(const LedgerGrid& grid, int row) {
  std::size_t offset = 0;
  for (int r = 1; r < row; ++r) offset += grid.rowBytes(r).size() + kWrittenRowExtraBytes;
  return offset;
}

// The unsaved-changes test of rows from..to against the reader's next
// lines: true when one differs.
bool rowsDiffer(const LedgerGrid& grid, TextLineReader& reader, int from, int to) {
  std::vector<AnsiString> fields;
  std::string_view line;
  AnsiString fileRow;
  AnsiString gridRow;
  for (int r = from; r <= to; ++r) {
    if (!reader.nextLine(line)) line = {};
    const LedgerRowView cells = grid.row(r);
    // A line as the writer writes the row reads back as the row.
    if (writtenAs(line, cells, grid.rowBytes(r))) continue;
    splitFields(line, fields);
    fileRow.clear();
    gridRow.clear();
    appendRowText(fileRow, fields);
    appendRowText(gridRow, cells);
    if (fileRow != gridRow) return true;
  }
  return false;
}

// After the grid's last row: true when the reader has an entry line left.
bool entriesLeft(TextLineReader& reader) {
  std::string_view line;
  return reader.nextEntryLine(line);
}

}  // namespace

bool bookDiffers(const LedgerGrid& grid, std::string_view fileBytes) {
  OwnLine<TextLineReader> reader{TextLineReader(fileBytes)};
  const int n = grid.dataRowCount();
  int next = 1;  // the row the reader's next line goes with
  if (n >= kCompareInHalvesRows) {
    // The second half starts where the writer would have put its first
    // line; that holds when the first half's lines end there.
    const int middle = n / 2 + 1;
    const std::size_t offset = writtenOffset(grid, middle);
    if (offset <= reader.value.size()) {
      OwnLine<TextLineReader> second{reader.value.continuingAt(offset)};
      bool firstDiffers = false;
      bool secondDiffers = false;
      runSideBySide([&] { firstDiffers = rowsDiffer(grid, reader.value, 1, middle - 1); },
                    [&] { secondDiffers = rowsDiffer(grid, second.value, middle, n) || entriesLeft(second.value); });
      if (firstDiffers) return true;
      if (reader.value.position() == offset) return secondDiffers;
      next = middle;
    }
  }
  return rowsDiffer(grid, reader.value, next, n) || entriesLeft(reader.value);
}

bool bookHasContent(const LedgerGrid& grid) {
  for (int r = 1; r <= grid.dataRowCount(); ++r)
    if (!grid.rowBytes(r).empty()) return true;
  return false;
}

bool bookChanged(const LedgerGrid& grid, const std::filesystem::path& path) {
  if (!fileExists(path)) return bookHasContent(grid);
  try {
    return bookDiffers(grid, readBookBytes(path));
  } catch (const FileError&) {
    return true;
  }
}

}  // namespace sorabel
