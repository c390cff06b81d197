#include "widgets/PasswordField.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace sorabel {
namespace {

// The field's style answers "*" as the password character. A style sheet
// would not do: a field whose window already has a style sheet keeps the
// character it read when it was made.
class StarPasswordStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

QLineEdit* makePasswordField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  auto* style = new StarPasswordStyle;
  style->setParent(field);
  field->setStyle(style);
  field->setEchoMode(QLineEdit::Password);
  field->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
  return field;
}

}  // namespace sorabel
