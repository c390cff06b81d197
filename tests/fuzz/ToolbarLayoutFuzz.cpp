// The dock's rows and the toolbar's lines for any toolbars and controls of
// sizes a screen can show: toolbars of a row and controls of a toolbar
// never overlap, rows are numbered without gaps, a row that fits the dock
// stays inside it, controls stay inside their toolbar, a floating toolbar
// keeps to its wrap limit where its controls allow, and laying out again
// what was just laid out moves nothing.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "FuzzCheck.h"
#include "components/toolbars/DockLayout.h"
#include "components/toolbars/ToolbarLayout.h"

namespace {

using namespace sorabel;
using namespace sorabel::toolbars;
using draw::Rect;

bool sameBars(const std::vector<DockedBar>& a, const std::vector<DockedBar>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const DockedBar& x, const DockedBar& y) {
    return x.id == y.id && x.dockRow == y.dockRow && x.dockPos == y.dockPos;
  });
}

void checkDock(FuzzedDataProvider& input) {
  std::vector<DockedBar> bars(input.ConsumeIntegralInRange(1, 8));
  for (std::size_t i = 0; i < bars.size(); ++i) {
    DockedBar& bar = bars[i];
    bar.dockRow = input.ConsumeIntegralInRange(0, 6);
    bar.dockPos = input.ConsumeIntegralInRange(-1, 1200);
    bar.width = input.ConsumeIntegralInRange(1, 400);
    bar.height = input.ConsumeIntegralInRange(1, 400);
    bar.contentHeight = input.ConsumeIntegralInRange(1, 100);
    bar.contentWidth = input.ConsumeIntegralInRange(1, 100);
    bar.id = static_cast<int>(i);
  }
  const bool vertical = input.ConsumeBool();
  const bool oneRow = input.ConsumeBool();
  const int clientLength = input.ConsumeIntegralInRange(0, 1600);
  const DockLayoutResult result = relayoutBars(bars, vertical, clientLength, oneRow);

  FUZZ_CHECK(result.bars.size() == bars.size() && result.bounds.size() == bars.size(), "every toolbar is placed");
  const int rows = static_cast<int>(result.rowExtents.size());
  int offset = 0;
  for (int row = 0; row < rows; ++row) {
    std::vector<std::size_t> inRow;
    for (std::size_t i = 0; i < result.bars.size(); ++i)
      if (result.bars[i].dockRow == row) inRow.push_back(i);
    FUZZ_CHECK(!inRow.empty(), "rows are numbered without gaps");
    FUZZ_CHECK(!oneRow || row == 0, "a dock limited to one row has one");
    const RowExtent& extent = result.rowExtents[static_cast<std::size_t>(row)];
    const int thickness = std::max(8, vertical ? extent.dockedWidth : extent.dockedHeight);
    std::sort(inRow.begin(), inRow.end(), [&](std::size_t a, std::size_t b) { return result.bars[a].dockPos < result.bars[b].dockPos; });
    int end = 0;
    int total = 0;
    for (std::size_t i : inRow) {
      const DockedBar& bar = result.bars[i];
      const Rect& r = result.bounds[i];
      const int start = vertical ? r.top : r.left;
      const int across = vertical ? r.left : r.top;
      FUZZ_CHECK(start == bar.dockPos && start >= end, "toolbars of a row do not overlap");
      FUZZ_CHECK(across >= offset && across + (vertical ? r.width() : r.height()) <= offset + thickness,
                 "a toolbar lies in its row's band");
      end = start + (vertical ? bar.height : bar.width);
      total += vertical ? bar.height : bar.width;
    }
    if (total <= clientLength) FUZZ_CHECK(end <= clientLength, "a row that fits the dock stays inside it");
    offset += thickness;
  }
  FUZZ_CHECK(result.thickness == offset, "the dock is as thick as its rows");

  const DockLayoutResult again = relayoutBars(result.bars, vertical, clientLength, oneRow);
  FUZZ_CHECK(sameBars(again.bars, result.bars) && again.bounds == result.bounds && again.thickness == result.thickness,
             "laying out a laid-out dock moves nothing");
}

ToolbarLayoutInput nextLayout(ToolbarLayoutInput input, const ToolbarLayoutResult& result) {
  for (std::size_t i = 0; i < input.controls.size(); ++i) {
    const Rect& r = result.bounds[i];
    ToolbarControl& c = input.controls[i];
    c.left = r.left;
    c.top = r.top;
    c.width = r.width();
    c.height = r.height();
  }
  input.current = input.target;
  input.lineBreaks = result.lineBreaks;
  input.currentContentHeight = result.contentHeight;
  return input;
}

void checkToolbar(FuzzedDataProvider& input) {
  ToolbarLayoutInput layout;
  layout.controls.resize(input.ConsumeIntegralInRange(0, 24));
  int widest = 0;
  for (ToolbarControl& c : layout.controls) {
    c.left = input.ConsumeIntegralInRange(-50, 2000);
    c.top = input.ConsumeIntegralInRange(-50, 400);
    c.width = input.ConsumeIntegralInRange(1, 200);
    c.height = input.ConsumeIntegralInRange(1, 100);
    c.visible = input.ConsumeIntegralInRange(0, 7) != 0;
    c.separator = input.ConsumeIntegralInRange(0, 3) == 0;
    if (c.visible && !c.separator) widest = std::max(widest, c.width);
  }
  const ToolbarState states[] = {ToolbarState::Floating, ToolbarState::HorizontalDock, ToolbarState::VerticalDock};
  layout.target = input.PickValueInArray(states);
  layout.current = input.PickValueInArray(states);
  layout.wrapLimit = input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange(1, 1000);
  layout.lineBreaks.resize(input.ConsumeIntegralInRange(0, 3));
  for (int& y : layout.lineBreaks) y = input.ConsumeIntegralInRange(0, 400);
  layout.currentContentHeight = input.ConsumeIntegralInRange(0, 100);
  const bool floating = layout.target == ToolbarState::Floating;

  ToolbarLayoutResult result = layoutControls(layout);
  RowExtent row;
  if (!floating && input.ConsumeBool()) {  // docked with its row's record, as a toolbar applies it
    std::vector<DockedBar> bars{{0, 0, 10, 10, result.contentHeight, result.contentWidth, 0}};
    bars.push_back({0, 100, 10, 10, input.ConsumeIntegralInRange(1, 100), input.ConsumeIntegralInRange(1, 100), 1});
    row = buildRowExtents(bars)[0];
    layout.row = &row;
    result = layoutControls(layout);
  }

  std::vector<int> visible;
  for (int i = 0; i < static_cast<int>(layout.controls.size()); ++i)
    if (layout.controls[static_cast<std::size_t>(i)].visible) visible.push_back(i);
  std::vector<int> order = result.order;
  std::sort(order.begin(), order.end());
  FUZZ_CHECK(order == visible, "every visible control is laid out once");

  const Rect client{0, 0, result.size.width, result.size.height};
  for (std::size_t a = 0; a < result.order.size(); ++a) {
    const auto i = static_cast<std::size_t>(result.order[a]);
    if (result.suppressed[i]) continue;
    const Rect& r = result.bounds[i];
    FUZZ_CHECK(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom,
               "a control lies inside its toolbar");
    for (std::size_t b = a + 1; b < result.order.size(); ++b) {
      const auto j = static_cast<std::size_t>(result.order[b]);
      FUZZ_CHECK(result.suppressed[j] || !r.intersects(result.bounds[j]), "controls do not overlap");
    }
  }
  if (floating && layout.wrapLimit > 0) {
    const LayoutMargins m = marginsFor(ToolbarState::Floating);
    // Nothing is narrower than its widest control, or than an empty toolbar;
    // a separator ending the last line is kept (only line starts suppress).
    const bool endsWithSeparator =
        !result.order.empty() && layout.controls[static_cast<std::size_t>(result.order.back())].separator;
    const int narrowest = m.lineStart + std::max(widest, 8) + m.lineEnd;
    FUZZ_CHECK(result.size.width <= std::max(layout.wrapLimit, narrowest) + (endsWithSeparator ? 6 : 0),
               "a floating toolbar keeps to its wrap limit where its controls allow");
  }

  const ToolbarLayoutResult again = layoutControls(nextLayout(layout, result));
  FUZZ_CHECK(again.order == result.order && again.bounds == result.bounds && again.size == result.size &&
                 again.suppressed == result.suppressed && again.lineBreaks == result.lineBreaks,
             "laying out a laid-out toolbar moves nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  if (input.ConsumeBool())
    checkDock(input);
  else
    checkToolbar(input);
  return 0;
}
