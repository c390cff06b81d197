#pragma once
// The monthly chart's arithmetic, apart from its painting so that tests can
// drive it: the amount axis (round steps, zero always on it), the chart's
// areas, where each month's bars and balance point go, which month labels
// are drawn so that none overlap, and which month lies under a point.
//
// Every month keeps its own slot. When the months do not fit the plot at
// kMinimumSlotWidth each, the slots keep that width and the chart scrolls
// sideways instead of merging or dropping months.

#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace sorabel {

// One month as the monthly summary gives it.
struct ChartMonth {
  QString label;  // "yyyy/mm"
  std::int64_t income = 0;
  std::int64_t expense = 0;
  std::int64_t balance() const { return income - expense; }
};

// The amount axis from low to high in steps of step; low <= 0 <= high, and
// both are whole steps.
struct AmountAxis {
  std::int64_t low = 0;
  std::int64_t high = 1;
  std::int64_t step = 1;

  std::vector<std::int64_t> ticks() const;
  // The y of value on a plot whose top is top and height is height.
  int yOf(std::int64_t value, int top, int height) const;
};

// The smallest of 1, 2 and 5 times a power of ten that is at least raw.
std::int64_t roundStep(std::int64_t raw);

// An axis that holds lowest, highest and zero in at most maxIntervals steps
// (at least one step).
AmountAxis amountAxis(std::int64_t lowest, std::int64_t highest, int maxIntervals);

// Text sizes: the widget's font metrics, or fixed sizes in tests.
struct TextMetrics {
  std::function<int(const QString&)> width;
  int height = 0;
};

constexpr int kMinimumSlotWidth = 4;  // two bars of one pixel with a pixel on each side
constexpr int kMaximumBarWidth = 40;
constexpr int kChartPadding = 8;
constexpr int kTickLength = 4;
constexpr int kLabelGap = 8;  // the least room between two month labels
constexpr int kLegendGap = 4;  // between a legend swatch and its name

struct ChartLayout {
  QRect legend;  // the legend's row
  QRect plot;    // the bars' area; the amount axis runs along its left edge
  AmountAxis axis;
  int axisLabelRight = 0;  // amount labels end here
  int monthLabelTop = 0;
  QRect monthLabelClip;  // month labels are drawn inside this band
  int monthCount = 0;
  double slotWidth = 0;  // one month's width
  int barWidth = 0;
  int labelStride = 1;  // every labelStride-th month has its label

  // All months side by side; wider than the plot when the chart scrolls.
  int contentWidth() const;
  bool scrolls() const { return contentWidth() > plot.width(); }
  int maxScroll() const;
};

// The chart in area. bottomReserve is kept free at the bottom (for a
// scroll bar). The axis covers every income, expense and balance of months.
ChartLayout layoutChart(const std::vector<ChartMonth>& months, QSize area, const TextMetrics& metrics,
                        int bottomReserve = 0);

// Whether months need scrolling in area (they do not fit at the least slot width).
bool chartNeedsScrolling(const std::vector<ChartMonth>& months, QSize area, const TextMetrics& metrics);

// The width at which every month fits without scrolling, at least area's.
int fullChartWidth(const std::vector<ChartMonth>& months, QSize area, const TextMetrics& metrics);

// The smallest of 1, 2, 3, 4, 6, 12 and multiples of 12 months whose
// distance leaves labelWidth and kLabelGap between two labels.
int labelStride(double slotWidth, int labelWidth);

// scroll: how far the months are scrolled to the left, 0 to maxScroll().
struct MonthShapes {
  QRect slot;     // the whole column of the month in the plot
  QRect income;   // left bar
  QRect expense;  // right bar
  QPoint balance;
};
MonthShapes monthShapes(const ChartLayout& layout, const ChartMonth& month, int index, int scroll);

// The month whose column holds point (in the plot), if any.
std::optional<int> monthAt(const ChartLayout& layout, QPoint point, int scroll);

// The first and one past the last month that show in the plot.
std::pair<int, int> visibleMonths(const ChartLayout& layout, int scroll);

// The x of the centre of a month's column.
int monthCentre(const ChartLayout& layout, int index, int scroll);

// The legend, left to right in the legend's row: a square swatch for each
// bar series and a short line for the balance, each followed by its name.
enum class ChartSeries { Income, Expense, Balance };
struct LegendItem {
  ChartSeries series;
  QString text;  // 収入, 支出, 収支
  QRect swatch;
  QRect label;
};
std::vector<LegendItem> legendItems(const ChartLayout& layout, const TextMetrics& metrics);

// An amount as the table writes it ("#,##0").
QString amountLabel(std::int64_t value);

// "2001/01", then 収入, 支出 and 収支 with their amounts, one a line.
QString monthFigures(const ChartMonth& month);

}  // namespace sorabel
