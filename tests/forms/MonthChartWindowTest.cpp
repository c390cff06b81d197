// The chart page of the monthly summary window: the same months and figures
// as its table in either order, the table keeping its place, the pages
// switched by their buttons and the picture saved from the panel.

#include <QApplication>
#include <QImageReader>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolTip>
#include <map>
#include <random>

#include "forms/FormsFixture.h"
#include "forms/UTuki.h"
#include "widgets/MonthChart.h"
#include "widgets/TextTableModel.h"

namespace sorabel::test {
namespace {

// Three years of entries, 2019/01 to 2021/12, a few a month; some months
// spend more than they take in.
struct GeneratedBook {
  std::string csv;
  std::map<std::string, std::pair<std::int64_t, std::int64_t>> totals;  // month -> income, expense
};

GeneratedBook threeYearBook() {
  GeneratedBook book;
  std::mt19937 random(20);
  for (int year = 2019; year <= 2021; ++year)
    for (int month = 1; month <= 12; ++month) {
      const int entries = 2 + static_cast<int>(random() % 5);
      char monthText[8];
      std::snprintf(monthText, sizeof monthText, "%04d/%02d", year, month);
      for (int e = 0; e < entries; ++e) {
        const bool income = random() % 3 == 0;
        const std::int64_t amount = 1000 + static_cast<std::int64_t>(random() % 400'000);
        const std::string text = formatThousands(amount, ',');
        char line[128];
        std::snprintf(line, sizeof line, "\"%s/%02d\",\"%s\",\"%s\",\"%s\",\"0\"\r\n", monthText, 1 + e * 5,
                      income ? "給料" : "食費", income ? text.c_str() : "0", income ? "0" : text.c_str());
        book.csv += line;
        auto& [in, out] = book.totals[monthText];
        (income ? in : out) += amount;
      }
    }
  return book;
}

class MonthChartWindowTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    start();
    main().resize(700, 400);
    main().move(10, 20);
    main().show();
  }

  void openBook(const std::string& csv) {
    dialogs.openNames.push_back(writeBook("book.csv", csv));
    main().Open1Click();
  }

  TTukiFm& window() const { return *forms->TukiFm; }
  MonthChart* chart() const { return child<MonthChart>(&window(), "Chart1"); }
  QPushButton* button(const char* name) const { return child<QPushButton>(&window(), name); }
  void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

  // Opens the window, runs inside while it is shown, and closes it.
  void withWindow(const std::function<void()>& inside) {
    whenModal([this, inside] {
      inside();
      child<QAbstractButton>(&window(), "EndBtn")->click();
    });
    main().I1Click();
  }

  // The table's rows and the chart's months as the window shows them.
  struct Shown {
    std::vector<std::vector<QString>> table;
    std::vector<ChartMonth> chart;
  };
  Shown shown() const {
    Shown result;
    const TextTableModel& model = *window().model();
    for (int r = 0; r < model.rowCount(); ++r) result.table.push_back({model.cell(0, r), model.cell(1, r), model.cell(2, r)});
    result.chart = chart()->months();
    return result;
  }
};

void expectChartMatchesTable(const std::vector<std::vector<QString>>& table, const std::vector<ChartMonth>& chart) {
  ASSERT_EQ(chart.size(), table.size());
  for (std::size_t i = 0; i < chart.size(); ++i) {
    EXPECT_EQ(chart[i].label, table[i][0]) << i;
    EXPECT_EQ(amountLabel(chart[i].income), table[i][1]) << i;
    EXPECT_EQ(amountLabel(chart[i].expense), table[i][2]) << i;
  }
}

TEST_F(MonthChartWindowTest, ThreeYearBookChartsTheTablesMonthsInEitherOrder) {
  const GeneratedBook book = threeYearBook();
  openBook(book.csv);
  Shown oldestFirst;
  QString tooltip;
  int negativeMonths = 0;
  withWindow([&] {
    oldestFirst = shown();
    click("ChartBtn");
    MonthChart& view = *chart();
    const int month = 17;  // 2020/06
    QTest::mouseMove(&view, monthShapes(view.chartLayout(), view.months()[month], month, 0).income.center());
    tooltip = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
  });
  ASSERT_EQ(oldestFirst.table.size(), 36u);
  expectChartMatchesTable(oldestFirst.table, oldestFirst.chart);
  // And the figures are the book's.
  int i = 0;
  for (const auto& [month, totals] : book.totals) {
    EXPECT_EQ(oldestFirst.chart[i].label.toStdString(), month);
    EXPECT_EQ(oldestFirst.chart[i].income, totals.first) << month;
    EXPECT_EQ(oldestFirst.chart[i].expense, totals.second) << month;
    negativeMonths += oldestFirst.chart[i].balance() < 0;
    ++i;
  }
  EXPECT_GT(negativeMonths, 0);
  const std::vector<QString>& row = oldestFirst.table[17];
  EXPECT_EQ(tooltip, row[0] + "\n収入　" + row[1] + "\n支出　" + row[2] + "\n収支　" +
                         amountLabel(oldestFirst.chart[17].balance()));

  main().SortDecClick();  // newest first: the table and the chart turn round
  Shown newestFirst;
  withWindow([&] { newestFirst = shown(); });
  expectChartMatchesTable(newestFirst.table, newestFirst.chart);
  ASSERT_EQ(newestFirst.chart.size(), 36u);
  EXPECT_EQ(newestFirst.chart.front().label, "2021/12");
  for (std::size_t m = 0; m < 36; ++m) EXPECT_EQ(newestFirst.chart[m].label, oldestFirst.chart[35 - m].label);
}

TEST_F(MonthChartWindowTest, TableKeepsItsPlaceAndTheButtonsSwitchPages) {
  openBook("\"2001/01/01\",\"給料\",\"1,000\",\"0\",\"1,000\"\r\n");
  withWindow([&] {
    TTukiFm& w = window();
    auto* grid = child<StringGridView>(&w, "StringGrid1");
    const QRect below(0, 33, w.width(), w.height() - 33);
    EXPECT_EQ(QRect(grid->mapTo(&w, QPoint(0, 0)), grid->size()), below);
    EXPECT_TRUE(grid->isVisible());
    EXPECT_FALSE(chart()->isVisible());
    EXPECT_TRUE(button("TableBtn")->isChecked());
    EXPECT_FALSE(button("SaveImageBtn")->isVisible());
    EXPECT_EQ(button("EndBtn")->x(), w.width() - 81 - 4);

    click("ChartBtn");
    EXPECT_TRUE(chart()->isVisible());
    EXPECT_FALSE(grid->isVisible());
    EXPECT_EQ(QRect(chart()->mapTo(&w, QPoint(0, 0)), chart()->size()), below);
    EXPECT_TRUE(button("SaveImageBtn")->isVisible());
    w.resize(820, 500);  // the chart follows the window's size
    QCoreApplication::processEvents();
    EXPECT_EQ(chart()->size(), QSize(820, 467));
    EXPECT_GT(chart()->chartLayout().plot.width(), 600);

    click("TableBtn");
    EXPECT_TRUE(grid->isVisible());
    EXPECT_FALSE(button("SaveImageBtn")->isVisible());
    click("ChartBtn");  // left on the chart
  });
  withWindow([&] {  // the next showing opens on the table again
    EXPECT_TRUE(child<StringGridView>(&window(), "StringGrid1")->isVisible());
    EXPECT_TRUE(button("TableBtn")->isChecked());
  });
}

TEST_F(MonthChartWindowTest, PanelButtonSavesTheChartInTheBooksFolder) {
  openBook("\"2001/01/01\",\"給料\",\"1,000\",\"0\",\"1,000\"\r\n\"2001/02/01\",\"食費\",\"0\",\"3,000\",\"-2,000\"\r\n");
  const QString file = fromPath(dir / "月別.png");
  dialogs.saveNames.push_back(file);
  QSize chartSize;
  withWindow([&] {
    click("ChartBtn");
    chartSize = chart()->size();
    click("SaveImageBtn");
  });
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.lastOptions.folder, fromPath(dir.path()));
  QImageReader reader(file);
  EXPECT_EQ(reader.format(), "png");
  EXPECT_EQ(reader.size(), chartSize);
}

}  // namespace
}  // namespace sorabel::test
