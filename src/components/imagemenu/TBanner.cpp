#include "components/imagemenu/TBanner.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

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

const QImage& TBanner::picture(int height, qreal ratio) {
  const int width = std::max(1, bannerWidth_);
  height = std::max(1, height);
  const QSize pixels(qRound(width * ratio), qRound(height * ratio));
  // System colours are taken from the palette in force: another palette
  // makes the picture again.
  const std::array<QRgb, 3> colours{draw::resolve(bottomColor_).rgb(), draw::resolve(topColor_).rgb(),
                                    draw::resolve(font_.color).rgb()};
  if (!picture_.isNull() && picture_.size() == pixels && picture_.devicePixelRatio() == ratio && colours == colours_)
    return picture_;
  colours_ = colours;
  picture_ = QImage(pixels, QImage::Format_RGB32);
  picture_.setDevicePixelRatio(ratio);
  QPainter painter(&picture_);
  const QRect logical(0, 0, width, height);
  QLinearGradient gradient(0, height, 0, 0);
  gradient.setColorAt(0, draw::resolve(bottomColor_));
  gradient.setColorAt(1, draw::resolve(topColor_));
  painter.fillRect(logical, gradient);
  if (!caption_.isEmpty()) {
    painter.setFont(font_.toQFont());
    painter.setPen(draw::resolve(font_.color));
    painter.translate(0, height);
    painter.rotate(-90);
    painter.drawText(QRect(4, 0, height - 8, width), Qt::AlignLeft | Qt::AlignVCenter, caption_);
  }
  return picture_;
}

}  // namespace sorabel::imagemenu
