#pragma once
// The main window of Sorabel.
//
// Architecture in brief:
//  - The book lives in one LedgerGrid (ledger/), shown by StringGrid1 through
//    LedgerTableModel (widgets/). Every change of the book goes through
//    changeBook(), which keeps the view in step.
//  - The ledger's rules (order-and-balance pass, file format, unsaved-changes
//    test, entry editing) live in ledger/; the profile keys in settings/.
//    This class only wires them to menus, toolbar, dialogs and status bar.
//  - Every handler named ...Click runs inside the command guard: a failure
//    ends the command and is shown in a message box. Message boxes and file
//    dialogs go through UserDialogs, which tests replace.
//  - The window caption doubles as the book's state marker:
//    "Sorabel  NewFile" (a new book), "Sorabel" (the last book was missing at
//    start-up), "Sorabel  <file>" (read at start-up) and "Sorabel　<file>"
//    (opened, reopened or saved as).

#include <QMainWindow>
#include <array>

#include "ledger/LedgerGrid.h"
#include "ledger/SortAndBalance.h"

class QAction;
class QMenu;
class QPrinter;
class QToolButton;

namespace sorabel {

class Forms;
class HelpViewer;
class LedgerTableModel;
class StatusPanelBar;
class StringGridView;

class TMainFm : public QMainWindow {
  Q_OBJECT

 public:
  static const QString kCaptionPlain;    // "Sorabel"
  static const QString kCaptionNewFile;  // "Sorabel  NewFile"

  explicit TMainFm(Forms& forms, QWidget* parent = nullptr);
  ~TMainFm() override;

  // Window life.
  void FormCreate();
  void FormShow();
  void FormResize();
  bool FormCloseQuery();
  void FormClose();

  // Book commands.
  void New1Click();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Exit1Click();
  void A1Click();
  void D1Click();
  void SortIncClick();
  void SortDecClick();
  void Print1Click();
  void Find2Click();
  void I1Click();
  void S2Click();
  void V1Click();

  // View, window and help commands.
  void T1Click();
  void S3Click();
  void StayTopClick();
  void P1Click();
  void H2Click();

  // Recent files.
  void F1Click();
  void ShowHistoryMenu();
  void HistryClick(int n);
  void UpdateHistory();

  // Grid events.
  void StringGrid1SelectCell(int column, int row);
  void StringGrid1Click();
  void StringGrid1KeyDown(int key);
  QString StringGrid1GetEditMask(int column, int row) const;

  // Operations used by several windows.
  void SortAndBalance();
  bool BookChanged() const;
  void ShowStatus();
  void HintToStatus(const QString& hint);
  void CenterMainWindow();
  void LoadBookFile();
  void ReopenBookFile();

  // Runs a change of the book store and updates the grid view.
  template <class Change>
  void changeBook(Change&& change);

  BookOrder bookOrder() const;
  // The current cell moves to the newest entry's row, keeping its column.
  void moveToNewestRow();

  const LedgerGrid& grid() const { return grid_; }
  Forms& forms() { return forms_; }
  QPrinter* printer() const { return printer_; }

  QString BookFileName;
  QString StoredPathWord;
  AnsiString SelectedDescription;

  QMenuBar* MainMenu1;
  QMenu* F1;
  QAction* New1;
  QAction* Open1;
  QMenu* N2;
  std::array<QAction*, 5> Histry{};
  QAction* Save1;
  QAction* SaveAs1;
  QAction* Print1;
  QAction* Exit1;
  QMenu* E5;
  QAction* A1;
  QAction* D1;
  QAction* SortInc;
  QAction* SortDec;
  QMenu* Find1;
  QAction* Find2;
  QAction* I1;
  QMenu* Show1;
  QAction* T1;
  QAction* S3;
  QAction* StayTop;
  QMenu* S1;
  QAction* S2;
  QAction* P1;
  QMenu* H1;
  QAction* H2;
  QAction* V1;

  QWidget* Dock;
  QWidget* Panel1;
  QToolButton* EndBtn;
  StringGridView* StringGrid1;
  StatusPanelBar* StatusBar1;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildToolbar();
  void buildClient();
  void readProfileAtStart();
  void loadStartupBook();
  void setGridColumns();
  // Save and Save As; false when the save dialog was cancelled.
  bool saveBook();
  bool saveBookAs();
  void setCurrentRowKeepingColumn(int gridRow);
  // SortIncClick and SortDecClick: check the order, re-run the pass.
  void switchOrder(BookOrder order);

  Forms& forms_;
  LedgerGrid grid_;
  LedgerTableModel* model_;
  HelpViewer* helpViewer_ = nullptr;
  QPrinter* printer_ = nullptr;
};

}  // namespace sorabel

#include "widgets/LedgerTableModel.h"

template <class Change>
void sorabel::TMainFm::changeBook(Change&& change) {
  model_->change(std::forward<Change>(change));
}
