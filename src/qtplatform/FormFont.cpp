#include "qtplatform/FormFont.h"

#include <QWidget>

#include "platform/PrinterPort.h"

namespace sorabel {

void installFontSubstitutions() {
  QFont::insertSubstitutions(kFormFontName, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(kMenuFontName, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(QString::fromUtf8(kPrintFontName), {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")});
}

QFont formFont() {
  QFont font(kFormFontName);
  font.setPixelSize(12);
  return font;
}

void applyFormFont(QWidget* window) { window->setFont(formFont()); }

}  // namespace sorabel
