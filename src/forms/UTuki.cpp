#include "forms/UTuki.h"

#include <QFileInfo>
#include <QLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <algorithm>

#include "forms/Forms.h"
#include "forms/MainWindowOperations.h"
#include "ledger/Amount.h"
#include "qtplatform/AnsiText.h"
#include "reports/MonthlySummary.h"
#include "widgets/ColumnFit.h"
#include "widgets/MonthChart.h"
#include "widgets/StringGridView.h"
#include "widgets/TextTableModel.h"

namespace sorabel {
namespace {

QPushButton* panelButton(const char* name, const QString& caption, QWidget* panel) {
  auto* button = new QPushButton(caption, panel);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);  // Enter keeps closing the window
  return button;
}

}  // namespace

TTukiFm::TTukiFm(Forms& forms, QWidget* parent)
    : ReportWindow(forms, QStringLiteral("月別収支一覧"),
                   {QStringLiteral("　　　　年月"), QStringLiteral("収入　　　　"), QStringLiteral("支出　　　　")}, 1,
                   parent) {
  setObjectName(QStringLiteral("TukiFm"));
  centreOnFirstShowing();
  resize(469, 314);
  addEndButton(QStringLiteral("閉じる(&X)"), false);
  EndBtn->setGeometry(376, 4, 81, 25);
  finishLayout();
  addPages();
  FormCreate();
}

// The grid keeps its place below the panel; the chart shares it as the
// second page, so it gets the whole window's room when it is shown.
void TTukiFm::addPages() {
  Pages1 = new QStackedWidget(this);
  Pages1->setObjectName(QStringLiteral("Pages1"));
  delete layout()->replaceWidget(StringGrid1, Pages1);
  Chart1 = new MonthChart(Pages1);
  Chart1->setObjectName(QStringLiteral("Chart1"));
  Pages1->addWidget(StringGrid1);
  Pages1->addWidget(Chart1);

  TableBtn = panelButton("TableBtn", QStringLiteral("一覧表(&T)"), Panel1);
  ChartBtn = panelButton("ChartBtn", QStringLiteral("グラフ(&G)"), Panel1);
  for (QPushButton* button : {TableBtn, ChartBtn}) {
    button->setCheckable(true);
    button->setAutoExclusive(true);
  }
  TableBtn->setGeometry(4, 4, 81, 25);
  ChartBtn->setGeometry(89, 4, 81, 25);
  SaveImageBtn = panelButton("SaveImageBtn", Chart1->saveImageAction()->text(), Panel1);
  SaveImageBtn->setGeometry(178, 4, std::max(110, SaveImageBtn->sizeHint().width()), 25);
  connect(TableBtn, &QPushButton::clicked, this, [this] { showPage(TablePage); });
  connect(ChartBtn, &QPushButton::clicked, this, [this] { showPage(ChartPage); });
  connect(SaveImageBtn, &QPushButton::clicked, Chart1, &MonthChart::saveImage);
  showPage(TablePage);
}

void TTukiFm::showPage(Page page) {
  Pages1->setCurrentIndex(page);
  (page == TablePage ? TableBtn : ChartBtn)->setChecked(true);
  SaveImageBtn->setVisible(page == ChartPage);
  if (page == ChartPage) Chart1->setFocus();
}

// The total columns widen to their widest total.
void TTukiFm::FormCreate() {
  constexpr int kColumnWidth = 120;  // every column at least
  StringGrid1->setColumnWidth(0, kColumnWidth);
  StringGrid1->fitColumnsToTexts({1, 2}, kColumnWidth, widestAmountSample(StringGrid1->fontMetrics()));
}

void TTukiFm::showMonths(const std::vector<MonthTotal>& months) {
  std::vector<QStringList> rows;
  std::vector<ChartMonth> chartMonths;
  rows.reserve(months.size());
  chartMonths.reserve(months.size());
  for (const MonthTotal& month : months) {
    const QString label = toQString(month.month);
    rows.push_back({label, toQString(amountText(month.income)), toQString(amountText(month.expense))});
    chartMonths.push_back({label, month.income, month.expense});
  }
  model_->setRows(std::move(rows));
  Chart1->setMonths(std::move(chartMonths));
  const std::string& book = forms_.mainWindow().session().fileName();
  if (!book.empty()) Chart1->setImageFolder(QFileInfo(QString::fromStdString(book)).absolutePath());
}

void TTukiFm::FormShow() {
  takeMainWindowPlace();
  showPage(TablePage);
  StringGrid1->setFocus();
}

}  // namespace sorabel
