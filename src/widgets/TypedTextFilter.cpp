#include "widgets/TypedTextFilter.h"

#include <QLineEdit>

namespace sorabel {

QString cleanTypedText(QStringView text, FieldText kind) {
  return QString::fromStdString(cleanFieldText(text.toUtf8().toStdString(), kind));
}

TypedTextFilter::TypedTextFilter(FieldText kind, QObject* parent) : QValidator(parent), kind_(kind) {}

QValidator::State TypedTextFilter::validate(QString& input, int& pos) const {
  const QString cleaned = cleanTypedText(input, kind_);
  if (cleaned != input) {
    pos = static_cast<int>(cleanTypedText(QStringView(input).left(pos), kind_).size());
    input = cleaned;
  }
  return Acceptable;
}

void TypedTextFilter::fixup(QString& input) const { input = cleanTypedText(input, kind_); }

void filterTypedText(QLineEdit* field, FieldText kind) { field->setValidator(new TypedTextFilter(kind, field)); }

}  // namespace sorabel
