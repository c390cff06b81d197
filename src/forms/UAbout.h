#pragma once
// The about box: name, icon, version and two links, to the home page and to
// a mail to the author.

#include <QDialog>

#include "forms/FormWindow.h"

class QLabel;
class QPushButton;

namespace sorabel {

class TAboutFm : public Form<QDialog> {
  Q_OBJECT

 public:
  static const QString kHomePageUrl;
  static const QString kMailUrl;

  explicit TAboutFm(QWidget* parent = nullptr);

  void LblHomePageClick();
  void LblNameClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Panel1;
  QLabel* Image1;
  QLabel* Label1;
  QLabel* Label4;
  QLabel* Label2;
  QLabel* LblName;
  QLabel* Label3;
  QLabel* LblHomePage;
  QPushButton* BitBtn1;
};

}  // namespace sorabel
