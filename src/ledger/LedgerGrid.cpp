#include "ledger/LedgerGrid.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/Errors.h"

namespace sorabel {
namespace {

constexpr std::size_t kMaxTextBytes = std::numeric_limits<std::uint32_t>::max();
// Packing pays only once this much of the store is unused.
constexpr std::size_t kPackThreshold = 1 << 20;

[[noreturn]] void throwTooMuchText() {
  throw Error("データが大きすぎるため、これ以上の文字を記憶できません。");
}

bool liesIn(std::string_view text, const std::string& store) {
  return !text.empty() && text.data() >= store.data() && text.data() < store.data() + store.size();
}

}  // namespace

const LedgerRow& LedgerGrid::headerRow() {
  static const LedgerRow header = {
      sjis("　　　日付"),
      sjis("　　　　　　　　　　　　　摘要"),
      sjis("収入　　　"),
      sjis("支出　　　"),
      sjis("残高　　　"),
  };
  return header;
}

LedgerGrid::LedgerGrid() : rows_(1) {}

void LedgerGrid::setRowCount(int count) {
  const auto rows = static_cast<std::size_t>(std::max(count, 2) - 1);
  if (rows != rows_.size()) noteAllRows();
  for (std::size_t r = rows; r < rows_.size(); ++r) forget(rows_[r]);
  rows_.resize(rows);
}

void LedgerGrid::reserveRows(int count) { rows_.reserve(static_cast<std::size_t>(std::max(count, 2) - 1)); }

LedgerRowView LedgerGrid::rowSlowly(int index) const {
  if (index == 0) {
    const LedgerRow& header = headerRow();
    return {header[0], header[1], header[2], header[3], header[4]};
  }
  const RowSpan& span = rows_[static_cast<std::size_t>(index - 1)];
  const char* base = text_->data() + span.start;
  LedgerRowView cells;
  std::uint32_t begin = 0;
  for (int c = 0; c < kLedgerColumnCount; ++c) {
    const std::uint32_t end = endOf(span, c);
    cells[static_cast<std::size_t>(c)] = std::string_view(base + begin, end - begin);
    begin = end;
  }
  return cells;
}

void LedgerGrid::setCell(int column, int row, std::string_view text) {
  LedgerRowView cells = this->row(row);
  cells[static_cast<std::size_t>(column)] = text;
  setRow(row, cells);
}

void LedgerGrid::setRow(int index, const LedgerRowView& cells) { setCellsFrom(index, 0, cells); }

void LedgerGrid::setCellsFrom(int index, int firstColumn, std::span<const std::string_view> cells) {
  noteRow(index);
  RowSpan& span = rows_[static_cast<std::size_t>(index - 1)];
  const std::uint32_t keptEnd = firstColumn == 0 ? 0 : endOf(span, firstColumn - 1);
  CellEnds ends{};
  for (int c = 0; c < firstColumn; ++c) ends[static_cast<std::size_t>(c)] = endOf(span, c);
  std::size_t end = keptEnd;
  for (int c = firstColumn; c < kLedgerColumnCount; ++c) {
    end += cells[static_cast<std::size_t>(c - firstColumn)].size();
    if (end > kMaxTextBytes) throwTooMuchText();
    ends[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(end);
  }
  // The new cells go straight over the old ones when they fit and none of
  // them lies in the store; otherwise the row is assembled aside first.
  bool aliased = false;
  for (std::string_view cell : cells) aliased = aliased || liesIn(cell, *text_);
  if (!aliased && end <= lengthOf(span) && !textShared()) {
    char* at = text_->data() + span.start + keptEnd;
    for (std::string_view cell : cells) {
      if (!cell.empty()) std::memcpy(at, cell.data(), cell.size());
      at += cell.size();
    }
    live_ -= lengthOf(span) - end;
    setEnds(span, ends);
    return;
  }
  scratch_.assign(*text_, span.start, keptEnd);
  for (std::string_view cell : cells) scratch_.append(cell);
  storeRow(span, scratch_, ends);
}

void LedgerGrid::setEnds(RowSpan& span, const CellEnds& ends) {
  if (ends.back() > kShortRowLimit) {
    setLongEnds(span, ends);
    return;
  }
  span.isLong = 0;  // a long row's entry in longEnds_ is left for pack() to drop
  for (std::size_t c = 0; c < ends.size(); ++c) span.ends[c] = static_cast<std::uint16_t>(ends[c]);
}

void LedgerGrid::setLongEnds(RowSpan& span, const CellEnds& ends) {
  std::uint32_t slot = 0;
  if (span.isLong) {
    slot = longIndex(span);
  } else {
    slot = static_cast<std::uint32_t>(longEnds_.size());
    longEnds_.emplace_back();
  }
  longEnds_[slot] = ends;
  span.isLong = 1;
  setLongIndex(span, slot);
}

void LedgerGrid::storeRow(RowSpan& span, std::string_view bytes, const CellEnds& ends) {
  const std::uint32_t old = lengthOf(span);
  if (bytes.size() <= old && !textShared()) {
    if (!bytes.empty()) std::memcpy(text_->data() + span.start, bytes.data(), bytes.size());
    live_ -= old - bytes.size();
  } else {
    live_ -= old;
    span = RowSpan{};  // nothing of the old row is kept when the store is packed
    makeRoom(bytes.size());
    span.start = static_cast<std::uint32_t>(text_->size());
    text_->append(bytes);
    live_ += bytes.size();
  }
  setEnds(span, ends);
}

void LedgerGrid::makeRoom(std::size_t extra) {
  const std::size_t unused = text_->size() - live_;
  if (unused > live_ && unused > kPackThreshold) pack();
  if (text_->size() + extra > kMaxTextBytes) {
    pack();
    if (text_->size() + extra > kMaxTextBytes) throwTooMuchText();
  }
}

void LedgerGrid::pack() {
  std::string packed;
  packed.reserve(live_);
  std::vector<CellEnds> longEnds;
  for (RowSpan& span : rows_) {
    const std::uint32_t length = lengthOf(span);
    CellEnds ends{};
    for (int c = 0; c < kLedgerColumnCount; ++c) ends[static_cast<std::size_t>(c)] = endOf(span, c);
    const auto start = static_cast<std::uint32_t>(packed.size());
    packed.append(*text_, span.start, length);
    span = RowSpan{};
    span.start = start;
    setFreshEnds(span, ends, longEnds);
  }
  text_ = std::make_shared<std::string>(std::move(packed));
  longEnds_ = std::move(longEnds);
}

void LedgerGrid::reorderDataRows(std::vector<int> sources) {
  noteAllRows();
  // Follows each cycle of the permutation, moving every row once, in place;
  // a handled place is marked 0.
  for (std::size_t start = 0; start < sources.size(); ++start) {
    if (sources[start] == 0) continue;
    const RowSpan first = rows_[start];
    std::size_t at = start;
    for (;;) {
      const auto from = static_cast<std::size_t>(sources[at] - 1);
      sources[at] = 0;
      if (from == start) {
        rows_[at] = first;
        break;
      }
      rows_[at] = rows_[from];
      at = from;
    }
  }
}

void LedgerGrid::reverseDataRows() {
  noteAllRows();
  std::reverse(rows_.begin(), rows_.end());
}

void LedgerGrid::insertEmptyRow(int index) {
  noteAllRows();
  rows_.insert(rows_.begin() + (index - 1), RowSpan{});
}

std::string_view LedgerGrid::longestCell(int column) const {
  int longest = 1;
  std::uint32_t longestLength = 0;
  for (int r = 1; r <= dataRowCount(); ++r) {
    const RowSpan& span = rows_[static_cast<std::size_t>(r - 1)];
    const std::uint32_t length = endOf(span, column) - (column == 0 ? 0 : endOf(span, column - 1));
    if (length > longestLength) {
      longest = r;
      longestLength = length;
    }
  }
  return cell(column, longest);
}

void LedgerGrid::clearBook() {
  noteAllRows();
  std::fill(rows_.begin(), rows_.end(), RowSpan{});
  text_ = std::make_shared<std::string>();
  longEnds_ = std::vector<CellEnds>();
  live_ = 0;
}

void LedgerGrid::resetToEmptyBook() {
  clearBook();
  setRowCount(2);
}

void LedgerGrid::deleteRows(int first, int last) {
  if (last < first) std::swap(first, last);
  if (first > lastRow()) return;
  last = std::min(last, lastRow());
  first = std::max(first, 1);
  if (last < first) return;
  noteAllRows();
  const int count = last - first + 1;
  if (dataRowCount() == 1 || count >= dataRowCount()) {
    forget(rows_[0]);
    rows_[0] = RowSpan{};
    setRowCount(rowCount() - (count - 1));
    return;
  }
  for (int r = first; r <= last; ++r) forget(rows_[static_cast<std::size_t>(r - 1)]);
  rows_.erase(rows_.begin() + (first - 1), rows_.begin() + last);
}

std::size_t LedgerGrid::takeText(std::string&& bytes) {
  if (live_ == 0) {
    if (bytes.size() > kMaxTextBytes) throwTooMuchText();
    noteAllRows();
    std::fill(rows_.begin(), rows_.end(), RowSpan{});
    longEnds_.clear();
    text_ = std::make_shared<std::string>(std::move(bytes));
    return 0;
  }
  makeRoom(bytes.size());
  const std::size_t start = text_->size();
  text_->append(bytes);
  return start;
}

void LedgerGrid::placeReadRows(std::span<ReadRows> parts) {
  std::size_t count = 0;
  for (const ReadRows& part : parts) count += part.rows_.size();
  if (count == 0) return;
  noteAllRows();
  for (const RowSpan& span : rows_) forget(span);
  longEnds_.clear();
  rows_.clear();
  for (ReadRows& part : parts) {
    const auto longBase = static_cast<std::uint32_t>(longEnds_.size());
    const std::size_t first = rows_.size();
    if (rows_.empty())
      rows_ = std::move(part.rows_);
    else
      rows_.insert(rows_.end(), part.rows_.begin(), part.rows_.end());
    if (!part.longEnds_.empty()) {
      for (std::size_t r = first; r < rows_.size(); ++r)
        if (RowSpan& span = rows_[r]; span.isLong) setLongIndex(span, longIndex(span) + longBase);
      longEnds_.insert(longEnds_.end(), part.longEnds_.begin(), part.longEnds_.end());
    }
    live_ += part.bytes_;
    part = ReadRows{};
  }
}

namespace {

std::atomic<std::uint64_t> lastMark{0};

}  // namespace

void LedgerGrid::note(Watch& watch, int index) {
  ChangedRows& rows = watch.rows;
  if (rows.all) return;
  rows.first = rows.first == 0 ? index : std::min(rows.first, index);
  rows.last = std::max(rows.last, index);
}

void LedgerGrid::noteRow(int index) {
  for (Watch& watch : marked_) note(watch, index);
  note(balanced_, index);
}

void LedgerGrid::noteAllRows() {
  for (Watch& watch : marked_) watch.rows.all = true;
  balanced_.rows.all = true;
}

std::uint64_t LedgerGrid::markUnchanged(Watcher watcher) const {
  Watch& watch = marked_[static_cast<std::size_t>(watcher)];
  watch = {++lastMark, ChangedRows{false, 0, 0}};
  return watch.mark;
}

ChangedRows LedgerGrid::changedSince(Watcher watcher, std::uint64_t mark) const {
  const Watch& watch = marked_[static_cast<std::size_t>(watcher)];
  return mark == watch.mark ? watch.rows : ChangedRows{};
}

void LedgerGrid::markBalanced(std::uint32_t state) { balanced_ = {state, ChangedRows{false, 0, 0}}; }

}  // namespace sorabel
