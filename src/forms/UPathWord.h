#pragma once
// The start-up password dialog: one masked edit field and an OK button. It
// has no logic of its own; the program entry compares the typed text.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace sorabel {

class TPathWordFm : public QDialog {
  Q_OBJECT

 public:
  explicit TPathWordFm(QWidget* parent = nullptr);

  QString typedPassword() const;

 private:
  QLineEdit* Edit1;
  QPushButton* BitBtn1;
};

}  // namespace sorabel
