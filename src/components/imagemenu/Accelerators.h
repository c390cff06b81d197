#pragma once
// Accelerator letters typed into an open menu: which item a character
// chooses.

#include <QChar>
#include <QList>
#include <QString>

class QAction;

namespace sorabel::imagemenu {

// MatchesAccelerator: the character after the first "&" of the caption and
// the typed character, compared without regard to case. No "&", or "&" as
// the last character, never matches; "&&" is not treated specially.
bool MatchesAccelerator(QChar typed, const QString& caption);

// The answer to a typed character (WM_MENUCHAR): code 2 (MNC_EXECUTE) with
// the position of the chosen item among the visible ones, or 0 and 0
// (MNC_IGNORE).
struct MenuCharResult {
  int position = 0;
  int code = 0;
  bool operator==(const MenuCharResult&) const = default;
};
constexpr int MNC_IGNORE = 0;
constexpr int MNC_EXECUTE = 2;

// MenuCharIndex over items: the first visible item whose caption matches.
MenuCharResult MenuCharIndex(const QList<QAction*>& items, QChar typed);

}  // namespace sorabel::imagemenu
