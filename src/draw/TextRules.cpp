#include "draw/TextRules.h"

namespace sorabel::draw {

namespace {
constexpr QChar kPrefix = u'&';
}  // namespace

qsizetype acceleratorIndex(const QString& caption, DoubledAmpersand doubled) {
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] != kPrefix) continue;
    if (i + 1 >= caption.size()) return -1;
    if (doubled == DoubledAmpersand::Shown && caption[i + 1] == kPrefix) {
      ++i;
      continue;
    }
    return i + 1;
  }
  return -1;
}

QChar acceleratorOf(const QString& caption, DoubledAmpersand doubled) {
  const qsizetype at = acceleratorIndex(caption, doubled);
  return at >= 0 ? caption[at] : QChar();
}

ShownText shownText(const QString& text, bool processPrefix) {
  if (!processPrefix) return {text, -1};
  const qsizetype marked = acceleratorIndex(text, DoubledAmpersand::Shown);
  ShownText shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (i == marked) shown.underline = static_cast<int>(shown.text.size());
    if (text[i] != kPrefix) {
      shown.text += text[i];
      continue;
    }
    if (i + 1 >= text.size()) break;  // a last "&" shows nothing
    if (text[i + 1] == kPrefix) {
      shown.text += kPrefix;
      ++i;
    }
  }
  return shown;
}

QString literalCaption(const QString& text) {
  QString caption = text;
  return caption.replace(kPrefix, QLatin1String("&&"));
}

QString expandTabs(const QString& text) {
  QString out;
  for (QChar c : text) {
    if (c != QLatin1Char('\t')) {
      out += c;
      continue;
    }
    do out += QLatin1Char(' ');
    while (out.size() % 8 != 0);
  }
  return out;
}

}  // namespace sorabel::draw
