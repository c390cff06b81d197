#pragma once
// What typing or pasting may put into a field whose text goes into the book:
// the rules of cleanFieldText (ledger/FieldText.h).
//
// The filter works as the field's validator: it rewrites the text as it is
// typed, pasted or committed by the input method, and never refuses any.

#include <QString>
#include <QValidator>

#include "ledger/FieldText.h"

class QLineEdit;

namespace sorabel {

// The text with the rules above applied.
QString cleanTypedText(QStringView text, FieldText kind);

class TypedTextFilter : public QValidator {
  Q_OBJECT

 public:
  TypedTextFilter(FieldText kind, QObject* parent);

  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 private:
  FieldText kind_;
};

// Gives field the filter of kind (owned by the field).
void filterTypedText(QLineEdit* field, FieldText kind);

}  // namespace sorabel
