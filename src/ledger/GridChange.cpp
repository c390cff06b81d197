#include "ledger/GridChange.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace sorabel {
namespace {

// A row's entry cells as one number; cells are told apart by their lengths.
std::uint64_t fingerprint(const LedgerRowView& row) {
  std::uint64_t h = 1469598103934665603ull;
  for (int c = 0; c < kBalanceColumn; ++c) {
    const std::string_view cell = row[static_cast<std::size_t>(c)];
    h = (h ^ std::hash<std::string_view>{}(cell)) * 1099511628211ull;
    h = (h ^ cell.size()) * 1099511628211ull;
  }
  return h;
}

std::vector<std::uint64_t> fingerprints(const LedgerGrid& grid) {
  std::vector<std::uint64_t> rows(static_cast<std::size_t>(grid.dataRowCount()));
  for (int r = 1; r <= grid.dataRowCount(); ++r) rows[static_cast<std::size_t>(r - 1)] = fingerprint(grid.row(r));
  return rows;
}

bool isReversal(const std::vector<std::uint64_t>& before, const std::vector<std::uint64_t>& after) {
  return before.size() > 1 && std::equal(before.begin(), before.end(), after.rbegin(), after.rend());
}

}  // namespace

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
  const std::vector<std::uint64_t> a = fingerprints(before);
  const std::vector<std::uint64_t> b = fingerprints(after);
  GridChange change;
  if (isReversal(a, b) && a != b) {
    change.reversed_ = true;
    return change;
  }
  for (const RowHunk& hunk : diffRows(a, b)) {
    Run run{hunk, {}, {}};
    for (int i = 0; i < hunk.removed; ++i) run.removed.add(before.row(hunk.from + i + 1));
    for (int i = 0; i < hunk.added; ++i) run.added.add(after.row(hunk.to + i + 1));
    change.runs_.push_back(std::move(run));
  }
  return change;
}

void GridChange::apply(LedgerGrid& grid, bool forward) const {
  if (reversed_) {
    grid.reverseDataRows();
    return;
  }
  if (runs_.empty()) return;
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

std::size_t GridChange::storedBytes() const {
  std::size_t bytes = sizeof(*this);
  for (const Run& run : runs_)
    bytes += sizeof(Run) + run.removed.text.capacity() + run.added.text.capacity() +
             (run.removed.ends.capacity() + run.added.ends.capacity()) * sizeof(run.removed.ends[0]);
  return bytes;
}

}  // namespace sorabel
