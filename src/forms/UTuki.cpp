#include "forms/UTuki.h"

#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

#include "forms/Forms.h"
#include "forms/UMain.h"
#include "ledger/Amount.h"
#include "platform/AnsiText.h"
#include "platform/FormFont.h"
#include "platform/WindowOrder.h"
#include "reports/MonthlySummary.h"
#include "widgets/StringGridView.h"
#include "widgets/TextTableModel.h"

namespace sorabel {
namespace {


}  // namespace

TTukiFm::TTukiFm(Forms& forms, QWidget* parent)
    : QDialog(parent),
      forms_(forms),
      model_(new TextTableModel(
          {QStringLiteral("　　　　年月"), QStringLiteral("収入　　　　"), QStringLiteral("支出　　　　")}, this)) {
  setObjectName(QStringLiteral("TukiFm"));
  prepareReportWindow(this, QStringLiteral("月別収支一覧"));
  resize(469, 314);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(33);
  EndBtn = new QPushButton(QStringLiteral("閉じる(&X)"), Panel1);
  EndBtn->setObjectName(QStringLiteral("EndBtn"));
  EndBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  EndBtn->setGeometry(376, 4, 81, 25);
  connect(EndBtn, &QPushButton::clicked, this, &QDialog::reject);

  StringGrid1 = StringGridView::readOnly(1, model_, this);

  stackVertically(this, {{Panel1}, {StringGrid1, 1}});
  Panel1->installEventFilter(this);
  FormCreate();
}

void TTukiFm::FormCreate() {
  for (int column = 0; column < 3; ++column) StringGrid1->setColumnWidth(column, 120);
}

void TTukiFm::showMonths(const std::vector<MonthTotal>& months) {
  std::vector<QStringList> rows;
  rows.reserve(months.size());
  for (const MonthTotal& month : months)
    rows.push_back({toQString(month.month), toQString(amountText(month.income)), toQString(amountText(month.expense))});
  model_->setRows(std::move(rows));
}

void TTukiFm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TTukiFm::FormShow() {
  const TMainFm& main = *forms_.MainFm;
  resize(main.size());
  move(main.pos());
  StringGrid1->setFocus();
  if (!shownBefore_) centreOnScreen(this, OffScreen::ClampToZero);
  shownBefore_ = true;
}

void TTukiFm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

bool TTukiFm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) FormResize();
  return QDialog::eventFilter(watched, event);
}

void TTukiFm::FormResize() {
  EndBtn->move(Panel1->width() - EndBtn->width() - 4, EndBtn->y());
}

}  // namespace sorabel
