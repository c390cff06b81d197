#include "GalleryPictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <QPainterPath>

namespace gallery {

qreal screenRatio() { return qApp != nullptr ? std::max<qreal>(1.0, qApp->devicePixelRatio()) : 1.0; }

QImage shapePicture(int i, int size, qreal ratio) {
  static const QColor colors[] = {QColor(200, 50, 40), QColor(40, 110, 200), QColor(40, 150, 70), QColor(230, 170, 30),
                                  QColor(130, 60, 170), QColor(20, 150, 160), QColor(90, 90, 90), QColor(210, 90, 150)};
  QImage image(qRound(size * ratio), qRound(size * ratio), QImage::Format_ARGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  const QColor color = colors[i % 8];
  p.setPen(QPen(color.darker(150), 1));
  p.setBrush(color);
  switch (i % 4) {
    case 0: p.drawEllipse(QRectF(2, 2, 12, 12)); break;
    case 1: p.drawRect(QRectF(2.5, 2.5, 11, 11)); break;
    case 2: {
      QPainterPath path;
      path.moveTo(8, 1.5);
      path.lineTo(14.5, 14);
      path.lineTo(1.5, 14);
      path.closeSubpath();
      p.drawPath(path);
      break;
    }
    default: p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 3, 3); break;
  }
  return image;
}

QImage tilePicture(QColor base, QColor stripe) {
  QImage tile(16, 16, QImage::Format_RGB32);
  tile.fill(base);
  for (int i = 0; i < 16; ++i) {
    tile.setPixelColor(i, (i + 4) % 16, stripe);
    tile.setPixelColor(i, (i + 5) % 16, stripe);
  }
  return tile;
}

}  // namespace gallery
