#pragma once
// The few locale services the ledger needs: the thousands separator of
// "#,##0", reading "yyyy/mm/dd" dates and case-insensitive comparison.

#include <compare>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace sorabel {

// The user's thousands separator when it is one printable ASCII character
// that survives code page 932 and amount parsing; otherwise ",".
char thousandsSeparator();

// Overrides the separator (tests); 0 restores the user's.
void setThousandsSeparator(char separator);

// The separator a locale name would give, by the rule above.
char thousandsSeparatorOf(const char* localeName);

// "#,##0": digits grouped by three with the separator, a leading minus sign.
std::string formatThousands(std::int64_t value, char separator = thousandsSeparator());

// formatThousands written over out, reusing its storage.
void assignThousands(std::string& out, std::int64_t value, char separator = thousandsSeparator());

// The longest formatThousands text: "-9,223,372,036,854,775,808".
constexpr std::size_t kMaxThousandsBytes = 26;

// Writes formatThousands into the kMaxThousandsBytes bytes before end and
// returns where the text starts.
char* writeThousands(char* end, std::int64_t value, char separator);

// True when text is exactly the formatThousands text of some value, which
// goes to value: so a text already in that form is recognised without
// writing it again. The separator is no digit and no minus sign.
// Always inline (at -O3 the compiler would call it): the order-and-balance
// pass reads three amounts of every row.
[[gnu::always_inline]] inline bool readThousands(std::string_view text, char separator, std::int64_t& result) {
  // Eighteen digits (23 characters with their separators) cannot overflow;
  // longer texts are left to the writer.
  constexpr std::size_t kMostCharacters = 23;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  std::size_t size = text.size();
  // A separator stands before every group of three digits counted from the
  // right; the first group has the other one to three digits.
  if (size == 0 || size % 4 == 0 || size > kMostCharacters || (text[0] == '0' && size > 1)) return false;
  const char* at = text.data();
  const auto digit = [](char c) { return static_cast<unsigned>(c - '0'); };
  std::int64_t value = 0;
  for (const char* const first = at + size % 4; at != first; ++at) {
    if (digit(*at) > 9) return false;
    value = value * 10 + digit(*at);
  }
  for (size -= size % 4; size != 0; size -= 4, at += 4) {
    if (at[0] != separator || digit(at[1]) > 9 || digit(at[2]) > 9 || digit(at[3]) > 9) return false;
    value = value * 1000 + digit(at[1]) * 100 + digit(at[2]) * 10 + digit(at[3]);
  }
  if (negative && value == 0) return false;
  result = negative ? -value : value;
  return true;
}

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  auto operator<=>(const Date&) const = default;
};

// Reads "yyyy/mm/dd" (one or two digits for month and day; a year of one or
// two digits lies in this century), optionally followed by a time "hh:mm" or
// "hh:mm:ss". The date must exist in the calendar. Blanks around are allowed.
std::optional<Date> parseDate(std::string_view text);

// "yyyy/mm" of a date.
std::string monthText(const Date& date);

// "yyyy/mm/dd" of a date.
std::string dateText(const Date& date);

// A moment in local time, as strftime writes it with format.
std::string localTimeText(std::time_t moment, const char* format);

// Folds ASCII letters to lower case, leaving both bytes of every double-byte
// character untouched (their second byte can look like a letter). Folding
// starts at byte from, which must begin a character.
void foldCaseInPlace(std::string& text, std::size_t from = 0);

// Compares as text ignoring the case of ASCII letters.
std::strong_ordering compareIgnoringCase(std::string_view a, std::string_view b);

}  // namespace sorabel
