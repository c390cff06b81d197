#pragma once
// The search dialog: the user types a text; the stored book file is searched
// and the matching entries are shown in the results window.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sorabel {

class Forms;

class TKensakuFm : public QDialog {
  Q_OBJECT

 public:
  explicit TKensakuFm(Forms& forms, QWidget* parent = nullptr);

  // Empties the search text and focuses it.
  void FormShow();
  void FindBtnClick();
  void CancelBtnClick();

  QWidget* Panel2;
  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* MojiEdit;
  QWidget* Panel1;
  QPushButton* FindBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  // Enter in the search text moves the focus to the search button.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Forms& forms_;
  bool shownBefore_ = false;
};

}  // namespace sorabel
