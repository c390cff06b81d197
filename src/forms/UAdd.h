#pragma once
// The entry dialog: date, description (with the twenty registered
// descriptions to pick from), income and expense. OK puts the entry into the
// main window's book and re-runs the order-and-balance pass.

#include <QDialog>

#include "forms/FormWindow.h"

class QComboBox;
class QDate;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sorabel {

class Forms;

class TAddFm : public Form<QDialog> {
  Q_OBJECT

 public:
  explicit TAddFm(Forms& forms, QWidget* parent = nullptr);

  // A1Click: the date, then the dialog shown modally.
  void showForDate(const QDate& date);

  // Fixes the dialog's size: its panel, 575 x 76 (583 wide with the frame).
  void FormCreate();
  // Empties the fields and reloads the registered descriptions.
  void FormShow() override;
  void OKBtnClick();
  void CancelBtnClick();

 protected:
  // Enter moves on to the next control as Tab does (a button is pressed).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildLayout();
  // The dialog's frame goes to the main window's left and top + 70 just
  // before its first showing, once the window system has placed the main
  // window, and is not moved again.
  void placeBesideMainWindow();

  Forms& forms_;
  bool placed_ = false;
  QWidget* AddPnl;
  QLabel* Label1;
  QDateEdit* DateTimePicker1;
  QLabel* Label2;
  QComboBox* ComboBox1;
  QLabel* Label3;
  QLineEdit* Edit3;
  QLabel* Label4;
  QLineEdit* Edit4;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
};

}  // namespace sorabel
