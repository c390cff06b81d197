#pragma once
// The program's fonts. Windows are designed for "ＭＳ Ｐゴシック" 12 pixels,
// printing for kPrintFontName (PrinterPort.h) and menus for "MS UI Gothic";
// at start-up these names are mapped to the Japanese fonts installed here.

#include <QFont>
#include <QString>

class QWidget;

namespace sorabel {

inline const QString kFormFontName = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kMenuFontName = QStringLiteral("MS UI Gothic");

// Maps the design font names to installed fonts.
void installFontSubstitutions();

// "ＭＳ Ｐゴシック", 12 pixels high.
QFont formFont();

// Gives a window the form font.
void applyFormFont(QWidget* window);

}  // namespace sorabel
