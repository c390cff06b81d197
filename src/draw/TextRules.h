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

// How a caption's "&&" is read when its accelerator is looked for.
enum class DoubledAmpersand {
  Shown,   // "&&" is a shown "&", as drawn text reads it
  Marker,  // the first "&" marks the next character, even another "&"
};

// The index in caption of the character its "&" marks, or -1 when none
// does (no "&", or "&" as the last character).
qsizetype acceleratorIndex(const QString& caption, DoubledAmpersand doubled);
// That character, or a null QChar.
QChar acceleratorOf(const QString& caption, DoubledAmpersand doubled);

// The text as a caption that shows it as it stands: every "&" doubled.
QString literalCaption(const QString& text);

// The text with every tab replaced by spaces up to the next multiple of 8.
QString expandTabs(const QString& text);

}  // namespace sorabel::draw
