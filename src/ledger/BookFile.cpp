#include "ledger/BookFile.h"

#include <algorithm>
#include <vector>

#include "ledger/RowText.h"
#include "platform/FileIo.h"
#include "platform/TextFile.h"

namespace sorabel {
namespace {

const char* const kColumnNames[kLedgerColumnCount] = {"日付", "摘要", "収入", "支出", "残高"};

}  // namespace

void readBookText(LedgerGrid& grid, std::string_view bytes) {
  TextLineReader reader(bytes);
  std::string_view line;
  int row = 0;
  grid.reserveRows(static_cast<int>(std::min<std::size_t>(bytes.size() / 48, kMaxEntries)) + 2);
  while (reader.nextEntryLine(line)) {
    if (row == kMaxEntries) throw BookTooLargeError();
    ++row;
    if (row > 1) grid.setRowCount(row + 1);
    splitFieldsInto(line, grid.row(row));
  }
}

std::string readBookBytes(const std::filesystem::path& path) { return readWholeFile(path, kMaxBookFileBytes); }

void readBookFile(LedgerGrid& grid, const std::filesystem::path& path) { readBookText(grid, readBookBytes(path)); }

bool isUtf8Book(std::string_view bytes) { return isUtf8Text(bytes); }

AnsiString utf8BookInShiftJis(std::string_view bytes) { return utf8ToCp932(withoutByteOrderMark(bytes)); }

bool loadBookFile(LedgerGrid& grid, const std::filesystem::path& path, BookOrder order) {
  if (!fileExists(path)) return false;
  grid.resetToEmptyBook();
  readBookFile(grid, path);
  sortAndBalance(grid, kDateColumn, order);
  return true;
}

void reopenBookFile(LedgerGrid& grid, const std::filesystem::path& path) {
  grid.resetToEmptyBook();
  readBookFile(grid, path);
}

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

std::string bookFileText(const LedgerGrid& grid) {
  std::string out;
  out.reserve(static_cast<std::size_t>(grid.dataRowCount()) * 64);
  for (int r = 1; r <= grid.dataRowCount(); ++r) {
    const LedgerRow& row = grid.row(r);
    for (int column = 0; column < kLedgerColumnCount; ++column) {
      if (!cellReadsBack(row[column])) throw UnsavableCellError(r, column, row[column]);
      if (column > 0) out += ',';
      appendQuotedField(out, row[column]);
    }
    out += "\r\n";
  }
  return out;
}

void writeBookFile(const LedgerGrid& grid, const std::filesystem::path& path) {
  writeFileAtomically(path, bookFileText(grid));
}

bool bookDiffers(const LedgerGrid& grid, std::string_view fileBytes) {
  TextLineReader reader(fileBytes);
  std::vector<AnsiString> fields;
  std::string_view line;
  AnsiString fileRow;
  AnsiString gridRow;
  for (int r = 1; r <= grid.dataRowCount(); ++r) {
    if (!reader.nextLine(line)) line = {};
    splitFields(line, fields);
    fileRow.clear();
    gridRow.clear();
    appendRowText(fileRow, fields);
    appendRowText(gridRow, grid.row(r));
    if (fileRow != gridRow) return true;
  }
  return reader.nextEntryLine(line);
}

bool bookHasContent(const LedgerGrid& grid) {
  for (int r = 1; r <= grid.dataRowCount(); ++r)
    for (const AnsiString& cell : grid.row(r))
      if (!cell.empty()) return true;
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
