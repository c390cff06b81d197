#pragma once
// What a screen reader learns of the monthly chart: the role of a chart,
// its name and, as its description, every month's three figures, one month
// a line, in the order the chart shows them.

#include <QAccessibleWidget>

namespace sorabel {

class MonthChart;

class MonthChartAccessible : public QAccessibleWidget {
 public:
  explicit MonthChartAccessible(MonthChart* chart);
  QString text(QAccessible::Text kind) const override;
};

// Makes Qt ask MonthChartAccessible for every MonthChart; once a run.
void installMonthChartAccessibility();

}  // namespace sorabel
