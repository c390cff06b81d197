#include "ledger/SortAndBalance.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ledger/Amount.h"
#include "ledger/RowText.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

constexpr int kTieDigits = 7;

BookOrder presentOrder(const LedgerGrid& grid) {
  static const LedgerRow emptyRow{};
  const LedgerRow& second = grid.rowCount() > 2 ? grid.row(2) : emptyRow;
  const LedgerRow& secondToLast = grid.row(grid.rowCount() - 2);
  return rowText(second) > rowText(secondToLast) ? BookOrder::NewestFirst : BookOrder::OldestFirst;
}

// A row's sort key: the key column's text, case folded, followed by the tie
// number. Its first sixteen bytes are held as two big-endian numbers, so
// most comparisons need no look at the text; the text lies in one shared
// buffer.
struct SortKey {
  std::uint64_t high;
  std::uint64_t low;
  std::uint32_t offset;
  std::uint32_t length;
  int entry;  // 0-based data row
};

std::uint64_t bigEndianWord(std::string_view key, std::size_t from) {
  std::uint64_t word = 0;
  for (std::size_t i = from; i < from + 8; ++i)
    word = (word << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  return word;
}

class SortKeys {
 public:
  explicit SortKeys(std::size_t count) {
    bytes_.reserve(count * 20);
    keys_.reserve(count);
  }

  void add(std::string_view text, int tie, int entry) {
    const std::size_t start = bytes_.size();
    bytes_.append(text);
    foldCaseInPlace(bytes_, start);
    char digits[kTieDigits];
    for (int i = kTieDigits - 1; i >= 0; --i, tie /= 10) digits[i] = static_cast<char>('0' + tie % 10);
    bytes_.append(digits, kTieDigits);
    const std::string_view key = std::string_view(bytes_).substr(start);
    keys_.push_back({bigEndianWord(key, 0), bigEndianWord(key, 8), static_cast<std::uint32_t>(start),
                     static_cast<std::uint32_t>(key.size()), entry});
  }

  // Byte order of the whole keys; zero padding of short keys is told apart
  // by the full comparison, which puts a key before its own extensions.
  void sort() {
    std::sort(keys_.begin(), keys_.end(), [this](const SortKey& a, const SortKey& b) {
      if (a.high != b.high) return a.high < b.high;
      if (a.low != b.low) return a.low < b.low;
      return text(a) < text(b);
    });
  }

  const std::vector<SortKey>& keys() const { return keys_; }

 private:
  std::string_view text(const SortKey& key) const { return std::string_view(bytes_).substr(key.offset, key.length); }

  std::string bytes_;
  std::vector<SortKey> keys_;
};

// Sorted positions: result[i] is the 0-based entry with the i-th smallest key.
std::vector<int> sortedEntries(const LedgerGrid& grid, int keyColumn) {
  const int n = grid.dataRowCount();
  const bool newestFirstNow = presentOrder(grid) == BookOrder::NewestFirst;
  SortKeys keys(static_cast<std::size_t>(n));
  for (int c = 1; c <= n; ++c) keys.add(grid.cell(keyColumn, c), newestFirstNow ? n - c : c, c - 1);
  keys.sort();
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(n));
  for (const SortKey& key : keys.keys()) order.push_back(key.entry);
  return order;
}

void placeRows(LedgerGrid& grid, const std::vector<int>& sorted, BookOrder order) {
  const int n = static_cast<int>(sorted.size());
  std::vector<int> sources(sorted.size());
  for (int i = 0; i < n; ++i) {
    int target = order == BookOrder::OldestFirst ? i : n - 1 - i;
    sources[target] = sorted[i] + 1;
  }
  grid.reorderDataRows(sources);
}

void balanceRow(LedgerRow& row, std::int64_t& sum) {
  std::int32_t income = parseAmount(row[kIncomeColumn]);
  std::int32_t expense = parseAmount(row[kExpenseColumn]);
  const char separator = thousandsSeparator();
  assignThousands(row[kIncomeColumn], income, separator);
  assignThousands(row[kExpenseColumn], expense, separator);
  sum += static_cast<std::int64_t>(income) - expense;
  assignThousands(row[kBalanceColumn], sum, separator);
}

void balance(LedgerGrid& grid, BookOrder order) {
  std::int64_t sum = 0;
  const int n = grid.dataRowCount();
  if (order == BookOrder::OldestFirst) {
    for (int r = 1; r <= n; ++r) balanceRow(grid.row(r), sum);
  } else {
    for (int r = n; r >= 1; --r) balanceRow(grid.row(r), sum);
  }
}

}  // namespace

BookTooLargeError::BookTooLargeError()
    : Error("データ件数が多すぎます。扱えるのは9,999,999件までです。") {}

void sortAndBalance(LedgerGrid& grid, int keyColumn, BookOrder order) {
  if (grid.dataRowCount() > kMaxEntries) throw BookTooLargeError();
  placeRows(grid, sortedEntries(grid, keyColumn), order);
  balance(grid, order);
}

}  // namespace sorabel
