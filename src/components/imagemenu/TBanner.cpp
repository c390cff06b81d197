#include "components/imagemenu/TBanner.h"

#include <QLinearGradient>
#include <QPainter>

#include "components/imagemenu/ImageMenuTypes.h"
#include "draw/SysColors.h"

namespace sorabel::imagemenu {

void TBanner::setShowBanner(bool show) {
  if (show == showBanner_) return;
  showBanner_ = show;
  if (onSizeChanged) onSizeChanged();
}

void TBanner::setBannerWidth(int width) {
  if (width < 0 || width > 255 || width == bannerWidth_) return;
  bannerWidth_ = width;
  picture_ = QImage();
  if (onSizeChanged) onSizeChanged();
}

void TBanner::setCaption(const QString& caption) {
  caption_ = caption;
  picture_ = QImage();
}

void TBanner::setFont(const draw::CanvasFont& font) {
  if (font.height < -kMaxFontHeight || font.height > kMaxFontHeight) return;
  font_ = font;
  picture_ = QImage();
}

void TBanner::setBottomColor(draw::Color color) {
  if (!isColorValue(color)) return;
  bottomColor_ = color;
  picture_ = QImage();
}

void TBanner::setTopColor(draw::Color color) {
  if (!isColorValue(color)) return;
  topColor_ = color;
  picture_ = QImage();
}

const QImage& TBanner::picture(int height) {
  if (!picture_.isNull() && picture_.height() == height && picture_.width() == bannerWidth_) return picture_;
  picture_ = QImage(std::max(1, bannerWidth_), std::max(1, height), QImage::Format_RGB32);
  QPainter painter(&picture_);
  QLinearGradient gradient(0, picture_.height(), 0, 0);
  gradient.setColorAt(0, draw::resolve(bottomColor_));
  gradient.setColorAt(1, draw::resolve(topColor_));
  painter.fillRect(picture_.rect(), gradient);
  if (!caption_.isEmpty()) {
    painter.setFont(font_.toQFont());
    painter.setPen(draw::resolve(font_.color));
    painter.translate(0, picture_.height());
    painter.rotate(-90);
    painter.drawText(QRect(4, 0, picture_.height() - 8, picture_.width()), Qt::AlignLeft | Qt::AlignVCenter, caption_);
  }
  return picture_;
}

}  // namespace sorabel::imagemenu
