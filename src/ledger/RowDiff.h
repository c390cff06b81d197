#pragma once
// The difference between two sequences of rows, as the few runs of rows
// that one lost and the other gained. Rows are compared by a fingerprint
// each; equal fingerprints count as equal rows.

#include <cstdint>
#include <span>
#include <vector>

namespace sorabel {

// Rows before[from, from + removed) were replaced by after[to, to + added).
struct RowHunk {
  int from = 0;
  int removed = 0;
  int to = 0;
  int added = 0;
  bool operator==(const RowHunk&) const = default;
};

// The hunks that turn before into after, in order. The rows both share at
// the start and the end are never in a hunk; between them the shortest edit
// is searched up to a bounded number of differences, beyond which the rest
// is one hunk (larger, still exact).
std::vector<RowHunk> diffRows(std::span<const std::uint64_t> before, std::span<const std::uint64_t> after);

}  // namespace sorabel
