#pragma once
// The search results window: the search text, the income and expense totals
// of the matches, the matching entries and their count.

#include <QDialog>

class QLabel;
class QPushButton;

namespace sorabel {

class Forms;
class StatusPanelBar;
class StringGridView;
class TextTableModel;
struct SearchResult;

class TDataFm : public QDialog {
  Q_OBJECT

 public:
  explicit TDataFm(Forms& forms, QWidget* parent = nullptr);

  // Writes the heading texts and the fixed column widths.
  void FormCreate();
  // Takes the main window's size and place; the last row becomes current.
  void FormShow();
  // Keeps the minimum size; lays out the description column and the panels.
  void FormResize();

  // Fills the grid, the labels and the status text from a search.
  void showResult(const QString& searchText, const SearchResult& result);

  QWidget* Panel1;
  QWidget* Panel4;
  QLabel* Label3;
  QLabel* LblMoji;
  QWidget* Panel2;
  QLabel* Label1;
  QLabel* LblIN;
  QWidget* Panel3;
  QLabel* Label2;
  QLabel* LblOUT;
  QPushButton* EndBtn;
  StringGridView* StringGrid1;
  StatusPanelBar* StatusBar1;
  TextTableModel* model() const { return model_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Forms& forms_;
  TextTableModel* model_;
};

}  // namespace sorabel
