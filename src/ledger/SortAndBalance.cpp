#include "ledger/SortAndBalance.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

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

// All keys in one buffer: key i is bytes [offsets[i], offsets[i + 1]). Its
// first eight bytes are also kept as a big-endian number, so most
// comparisons are one integer comparison.
struct SortKeys {
  std::string bytes;
  std::vector<std::size_t> offsets{0};
  std::vector<std::uint64_t> prefixes;

  void add(std::string_view text, int tie) {
    std::size_t start = bytes.size();
    bytes.append(text);
    foldCaseInPlace(bytes, start);
    char digits[kTieDigits];
    for (int i = kTieDigits - 1; i >= 0; --i, tie /= 10) digits[i] = static_cast<char>('0' + tie % 10);
    bytes.append(digits, kTieDigits);
    offsets.push_back(bytes.size());
    prefixes.push_back(prefixOf(std::string_view(bytes).substr(start)));
  }

  // Equal prefixes of keys shorter than eight bytes are told apart by the
  // full comparison, which also orders a key before its own extensions.
  static std::uint64_t prefixOf(std::string_view key) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
      prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return prefix;
  }

  bool less(int a, int b) const {
    if (prefixes[a] != prefixes[b]) return prefixes[a] < prefixes[b];
    std::string_view left(bytes.data() + offsets[a], offsets[a + 1] - offsets[a]);
    std::string_view right(bytes.data() + offsets[b], offsets[b + 1] - offsets[b]);
    return left < right;
  }
};

// Sorted positions: result[i] is the 0-based entry with the i-th smallest key.
std::vector<int> sortedEntries(const LedgerGrid& grid, int keyColumn) {
  const int n = grid.dataRowCount();
  const bool newestFirstNow = presentOrder(grid) == BookOrder::NewestFirst;
  SortKeys keys;
  keys.bytes.reserve(static_cast<std::size_t>(n) * 20);
  keys.offsets.reserve(static_cast<std::size_t>(n) + 1);
  keys.prefixes.reserve(static_cast<std::size_t>(n));
  for (int c = 1; c <= n; ++c) keys.add(grid.cell(keyColumn, c), newestFirstNow ? n - c : c);
  std::vector<int> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&keys](int a, int b) { return keys.less(a, b); });
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
  row[kIncomeColumn] = amountText(income);
  row[kExpenseColumn] = amountText(expense);
  sum += static_cast<std::int64_t>(income) - expense;
  row[kBalanceColumn] = amountText(sum);
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
