#pragma once
// Cell texts as the grids show them. A cell can hold a text of any length
// (a broken book may have a field of megabytes); laying out such a text at
// every paint would keep the window busy for seconds, so a text longer
// than a screen could show is shown cut, ending in "…". The cell itself
// keeps its whole text.

#include <QString>
#include <string_view>

namespace sorabel {

// Characters a grid cell shows at most before the "…".
constexpr qsizetype kShownCellLength = 1024;

// The text to show for a cell of Shift-JIS bytes, and for a Qt text.
QString shownCellText(std::string_view ansi);
QString shownCellText(const QString& text);

}  // namespace sorabel
