#pragma once
// A font as the components describe it: a face name, a height (negative: the
// characters' height in pixels; positive: the whole cell's height), a
// colour (the text colour goes with the font) and a style.

#include <QFont>
#include <QString>

#include "draw/DrawTypes.h"

namespace sorabel::draw {

struct CanvasFont {
  QString name;
  int height = -12;
  Color color = clWindowText;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charset = 128;  // Shift-JIS

  QFont toQFont() const;
  // A widget's font in the colour given: its face, pixel height and style.
  static CanvasFont fromQFont(const QFont& font, Color color);
  bool operator==(const CanvasFont&) const = default;
};

}  // namespace sorabel::draw
