#include "ledger/GridChange.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

namespace sorabel {
namespace {

constexpr std::uint64_t kMultiplier1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kMultiplier2 = 0xC2B2AE3D27D4EB4Full;

std::uint64_t mixIn(std::uint64_t h, std::uint64_t word) {
  h += word * kMultiplier2;
  h = (h << 31) | (h >> 33);
  return h * kMultiplier1;
}

// A row's entry cells as one number: their bytes, which lie one after
// another, eight at a time, and where each cell ends.
std::uint64_t fingerprint(std::string_view entry, const LedgerRowView& row) {
  std::uint64_t h = entry.size() * kMultiplier1;
  std::size_t at = 0;
  for (; at + 8 <= entry.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, entry.data() + at, 8);
    h = mixIn(h, word);
  }
  if (at < entry.size()) {
    std::uint64_t rest = 0;
    std::memcpy(&rest, entry.data() + at, entry.size() - at);
    h = mixIn(h, rest);
  }
  h = mixIn(h, row[0].size() | (std::uint64_t{static_cast<std::uint32_t>(row[1].size())} << 32));
  h = mixIn(h, row[2].size());
  h ^= h >> 29;
  h *= kMultiplier2;
  return h ^ (h >> 32);
}

bool isReversal(const std::vector<std::uint64_t>& before, const std::vector<std::uint64_t>& after) {
  return before.size() > 1 && std::equal(before.begin(), before.end(), after.rbegin(), after.rend());
}

}  // namespace

RowFingerprints rowFingerprints(const LedgerGrid& grid) { return rowFingerprints(grid, 1, grid.dataRowCount()); }

RowFingerprints rowFingerprints(const LedgerGrid& grid, int first, int last) {
  RowFingerprints rows(static_cast<std::size_t>(std::max(last - first + 1, 0)));
  for (int r = first; r <= last; ++r) {
    const LedgerRowView row = grid.row(r);
    const std::size_t entryBytes = row[0].size() + row[1].size() + row[2].size() + row[3].size();
    rows[static_cast<std::size_t>(r - first)] = fingerprint(grid.rowBytes(r).substr(0, entryBytes), row);
  }
  return rows;
}

void GridChange::StoredRows::add(const LedgerRowView& row) {
  std::array<std::uint32_t, 4> rowEnds{};
  for (int c = 0; c < kBalanceColumn; ++c) {
    text += row[static_cast<std::size_t>(c)];
    rowEnds[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(text.size());
  }
  ends.push_back(rowEnds);
}

LedgerRowView GridChange::StoredRows::row(std::size_t index) const {
  const std::uint32_t start = index == 0 ? 0 : ends[index - 1][3];
  const auto& e = ends[index];
  const char* base = text.data();
  return {std::string_view(base + start, e[0] - start), std::string_view(base + e[0], e[1] - e[0]),
          std::string_view(base + e[1], e[2] - e[1]), std::string_view(base + e[2], e[3] - e[2]), std::string_view()};
}

GridChange GridChange::between(const LedgerGrid& before, const LedgerGrid& after) {
  return between(before, rowFingerprints(before), after, rowFingerprints(after));
}

GridChange GridChange::between(const LedgerGrid& before, const RowFingerprints& a, const LedgerGrid& after,
                               const RowFingerprints& b) {
  GridChange change;
  if (isReversal(a, b) && a != b) {
    change.reversed_ = true;
    return change;
  }
  change.addRuns(before, after, diffRows(a, b));
  return change;
}

GridChange GridChange::betweenRows(const LedgerGrid& before, std::span<const std::uint64_t> a,
                                   const LedgerGrid& after, std::span<const std::uint64_t> b, int first) {
  std::vector<RowHunk> hunks = diffRows(a, b);
  for (RowHunk& hunk : hunks) {
    hunk.from += first - 1;
    hunk.to += first - 1;
  }
  GridChange change;
  change.addRuns(before, after, hunks);
  return change;
}

void GridChange::addRuns(const LedgerGrid& before, const LedgerGrid& after, const std::vector<RowHunk>& hunks) {
  for (const RowHunk& hunk : hunks) {
    Run run{hunk, {}, {}};
    for (int i = 0; i < hunk.removed; ++i) run.removed.add(before.row(hunk.from + i + 1));
    for (int i = 0; i < hunk.added; ++i) run.added.add(after.row(hunk.to + i + 1));
    runs_.push_back(std::move(run));
  }
}

void GridChange::apply(LedgerGrid& grid, bool forward) const {
  if (reversed_) {
    grid.reverseDataRows();
    return;
  }
  if (runs_.empty()) return;
  if (keepsRowPlaces()) {
    // Each run's rows are written over those of its other side.
    for (const Run& run : runs_) {
      const StoredRows& rows = forward ? run.added : run.removed;
      for (std::size_t i = 0, n = rows.ends.size(); i < n; ++i)
        grid.setRow(run.hunk.from + static_cast<int>(i) + 1, rows.row(i));
    }
    return;
  }
  // The grid is rebuilt row by row: the rows outside the runs are copied,
  // those of each run come from the run's other side.
  int count = grid.dataRowCount();
  for (const Run& run : runs_) count += forward ? run.hunk.added - run.hunk.removed : run.hunk.removed - run.hunk.added;
  LedgerGrid out;
  out.setRowCount(count + 1);
  out.reserveRows(count + 1);
  int source = 0;  // rows of grid copied so far
  int target = 0;  // rows of out written so far
  auto copyUpTo = [&](int end) {
    for (; source < end; ++source) out.setRow(++target, grid.row(source + 1));
  };
  for (const Run& run : runs_) {
    const int start = forward ? run.hunk.from : run.hunk.to;
    const int skipped = forward ? run.hunk.removed : run.hunk.added;
    const StoredRows& rows = forward ? run.added : run.removed;
    copyUpTo(start);
    for (std::size_t i = 0, n = rows.ends.size(); i < n; ++i) out.setRow(++target, rows.row(i));
    source += skipped;
  }
  copyUpTo(grid.dataRowCount());
  grid = std::move(out);
}

bool GridChange::keepsRowPlaces() const {
  return !reversed_ && std::all_of(runs_.begin(), runs_.end(), [](const Run& run) {
    return run.hunk.removed == run.hunk.added && run.hunk.from == run.hunk.to;
  });
}

std::optional<std::pair<int, int>> GridChange::rowsWritten() const {
  if (runs_.empty() || !keepsRowPlaces()) return std::nullopt;
  return std::pair{runs_.front().hunk.from + 1, runs_.back().hunk.from + runs_.back().hunk.removed};
}

std::size_t GridChange::storedBytes() const {
  std::size_t bytes = sizeof(*this);
  for (const Run& run : runs_)
    bytes += sizeof(Run) + run.removed.text.capacity() + run.added.text.capacity() +
             (run.removed.ends.capacity() + run.added.ends.capacity()) * sizeof(run.removed.ends[0]);
  return bytes;
}

}  // namespace sorabel
