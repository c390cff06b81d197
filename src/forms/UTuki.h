#pragma once
// The monthly summary window: income and expense totals per month, as a
// table and, on a second page, as a chart. Two buttons at the left of the
// top panel switch between the pages; each showing opens on the table.

#include <vector>

#include "forms/ReportWindow.h"

class QStackedWidget;

namespace sorabel {

struct MonthTotal;
class MonthChart;

class TTukiFm : public ReportWindow {
  Q_OBJECT

 public:
  explicit TTukiFm(Forms& forms, QWidget* parent = nullptr);

  // The month column 120 wide, and the amount columns kept fitted to their
  // amounts, at least 120 (the headings come with the window).
  void FormCreate();
  // The main window's size and place; centred on the screen the first time.
  void FormShow() override;

  // Fills the grid and the chart with one row, one column per month.
  void showMonths(const std::vector<MonthTotal>& months);

 private:
  enum Page { TablePage, ChartPage };
  void addPages();
  void showPage(Page page);

  QStackedWidget* Pages1 = nullptr;
  MonthChart* Chart1 = nullptr;
  QPushButton* TableBtn = nullptr;
  QPushButton* ChartBtn = nullptr;
  QPushButton* SaveImageBtn = nullptr;
};

}  // namespace sorabel
