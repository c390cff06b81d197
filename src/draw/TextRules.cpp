#include "draw/TextRules.h"

namespace sorabel::draw {

ShownText shownText(const QString& text, bool processPrefix) {
  if (!processPrefix) return {text, -1};
  ShownText shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) {
      shown.text += text[i];
      continue;
    }
    if (i + 1 >= text.size()) break;  // a last "&" shows nothing
    if (text[i + 1] == QLatin1Char('&')) {
      shown.text += QLatin1Char('&');
      ++i;
      continue;
    }
    if (shown.underline < 0) shown.underline = static_cast<int>(shown.text.size());
  }
  return shown;
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
