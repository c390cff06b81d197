#include "components/imagemenu/Accelerators.h"

#include <QAction>

namespace sorabel::imagemenu {

bool MatchesAccelerator(QChar typed, const QString& caption) {
  const qsizetype amp = caption.indexOf(QLatin1Char('&'));
  if (amp < 0 || amp + 1 >= caption.size()) return false;
  return QString(caption[amp + 1]).compare(QString(typed), Qt::CaseInsensitive) == 0;
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
