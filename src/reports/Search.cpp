#include "reports/Search.h"

#include <utility>

#include "ledger/Amount.h"
#include "ledger/BookFile.h"
#include "ledger/RowText.h"
#include "platform/FileIo.h"
#include "platform/TextFile.h"

namespace sorabel {

bool lineContains(std::string_view line, std::string_view needle) {
  if (needle.empty()) return false;
  std::size_t boundary = 0;  // the start of the character at or before a candidate
  for (std::size_t at = line.find(needle); at != std::string_view::npos; at = line.find(needle, at + 1)) {
    while (boundary < at) boundary += charLength(line, boundary);
    if (boundary == at) return true;
  }
  return false;
}

SearchResult searchBookText(std::string_view fileBytes, std::string_view needle) {
  SearchResult result;
  TextLineReader reader(fileBytes);
  std::vector<AnsiString> fields;
  std::string_view line;
  while (reader.nextLine(line)) {
    if (!lineContains(line, needle)) continue;
    splitFields(line, fields);
    std::array<AnsiString, 4> row;
    for (std::size_t i = 0; i < row.size() && i < fields.size(); ++i) row[i] = fields[i];
    if (fields.size() > 2) result.incomeTotal += parseAmount(fields[2]);
    if (fields.size() > 3) result.expenseTotal += parseAmount(fields[3]);
    result.rows.push_back(std::move(row));
  }
  return result;
}

SearchResult searchBookFile(const std::filesystem::path& path, std::string_view needle) {
  std::string bytes = readBookBytes(path);
  // A UTF-8 book (opened and converted, not saved yet) is searched as the
  // Shift-JIS text it was converted to.
  if (isUtf8Book(bytes)) bytes = utf8BookInShiftJis(bytes);
  return searchBookText(bytes, needle);
}

}  // namespace sorabel
