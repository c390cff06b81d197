#include "qtplatform/FormFont.h"

#include <QWidget>

namespace sorabel {

void installFontSubstitutions() {
  QFont::insertSubstitutions(kFormFontName, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(kMenuFontName, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(kPrintFontName, {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")});
}

QFont formFont() {
  QFont font(kFormFontName);
  font.setPixelSize(12);
  return font;
}

void applyFormFont(QWidget* window) { window->setFont(formFont()); }

}  // namespace sorabel
