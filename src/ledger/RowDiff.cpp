#include "ledger/RowDiff.h"

#include <algorithm>

namespace sorabel {
namespace {

// Beyond this many inserted and removed rows the middle is one hunk: the
// search costs (rows × differences), and a change that large stores its
// rows anyway.
constexpr int kMaxEditDistance = 256;

using Fingerprints = std::span<const std::uint64_t>;

// The shortest edit script of a and b by the greedy forward search, as the
// hunks between matching rows; empty when it needs more than kMaxEditDistance.
std::vector<RowHunk> shortestEdit(Fingerprints a, Fingerprints b, int offsetA, int offsetB) {
  const int n = static_cast<int>(a.size());
  const int m = static_cast<int>(b.size());
  const int limit = std::min(n + m, kMaxEditDistance);
  const int centre = limit + 1;
  std::vector<int> reach(2 * limit + 3, 0);
  std::vector<std::vector<int>> trace;
  int found = -1;
  for (int d = 0; d <= limit && found < 0; ++d) {
    trace.push_back(reach);
    for (int k = -d; k <= d; k += 2) {
      int x = (k == -d || (k != d && reach[centre + k - 1] < reach[centre + k + 1])) ? reach[centre + k + 1]
                                                                                    : reach[centre + k - 1] + 1;
      int y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      reach[centre + k] = x;
      if (x >= n && y >= m) {
        found = d;
        break;
      }
    }
  }
  if (found < 0) return {};

  // Walk back from the end: each step is one removed or added row, after
  // a run of matching rows.
  struct Edit {
    bool removed;
    int x;  // the row of a (removed) or the place in a (added)
    int y;  // the place in b (removed) or the row of b (added)
  };
  std::vector<Edit> edits;
  int x = n;
  int y = m;
  for (int d = found; d > 0; --d) {
    const std::vector<int>& previous = trace[static_cast<std::size_t>(d)];
    const int k = x - y;
    const bool added = k == -d || (k != d && previous[centre + k - 1] < previous[centre + k + 1]);
    const int previousK = added ? k + 1 : k - 1;
    const int previousX = previous[centre + previousK];
    const int previousY = previousX - previousK;
    const int stepX = added ? previousX : previousX + 1;
    const int stepY = added ? previousY + 1 : previousY;
    while (x > stepX && y > stepY) --x, --y;
    edits.push_back(added ? Edit{false, previousX, previousY} : Edit{true, previousX, previousY});
    x = previousX;
    y = previousY;
  }
  std::reverse(edits.begin(), edits.end());

  // Neighbouring edits make one hunk.
  std::vector<RowHunk> hunks;
  for (const Edit& e : edits) {
    if (hunks.empty() || hunks.back().from + hunks.back().removed != e.x || hunks.back().to + hunks.back().added != e.y)
      hunks.push_back({e.x, 0, e.y, 0});
    ++(e.removed ? hunks.back().removed : hunks.back().added);
  }
  for (RowHunk& h : hunks) {
    h.from += offsetA;
    h.to += offsetB;
  }
  return hunks;
}

}  // namespace

std::vector<RowHunk> diffRows(Fingerprints before, Fingerprints after) {
  std::size_t head = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  const Fingerprints a = before.subspan(head, before.size() - head - tail);
  const Fingerprints b = after.subspan(head, after.size() - head - tail);
  const int start = static_cast<int>(head);
  if (a.empty() && b.empty()) return {};
  if (a.empty() || b.empty()) return {RowHunk{start, static_cast<int>(a.size()), start, static_cast<int>(b.size())}};
  std::vector<RowHunk> hunks = shortestEdit(a, b, start, start);
  if (hunks.empty()) return {RowHunk{start, static_cast<int>(a.size()), start, static_cast<int>(b.size())}};
  return hunks;
}

}  // namespace sorabel
