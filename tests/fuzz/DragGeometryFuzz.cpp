// The geometry of dragging and resizing a toolbar: rounding divisions
// round to nearest, an outline keeps its size and the grab point under the
// cursor, a floating outline is kept touching the work area, and the sizes
// a floating toolbar snaps to are real layouts of it, one per height, in
// order, chosen in the direction of the drag.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "components/toolbars/DragGeometry.h"
#include "components/toolbars/ToolbarLayout.h"

namespace {

using namespace sorabel;
using namespace sorabel::toolbars;
using draw::Point;
using draw::Rect;
using draw::Size;

void checkMulDiv(int number, int numerator, int denominator) {
  const int result = mulDiv(number, numerator, denominator);
  if (denominator == 0) {
    FUZZ_CHECK(result == -1, "a division by zero gives -1");
    return;
  }
  const long long product = static_cast<long long>(number) * numerator;
  const long long quotient = product / denominator;
  if (quotient > INT32_MAX - 1 || quotient < INT32_MIN + 1) return;  // the result does not fit
  // Rounded to nearest: the remainder left is at most half the divisor.
  const long long error = std::llabs(product - static_cast<long long>(result) * denominator);
  const long long limit = std::llabs(static_cast<long long>(denominator));
  FUZZ_CHECK(error <= limit && 2 * error <= limit, "the division rounds to nearest");
}

Rect rectFrom(FuzzedDataProvider& input) {
  const int left = input.ConsumeIntegralInRange(-5000, 5000);
  const int top = input.ConsumeIntegralInRange(-5000, 5000);
  return {left, top, left + input.ConsumeIntegralInRange(0, 4000), top + input.ConsumeIntegralInRange(0, 4000)};
}

Point pointFrom(FuzzedDataProvider& input) {
  return {input.ConsumeIntegralInRange(-10000, 10000), input.ConsumeIntegralInRange(-10000, 10000)};
}

void checkOutlines(FuzzedDataProvider& input) {
  const Point cursor = pointFrom(input);
  const Size start{input.ConsumeIntegralInRange(1, 1000), input.ConsumeIntegralInRange(1, 1000)};
  const Point grab{input.ConsumeIntegralInRange(0, start.width - 1), input.ConsumeIntegralInRange(0, start.height - 1)};
  const Size candidate{input.ConsumeIntegralInRange(0, 1000), input.ConsumeIntegralInRange(0, 1000)};
  const Rect outline = outlineAt(cursor, grab, start, candidate);
  FUZZ_CHECK(outline.width() == candidate.width && outline.height() == candidate.height, "an outline has the candidate's size");
  FUZZ_CHECK(cursor.x >= outline.left && cursor.x <= outline.right && cursor.y >= outline.top && cursor.y <= outline.bottom,
             "the grab point stays under the cursor");

  const Rect dock = rectFrom(input);
  (void)dockAccepts(dock, input.ConsumeBool(), cursor, grab, start, outline);

  const Rect workArea = rectFrom(input);
  const int frameWidth = input.ConsumeIntegralInRange(0, 10);
  const Rect area = workArea.inflated(-(frameWidth + 4), -(frameWidth + 4));
  const Rect kept = keepOnWorkArea(outline, workArea, frameWidth);
  FUZZ_CHECK(kept.width() == outline.width() && kept.height() == outline.height(), "a kept outline keeps its size");
  if (area.left <= area.right && area.top <= area.bottom) {
    FUZZ_CHECK(kept.bottom >= area.top && kept.top <= area.bottom && kept.right >= area.left && kept.left <= area.right,
               "a floating outline touches the work area");
    const bool touching = outline.bottom >= area.top && outline.top <= area.bottom && outline.right >= area.left &&
                          outline.left <= area.right;
    FUZZ_CHECK(!touching || kept == outline, "an outline touching the work area stays");
  }
  if (!workArea.isEmpty()) {
    const Point p = clampInto(cursor, workArea);
    FUZZ_CHECK(workArea.contains(p), "a clamped point lies inside");
    FUZZ_CHECK(!workArea.contains(cursor) || p == cursor, "a point inside stays");
  }
}

int axisOf(Size s, SizeBorder border) {
  return border == SizeBorder::Top || border == SizeBorder::Bottom ? s.height : s.width;
}

void checkSizeList(FuzzedDataProvider& input) {
  ToolbarLayoutInput layout;
  layout.target = layout.current = ToolbarState::Floating;
  layout.controls.resize(input.ConsumeIntegralInRange(0, 16));
  int x = 0;
  for (ToolbarControl& c : layout.controls) {
    c.separator = input.ConsumeIntegralInRange(0, 3) == 0;
    c.width = c.separator ? 6 : input.ConsumeIntegralInRange(1, 60);
    c.height = input.ConsumeIntegralInRange(1, 40);
    c.left = x;
    x += c.width;
  }
  const ToolbarLayoutResult shape = layoutControls(layout);
  auto layoutAt = [&layout](int limit) {
    ToolbarLayoutInput at = layout;
    at.wrapLimit = limit;
    return layoutControls(at).size;
  };
  const Size frame{input.ConsumeIntegralInRange(0, 12), input.ConsumeIntegralInRange(0, 30)};
  const SizeBorder borders[] = {SizeBorder::Left, SizeBorder::Right, SizeBorder::Top, SizeBorder::Bottom};
  const SizeBorder border = input.PickValueInArray(borders);
  const std::vector<Size> sizes = buildSizeList(layoutAt, shape.contentWidth, frame, border);

  FUZZ_CHECK(!sizes.empty(), "the one-line shape is always offered");
  const Size oneLine = layoutAt(0);
  FUZZ_CHECK(std::count(sizes.begin(), sizes.end(), Size{oneLine.width + frame.width, oneLine.height + frame.height}) <= 1,
             "a size is offered once");
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const Size client{sizes[i].width - frame.width, sizes[i].height - frame.height};
    FUZZ_CHECK(layoutAt(client.width) == client || (i == 0 && client == oneLine), "an offered size is a layout of the toolbar");
    if (i > 0) FUZZ_CHECK(axisOf(sizes[i - 1], border) >= axisOf(sizes[i], border), "sizes are ordered along the border");
    for (std::size_t j = i + 1; j < sizes.size(); ++j)
      FUZZ_CHECK(sizes[i].height != sizes[j].height && sizes[i] != sizes[j], "one size per height");
  }

  const Size current = input.ConsumeBool() ? input.PickValueInArray<Size>({sizes.front(), sizes.back()})
                                           : Size{input.ConsumeIntegralInRange(0, 800), input.ConsumeIntegralInRange(0, 800)};
  const int tolerance = snapTolerance(sizes, current, border);
  FUZZ_CHECK(tolerance >= 0 && tolerance <= 12, "the snap tolerance is 0 to 12");
  const int currentLength = axisOf(current, border);
  const int request = input.ConsumeIntegralInRange(-100, 1200);
  const Size chosen = chooseSize(sizes, request, currentLength, border);
  FUZZ_CHECK(std::find(sizes.begin(), sizes.end(), chosen) != sizes.end(), "the chosen size is offered");
  const int length = axisOf(chosen, border);
  if (request <= currentLength) {
    FUZZ_CHECK(length <= request || chosen == sizes.back(), "shrinking stops at the request");
    for (const Size& s : sizes)
      FUZZ_CHECK(!(axisOf(s, border) > length && axisOf(s, border) <= request), "shrinking takes the nearest size");
  } else {
    FUZZ_CHECK(length > request || chosen == sizes.front(), "growing reaches past the request");
    for (const Size& s : sizes)
      FUZZ_CHECK(!(axisOf(s, border) < length && axisOf(s, border) > request), "growing takes the nearest size");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  checkMulDiv(input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>());
  switch (input.ConsumeIntegralInRange(0, 1)) {
    case 0: checkOutlines(input); break;
    default: checkSizeList(input); break;
  }
  return 0;
}
