#pragma once
// The search results window: the search text, the income and expense totals
// of the matches, the matching entries and their count.

#include "forms/ReportWindow.h"

class QLabel;

namespace sorabel {

class StatusPanelBar;
struct SearchResult;

class TDataFm : public ReportWindow {
  Q_OBJECT

 public:
  explicit TDataFm(Forms& forms, QWidget* parent = nullptr);

  // The date column's width, and the amount columns kept fitted to their
  // amounts (the headings come with the window).
  void FormCreate();
  // Takes the main window's size and place; the last row becomes current.
  void FormShow() override;
  // Lays out the description column and the panels.
  void FormResize() override;

  // Fills the grid, the labels and the status text from a search.
  void showResult(const QString& searchText, const SearchResult& result);

 private:
  QWidget* Panel4;
  QLabel* Label3;
  QLabel* LblMoji;
  QWidget* Panel2;
  QLabel* Label1;
  QLabel* LblIN;
  QWidget* Panel3;
  QLabel* Label2;
  QLabel* LblOUT;
  StatusPanelBar* StatusBar1;
};

}  // namespace sorabel
