#include "components/imagemenu/ComponentBitmaps.h"

#include <QPainter>
#include <cstring>

namespace sorabel::imagemenu {
namespace {

QColor qcolor(draw::Color c) { return QColor(draw::redOf(c), draw::greenOf(c), draw::blueOf(c)); }

QImage blank(int width, int height, draw::Color background) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(qcolor(background));
  return image;
}

// A check mark two pixels thick, its lowest point at (6, 11).
QImage checkMark(QColor mark, QColor shade, QColor light) {
  QImage image = blank(16, 16, kCheckTransparent);
  const int points[][2] = {{4, 8}, {5, 9}, {6, 10}, {7, 9}, {8, 8}, {9, 7}, {10, 6}, {11, 5}};
  for (const auto& p : points) {
    image.setPixelColor(p[0], p[1] - 1, light);
    image.setPixelColor(p[0], p[1], mark);
    image.setPixelColor(p[0], p[1] + 1, mark);
    image.setPixelColor(p[0], p[1] + 2, shade);
  }
  return image;
}

QImage windowCommand(const char* name) {
  QImage image = blank(16, 16, kGlyphTransparent);
  QPainter p(&image);
  p.setPen(Qt::black);
  if (std::strcmp(name, "MIN") == 0) {
    p.fillRect(4, 11, 7, 2, Qt::black);
  } else if (std::strcmp(name, "MAX") == 0) {
    p.drawRect(3, 3, 9, 8);
    p.fillRect(3, 3, 10, 2, Qt::black);
  } else if (std::strcmp(name, "RESTORE") == 0) {
    p.drawRect(5, 2, 7, 6);
    p.fillRect(5, 2, 8, 2, Qt::black);
    p.fillRect(3, 6, 8, 7, qcolor(kGlyphTransparent));
    p.drawRect(3, 6, 7, 6);
    p.fillRect(3, 6, 8, 2, Qt::black);
  } else {  // CLOSE: a cross two pixels thick
    for (int i = 0; i < 8; ++i) {
      p.fillRect(4 + i, 4 + i, 2, 1, Qt::black);
      p.fillRect(10 - i, 4 + i, 2, 1, Qt::black);
    }
  }
  return image;
}

QImage arrow(bool left) {
  QImage image = blank(7, 15, kGlyphTransparent);
  for (int column = 0; column < 4; ++column) {
    const int x = left ? 1 + column : 5 - column;
    for (int y = 7 - column; y <= 7 + column; ++y) image.setPixelColor(x, y, Qt::black);
  }
  return image;
}

}  // namespace

QImage componentBitmap(const char* name) {
  if (std::strcmp(name, "CHECK") == 0) return checkMark(Qt::black, QColor(128, 128, 128), Qt::white);
  if (std::strcmp(name, "CHECKMONO") == 0) return checkMark(QColor(128, 128, 128), QColor(192, 192, 192), Qt::white);
  if (std::strcmp(name, "LEFT") == 0) return arrow(true);
  if (std::strcmp(name, "RIGHT") == 0) return arrow(false);
  for (const char* command : {"RESTORE", "MIN", "MAX", "CLOSE"})
    if (std::strcmp(name, command) == 0) return windowCommand(command);
  return {};
}

}  // namespace sorabel::imagemenu
