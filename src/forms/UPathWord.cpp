#include "forms/UPathWord.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "qtplatform/FormFont.h"
#include "widgets/CommandPictures.h"
#include "widgets/PasswordField.h"

namespace sorabel {

TPathWordFm::TPathWordFm(QWidget* parent)
    : QDialog(parent), Edit1(makePasswordField(this)), BitBtn1(new QPushButton(QStringLiteral("OK"), this)) {
  setObjectName(QStringLiteral("PathWordFm"));
  applyFormFont(this);
  setWindowTitle(QStringLiteral("パスワード"));
  setWindowIcon(programIcon());
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(181, 95);

  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(24, 20, 133, 20);

  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(53, 56, 75, 25);
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

QString TPathWordFm::typedPassword() const { return Edit1->text(); }

}  // namespace sorabel
