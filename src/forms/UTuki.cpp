#include "forms/UTuki.h"

#include <QPushButton>

#include "ledger/Amount.h"
#include "platform/qt/AnsiText.h"
#include "reports/MonthlySummary.h"
#include "widgets/ColumnFit.h"
#include "widgets/StringGridView.h"
#include "widgets/TextTableModel.h"

namespace sorabel {

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
  FormCreate();
}

// The total columns widen to their widest total.
void TTukiFm::FormCreate() {
  StringGrid1->setColumnWidth(0, 120);
  StringGrid1->fitColumnsToTexts({1, 2}, 120, widestAmountSample(StringGrid1->fontMetrics()));
}

void TTukiFm::showMonths(const std::vector<MonthTotal>& months) {
  std::vector<QStringList> rows;
  rows.reserve(months.size());
  for (const MonthTotal& month : months)
    rows.push_back({toQString(month.month), toQString(amountText(month.income)), toQString(amountText(month.expense))});
  model_->setRows(std::move(rows));
}

void TTukiFm::FormShow() {
  takeMainWindowPlace();
  StringGrid1->setFocus();
}

}  // namespace sorabel
