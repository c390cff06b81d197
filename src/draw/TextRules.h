#pragma once
// How drawn text treats "&": a single "&" underlines the character after it
// and is not shown, "&&" shows one "&". With DT_NOPREFIX text is shown as it
// stands. Tabs expand to the next multiple of eight spaces' width.

#include <QString>

namespace sorabel::draw {

struct ShownText {
  QString text;        // what is drawn
  int underline = -1;  // index into text of the underlined character, or -1
};

ShownText shownText(const QString& text, bool processPrefix);

// The text with every tab replaced by spaces up to the next multiple of 8.
QString expandTabs(const QString& text);

}  // namespace sorabel::draw
