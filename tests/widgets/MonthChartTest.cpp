// The monthly chart as a widget: the tooltip under the mouse, scrolling
// many months, what a screen reader reads, saving the picture through the
// context menu, and the colours it paints with in a dark palette.

#include <QAccessible>
#include <QApplication>
#include <QImageReader>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <gtest/gtest.h>

#include "platform/FileIo.h"
#include "platform/Locale.h"
#include "qtplatform/AnsiText.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "widgets/MonthChart.h"
#include "widgets/MonthChartColours.h"

namespace sorabel::test {
namespace {

const std::vector<ChartMonth> kMonths = {
    {"2001/01", 1'000'000, 234'567}, {"2001/02", 234'567, 0}, {"2001/03", 50'000, 420'000}};

std::vector<ChartMonth> manyMonths(int count) {
  std::vector<ChartMonth> months;
  for (int i = 0; i < count; ++i)
    months.push_back({QStringLiteral("%1/%2").arg(1950 + i / 12).arg(i % 12 + 1, 2, 10, QLatin1Char('0')),
                      1000 + 37 * i, 900 + 41 * (i % 50)});
  return months;
}

bool waitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 100 && !condition(); ++i) QTest::qWait(20);
  return condition();
}

class MonthChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setThousandsSeparator(',');
    chart.resize(600, 300);
    chart.setMonths(kMonths);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
  }
  void TearDown() override {
    QToolTip::hideText();
    setThousandsSeparator(0);
  }

  QPoint incomeBar(int month) const {
    return monthShapes(chart.chartLayout(), chart.months()[month], month, chart.scrollOffset()).income.center();
  }

  // Right-clicks the chart and picks the context menu's only command with
  // the keyboard while the menu runs.
  void saveThroughContextMenu() {
    bool menuShown = false;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      menuShown = true;
      EXPECT_EQ(menu->actions().size(), 1);
      EXPECT_EQ(menu->actions().value(0)->text(), "画像として保存...");
      QTest::keyClick(menu, Qt::Key_Down);
      QTest::keyClick(menu, Qt::Key_Return);
    });
    // Through the window, as the window system delivers it: the widget
    // window turns the right button into the context menu request.
    QTest::mouseClick(chart.windowHandle(), Qt::RightButton, {}, incomeBar(0));
    ASSERT_TRUE(menuShown);
  }

  TempDir dir;
  ScriptedDialogs dialogs;
  MonthChart chart;
};

TEST_F(MonthChartTest, HoveringABarShowsThatMonthsThreeFigures) {
  QTest::mouseMove(&chart, incomeBar(1));
  EXPECT_EQ(chart.hoveredMonth(), 1);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), "2001/02\n収入　234,567\n支出　0\n収支　234,567");

  const QPoint expense = monthShapes(chart.chartLayout(), kMonths[2], 2, 0).expense.center();
  QTest::mouseMove(&chart, expense);
  EXPECT_EQ(chart.hoveredMonth(), 2);
  EXPECT_EQ(QToolTip::text(), "2001/03\n収入　50,000\n支出　420,000\n収支　-370,000");

  QTest::mouseMove(&chart, chart.chartLayout().legend.center());  // off the months
  EXPECT_EQ(chart.hoveredMonth(), std::nullopt);
  EXPECT_TRUE(waitFor([] { return !QToolTip::isVisible(); }));
}

TEST_F(MonthChartTest, ManyMonthsScrollAndTheMouseFindsTheScrolledMonth) {
  const std::vector<ChartMonth> months = manyMonths(600);
  chart.resize(800, 300);
  chart.setMonths(months);
  auto* bar = chart.findChild<QScrollBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_LE(bar->geometry().bottom(), chart.height() - 1);
  EXPECT_GT(bar->geometry().top(), chart.chartLayout().monthLabelTop);  // below the month labels

  chart.setFocus();
  QTest::keyClick(&chart, Qt::Key_End);
  EXPECT_EQ(chart.scrollOffset(), chart.chartLayout().maxScroll());
  QTest::mouseMove(&chart, incomeBar(599));
  EXPECT_EQ(chart.hoveredMonth(), 599);
  EXPECT_EQ(QToolTip::text(), monthFigures(months[599]));
  QTest::keyClick(&chart, Qt::Key_Home);
  EXPECT_EQ(chart.scrollOffset(), 0);
  // The month under the resting mouse scrolled away: its figures go with it.
  EXPECT_EQ(chart.hoveredMonth(), std::nullopt);
  EXPECT_TRUE(waitFor([] { return !QToolTip::isVisible(); }));
  QTest::keyClick(&chart, Qt::Key_Right);
  EXPECT_EQ(chart.scrollOffset(), kMinimumSlotWidth);

  // The picture holds every month, beyond the chart's width.
  const QImage picture = chart.image();
  EXPECT_GT(picture.width(), chart.width());
  EXPECT_EQ(picture.height(), chart.height());

  // Few months again: no scroll bar, back at the start.
  chart.setMonths(kMonths);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(chart.scrollOffset(), 0);
}

TEST_F(MonthChartTest, ScreenReadersGetAChartWithEveryMonthsFigures) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Chart);
  EXPECT_EQ(accessible->text(QAccessible::Name), "月別収支グラフ");
  EXPECT_EQ(accessible->text(QAccessible::Description),
            "2001/01 収入　1,000,000 支出　234,567 収支　765,433\n"
            "2001/02 収入　234,567 支出　0 収支　234,567\n"
            "2001/03 収入　50,000 支出　420,000 収支　-370,000");
  EXPECT_EQ(accessible->rect(), QRect(chart.mapToGlobal(QPoint(0, 0)), chart.size()));
  EXPECT_TRUE(accessible->state().focusable);
}

TEST_F(MonthChartTest, ContextMenuSavesAPngOfTheChartsSize) {
  const QString file = fromPath(dir / "chart.png");
  dialogs.saveNames.push_back(file);
  chart.setImageFolder(fromPath(dir.path()));
  saveThroughContextMenu();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.lastOptions.folder, fromPath(dir.path()));
  EXPECT_EQ(dialogs.lastOptions.defaultExtension, "png");
  QImageReader reader(file);
  EXPECT_EQ(reader.format(), "png");
  const QImage saved = reader.read();
  EXPECT_EQ(saved.size(), chart.size());
  // What was saved is what the chart shows (the mouse left no mark on it).
  chart.clearFocus();
  QToolTip::hideText();
  QTest::mouseMove(&chart, chart.chartLayout().legend.center());
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), chart.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(MonthChartTest, SavingAsksBeforeReplacingAFileAndReportsFailures) {
  const auto path = dir / "old.png";
  writeBytes(path, "old");
  dialogs.saveNames.push_back(fromPath(path));
  dialogs.answers.push_back(Answer::No);
  saveThroughContextMenu();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, fromPath(path) + " は既に存在します。\r上書きしますか？");
  EXPECT_EQ(readBytes(path), "old");

  dialogs.saveNames.push_back(fromPath(path));
  dialogs.answers.push_back(Answer::Yes);
  chart.saveImage();
  EXPECT_EQ(QImage(fromPath(path)).size(), chart.size());

  dialogs.shown.clear();
  dialogs.saveNames.push_back(fromPath(dir / "missing" / "chart.png"));
  chart.saveImage();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Error);
  EXPECT_TRUE(dialogs.shown[0].text.startsWith(fromPath(dir / "missing" / "chart.png") + " に保存できません。"));

  dialogs.shown.clear();
  dialogs.saveNames.push_back(QString());  // cancelled
  chart.saveImage();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(fileExists(dir / "missing"));
}

TEST_F(MonthChartTest, DarkPaletteTextAndBarsStandOutFromTheBackground) {
  QPalette dark;
  dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
  dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
  chart.setPalette(dark);
  const QImage picture = chart.image().convertToFormat(QImage::Format_RGB32);
  const QColor background(0x1e, 0x1e, 0x1e);
  EXPECT_EQ(QColor(picture.pixel(1, 1)), background);

  // The strongest pixel of the legend's text and of the amount labels.
  auto strongest = [&](const QRect& area) {
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        best = std::max(best, contrastRatio(QColor(picture.pixel(x, y)), background));
    return best;
  };
  const ChartLayout& layout = chart.chartLayout();
  EXPECT_GE(strongest(QRect(0, layout.legend.top(), layout.axisLabelRight, layout.legend.height())), 12.0);
  EXPECT_GE(strongest(QRect(0, layout.plot.top() - 8, layout.axisLabelRight, layout.plot.height() + 16)), 12.0);
  EXPECT_GE(strongest(QRect(layout.plot.left(), layout.monthLabelTop, layout.plot.width(), 10)), 12.0);

  const ChartColours colours = chartColours(dark);
  const MonthShapes shapes = monthShapes(layout, kMonths[0], 0, 0);
  const QColor income(picture.pixel(shapes.income.center() + QPoint(0, shapes.income.height() / 4)));
  const QColor expense(picture.pixel(shapes.expense.center()));
  EXPECT_EQ(income.rgb(), colours.income.rgb());
  EXPECT_EQ(expense.rgb(), colours.expense.rgb());
  EXPECT_GE(contrastRatio(income, background), kGraphicContrast);
  EXPECT_GE(contrastRatio(expense, background), kGraphicContrast);

  // The legend's swatches in the colours of their series.
  for (const LegendItem& item : legendItems(layout, {[&](const QString& text) { return chart.fontMetrics().horizontalAdvance(text); },
                                                     chart.fontMetrics().height()})) {
    const QColor expected = item.series == ChartSeries::Income    ? colours.income
                            : item.series == ChartSeries::Expense ? colours.expense
                                                                  : colours.balance;
    EXPECT_EQ(QColor(picture.pixel(item.swatch.center())).rgb(), expected.rgb()) << item.text.toStdString();
    EXPECT_GE(strongest(item.label), 12.0) << item.text.toStdString();
  }
}

}  // namespace
}  // namespace sorabel::test
