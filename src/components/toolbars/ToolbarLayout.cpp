#include "components/toolbars/ToolbarLayout.h"

#include <algorithm>
#include <limits>

namespace sorabel::toolbars {

LayoutMargins marginsFor(ToolbarState state) {
  if (state == ToolbarState::Floating) return {2, 1, kFloatingLineMargin, kFloatingLineMargin};
  return {2, 2, kDockedLineStart, 2};
}

std::vector<int> controlOrder(const ToolbarLayoutInput& input) {
  std::vector<int> order;
  std::vector<long long> keys(input.controls.size());
  for (int i = 0; i < static_cast<int>(input.controls.size()); ++i) {
    const ToolbarControl& c = input.controls[static_cast<std::size_t>(i)];
    if (!c.visible) continue;
    order.push_back(i);
    long long key = 0;
    switch (input.current) {
      case ToolbarState::HorizontalDock: key = c.left; break;
      case ToolbarState::VerticalDock: key = c.top; break;
      case ToolbarState::Floating: {
        const auto breaks = std::count_if(input.lineBreaks.begin(), input.lineBreaks.end(), [&](int y) { return y <= c.top; });
        const long long line = (c.top - marginsFor(ToolbarState::Floating).firstLine -
                                kWrapGap * static_cast<long long>(breaks)) /
                               std::max(1, input.currentContentHeight);
        key = line * 1'000'000 + c.left;
        break;
      }
    }
    keys[static_cast<std::size_t>(i)] = key;
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)]; });
  return order;
}

ToolbarLayoutResult layoutControls(const ToolbarLayoutInput& input) {
  ToolbarLayoutResult result;
  const ToolbarState target = input.target;
  const bool vertical = target == ToolbarState::VerticalDock;
  const bool floating = target == ToolbarState::Floating;
  const LayoutMargins margins = marginsFor(target);
  const int limit = (!floating || input.wrapLimit == 0) ? std::numeric_limits<int>::max() / 2 : input.wrapLimit;

  result.order = controlOrder(input);
  result.bounds.resize(input.controls.size());
  result.suppressed.assign(input.controls.size(), false);
  for (std::size_t i = 0; i < input.controls.size(); ++i) {
    const ToolbarControl& c = input.controls[i];
    result.bounds[i] = {c.left, c.top, c.left + c.width, c.top + c.height};
  }
  for (int index : result.order) {  // content sizes
    const ToolbarControl& c = input.controls[static_cast<std::size_t>(index)];
    if (c.separator) continue;
    result.contentHeight = std::max(result.contentHeight, c.height);
    result.contentWidth = std::max(result.contentWidth, c.width);
  }
  const int pitch = vertical ? result.contentWidth : result.contentHeight;  // the line pitch
  int cross = pitch;
  if (input.row != nullptr && !floating) cross = vertical ? input.row->contentWidth : input.row->contentHeight;

  for (int index : result.order) {  // groups
    if (result.groups.empty() || input.controls[static_cast<std::size_t>(result.groups.back().controls.back())].separator)
      result.groups.push_back({});
    ControlGroup& group = result.groups.back();
    group.controls.push_back(index);
    const ToolbarControl& c = input.controls[static_cast<std::size_t>(index)];
    if (!c.separator) {
      group.width += c.width;
      group.height += c.height;
    }
  }

  int x = margins.lineStart;
  int y = margins.firstLine;
  int longest = 0;
  int longestBeforeTrailingSeparator = 0;
  int trailingSeparator = -1;
  bool previousWrapped = false;
  for (std::size_t g = 0; g < result.groups.size(); ++g) {  // lines
    const ControlGroup& group = result.groups[g];
    const int length = vertical ? group.height : group.width;
    if ((floating && previousWrapped) || x + length + margins.lineEnd > limit) {
      x = margins.lineStart;
      if (g > 0) {
        y += pitch + kWrapGap;
        if (trailingSeparator >= 0) {
          longest = longestBeforeTrailingSeparator;
          result.suppressed[static_cast<std::size_t>(trailingSeparator)] = true;
        }
        result.lineBreaks.push_back(y);
      }
    }
    previousWrapped = false;
    trailingSeparator = -1;
    for (int index : group.controls) {
      const ToolbarControl& c = input.controls[static_cast<std::size_t>(index)];
      const int controlLength = c.separator ? (vertical ? kSeparatorHeight : kSeparatorWidth) : along(vertical, c.width, c.height);
      if (!c.separator && x > margins.lineStart && x + controlLength > limit - margins.lineEnd) {
        x = margins.lineStart;
        y += result.contentHeight;
        previousWrapped = true;
      }
      draw::Rect& r = result.bounds[static_cast<std::size_t>(index)];
      if (c.separator) {
        r = vertical ? draw::Rect{y, x, y + cross, x + kSeparatorHeight} : draw::Rect{x, y, x + kSeparatorWidth, y + cross};
        longestBeforeTrailingSeparator = longest;
        trailingSeparator = index;
      } else if (vertical) {
        const int left = y + (cross - c.width) / 2;
        r = {left, x, left + c.width, x + c.height};
      } else {
        const int top = y + (cross - c.height) / 2;
        r = {x, top, x + c.width, top + c.height};
      }
      x += controlLength;
      longest = std::max(longest, x);
    }
  }
  int lineCross = pitch;
  if (result.order.empty()) {  // an empty toolbar
    y = margins.firstLine;
    longest = margins.lineStart + kMinContentSize;
    if (floating)
      lineCross = kMinContentSize;
    else
      lineCross = input.row != nullptr ? (vertical ? input.row->contentWidth : input.row->contentHeight) : kMinContentSize;
  }
  const int alongSize = longest + margins.lineEnd;  // the toolbar's size
  int acrossSize = y + lineCross + margins.lastLine;
  if (!floating && input.row != nullptr)
    acrossSize = std::max(acrossSize, vertical ? input.row->dockedWidth : input.row->dockedHeight);
  result.size = vertical ? draw::Size{acrossSize, alongSize} : draw::Size{alongSize, acrossSize};
  return result;
}

}  // namespace sorabel::toolbars
