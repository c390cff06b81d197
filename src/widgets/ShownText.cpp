#include "widgets/ShownText.h"

#include "qtplatform/AnsiText.h"

namespace sorabel {
namespace {

const QString kEllipsis = QStringLiteral("…");

}  // namespace

QString shownCellText(std::string_view ansi) {
  // A character takes at most two bytes: converting twice the shown length
  // is enough, and keeps a huge cell from being converted whole.
  const auto maxBytes = static_cast<std::size_t>(2 * kShownCellLength);
  if (ansi.size() <= maxBytes) return shownCellText(toQString(ansi));
  return toQString(prefixOnCharBoundary(ansi, maxBytes)).left(kShownCellLength) + kEllipsis;
}

QString shownCellText(const QString& text) {
  if (text.size() <= kShownCellLength) return text;
  return text.left(kShownCellLength) + kEllipsis;
}

}  // namespace sorabel
