#pragma once
// The monthly summary window: income and expense totals per month.

#include <vector>

#include "forms/ReportWindow.h"

namespace sorabel {

struct MonthTotal;

class TTukiFm : public ReportWindow {
  Q_OBJECT

 public:
  explicit TTukiFm(Forms& forms, QWidget* parent = nullptr);

  // Heading texts and the three column widths of 120.
  void FormCreate();
  // The main window's size and place; centred on the screen the first time.
  void FormShow() override;

  // Fills the grid with one row per month.
  void showMonths(const std::vector<MonthTotal>& months);
};

}  // namespace sorabel
