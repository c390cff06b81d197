#include "widgets/MonthChartAccessible.h"

#include <QStringList>

#include "widgets/MonthChart.h"

namespace sorabel {
namespace {

QAccessibleInterface* chartInterface(const QString&, QObject* object) {
  if (auto* chart = qobject_cast<MonthChart*>(object)) return new MonthChartAccessible(chart);
  return nullptr;
}

}  // namespace

MonthChartAccessible::MonthChartAccessible(MonthChart* chart)
    : QAccessibleWidget(chart, QAccessible::Chart) {}

QString MonthChartAccessible::text(QAccessible::Text kind) const {
  if (kind != QAccessible::Description) return QAccessibleWidget::text(kind);
  QStringList lines;
  for (const ChartMonth& month : static_cast<const MonthChart*>(widget())->months())
    lines << monthFigures(month).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return lines.join(QLatin1Char('\n'));
}

void installMonthChartAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(chartInterface);
    return true;
  }();
  (void)installed;
}

}  // namespace sorabel
