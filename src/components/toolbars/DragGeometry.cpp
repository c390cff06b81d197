#include "components/toolbars/DragGeometry.h"

#include <algorithm>
#include <cstdlib>

#include "components/toolbars/ToolbarMetrics.h"

namespace sorabel::toolbars {

using namespace draw;

int mulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
  const long long rounded = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
  return static_cast<int>(rounded);
}

Rect outlineAt(Point cursor, Point grab, Size start, Size candidate) {
  const int left = cursor.x - mulDiv(grab.x, candidate.width, std::max(1, start.width));
  const int top = cursor.y - mulDiv(grab.y, candidate.height, std::max(1, start.height));
  return {left, top, left + candidate.width, top + candidate.height};
}

bool dockAccepts(Rect d, bool vertical, Point cursor, Point grab, Size start, const Rect& candidate) {
  if (vertical && d.width() <= 0) d = {d.left - 1, d.top, d.right + 1, d.bottom};
  if (!vertical && d.height() <= 0) d = {d.left, d.top - 1, d.right, d.bottom + 1};
  const int gx = mulDiv(kDockReachX, grab.x, std::max(1, start.width));
  const int gy = mulDiv(kDockReachY, grab.y, std::max(1, start.height));
  if (cursor.x < d.left - (kDockReachX - gx) || cursor.x > d.right - 1 + gx) return false;
  if (vertical && (cursor.y < d.top || cursor.y >= d.bottom)) return false;
  if (cursor.y < d.top - (kDockReachY - gy) || cursor.y > d.bottom - 1 + gy) return false;
  return candidate.intersects(d);
}

Rect keepOnWorkArea(Rect outline, const Rect& workArea, int frameWidth) {
  const Rect area = workArea.inflated(-(frameWidth + kWorkAreaMargin), -(frameWidth + kWorkAreaMargin));
  auto shift = [&outline](int dx, int dy) { outline = outline.translated(dx, dy); };
  if (outline.bottom < area.top) shift(0, area.top - outline.bottom);
  if (outline.top > area.bottom) shift(0, area.bottom - outline.top);
  if (outline.right < area.left) shift(area.left - outline.right, 0);
  if (outline.left > area.right) shift(area.right - outline.left, 0);
  return outline;
}

Point clampInto(Point p, const Rect& area) {
  return {std::clamp(p.x, area.left, area.right - 1), std::clamp(p.y, area.top, area.bottom - 1)};
}

namespace {

bool vertical(SizeBorder border) { return border == SizeBorder::Top || border == SizeBorder::Bottom; }
int axisOf(Size s, SizeBorder border) { return vertical(border) ? s.height : s.width; }

}  // namespace

std::vector<Size> buildSizeList(const std::function<Size(int limit)>& layoutAt, int contentWidth, Size frame,
                                SizeBorder border) {
  std::vector<Size> sizes;
  const Size widest = layoutAt(0);
  sizes.push_back({widest.width + frame.width, widest.height + frame.height});
  // The narrowest line holds one control with its margins.
  for (int limit = widest.width - 1; limit >= contentWidth + 2 * kFloatingLineMargin;) {
    const Size result = layoutAt(limit);
    if (result.width < limit) {  // the same arrangement as that narrower limit
      limit = result.width;
      continue;
    }
    if (result.width == limit) {
      const Size window{result.width + frame.width, result.height + frame.height};
      const bool listed = std::any_of(sizes.begin(), sizes.end(), [&](Size s) { return s == window; });
      if (!listed) {
        if (sizes.back().height == window.height)
          sizes.back() = window;  // for each height only the narrowest width
        else
          sizes.push_back(window);
      }
    }
    --limit;
  }
  std::stable_sort(sizes.begin(), sizes.end(),
                   [border](Size a, Size b) { return axisOf(a, border) > axisOf(b, border); });
  return sizes;
}

int snapTolerance(const std::vector<Size>& sizes, Size current, SizeBorder border) {
  int tolerance = kMaxSnapTolerance;
  const auto found = std::find(sizes.begin(), sizes.end(), current);
  if (found == sizes.end()) return tolerance;
  const int here = axisOf(current, border);
  if (found != sizes.begin()) tolerance = std::min(tolerance, std::abs(axisOf(*(found - 1), border) - here) - 1);
  if (found + 1 != sizes.end()) tolerance = std::min(tolerance, std::abs(axisOf(*(found + 1), border) - here) - 1);
  return std::max(tolerance, 0);
}

Size chooseSize(const std::vector<Size>& sizes, int request, int current, SizeBorder border) {
  if (sizes.empty()) return {};
  if (request <= current) {  // shrinking: the largest entry not above the request
    for (const Size& s : sizes)  // sorted by decreasing length
      if (axisOf(s, border) <= request) return s;
    return sizes.back();
  }
  for (auto it = sizes.rbegin(); it != sizes.rend(); ++it)  // growing: the smallest entry above it
    if (axisOf(*it, border) > request) return *it;
  return sizes.front();
}

}  // namespace sorabel::toolbars
