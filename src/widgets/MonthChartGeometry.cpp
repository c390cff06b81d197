#include "widgets/MonthChartGeometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ledger/Amount.h"
#include "qtplatform/AnsiText.h"

namespace sorabel {
namespace {

// Whole-number division rounded down and up, for either sign of value.
std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t q = value / divisor;
  return (value % divisor != 0 && value < 0) ? q - 1 : q;
}
std::int64_t ceilDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t q = value / divisor;
  return (value % divisor != 0 && value > 0) ? q + 1 : q;
}

// Where a month's column starts, relative to the content's left edge.
int slotStart(const ChartLayout& layout, int index) {
  return static_cast<int>(std::floor(index * layout.slotWidth));
}

int widestMonthLabel(const std::vector<ChartMonth>& months, const TextMetrics& metrics) {
  int widest = metrics.width(QStringLiteral("0000/00"));
  for (const ChartMonth& month : months) widest = std::max(widest, metrics.width(month.label));
  return widest;
}

AmountAxis axisOf(const std::vector<ChartMonth>& months, int maxIntervals) {
  std::int64_t lowest = 0;
  std::int64_t highest = 0;
  for (const ChartMonth& month : months)
    for (std::int64_t value : {month.income, month.expense, month.balance()}) {
      lowest = std::min(lowest, value);
      highest = std::max(highest, value);
    }
  return amountAxis(lowest, highest, maxIntervals);
}

// A bar from the zero line to value; a value that is not zero gets at
// least one pixel so that it never looks like nothing.
QRect barRect(const ChartLayout& layout, int left, std::int64_t value) {
  const int zero = layout.axis.yOf(0, layout.plot.top(), layout.plot.height());
  const int end = layout.axis.yOf(value, layout.plot.top(), layout.plot.height());
  int top = std::min(zero, end);
  int height = std::abs(end - zero);
  if (value != 0 && height == 0) {
    height = 1;
    if (value > 0) top = zero - 1;
  }
  return {left, top, layout.barWidth, height};
}

}  // namespace

std::vector<std::int64_t> AmountAxis::ticks() const {
  std::vector<std::int64_t> result;
  for (std::int64_t value = low; value <= high; value += step) result.push_back(value);
  return result;
}

int AmountAxis::yOf(std::int64_t value, int top, int height) const {
  const double share = static_cast<double>(high - value) / static_cast<double>(high - low);
  return top + static_cast<int>(std::lround(share * height));
}

std::int64_t roundStep(std::int64_t raw) {
  if (raw <= 1) return 1;
  std::int64_t power = 1;
  while (power <= raw / 10) power *= 10;
  for (std::int64_t factor : {1, 2, 5})
    if (factor * power >= raw) return factor * power;
  return 10 * power;
}

// The axis ends are kept within ±10^18 yen, so that its arithmetic never
// overflows; no book reaches them (a month's sums stay below 2.2 × 10^16).
constexpr std::int64_t kLargestAxisAmount = 1'000'000'000'000'000'000;

AmountAxis amountAxis(std::int64_t lowest, std::int64_t highest, int maxIntervals) {
  const std::int64_t low = std::clamp<std::int64_t>(lowest, -kLargestAxisAmount, 0);
  std::int64_t high = std::clamp<std::int64_t>(highest, 0, kLargestAxisAmount);
  if (high == low) high = low + 1;  // nothing but zero: an axis of one yen
  // Zero is a tick: figures on both sides of it take two intervals at least.
  const std::int64_t intervals = std::max(low < 0 && high > 0 ? 2 : 1, maxIntervals);
  AmountAxis axis;
  axis.step = roundStep(ceilDiv(high - low, intervals));
  for (;;) {
    axis.low = floorDiv(low, axis.step) * axis.step;
    axis.high = ceilDiv(high, axis.step) * axis.step;
    if ((axis.high - axis.low) / axis.step <= intervals) return axis;
    axis.step = roundStep(axis.step + 1);  // rounding out both ends took one step too many
  }
}

int ChartLayout::contentWidth() const { return static_cast<int>(std::lround(monthCount * slotWidth)); }

int ChartLayout::maxScroll() const { return std::max(0, contentWidth() - plot.width()); }

ChartLayout layoutChart(const std::vector<ChartMonth>& months, QSize area, const TextMetrics& metrics,
                        int bottomReserve) {
  ChartLayout layout;
  const int textHeight = metrics.height;
  const int monthLabelWidth = widestMonthLabel(months, metrics);
  layout.legend = QRect(kChartPadding, kChartPadding, std::max(1, area.width() - 2 * kChartPadding), textHeight);

  // The top amount label reaches half a line above the plot, the bottom one
  // half a line below it, where the month labels must not start yet.
  const int plotTop = layout.legend.bottom() + 1 + kChartPadding + textHeight / 2;
  const int belowPlot = std::max(kTickLength + 2, textHeight / 2 + 2);
  const int plotBottom = area.height() - bottomReserve - kChartPadding - textHeight - belowPlot;
  const int plotHeight = std::max(1, plotBottom - plotTop);
  layout.axis = axisOf(months, plotHeight / std::max(1, 2 * textHeight));

  int axisLabelWidth = 0;
  for (std::int64_t tick : layout.axis.ticks()) axisLabelWidth = std::max(axisLabelWidth, metrics.width(amountLabel(tick)));
  // The first and last month labels are centred on their columns and must
  // stay inside the chart.
  const int left = std::max(kChartPadding + axisLabelWidth + kTickLength + 2, kChartPadding + monthLabelWidth / 2);
  const int right = kChartPadding + monthLabelWidth / 2;
  layout.plot = QRect(left, plotTop, std::max(1, area.width() - left - right), plotHeight);
  layout.axisLabelRight = left - kTickLength - 2;

  layout.monthCount = static_cast<int>(months.size());
  const double fitting = months.empty() ? layout.plot.width() : double(layout.plot.width()) / layout.monthCount;
  layout.slotWidth = std::max<double>(fitting, kMinimumSlotWidth);
  layout.barWidth = std::clamp(static_cast<int>(layout.slotWidth * 0.35), 1, kMaximumBarWidth);
  layout.labelStride = labelStride(layout.slotWidth, monthLabelWidth);

  layout.monthLabelTop = layout.plot.bottom() + 1 + belowPlot;
  // While the chart scrolls, labels stop at the plot's edges with their bars.
  layout.monthLabelClip = layout.scrolls()
                              ? QRect(layout.plot.left(), layout.monthLabelTop, layout.plot.width(), textHeight)
                              : QRect(layout.plot.left() - monthLabelWidth / 2, layout.monthLabelTop,
                                      layout.plot.width() + monthLabelWidth, textHeight);
  return layout;
}

bool chartNeedsScrolling(const std::vector<ChartMonth>& months, QSize area, const TextMetrics& metrics) {
  return layoutChart(months, area, metrics).scrolls();
}

int fullChartWidth(const std::vector<ChartMonth>& months, QSize area, const TextMetrics& metrics) {
  // The margins depend on the height only, so widening by the hidden part
  // gives every month exactly the least slot width.
  return area.width() + layoutChart(months, area, metrics).maxScroll();
}

int labelStride(double slotWidth, int labelWidth) {
  if (slotWidth <= 0) return 1;
  const double needed = labelWidth + kLabelGap;
  for (int stride : {1, 2, 3, 4, 6, 12})
    if (stride * slotWidth >= needed) return stride;
  return 12 * static_cast<int>(std::ceil(needed / (12 * slotWidth)));
}

int monthCentre(const ChartLayout& layout, int index, int scroll) {
  return layout.plot.left() - scroll + static_cast<int>(std::floor((index + 0.5) * layout.slotWidth));
}

MonthShapes monthShapes(const ChartLayout& layout, const ChartMonth& month, int index, int scroll) {
  MonthShapes shapes;
  const int start = layout.plot.left() - scroll + slotStart(layout, index);
  const int end = layout.plot.left() - scroll + slotStart(layout, index + 1);
  shapes.slot = QRect(start, layout.plot.top(), end - start, layout.plot.height());
  const int centre = monthCentre(layout, index, scroll);
  shapes.income = barRect(layout, centre - layout.barWidth, month.income);
  shapes.expense = barRect(layout, centre, month.expense);
  shapes.balance = QPoint(centre, layout.axis.yOf(month.balance(), layout.plot.top(), layout.plot.height()));
  return shapes;
}

std::optional<int> monthAt(const ChartLayout& layout, QPoint point, int scroll) {
  if (layout.monthCount == 0 || !layout.plot.contains(point)) return std::nullopt;
  const int x = point.x() - layout.plot.left() + scroll;
  int index = std::clamp(static_cast<int>(x / layout.slotWidth), 0, layout.monthCount - 1);
  // Columns start at whole pixels; settle on the column that holds x.
  while (index + 1 < layout.monthCount && slotStart(layout, index + 1) <= x) ++index;
  while (index > 0 && slotStart(layout, index) > x) --index;
  if (x < 0 || x >= slotStart(layout, layout.monthCount)) return std::nullopt;
  return index;
}

std::pair<int, int> visibleMonths(const ChartLayout& layout, int scroll) {
  if (layout.monthCount == 0) return {0, 0};
  const int first = std::clamp(static_cast<int>(scroll / layout.slotWidth) - 1, 0, layout.monthCount);
  const int last = std::clamp(static_cast<int>((scroll + layout.plot.width()) / layout.slotWidth) + 2, 0,
                              layout.monthCount);
  return {first, last};
}

std::vector<LegendItem> legendItems(const ChartLayout& layout, const TextMetrics& metrics) {
  const QRect& row = layout.legend;
  const int side = std::max(6, metrics.height - 6);
  const int middle = row.top() + row.height() / 2;
  std::vector<LegendItem> items;
  int x = layout.plot.left();
  for (auto [series, text] : {std::pair{ChartSeries::Income, QStringLiteral("収入")},
                              std::pair{ChartSeries::Expense, QStringLiteral("支出")},
                              std::pair{ChartSeries::Balance, QStringLiteral("収支")}}) {
    const int swatchWidth = series == ChartSeries::Balance ? 2 * side : side;
    const QRect swatch(x, middle - side / 2, swatchWidth, side);
    const QRect label(swatch.right() + 1 + kLegendGap, row.top(), metrics.width(text), row.height());
    items.push_back({series, text, swatch, label});
    x = label.right() + 1 + 4 * kLegendGap;
  }
  return items;
}

QString amountLabel(std::int64_t value) { return toQString(amountText(value)); }

QString monthFigures(const ChartMonth& month) {
  return month.label + QStringLiteral("\n収入　") + amountLabel(month.income) + QStringLiteral("\n支出　") +
         amountLabel(month.expense) + QStringLiteral("\n収支　") + amountLabel(month.balance());
}

}  // namespace sorabel
