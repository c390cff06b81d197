#include "forms/UDataFm.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ledger/Amount.h"
#include "ledger/LedgerGrid.h"
#include "qtplatform/AnsiText.h"
#include "reports/Search.h"
#include "widgets/ColumnFit.h"
#include "widgets/StatusPanelBar.h"
#include "widgets/StringGridView.h"
#include "widgets/TextTableModel.h"

namespace sorabel {
namespace {

QFrame* sunkenPanel(const QString& name, QRect geometry, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setGeometry(geometry);
  return panel;
}

QLabel* label(const QString& text, const QString& name, QPoint at, QWidget* parent) {
  auto* result = new QLabel(text, parent);
  result->setObjectName(name);
  result->move(at);
  result->adjustSize();
  return result;
}

// A label whose right edge stays at 137 inside its panel.
QLabel* totalLabel(const QString& name, QWidget* parent) {
  auto* result = new QLabel(parent);
  result->setObjectName(name);
  result->setAlignment(Qt::AlignRight | Qt::AlignTop);
  result->setGeometry(50, 8, 87, 14);
  return result;
}

// The book's headers of the columns a search shows: date to expense.
QStringList searchHeaders() {
  QStringList headers;
  for (int column = kDateColumn; column <= kExpenseColumn; ++column)
    headers << toQString(LedgerGrid::headerRow()[static_cast<std::size_t>(column)]);
  return headers;
}

}  // namespace

TDataFm::TDataFm(Forms& forms, QWidget* parent)
    : ReportWindow(forms, QStringLiteral("検索データ"),
                   searchHeaders(), kIncomeColumn, parent) {
  setObjectName(QStringLiteral("DataFm"));
  Panel4 = sunkenPanel(QStringLiteral("Panel4"), {4, 4, 177, 25}, Panel1);
  Label3 = label(QStringLiteral("検索文字列 -"), QStringLiteral("Label3"), {4, 8}, Panel4);
  LblMoji = label(QString(), QStringLiteral("LblMoji"), {77, 8}, Panel4);
  LblMoji->resize(96, 14);
  Panel2 = sunkenPanel(QStringLiteral("Panel2"), {188, 4, 145, 25}, Panel1);
  Label1 = label(QStringLiteral("収入合計"), QStringLiteral("Label1"), {4, 8}, Panel2);
  LblIN = totalLabel(QStringLiteral("LblIN"), Panel2);
  Panel3 = sunkenPanel(QStringLiteral("Panel3"), {344, 4, 145, 25}, Panel1);
  Label2 = label(QStringLiteral("支出合計"), QStringLiteral("Label2"), {4, 8}, Panel3);
  LblOUT = totalLabel(QStringLiteral("LblOUT"), Panel3);
  addEndButton(QStringLiteral("OK"), true);
  EndBtn->setGeometry(500, 4, 81, 25);

  StatusBar1 = new StatusPanelBar({0}, this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSimplePanel(true);

  finishLayout(StatusBar1);
  FormCreate();
}

// The amount columns widen to their widest amount.
void TDataFm::FormCreate() {
  StringGrid1->setColumnWidth(kDateColumn, kFixedColumnWidth);
  StringGrid1->fitColumnsToTexts({kIncomeColumn, kExpenseColumn}, kFixedColumnWidth,
                                 widestAmountSample(StringGrid1->fontMetrics()));
}

void TDataFm::showResult(const QString& searchText, const SearchResult& result) {
  std::vector<QStringList> rows;
  for (const auto& match : result.rows)
    rows.push_back({toQString(match[0]), toQString(match[1]), toQString(match[2]), toQString(match[3])});
  if (rows.empty()) rows.push_back({});  // one empty row when nothing matched
  model_->setRows(std::move(rows));
  FormResize();
  LblMoji->setText(searchText);
  LblIN->setText(toQString(amountText(result.incomeTotal)));
  LblOUT->setText(toQString(amountText(result.expenseTotal)));
  StatusBar1->setSimpleText(QStringLiteral("検索データ - %1件").arg(result.count()));
}

void TDataFm::FormShow() {
  takeMainWindowPlace();
  StringGrid1->setCurrentCell(StringGrid1->currentColumn(), model_->rowCount());
  StringGrid1->setFocus();
}

void TDataFm::FormResize() {
  StringGrid1->giveColumnTheRest(kDescriptionColumn, kDescriptionColumnSlack);
  Panel2->move(Panel1->width() - 397, Panel2->y());
  Panel3->move(Panel1->width() - 241, Panel3->y());
  ReportWindow::FormResize();
}

}  // namespace sorabel
