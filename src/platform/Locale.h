#pragma once
// The few locale services the ledger needs: the thousands separator of
// "#,##0", reading "yyyy/mm/dd" dates and case-insensitive comparison.

#include <compare>
#include <cstdint>
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

// Folds ASCII letters to lower case, leaving both bytes of every double-byte
// character untouched (their second byte can look like a letter). Folding
// starts at byte from, which must begin a character.
void foldCaseInPlace(std::string& text, std::size_t from = 0);

// Compares as text ignoring the case of ASCII letters.
std::strong_ordering compareIgnoringCase(std::string_view a, std::string_view b);

}  // namespace sorabel
