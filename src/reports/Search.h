#pragma once
// The description search: every line of the stored book that contains the
// search text as an exact byte sequence, with the income and expense totals
// of those lines. It reads the book file, not the grid, so unsaved changes
// are not searched.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/Cp932.h"

namespace sorabel {

struct SearchResult {
  // Date, description, income, expense of each matching line.
  std::vector<std::array<AnsiString, 4>> rows;
  std::int64_t incomeTotal = 0;
  std::int64_t expenseTotal = 0;
  int count() const { return static_cast<int>(rows.size()); }
};

// True when needle occurs in line starting on a character boundary: a match
// that starts on the second byte of a double-byte character does not count.
bool lineContains(std::string_view line, std::string_view needle);

// Searches the book file's bytes line by line. A line with fewer than four
// fields fills what it has, and only existing amount fields are added. An
// amount field beyond 32 bits throws AmountError.
SearchResult searchBookText(std::string_view fileBytes, std::string_view needle);

// searchBookText on the book file (a UTF-8 one converted to Shift-JIS
// first); throws FileError when it cannot be read or is no regular file.
SearchResult searchBookFile(const std::filesystem::path& path, std::string_view needle);

}  // namespace sorabel
