#include "components/imagemenu/Accelerators.h"

#include <QAction>

#include "draw/TextRules.h"

namespace sorabel::imagemenu {

bool MatchesAccelerator(QChar typed, const QString& caption) {
  const QChar key = draw::acceleratorOf(caption, draw::DoubledAmpersand::Marker);
  return !key.isNull() && QString(key).compare(QString(typed), Qt::CaseInsensitive) == 0;
}

MenuCharResult MenuCharIndex(const QList<QAction*>& items, QChar typed) {
  int invisible = 0;
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (!items[i]->isVisible()) {
      ++invisible;
      continue;
    }
    if (MatchesAccelerator(typed, items[i]->text())) return {static_cast<int>(i) - invisible, MNC_EXECUTE};
  }
  return {0, MNC_IGNORE};
}

}  // namespace sorabel::imagemenu
