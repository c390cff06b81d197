#pragma once
// The monthly summary window: income and expense totals per month.

#include <QDialog>
#include <vector>

class QPushButton;

namespace sorabel {

class Forms;
class StringGridView;
class TextTableModel;
struct MonthTotal;

class TTukiFm : public QDialog {
  Q_OBJECT

 public:
  explicit TTukiFm(Forms& forms, QWidget* parent = nullptr);

  // Heading texts and the three column widths of 120.
  void FormCreate();
  // The main window's size and place; centred on the screen the first time.
  void FormShow();
  void FormResize();

  // Fills the grid with one row per month.
  void showMonths(const std::vector<MonthTotal>& months);

  QWidget* Panel1;
  QPushButton* EndBtn;
  StringGridView* StringGrid1;
  TextTableModel* model() const { return model_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Forms& forms_;
  TextTableModel* model_;
  bool shownBefore_ = false;
};

}  // namespace sorabel
