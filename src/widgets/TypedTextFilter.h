#pragma once
// What typing or pasting may put into a field whose text goes into the book.
//
// A line break would split the entry into two lines of the book file and
// character 26 ends the file for the reader, so both never get into a
// field: each line break (CR, LF, or CR LF together) becomes one space and
// character 26 is dropped. Fields of figures (amounts, dates) also take the
// full-width digits and comma and the yen signs an input method types in
// full-width mode as their ASCII forms, so that "１，２００" counts as 1,200.
//
// The filter works as the field's validator: it rewrites the text as it is
// typed, pasted or committed by the input method, and never refuses any.

#include <QString>
#include <QValidator>

class QLineEdit;

namespace sorabel {

enum class FieldText { Words, Figures };

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
