// The monthly chart's arithmetic: the amount axis, the columns and bars of
// the months, the month labels' spacing and the hit-testing of the tooltip.

#include <QPalette>
#include <algorithm>
#include <gtest/gtest.h>

#include <limits>

#include "platform/Locale.h"
#include "widgets/MonthChartColours.h"
#include "widgets/MonthChartGeometry.h"

namespace sorabel {
namespace {

// Every character 7 pixels wide, lines 14 high: sizes the tests can predict.
const TextMetrics kMetrics{[](const QString& text) { return 7 * static_cast<int>(text.size()); }, 14};

std::vector<ChartMonth> generatedMonths(int count) {
  std::vector<ChartMonth> months;
  for (int i = 0; i < count; ++i) {
    const int year = 1990 + i / 12;
    const int month = i % 12 + 1;
    months.push_back({QStringLiteral("%1/%2").arg(year).arg(month, 2, 10, QLatin1Char('0')),
                      100'000 + 7'919 * (i % 13), 60'000 + 11'003 * (i % 17)});
  }
  return months;
}

// The round step before step: 10 -> 5, 5 -> 2, 2 -> 1.
std::int64_t previousRoundStep(std::int64_t step) {
  std::int64_t power = 1;
  while (power * 10 <= step) power *= 10;
  const std::int64_t lead = step / power;
  return lead == 1 ? power / 2 : lead == 2 ? power : 2 * power;
}
std::int64_t floorTo(std::int64_t value, std::int64_t step) { return value >= 0 ? value / step * step : -((-value + step - 1) / step * step); }
std::int64_t ceilTo(std::int64_t value, std::int64_t step) { return -floorTo(-value, step); }

class MonthChartGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }
};

TEST_F(MonthChartGeometryTest, StepsAreOneTwoOrFiveTimesAPowerOfTen) {
  const std::vector<std::pair<std::int64_t, std::int64_t>> cases = {
      {0, 1},     {1, 1},       {2, 2},       {3, 5},         {6, 10},         {10, 10},
      {11, 20},   {150, 200},   {999, 1000},  {1000, 1000},   {2001, 5000},    {5'000'001, 10'000'000},
      {250'000, 500'000}, {99'999'999'999, 100'000'000'000}};
  for (auto [raw, step] : cases) EXPECT_EQ(roundStep(raw), step) << raw;
}

TEST_F(MonthChartGeometryTest, AxisHoldsZeroAndEveryFigureInRoundSteps) {
  AmountAxis axis = amountAxis(0, 1'234'567, 5);
  EXPECT_EQ(axis.low, 0);
  EXPECT_EQ(axis.high, 1'500'000);
  EXPECT_EQ(axis.step, 500'000);
  EXPECT_EQ(axis.ticks(), (std::vector<std::int64_t>{0, 500'000, 1'000'000, 1'500'000}));
  // Figures all well above zero still start from zero: bars grow from it.
  axis = amountAxis(600'000, 900'000, 5);
  EXPECT_EQ(axis.low, 0);
  EXPECT_EQ(axis.high, 1'000'000);

  // Figures beyond any book stop the axis at ±10^18 instead of overflowing.
  axis = amountAxis(std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(), 5);
  EXPECT_EQ(axis.low, -1'000'000'000'000'000'000);
  EXPECT_EQ(axis.high, 1'000'000'000'000'000'000);

  // The invariants over ranges of every size and sign.
  for (std::int64_t lowest : {0LL, -1LL, -999LL, -250'000LL, -3'000'001LL})
    for (std::int64_t highest : {0LL, 1LL, 9LL, 1'000LL, 1'234'567LL, 140'000'000'000'000LL})
      for (int intervals : {1, 2, 3, 7, 12}) {
        axis = amountAxis(lowest, highest, intervals);
        SCOPED_TRACE(testing::Message() << lowest << ".." << highest << " in " << intervals);
        EXPECT_LE(axis.low, std::min<std::int64_t>(0, lowest));
        EXPECT_GE(axis.high, highest);
        EXPECT_LT(axis.low, axis.high);
        EXPECT_EQ(axis.low % axis.step, 0);
        EXPECT_EQ(axis.high % axis.step, 0);
        EXPECT_LE((axis.high - axis.low) / axis.step, lowest < 0 && highest > 0 ? std::max(2, intervals) : intervals);
        EXPECT_EQ(roundStep(axis.step), axis.step);
        const std::vector<std::int64_t> ticks = axis.ticks();
        EXPECT_NE(std::find(ticks.begin(), ticks.end(), 0), ticks.end());
        // The round step below would have needed more intervals.
        if (axis.step > 1) {
          const std::int64_t smaller = previousRoundStep(axis.step);
          const std::int64_t high = std::max<std::int64_t>(highest, lowest < 0 ? 0 : 1);
          EXPECT_GT(ceilTo(high, smaller) - floorTo(std::min<std::int64_t>(0, lowest), smaller), intervals * smaller)
              << "step " << axis.step;
        }
      }
}

TEST_F(MonthChartGeometryTest, NegativeBalanceRunsTheAxisThroughZero) {
  // Income 100,000 against expense 350,000: the balance is -250,000.
  const std::vector<ChartMonth> months = {{"2001/01", 1'000'000, 400'000}, {"2001/02", 100'000, 350'000}};
  const ChartLayout layout = layoutChart(months, {600, 300}, kMetrics);
  EXPECT_LT(layout.axis.low, -200'000);
  EXPECT_LE(layout.axis.low, -250'000);
  const int zero = layout.axis.yOf(0, layout.plot.top(), layout.plot.height());
  EXPECT_GT(zero, layout.plot.top());
  EXPECT_LT(zero, layout.plot.bottom());

  const MonthShapes loss = monthShapes(layout, months[1], 1, 0);
  EXPECT_GT(loss.balance.y(), zero);                  // below the zero line
  EXPECT_EQ(loss.income.bottom() + 1, zero);          // bars stand on the zero line
  EXPECT_EQ(loss.expense.bottom() + 1, zero);
  EXPECT_LT(loss.income.height(), loss.expense.height());
  const MonthShapes gain = monthShapes(layout, months[0], 0, 0);
  EXPECT_LT(gain.balance.y(), zero);
  // Heights in proportion to the amounts (to a pixel).
  EXPECT_NEAR(gain.income.height() * 400'000.0 / 1'000'000.0, gain.expense.height(), 1.0);
}

TEST_F(MonthChartGeometryTest, AmountLabelsHaveThousandsSeparators) {
  EXPECT_EQ(amountLabel(0), "0");
  EXPECT_EQ(amountLabel(1'234'567), "1,234,567");
  EXPECT_EQ(amountLabel(-250'000), "-250,000");
  EXPECT_EQ(monthFigures({"2001/01", 1'000'000, 1'234'567}),
            "2001/01\n収入　1,000,000\n支出　1,234,567\n収支　-234,567");
  setThousandsSeparator('.');  // the user's locale decides, as in the table
  EXPECT_EQ(amountLabel(12'345'678), "12.345.678");
}

TEST_F(MonthChartGeometryTest, OneMonthIsAPairOfBarsInTheMiddle) {
  const std::vector<ChartMonth> months = {{"2001/01", 500'000, 200'000}};
  const ChartLayout layout = layoutChart(months, {600, 300}, kMetrics);
  EXPECT_FALSE(layout.scrolls());
  EXPECT_EQ(layout.barWidth, kMaximumBarWidth);
  const MonthShapes shapes = monthShapes(layout, months[0], 0, 0);
  EXPECT_EQ(shapes.slot.left(), layout.plot.left());
  EXPECT_EQ(shapes.slot.right(), layout.plot.right());
  EXPECT_EQ(shapes.income.right() + 1, shapes.expense.left());
  EXPECT_NEAR(shapes.expense.left(), layout.plot.center().x(), 1);
  EXPECT_EQ(shapes.income.top(), layout.axis.yOf(500'000, layout.plot.top(), layout.plot.height()));
  EXPECT_EQ(monthAt(layout, shapes.income.center(), 0), 0);
  EXPECT_EQ(monthAt(layout, layout.plot.topLeft(), 0), 0);
  EXPECT_EQ(monthAt(layout, layout.plot.topLeft() - QPoint(1, 0), 0), std::nullopt);
  EXPECT_EQ(monthAt(layout, layout.legend.center(), 0), std::nullopt);
}

TEST_F(MonthChartGeometryTest, LegendNamesTheThreeSeriesInOrderEachAfterItsSwatch) {
  const ChartLayout layout = layoutChart(generatedMonths(3), {600, 300}, kMetrics);
  const std::vector<LegendItem> items = legendItems(layout, kMetrics);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].text, "収入");
  EXPECT_EQ(items[1].text, "支出");
  EXPECT_EQ(items[2].text, "収支");
  EXPECT_EQ(items[0].series, ChartSeries::Income);
  EXPECT_EQ(items[1].series, ChartSeries::Expense);
  EXPECT_EQ(items[2].series, ChartSeries::Balance);
  EXPECT_EQ(items[0].swatch.left(), layout.plot.left());  // the "(円)" of the axis stays to its left
  for (std::size_t i = 0; i < items.size(); ++i) {
    const LegendItem& item = items[i];
    EXPECT_EQ(item.label.width(), kMetrics.width(item.text));
    EXPECT_EQ(item.label.left(), item.swatch.right() + 1 + kLegendGap);
    EXPECT_TRUE(layout.legend.contains(item.swatch) && layout.legend.contains(item.label)) << i;
    EXPECT_LT(item.label.bottom(), layout.plot.top() - kMetrics.height / 2);  // clear of the top amount label
    if (i > 0) {
      EXPECT_GT(item.swatch.left(), items[i - 1].label.right() + kLegendGap) << i;
    }
  }
  EXPECT_GT(items[2].swatch.width(), items[2].swatch.height());  // a line, not a square
}

TEST_F(MonthChartGeometryTest, TinyAmountsStillShowAndZeroShowsNothing) {
  const std::vector<ChartMonth> months = {{"2001/01", 90'000'000, 1}, {"2001/02", 0, 0}};
  const ChartLayout layout = layoutChart(months, {600, 300}, kMetrics);
  EXPECT_EQ(monthShapes(layout, months[0], 0, 0).expense.height(), 1);
  EXPECT_EQ(monthShapes(layout, months[1], 1, 0).income.height(), 0);
  // Only zeros: an axis all the same.
  const std::vector<ChartMonth> zeros = {{"2001/01", 0, 0}};
  const ChartLayout flat = layoutChart(zeros, {600, 300}, kMetrics);
  EXPECT_EQ(flat.axis.low, 0);
  EXPECT_GT(flat.axis.high, 0);
  EXPECT_EQ(monthShapes(flat, zeros[0], 0, 0).balance.y(), flat.plot.bottom() + 1);
}

TEST_F(MonthChartGeometryTest, MonthColumnsTileThePlotAndTheMouseFindsEach) {
  const std::vector<ChartMonth> months = generatedMonths(7);
  const ChartLayout layout = layoutChart(months, {517, 300}, kMetrics);
  ASSERT_FALSE(layout.scrolls());
  EXPECT_EQ(monthShapes(layout, months[0], 0, 0).slot.left(), layout.plot.left());
  EXPECT_EQ(monthShapes(layout, months[6], 6, 0).slot.right(), layout.plot.right());
  for (int i = 0; i + 1 < 7; ++i)
    EXPECT_EQ(monthShapes(layout, months[i], i, 0).slot.right() + 1, monthShapes(layout, months[i + 1], i + 1, 0).slot.left());
  for (int x = layout.plot.left(); x <= layout.plot.right(); ++x) {
    const std::optional<int> month = monthAt(layout, {x, layout.plot.center().y()}, 0);
    ASSERT_TRUE(month.has_value()) << x;
    EXPECT_TRUE(monthShapes(layout, months[*month], *month, 0).slot.contains(x, layout.plot.center().y())) << x;
  }
}

TEST_F(MonthChartGeometryTest, SixHundredMonthsScrollWithBarsOfAPixelAndLabelsApart) {
  const std::vector<ChartMonth> months = generatedMonths(600);
  const ChartLayout layout = layoutChart(months, {800, 300}, kMetrics, 16);
  ASSERT_TRUE(layout.scrolls());
  EXPECT_EQ(layout.slotWidth, kMinimumSlotWidth);
  EXPECT_EQ(layout.contentWidth(), 600 * kMinimumSlotWidth);
  EXPECT_EQ(layout.maxScroll(), 600 * kMinimumSlotWidth - layout.plot.width());
  EXPECT_TRUE(chartNeedsScrolling(months, {800, 300}, kMetrics));

  // Bars at least a pixel wide, never touching the next month's.
  for (int scroll : {0, 1, 333, layout.maxScroll()}) {
    for (int i = 0; i < 600; ++i) {
      const MonthShapes shapes = monthShapes(layout, months[i], i, scroll);
      EXPECT_GE(shapes.income.width(), 1);
      EXPECT_EQ(shapes.income.right() + 1, shapes.expense.left());
      EXPECT_TRUE(shapes.slot.contains(shapes.income.topLeft()));
      EXPECT_GT(shapes.slot.right(), shapes.expense.right());
      const QPoint middle(monthCentre(layout, i, scroll), layout.plot.center().y());
      if (layout.plot.contains(middle)) {
        EXPECT_EQ(monthAt(layout, middle, scroll), i) << scroll;
      }
    }
    const auto [first, last] = visibleMonths(layout, scroll);
    EXPECT_LE(monthShapes(layout, months[first], first, scroll).slot.left(), layout.plot.left());
    EXPECT_TRUE(last == 600 || monthShapes(layout, months[last - 1], last - 1, scroll).slot.right() >= layout.plot.right());
  }

  // Labels: the widest fits between two labelled months, and no smaller
  // stride of the series would.
  const int labelWidth = kMetrics.width(QStringLiteral("2001/01"));
  EXPECT_GE(layout.labelStride * layout.slotWidth, labelWidth + kLabelGap);
  EXPECT_EQ(layout.labelStride, 24);  // 12 months of 4 pixels are 48 < 49 + 8
  for (int i = 0; i + layout.labelStride < 600; i += layout.labelStride)
    EXPECT_GE(monthCentre(layout, i + layout.labelStride, 0) - monthCentre(layout, i, 0), labelWidth + kLabelGap);

  // The saved picture is wide enough for every month at the least width.
  const int full = fullChartWidth(months, {800, 300}, kMetrics);
  const ChartLayout wide = layoutChart(months, {full, 300}, kMetrics);
  EXPECT_FALSE(wide.scrolls());
  EXPECT_EQ(wide.slotWidth, kMinimumSlotWidth);
}

TEST_F(MonthChartGeometryTest, LabelStrideIsTheSmallestThatKeepsLabelsApart) {
  EXPECT_EQ(labelStride(100, 49), 1);
  EXPECT_EQ(labelStride(57, 49), 1);
  EXPECT_EQ(labelStride(56.9, 49), 2);
  EXPECT_EQ(labelStride(19, 49), 3);
  EXPECT_EQ(labelStride(15, 49), 4);
  EXPECT_EQ(labelStride(10, 49), 6);
  EXPECT_EQ(labelStride(5, 49), 12);
  EXPECT_EQ(labelStride(4, 100), 36);
}

TEST_F(MonthChartGeometryTest, LabelsAndAxisStayInsideTheChart) {
  for (int count : {1, 2, 12, 36, 120}) {
    const std::vector<ChartMonth> months = generatedMonths(count);
    const ChartLayout layout = layoutChart(months, {600, 167}, kMetrics);
    SCOPED_TRACE(count);
    const int half = kMetrics.width(months[0].label) / 2;
    EXPECT_GE(monthCentre(layout, 0, 0) - half, 0);
    EXPECT_LE(monthCentre(layout, count - 1, 0) + half, 600);
    EXPECT_LE(layout.monthLabelTop + kMetrics.height, 167);
    // The lowest amount label ends above the month labels.
    EXPECT_GE(layout.monthLabelTop, layout.plot.bottom() + kMetrics.height / 2);
    EXPECT_GE(layout.plot.top() - kMetrics.height / 2, layout.legend.bottom());
    for (std::int64_t tick : layout.axis.ticks())
      EXPECT_LE(kMetrics.width(amountLabel(tick)), layout.axisLabelRight - kChartPadding);
  }
}

TEST_F(MonthChartGeometryTest, ColoursKeepTheirContrastInLightAndDarkPalettes) {
  EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
  EXPECT_NEAR(contrastRatio(QColor(0x77, 0x77, 0x77), QColor(0x77, 0x77, 0x77)), 1.0, 1e-9);

  QPalette light(QColor(0xef, 0xef, 0xef));
  light.setColor(QPalette::Base, Qt::white);
  light.setColor(QPalette::Text, Qt::black);
  QPalette dark;
  dark.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
  dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
  QPalette faint;  // a theme whose text hardly differs from its base
  faint.setColor(QPalette::Base, QColor(0x50, 0x50, 0x50));
  faint.setColor(QPalette::Text, QColor(0x70, 0x70, 0x70));
  for (const QPalette& palette : {light, dark, faint}) {
    const ChartColours colours = chartColours(palette);
    SCOPED_TRACE(colours.background.name().toStdString());
    EXPECT_EQ(colours.background, palette.color(QPalette::Base));
    EXPECT_GE(contrastRatio(colours.text, colours.background), kTextContrast);
    EXPECT_GE(contrastRatio(colours.income, colours.background), kGraphicContrast);
    EXPECT_GE(contrastRatio(colours.expense, colours.background), kGraphicContrast);
    EXPECT_GE(contrastRatio(colours.balance, colours.background), kGraphicContrast);
    EXPECT_NE(colours.income.hue(), colours.expense.hue());
  }
  EXPECT_EQ(chartColours(dark).text, QColor(0xe8, 0xe8, 0xe8));  // the palette's own when it reads well
  EXPECT_EQ(chartColours(faint).text, QColor(Qt::white));
}

}  // namespace
}  // namespace sorabel
