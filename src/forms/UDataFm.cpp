#include "forms/UDataFm.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

#include "forms/Forms.h"
#include "forms/UMain.h"
#include "ledger/Amount.h"
#include "platform/AnsiText.h"
#include "platform/FormFont.h"
#include "platform/WindowOrder.h"
#include "reports/Search.h"
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

}  // namespace

TDataFm::TDataFm(Forms& forms, QWidget* parent)
    : QDialog(parent),
      forms_(forms),
      model_(new TextTableModel({QStringLiteral("　　　日付"), QStringLiteral("　　　　　　　　　　　　　摘要"),
                                 QStringLiteral("収入　　　"), QStringLiteral("支出　　　")},
                                this)) {
  setObjectName(QStringLiteral("DataFm"));
  prepareReportWindow(this, QStringLiteral("検索データ"));

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(33);
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
  EndBtn = new QPushButton(QStringLiteral("OK"), Panel1);
  EndBtn->setObjectName(QStringLiteral("EndBtn"));
  EndBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  EndBtn->setGeometry(500, 4, 81, 25);
  connect(EndBtn, &QPushButton::clicked, this, &QDialog::accept);

  StringGrid1 = StringGridView::readOnly(2, model_, this);

  StatusBar1 = new StatusPanelBar({0}, this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSimplePanel(true);

  stackVertically(this, {{Panel1}, {StringGrid1, 1}, {StatusBar1}});
  // The grid and the panel get their sizes after the window's resize event.
  for (QWidget* child : {static_cast<QWidget*>(StringGrid1), Panel1}) child->installEventFilter(this);
  FormCreate();
}

bool TDataFm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && (watched == StringGrid1 || watched == Panel1)) FormResize();
  return QDialog::eventFilter(watched, event);
}

void TDataFm::FormCreate() {
  for (int column : {0, 2, 3}) StringGrid1->setColumnWidth(column, 80);
}

void TDataFm::showResult(const QString& searchText, const SearchResult& result) {
  std::vector<QStringList> rows;
  for (const auto& match : result.rows)
    rows.push_back({toQString(match[0]), toQString(match[1]), toQString(match[2]), toQString(match[3])});
  if (rows.empty()) rows.push_back({});  // one empty row when nothing matched
  model_->setRows(std::move(rows));
  LblMoji->setText(searchText);
  LblIN->setText(toQString(amountText(result.incomeTotal)));
  LblOUT->setText(toQString(amountText(result.expenseTotal)));
  StatusBar1->setSimpleText(QStringLiteral("検索データ - %1件").arg(result.count()));
}

void TDataFm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TDataFm::FormShow() {
  const TMainFm& main = *forms_.MainFm;
  resize(main.size());
  move(main.pos());
  StringGrid1->setCurrentCell(StringGrid1->currentColumn(), model_->rowCount());
  StringGrid1->setFocus();
}

void TDataFm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TDataFm::FormResize() {
  StringGrid1->giveColumnTheRest(1, 25);
  Panel2->move(Panel1->width() - 397, Panel2->y());
  Panel3->move(Panel1->width() - 241, Panel3->y());
  EndBtn->move(Panel1->width() - EndBtn->width() - 4, EndBtn->y());
}

}  // namespace sorabel
