#include "components/imagemenu/TItemImage.h"

namespace sorabel::imagemenu {

QString TItemImage::displayName() const {
  return menuItem_ != nullptr ? menuItem_->text() : QStringLiteral("TItemImage");
}

void TItemImage::assign(const TItemImage& other) {
  menuItem_ = other.menuItem_;
  linked_ = other.linked_;
  imageIndex_ = other.imageIndex_;
  hint_ = other.hint_;
}

QString shortHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.left(bar);
}

QString longHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

}  // namespace sorabel::imagemenu
