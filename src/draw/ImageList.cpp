#include "draw/ImageList.h"

#include <QPixmap>

#include "draw/Canvas.h"

namespace sorabel::draw {

ImageList::ImageList(int width, int height, QObject* parent) : QObject(parent), width_(width), height_(height) {}

QImage ImageList::fitted(const QImage& image) const {
  QImage result = image.convertToFormat(QImage::Format_ARGB32);
  if (result.size() != QSize(width_, height_)) result = result.scaled(width_, height_);
  return result;
}

int ImageList::addStrip(const QImage& strip, Color transparent) {
  const int first = count();
  const QImage clear = withTransparentColor(strip, transparent);
  for (int x = 0; x + width_ <= clear.width(); x += width_) images_.push_back(fitted(clear.copy(x, 0, width_, height_)));
  emit changed();
  return first;
}

int ImageList::add(const QImage& image) {
  images_.push_back(fitted(image));
  emit changed();
  return count() - 1;
}

void ImageList::replace(int index, const QImage& image) {
  if (index < 0) return;
  if (index >= count()) images_.resize(static_cast<std::size_t>(index) + 1, QImage(width_, height_, QImage::Format_ARGB32));
  images_[static_cast<std::size_t>(index)] = fitted(image);
  emit changed();
}

QImage ImageList::image(int index) const {
  if (index < 0 || index >= count()) return {};
  return images_[static_cast<std::size_t>(index)];
}

QIcon ImageList::icon(int index) const {
  const QImage picture = image(index);
  return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

void ImageList::draw(Canvas& canvas, int index, Point at) const {
  const QImage picture = image(index);
  if (!picture.isNull()) canvas.drawImage(at, picture);
}

}  // namespace sorabel::draw
