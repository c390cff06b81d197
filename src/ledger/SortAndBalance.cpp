#include "ledger/SortAndBalance.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#include "ledger/Amount.h"
#include "ledger/RowText.h"
#include "platform/ByteScan.h"
#include "platform/Locale.h"
#include "platform/SideBySide.h"

namespace sorabel {
namespace {

constexpr int kTieDigits = 7;

BookOrder presentOrder(const LedgerGrid& grid) {
  static const LedgerRowView emptyRow{};
  const LedgerRowView second = grid.rowCount() > 2 ? grid.row(2) : emptyRow;
  const LedgerRowView secondToLast = grid.row(grid.rowCount() - 2);
  return rowText(second) > rowText(secondToLast) ? BookOrder::NewestFirst : BookOrder::OldestFirst;
}

// Case folding of a key text into out: ASCII letters of single-byte
// characters only (the second byte of a double-byte character can look
// like a letter).
void foldInto(std::string_view text, unsigned char* out) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c >= 0x80 && charLength(text, pos) == 2) {
      out[pos] = c;
      out[pos + 1] = static_cast<unsigned char>(text[pos + 1]);
      pos += 2;
      continue;
    }
    out[pos++] = c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
  }
}

// True when a word holds a byte of 'A' or more: adding 0x3F to a byte
// below 0x80 sets its top bit exactly when it is 'A' (0x41) or more.
bool mayFoldWord(std::uint64_t word) {
  return ((((word & ~bytes::kTops) + 0x3F * bytes::kOnes) | word) & bytes::kTops) != 0;
}

// False for a text that folding leaves as it is: every byte below 'A'
// (dates, amounts). Eight bytes are looked at together.
bool mayFold(std::string_view text) {
  std::size_t pos = 0;
  for (; pos + 8 <= text.size(); pos += 8)
    if (mayFoldWord(bytes::loadWord(text.data() + pos))) return true;
  for (; pos < text.size(); ++pos)
    if (static_cast<unsigned char>(text[pos]) >= 'A') return true;
  return false;
}

std::uint64_t bigEndianWord(const unsigned char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
  return word;
}

// The key of a book whose key texts all have the same length, at most
// kPackedTextBytes: the folded text and the tie number packed into two
// numbers whose order is the order of the keys (same-length texts compare
// as texts, then by the tie).
struct PackedKey {
  std::uint64_t high;  // text bytes 0..7
  std::uint64_t low;   // text bytes 8..12, then the tie number in 24 bits
  bool operator<(const PackedKey& other) const { return high != other.high ? high < other.high : low < other.low; }
};
constexpr std::size_t kPackedTextBytes = 13;
constexpr int kPackedTieBits = 24;
static_assert(kMaxEntries < (1 << kPackedTieBits));

// The packed keys of a book, made when asked for.
class PackedKeys {
 public:
  using Key = PackedKey;

  PackedKeys(const LedgerGrid& grid, int keyColumn, bool newestFirstNow)
      : grid_(grid),
        column_(keyColumn),
        newestFirstNow_(newestFirstNow),
        storeEnd_(grid.textData() + grid.textBytes()) {}

  // True when every key text has the length of the first, at most
  // kPackedTextBytes.
  bool fit() {
    const std::size_t length = grid_.cell(column_, 1).size();
    if (length > kPackedTextBytes) return false;
    for (int c = 2; c <= grid_.dataRowCount(); ++c)
      if (grid_.cell(column_, c).size() != length) return false;
    // The bytes of a text within the two words read from its start.
    const auto keep = [](std::size_t bytes) {
      return bytes >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * bytes)) - 1;
    };
    firstWordMask_ = keep(length);
    secondWordMask_ = length > 8 ? keep(length - 8) : 0;
    return true;
  }

  PackedKey key(int c) const {
    const std::string_view text = grid_.cell(column_, c);
    const auto tie = static_cast<std::uint64_t>(newestFirstNow_ ? grid_.dataRowCount() - c : c);
    // Most texts are read as two words straight from the store (dates fold
    // to themselves); the rest are copied and folded byte by byte.
    if constexpr (bytes::kWordScans) {
      if (text.data() + 16 <= storeEnd_) {
        const std::uint64_t first = bytes::loadWord(text.data()) & firstWordMask_;
        const std::uint64_t second = bytes::loadWord(text.data() + 8) & secondWordMask_;
        if (!mayFoldWord(first) && !mayFoldWord(second))
          return {__builtin_bswap64(first), (__builtin_bswap64(second) & ~kTieMask) | tie};
      }
    }
    unsigned char bytes[16] = {};
    if (mayFold(text))
      foldInto(text, bytes);
    else if (!text.empty())
      std::memcpy(bytes, text.data(), text.size());
    return {bigEndianWord(bytes), (bigEndianWord(bytes + 8) & ~kTieMask) | tie};
  }

  std::vector<PackedKey> all() const {
    std::vector<PackedKey> keys(static_cast<std::size_t>(grid_.dataRowCount()));
    for (int c = 1; c <= grid_.dataRowCount(); ++c) keys[static_cast<std::size_t>(c - 1)] = key(c);
    return keys;
  }

  bool less(const PackedKey& a, const PackedKey& b) const { return a < b; }

  // The 0-based present row of a key.
  int entry(const PackedKey& key) const {
    const auto tie = static_cast<int>(key.low & kTieMask);
    return newestFirstNow_ ? grid_.dataRowCount() - tie - 1 : tie - 1;
  }

 private:
  static constexpr std::uint64_t kTieMask = (std::uint64_t{1} << kPackedTieBits) - 1;

  const LedgerGrid& grid_;
  int column_;
  bool newestFirstNow_;
  const char* storeEnd_;
  std::uint64_t firstWordMask_ = 0;
  std::uint64_t secondWordMask_ = 0;
};

// The key of any book: the key text, case folded, followed by the tie
// number written with seven digits. Its first sixteen bytes are held as two
// big-endian numbers, so most comparisons need no look at the text; the
// text lies in one shared buffer.
struct TextKey {
  std::uint64_t high;
  std::uint64_t low;
  std::uint32_t offset;
  std::uint32_t length;
  int entry;  // 0-based present row
};

class TextKeys {
 public:
  using Key = TextKey;

  TextKeys(const LedgerGrid& grid, int keyColumn, bool newestFirstNow) {
    const int n = grid.dataRowCount();
    std::size_t bytes = 0;
    for (int c = 1; c <= n; ++c) bytes += grid.cell(keyColumn, c).size() + kTieDigits;
    bytes_.resize(bytes + 16);  // the two numbers of the last key may read past its end
    keys_.reserve(static_cast<std::size_t>(n));
    std::size_t at = 0;
    for (int c = 1; c <= n; ++c) {
      const std::string_view text = grid.cell(keyColumn, c);
      auto* key = bytes_.data() + at;
      foldInto(text, key);
      int tie = newestFirstNow ? n - c : c;
      for (int i = kTieDigits - 1; i >= 0; --i, tie /= 10)
        key[text.size() + static_cast<std::size_t>(i)] = static_cast<unsigned char>('0' + tie % 10);
      const std::size_t length = text.size() + kTieDigits;
      unsigned char prefix[16] = {};
      std::memcpy(prefix, key, std::min<std::size_t>(length, 16));
      keys_.push_back({bigEndianWord(prefix), bigEndianWord(prefix + 8), static_cast<std::uint32_t>(at),
                       static_cast<std::uint32_t>(length), c - 1});
      at += length;
    }
  }

  const TextKey& key(int c) const { return keys_[static_cast<std::size_t>(c - 1)]; }
  std::vector<TextKey> all() { return std::move(keys_); }

  // Byte order of the whole keys; zero padding of short keys is told apart
  // by the full comparison, which puts a key before its own extensions.
  bool less(const TextKey& a, const TextKey& b) const {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return text(a) < text(b);
  }

  int entry(const TextKey& key) const { return key.entry; }

 private:
  std::string_view text(const TextKey& key) const {
    return {reinterpret_cast<const char*>(bytes_.data()) + key.offset, key.length};
  }

  std::vector<unsigned char> bytes_;
  std::vector<TextKey> keys_;
};

// Books of this many entries and more have the looks at every row of the
// pass done in two halves at the same time.
constexpr int kPassInHalvesRows = 8192;

enum class Presorted { No, Ascending, Descending };

// The order of the keys of rows from..to. Keys are unique (the tie numbers
// differ), so each neighbour pair is either ascending or descending.
template <class Keys>
Presorted presortedRows(const Keys& keys, int from, int to) {
  bool ascending = true;
  bool descending = true;
  typename Keys::Key previous = keys.key(from);
  for (int c = from + 1; c <= to && (ascending || descending); ++c) {
    const typename Keys::Key current = keys.key(c);
    if (keys.less(current, previous))
      ascending = false;
    else
      descending = false;
    previous = current;
  }
  if (ascending) return Presorted::Ascending;
  return descending ? Presorted::Descending : Presorted::No;
}

// The halves share their middle row, so the pair across the middle is
// looked at too.
template <class Keys>
Presorted presorted(const Keys& keys, int n) {
  if (n < kPassInHalvesRows) return presortedRows(keys, 1, n);
  const int middle = n / 2;
  Presorted first = Presorted::No;
  Presorted second = Presorted::No;
  runSideBySide([&] { first = presortedRows(keys, 1, middle); }, [&] { second = presortedRows(keys, middle, n); });
  return first == second ? first : Presorted::No;
}

// Sorts the keys and moves the rows: the i-th smallest key's row goes to
// row i + 1 (oldest first) or row N - i (newest first). A book already in
// key order, or in reverse key order, only keeps or reverses its rows.
// True when rows moved.
template <class Keys>
bool placeRows(LedgerGrid& grid, Keys& keys, BookOrder order) {
  const int n = grid.dataRowCount();
  const Presorted found = presorted(keys, n);
  if (found != Presorted::No) {
    if ((found == Presorted::Ascending) == (order == BookOrder::OldestFirst)) return false;
    grid.reverseDataRows();
    return true;
  }
  std::vector<typename Keys::Key> sorted = keys.all();
  std::sort(sorted.begin(), sorted.end(), [&keys](const auto& a, const auto& b) { return keys.less(a, b); });
  std::vector<int> sources(sorted.size());
  for (int i = 0; i < n; ++i) {
    const int target = order == BookOrder::OldestFirst ? i : n - 1 - i;
    sources[static_cast<std::size_t>(target)] = keys.entry(sorted[static_cast<std::size_t>(i)]) + 1;
  }
  sorted = {};
  grid.reorderDataRows(std::move(sources));
  return true;
}

// True when rows moved; newestFirstNow is what step 1 found.
bool sortRows(LedgerGrid& grid, int keyColumn, BookOrder order, bool& newestFirstNow) {
  newestFirstNow = presentOrder(grid) == BookOrder::NewestFirst;
  if (PackedKeys packed(grid, keyColumn, newestFirstNow); packed.fit()) return placeRows(grid, packed, order);
  TextKeys keys(grid, keyColumn, newestFirstNow);
  return placeRows(grid, keys, order);
}

// The amount of an income or expense cell that already holds its amount
// text.
bool writtenAmount(std::string_view cell, char separator, std::int64_t& value) {
  return readThousands(cell, separator, value) && value >= 0 && value <= std::numeric_limits<std::int32_t>::max();
}

// True when a row's income and expense hold their amount texts and its
// balance the running sum after it, sum being the one before it: the pass
// leaves such a row as it is. sum then becomes the one after it.
bool keepsBalance(const LedgerRowView& cells, std::int64_t& sum, char separator) {
  std::int64_t income = 0;
  std::int64_t expense = 0;
  std::int64_t balance = 0;
  if (!writtenAmount(cells[kIncomeColumn], separator, income) ||
      !writtenAmount(cells[kExpenseColumn], separator, expense) ||
      !readThousands(cells[kBalanceColumn], separator, balance) || balance != sum + income - expense)
    return false;
  sum = balance;
  return true;
}

// Rewrites a row's amounts, and only when they change; true when it did.
bool balanceRow(LedgerGrid& grid, int r, std::int64_t& sum, char separator) {
  const LedgerRowView cells = grid.row(r);
  if (keepsBalance(cells, sum, separator)) return false;
  const std::int64_t income = parseAmount(cells[kIncomeColumn]);
  const std::int64_t expense = parseAmount(cells[kExpenseColumn]);
  sum += income - expense;
  char buffers[3][kMaxThousandsBytes];
  std::array<std::string_view, 3> amounts;
  const std::int64_t values[3] = {income, expense, sum};
  for (std::size_t i = 0; i < 3; ++i) {
    char* const end = buffers[i] + kMaxThousandsBytes;
    const char* const begin = writeThousands(end, values[i], separator);
    amounts[i] = std::string_view(begin, static_cast<std::size_t>(end - begin));
  }
  grid.setCellsFrom(r, kIncomeColumn, amounts);
  return true;
}

// What a balanced grid notes of its pass: the order and the separator the
// amounts were written with; and, when the next pass would move no row,
// the key column.
constexpr std::uint32_t kBalanceBits = 0xFFFF;
std::uint32_t balancedState(BookOrder order, char separator) {
  return (order == BookOrder::OldestFirst ? 1u : 2u) << 8 | static_cast<unsigned char>(separator);
}
std::uint32_t inOrderState(std::uint32_t balanced, int keyColumn) {
  return balanced | static_cast<std::uint32_t>(keyColumn + 1) << 16;
}

// The rows whose balances a pass must look at, in balance order: from
// start, and (when stop is not 0) up to the first row beyond stop that
// needs no change. Rows written since a pass in the same order and with
// the same separator lie between start and stop: those before them are
// balanced already, the last balance before them is the running sum, and
// once a row after them keeps its balance, so do all that follow.
struct BalanceRange {
  int start = 0;
  int stop = 0;
  std::int64_t sum = 0;
};

BalanceRange rowsToBalance(const LedgerGrid& grid, BookOrder order, char separator) {
  const int n = grid.dataRowCount();
  const bool oldestFirst = order == BookOrder::OldestFirst;
  const BalanceRange all{oldestFirst ? 1 : n, 0, 0};
  const ChangedRows changed = (grid.balancedState() & kBalanceBits) == balancedState(order, separator)
                                 ? grid.changedSinceBalanced()
                                 : ChangedRows{};
  if (changed.all) return all;
  if (changed.none()) return {oldestFirst ? n + 1 : 0, 0, 0};
  BalanceRange range{oldestFirst ? changed.first : changed.last, oldestFirst ? changed.last : changed.first, 0};
  if (range.start == all.start) return {range.start, range.stop, 0};
  const int before = oldestFirst ? range.start - 1 : range.start + 1;
  return readThousands(grid.cell(kBalanceColumn, before), separator, range.sum) ? range : all;
}

// Rows in balance order from from, before to, stepping by step; the first
// that does not keep its balance (to when all do) and the running sum
// before it.
struct KeptRows {
  int next = 0;
  std::int64_t sum = 0;
};
KeptRows keptRows(const LedgerGrid& grid, int from, int to, int step, std::int64_t sum, char separator) {
  int r = from;
  while (r != to && keepsBalance(grid.row(r), sum, separator)) r += step;
  return {r, sum};
}

// Moves the start of a pass over every row from start to end past the rows
// that keep their balance, which need not be looked at again. On a large
// book the second half is looked at beside the first, starting from the
// balance written before it: that is the running sum there when the first
// half keeps every balance.
void skipKeptRows(const LedgerGrid& grid, BalanceRange& range, int end, int step, char separator) {
  const int count = (end - range.start) * step;
  std::int64_t assumed = 0;
  const int middle = range.start + step * (count / 2);
  if (count < kPassInHalvesRows || !readThousands(grid.cell(kBalanceColumn, middle - step), separator, assumed)) {
    const KeptRows kept = keptRows(grid, range.start, end, step, range.sum, separator);
    range.start = kept.next;
    range.sum = kept.sum;
    return;
  }
  KeptRows first;
  KeptRows second;
  runSideBySide([&] { first = keptRows(grid, range.start, middle, step, range.sum, separator); },
                [&] { second = keptRows(grid, middle, end, step, assumed, separator); });
  // When the first half keeps every balance, its last row holds the
  // running sum assumed for the second.
  const KeptRows& kept = first.next == middle ? second : first;
  range.start = kept.next;
  range.sum = kept.sum;
}

void balance(LedgerGrid& grid, BookOrder order, char separator) {
  BalanceRange range = rowsToBalance(grid, order, separator);
  const int step = order == BookOrder::OldestFirst ? 1 : -1;
  const int end = order == BookOrder::OldestFirst ? grid.dataRowCount() + 1 : 0;
  if (range.stop == 0) skipKeptRows(grid, range, end, step, separator);
  for (int r = range.start; r != end; r += step)
    if (!balanceRow(grid, r, range.sum, separator) && range.stop != 0 && (r - range.stop) * step > 0) break;
  grid.markBalanced(balancedState(order, separator));
}

}  // namespace

BookTooLargeError::BookTooLargeError()
    : Error("データ件数が多すぎます。扱えるのは9,999,999件までです。") {}

void sortAndBalance(LedgerGrid& grid, int keyColumn, BookOrder order) {
  if (grid.dataRowCount() > kMaxEntries) throw BookTooLargeError();
  const char separator = thousandsSeparator();
  const std::uint32_t inOrder = inOrderState(balancedState(order, separator), keyColumn);
  // Unchanged since a pass that left every row where this one would.
  if (grid.balancedState() == inOrder && grid.changedSinceBalanced().none()) return;
  bool newestFirstNow = false;
  const bool moved = sortRows(grid, keyColumn, order, newestFirstNow);
  balance(grid, order, separator);
  // The next pass finds the same keys when no row moved, step 1 still finds
  // the same direction and the key column is none the balances write.
  if (!moved && (presentOrder(grid) == BookOrder::NewestFirst) == newestFirstNow && keyColumn < kIncomeColumn)
    grid.markBalanced(inOrder);
}

void balanceRows(LedgerGrid& grid, BookOrder order) { balance(grid, order, thousandsSeparator()); }

}  // namespace sorabel
