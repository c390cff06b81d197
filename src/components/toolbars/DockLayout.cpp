#include "components/toolbars/DockLayout.h"

#include <algorithm>
#include <utility>

namespace sorabel::toolbars {

std::vector<RowExtent> buildRowExtents(const std::vector<DockedBar>& bars) {
  int highest = -1;
  for (const DockedBar& bar : bars) highest = std::max(highest, bar.dockRow);
  std::vector<RowExtent> rows(static_cast<std::size_t>(highest + 1), RowExtent{kMinContentSize, kMinContentSize, 0, 0});
  for (const DockedBar& bar : bars) {
    RowExtent& row = rows[static_cast<std::size_t>(bar.dockRow)];
    row.contentHeight = std::max(row.contentHeight, bar.contentHeight);
    row.contentWidth = std::max(row.contentWidth, bar.contentWidth);
  }
  for (RowExtent& row : rows) row = rowExtentFor(row.contentHeight, row.contentWidth);
  return rows;
}

namespace {

int lengthOf(const DockedBar& bar, bool vertical) { return along(vertical, bar.width, bar.height); }

// Rows in use numbered 0, 1, 2, ... without gaps.
void closeUpRows(std::vector<DockedBar>& bars) {
  int highest = -1;
  for (const DockedBar& bar : bars) highest = std::max(highest, bar.dockRow);
  for (int row = 0; row <= highest;) {
    const bool used = std::any_of(bars.begin(), bars.end(), [row](const DockedBar& bar) { return bar.dockRow == row; });
    if (used) {
      ++row;
      continue;
    }
    for (DockedBar& bar : bars)
      if (bar.dockRow > row) --bar.dockRow;
    --highest;
  }
}

// Packing a row: nothing before the running position or overlapping it.
void packInto(DockedBar& bar, int& running, bool vertical) {
  if (bar.dockPos <= running)
    bar.dockPos = running;
  else
    running = bar.dockPos;
  running += lengthOf(bar, vertical);
}

}  // namespace

DockLayoutResult relayoutBars(std::vector<DockedBar> bars, bool vertical, int clientLength, bool limitToOneRow) {
  DockLayoutResult result;
  std::stable_sort(bars.begin(), bars.end(), [](const DockedBar& a, const DockedBar& b) {
    return a.dockRow != b.dockRow ? a.dockRow < b.dockRow : a.dockPos < b.dockPos;
  });
  if (limitToOneRow)
    for (DockedBar& bar : bars) bar.dockRow = 0;
  closeUpRows(bars);
  result.rowExtents = buildRowExtents(bars);
  const int rows = static_cast<int>(result.rowExtents.size());

  for (int row = 0; row < rows; ++row) {  // first packing pass
    int running = 0;
    for (DockedBar& bar : bars)
      if (bar.dockRow == row) packInto(bar, running, vertical);
  }
  for (std::size_t i = 0; i < bars.size(); ++i) {  // overhang pass
    for (std::size_t j = bars.size(); j-- > i;) {
      if (bars[j].dockRow != bars[i].dockRow) continue;
      const int excess = bars[j].dockPos + lengthOf(bars[j], vertical) - clientLength;
      if (excess > 0) {
        bars[i].dockPos -= excess;
        break;
      }
    }
  }
  int offset = 0;  // placing pass
  result.bounds.resize(bars.size());
  for (int row = 0; row < rows; ++row) {
    int running = 0;
    int thickness = kMinContentSize;
    const RowExtent& extent = result.rowExtents[static_cast<std::size_t>(row)];
    for (std::size_t i = 0; i < bars.size(); ++i) {
      DockedBar& bar = bars[i];
      if (bar.dockRow != row) continue;
      thickness = std::max(thickness, vertical ? extent.dockedWidth : extent.dockedHeight);
      packInto(bar, running, vertical);
      result.bounds[i] = vertical ? draw::Rect{offset, bar.dockPos, offset + extent.dockedWidth, bar.dockPos + bar.height}
                                  : draw::Rect{bar.dockPos, offset, bar.dockPos + bar.width, offset + extent.dockedHeight};
    }
    offset += thickness;
  }
  result.thickness = offset;
  result.bars = std::move(bars);
  return result;
}

int emptyDockThickness(bool fixAlign) { return fixAlign ? 1 : 0; }

int rowAtPosition(const std::vector<RowExtent>& rows, bool vertical, int coordinate) {
  int end = 0;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    end += vertical ? rows[static_cast<std::size_t>(row)].dockedWidth : rows[static_cast<std::size_t>(row)].dockedHeight;
    if (end - 1 >= coordinate) return row;
  }
  return static_cast<int>(rows.size());
}

RowDrop dropRowAt(const std::vector<RowExtent>& rows, bool vertical, int coordinate) {
  int start = 0;
  for (int row = 0;; ++row) {
    const bool pastLast = row >= static_cast<int>(rows.size());
    const int thickness =
        pastLast ? 0 : (vertical ? rows[static_cast<std::size_t>(row)].dockedWidth : rows[static_cast<std::size_t>(row)].dockedHeight);
    if (coordinate <= start + kNewRowZone) return {row, true};
    if (pastLast) return {row, false};  // below the last row: a new last row
    if (coordinate <= start + thickness - kNewRowZone) return {row, false};
    start += thickness;
  }
}

draw::Rect thicknessBounds(DockAlign align, const draw::Rect& bounds, int newWidth, int newHeight) {
  switch (align) {
    case DockAlign::Top:
    case DockAlign::Left: return {bounds.left, bounds.top, bounds.left + newWidth, bounds.top + newHeight};
    case DockAlign::Bottom: {
      const int top = bounds.bottom - newHeight;
      return {bounds.left, top, bounds.left + newWidth, top + newHeight};
    }
    case DockAlign::Right: {
      const int left = bounds.right - newWidth;
      return {left, bounds.top, left + newWidth, bounds.top + newHeight};
    }
  }
  return bounds;
}

}  // namespace sorabel::toolbars
