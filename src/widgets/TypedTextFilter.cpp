#include "widgets/TypedTextFilter.h"

#include <QLineEdit>

namespace sorabel {
namespace {

constexpr char16_t kEndOfFile = 26;
constexpr char16_t kFullWidthZero = u'０';
constexpr char16_t kFullWidthNine = u'９';
constexpr char16_t kFullWidthComma = u'，';
constexpr char16_t kFullWidthYen = u'￥';
constexpr char16_t kYen = u'¥';
// The yen sign's place in the single-byte half of Shift-JIS.
constexpr char16_t kAsciiYen = u'\\';

char16_t figureOf(char16_t c) {
  if (c >= kFullWidthZero && c <= kFullWidthNine) return static_cast<char16_t>(u'0' + (c - kFullWidthZero));
  if (c == kFullWidthComma) return u',';
  if (c == kFullWidthYen || c == kYen) return kAsciiYen;
  return c;
}

}  // namespace

QString cleanTypedText(QStringView text, FieldText kind) {
  QString result;
  result.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == kEndOfFile) continue;
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;  // CR LF is one line break
      result += u' ';
      continue;
    }
    result += kind == FieldText::Figures ? figureOf(c) : c;
  }
  return result;
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
