#include "platform/Locale.h"

#include <clocale>
#include <cstdio>
#include <ctime>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

#include "platform/Cp932.h"

namespace sorabel {
namespace {

char overriddenSeparator = 0;

bool usableSeparator(const char* text) {
  if (text == nullptr || std::strlen(text) != 1) return false;
  char c = text[0];
  return c >= 0x20 && c <= 0x7E && !(c >= '0' && c <= '9') && c != '-' && c != '"';
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads 1..maxDigits decimal digits at pos.
std::optional<int> readNumber(std::string_view text, std::size_t& pos, int maxDigits) {
  int value = 0;
  int digits = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < maxDigits) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

bool skipChar(std::string_view text, std::size_t& pos, char c) {
  if (pos < text.size() && text[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

void skipBlanks(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
}

bool readTime(std::string_view text, std::size_t& pos) {
  auto hour = readNumber(text, pos, 2);
  if (!hour || *hour > 23 || !skipChar(text, pos, ':')) return false;
  auto minute = readNumber(text, pos, 2);
  if (!minute || *minute > 59) return false;
  if (skipChar(text, pos, ':')) {
    auto second = readNumber(text, pos, 2);
    if (!second || *second > 59) return false;
  }
  return true;
}

int currentCentury() {
  std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  return (local.tm_year + 1900) / 100 * 100;
}

}  // namespace

char thousandsSeparatorOf(const char* localeName) {
  locale_t locale = newlocale(LC_NUMERIC_MASK, localeName, static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return ',';
  const char* text = nl_langinfo_l(THOUSEP, locale);
  char separator = usableSeparator(text) ? text[0] : ',';
  freelocale(locale);
  return separator;
}

char thousandsSeparator() {
  if (overriddenSeparator != 0) return overriddenSeparator;
  static const char user = thousandsSeparatorOf("");
  return user;
}

void setThousandsSeparator(char separator) { overriddenSeparator = separator; }

std::string formatThousands(std::int64_t value, char separator) {
  std::string out;
  assignThousands(out, value, separator);
  return out;
}

void assignThousands(std::string& out, std::int64_t value, char separator) {
  char buffer[kMaxThousandsBytes];
  char* const end = buffer + sizeof buffer;
  out.assign(writeThousands(end, value, separator), end);
}

char* writeThousands(char* end, std::int64_t value, char separator) {
  // Work on the magnitude as unsigned so the most negative value is safe.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  char* at = end;
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) *--at = separator;
    *--at = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    ++digits;
  } while (magnitude != 0);
  if (value < 0) *--at = '-';
  return at;
}

std::optional<Date> parseDate(std::string_view text) {
  std::size_t pos = 0;
  skipBlanks(text, pos);
  std::size_t yearStart = pos;
  auto year = readNumber(text, pos, 4);
  if (year && pos - yearStart <= 2) *year += currentCentury();
  if (!year || !skipChar(text, pos, '/')) return std::nullopt;
  auto month = readNumber(text, pos, 2);
  if (!month || !skipChar(text, pos, '/')) return std::nullopt;
  auto day = readNumber(text, pos, 2);
  if (!day) return std::nullopt;
  skipBlanks(text, pos);
  if (pos < text.size() && !readTime(text, pos)) return std::nullopt;
  skipBlanks(text, pos);
  if (pos != text.size()) return std::nullopt;
  if (*year < 1 || *month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month)) return std::nullopt;
  return Date{*year, *month, *day};
}

namespace {

// "yyyy/mm" (and "/dd" when withDay) written digit by digit: the monthly
// summary makes one for every entry, pasting one for every pasted date. A
// date no reader makes (a year beyond four digits) is written as printf
// writes it.
std::string dateDigits(const Date& date, bool withDay) {
  const bool fits = date.year >= 0 && date.year <= 9999 && date.month >= 0 && date.month <= 99 && date.day >= 0 &&
                    date.day <= 99;
  if (!fits) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, withDay ? "%04d/%02d/%02d" : "%04d/%02d", date.year, date.month, date.day);
    return buffer;
  }
  std::string text(withDay ? 10 : 7, '/');
  const auto put = [&text](std::size_t at, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value /= 10) text[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
  };
  put(0, date.year, 4);
  put(5, date.month, 2);
  if (withDay) put(8, date.day, 2);
  return text;
}

}  // namespace

std::string monthText(const Date& date) { return dateDigits(date, false); }

std::string dateText(const Date& date) { return dateDigits(date, true); }

void foldCaseInPlace(std::string& text, std::size_t from) {
  for (std::size_t pos = from; pos < text.size();) {
    char& c = text[pos];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    pos += charLength(text, pos);
  }
}

std::strong_ordering compareIgnoringCase(std::string_view a, std::string_view b) {
  std::string left(a);
  std::string right(b);
  foldCaseInPlace(left);
  foldCaseInPlace(right);
  return left.compare(right) <=> 0;
}

std::string localTimeText(std::time_t moment, const char* format) {
  std::tm local{};
  localtime_r(&moment, &local);
  char text[64];
  return std::string(text, std::strftime(text, sizeof text, format, &local));
}

}  // namespace sorabel
