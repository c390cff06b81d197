#pragma once
// The dark theme the program offers itself (the --dark option), for
// desktops whose own dark theme does not reach Qt programs: the Fusion
// style with a dark palette whose text, selection and disabled colours
// stay readable on its backgrounds.

#include <QPalette>
#include <QStringList>

namespace sorabel {

QPalette darkPalette();

// The arguments ask for the dark theme.
bool wantsDarkTheme(const QStringList& arguments);

// Makes the running application dark: the Fusion style and darkPalette().
void applyDarkTheme();

}  // namespace sorabel
