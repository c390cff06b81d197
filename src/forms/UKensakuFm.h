#pragma once
// The search dialog: the user types a text; the stored book file is searched
// and the matching entries are shown in the results window.

#include <QDialog>

#include "forms/FormWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace sorabel {

class Forms;

class TKensakuFm : public Form<QDialog> {
  Q_OBJECT

 public:
  explicit TKensakuFm(Forms& forms, QWidget* parent = nullptr);

  // Empties the search text and focuses it.
  void FormShow() override;
  void FindBtnClick();
  void CancelBtnClick();

 protected:
  // Enter in the search text moves the focus to the search button.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Forms& forms_;
  QWidget* Panel2;
  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* MojiEdit;
  QWidget* Panel1;
  QPushButton* FindBtn;
  QPushButton* CancelBtn;
};

}  // namespace sorabel
