#include "widgets/PasswordField.h"

#include <QLineEdit>

namespace sorabel {

QLineEdit* makePasswordField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setEchoMode(QLineEdit::Password);
  field->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
  field->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
  return field;
}

}  // namespace sorabel
