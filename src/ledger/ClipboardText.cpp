#include "ledger/ClipboardText.h"

#include <algorithm>
#include <optional>

#include "ledger/Amount.h"
#include "ledger/FieldText.h"
#include "ledger/RowText.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

using Record = std::vector<std::string>;

constexpr char kQuote = '"';
constexpr std::string_view kYenMark = "\\";  // a yen sign, once cleaned
constexpr std::string_view kYenWord = "円";

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlankByte(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlankByte(text.back())) text.remove_suffix(1);
  return text;
}

// A quoted field from just after its opening quote: up to the next quote
// that is not doubled, or the end of the text.
void readQuoted(std::string_view text, std::size_t& pos, std::string& field) {
  for (;;) {
    const std::size_t quote = text.find(kQuote, pos);
    if (quote == std::string_view::npos) {
      field.append(text.substr(pos));
      pos = text.size();
      return;
    }
    field.append(text.substr(pos, quote - pos));
    pos = quote + 1;
    if (pos < text.size() && text[pos] == kQuote) {
      field += kQuote;  // a doubled quote stands for one
      ++pos;
      continue;
    }
    return;
  }
}

// The rows of a text; a row ends at CR LF, CR or LF outside quotes.
std::vector<Record> splitRecords(std::string_view text, char separator) {
  const char stops[] = {separator, '\r', '\n', '\0'};
  std::vector<Record> records;
  std::size_t pos = 0;
  while (pos < text.size()) {
    Record record;
    for (;;) {
      std::string field;
      if (pos < text.size() && text[pos] == kQuote) readQuoted(text, ++pos, field);
      // Text after a closing quote, or an unquoted field, is taken as it is.
      const std::size_t end = std::min(text.find_first_of(stops, pos), text.size());
      field.append(text.substr(pos, end - pos));
      pos = end;
      record.push_back(std::move(field));
      if (pos == text.size() || text[pos] != separator) break;
      ++pos;
    }
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    records.push_back(std::move(record));
  }
  return records;
}

bool isBlankRecord(const Record& record) {
  return std::all_of(record.begin(), record.end(), [](const std::string& field) { return trimmed(field).empty(); });
}

std::vector<Record> nonBlankRecords(std::string_view text, char separator) {
  std::vector<Record> records = splitRecords(text, separator);
  std::erase_if(records, isBlankRecord);
  return records;
}

std::string_view field(const Record& record, int column) {
  return static_cast<std::size_t>(column) < record.size() ? std::string_view(record[static_cast<std::size_t>(column)])
                                                          : std::string_view();
}

std::string figures(std::string_view text) { return std::string(trimmed(cleanFieldText(text, FieldText::Figures))); }

std::optional<AnsiString> pastedDate(std::string_view text) {
  std::string date = figures(text);
  std::replace(date.begin(), date.end(), '-', '/');
  const std::optional<Date> read = parseDate(date);
  if (!read) return std::nullopt;
  return dateText(*read);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isGrouping(char c) { return c == ',' || c == thousandsSeparator(); }

// Digits grouped by three from the right with grouping characters, or
// digits alone; their digits go to digits.
bool readGroupedDigits(std::string_view text, std::string& digits) {
  if (text.empty() || !isDigit(text.front())) return false;
  std::size_t run = 0;  // digits since the last grouping character
  bool grouped = false;
  for (char c : text) {
    if (isDigit(c)) {
      digits += c;
      ++run;
    } else if (isGrouping(c) && run > 0 && (!grouped || run == 3) && (grouped || run <= 3)) {
      grouped = true;
      run = 0;
    } else {
      return false;
    }
  }
  return !grouped || run == 3;
}

// An amount as its digits; empty for an empty field; nothing when the text
// is no amount.
std::optional<AnsiString> pastedAmount(std::string_view text) {
  const std::string cleaned = figures(text);
  std::string_view amount = cleaned;
  if (amount.empty()) return AnsiString();
  if (amount.starts_with(kYenMark)) amount = trimmed(amount.substr(kYenMark.size()));
  if (amount.ends_with(kYenWord)) amount = trimmed(amount.substr(0, amount.size() - kYenWord.size()));
  // A fraction of zeros, as a spreadsheet's number format may add one.
  if (const std::size_t point = amount.rfind('.'); point != std::string_view::npos && !isGrouping('.')) {
    const std::string_view fraction = amount.substr(point + 1);
    if (fraction.find_first_not_of('0') != std::string_view::npos) return std::nullopt;
    amount = amount.substr(0, point);
  }
  std::string digits;
  if (!readGroupedDigits(amount, digits)) return std::nullopt;
  try {
    parseAmount(digits);
  } catch (const AmountError&) {
    return std::nullopt;
  }
  return digits;
}

bool hasDigit(std::string_view text) { return std::ranges::any_of(figures(text), isDigit); }

bool isHeader(const Record& record) {
  return !trimmed(field(record, kDateColumn)).empty() && !hasDigit(field(record, kDateColumn)) &&
         !hasDigit(field(record, kIncomeColumn)) && !hasDigit(field(record, kExpenseColumn));
}

[[noreturn]] void refuse(int row, std::string_view what) {
  throw PasteError(std::to_string(row) + " 行目の" + std::string(what));
}

AnsiString amountOf(const Record& record, int column, int row) {
  std::optional<AnsiString> amount = pastedAmount(field(record, column));
  if (!amount) refuse(row, column == kIncomeColumn ? "収入が正しくありません。" : "支出が正しくありません。");
  return std::move(*amount);
}

NewEntry entryOf(const Record& record, int row) {
  NewEntry entry;
  std::optional<AnsiString> date = pastedDate(field(record, kDateColumn));
  if (!date) refuse(row, "日付が正しくありません。");
  entry.date = std::move(*date);
  try {
    entry.description = utf8ToCp932(cleanFieldText(field(record, kDescriptionColumn), FieldText::Words));
  } catch (const ConversionError& error) {
    refuse(row, std::string("摘要: ") + error.what());
  }
  entry.income = amountOf(record, kIncomeColumn, row);
  entry.expense = amountOf(record, kExpenseColumn, row);
  return entry;
}

bool needsQuotesInTabText(std::string_view cell) { return cell.find_first_of("\t\r\n\"") != std::string_view::npos; }

}  // namespace

std::string tabSeparatedText(const LedgerGrid& grid, const CellBlock& block) {
  AnsiString text;
  for (int row = block.top; row <= block.bottom; ++row) {
    if (row > block.top) text += '\n';
    for (int column = block.left; column <= block.right; ++column) {
      if (column > block.left) text += '\t';
      const std::string_view cell = grid.cell(column, row);
      if (needsQuotesInTabText(cell))
        appendQuotedField(text, cell);
      else
        text += cell;
    }
  }
  return cp932ToUtf8Lenient(text);
}

std::string commaSeparatedText(const LedgerGrid& grid, const CellBlock& block) {
  AnsiString text;
  for (int row = block.top; row <= block.bottom; ++row) {
    for (int column = block.left; column <= block.right; ++column) {
      if (column > block.left) text += ',';
      appendQuotedField(text, grid.cell(column, row));
    }
    text += "\r\n";
  }
  return cp932ToUtf8Lenient(text);
}

PastedText kindOfPastedText(std::string_view utf8) {
  const std::vector<Record> rows = nonBlankRecords(utf8, '\t');
  if (rows.empty()) return PastedText::Nothing;
  if (std::ranges::any_of(rows, [](const Record& row) { return row.size() > 1; })) return PastedText::TabRows;
  if (rows.size() > 1) return utf8.find(',') != std::string_view::npos ? PastedText::CommaRows : PastedText::TabRows;
  const std::vector<Record> commaRows = nonBlankRecords(utf8, ',');
  const Record& fields = commaRows.front();
  return fields.size() > 1 && pastedDate(fields.front()) ? PastedText::CommaRows : PastedText::Value;
}

std::string pastedValue(std::string_view utf8) {
  const std::vector<Record> rows = nonBlankRecords(utf8, '\t');
  return rows.empty() ? std::string() : rows.front().front();
}

std::vector<NewEntry> pastedEntries(std::string_view utf8, char separator) {
  std::vector<NewEntry> entries;
  bool first = true;
  int row = 0;
  for (const Record& record : splitRecords(utf8, separator)) {
    ++row;
    if (isBlankRecord(record)) continue;
    const bool header = first && isHeader(record);
    first = false;
    if (!header) entries.push_back(entryOf(record, row));
  }
  return entries;
}

}  // namespace sorabel
