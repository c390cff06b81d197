#pragma once
// An image list: pictures of one size, cut from a strip of equal cells or
// added one by one. It draws picture i on a canvas, hands it out as an icon,
// and tells its users when it goes away (QObject::destroyed).

#include <QIcon>
#include <QImage>
#include <QObject>
#include <vector>

#include "draw/DrawTypes.h"

namespace sorabel::draw {

class Canvas;

class ImageList : public QObject {
  Q_OBJECT

 public:
  ImageList(int width, int height, QObject* parent = nullptr);

  int width() const { return width_; }
  int height() const { return height_; }
  int count() const { return static_cast<int>(images_.size()); }

  // Cuts a strip into cells of this list's size and adds them; pixels of
  // the transparent colour become transparent. Returns the first index.
  int addStrip(const QImage& strip, Color transparent);
  // Adds one picture (scaled to the list's size when it differs).
  int add(const QImage& image);
  // Puts a picture in place of picture index (the list grows as needed).
  void replace(int index, const QImage& image);

  // Picture index, or an empty image for an index out of range.
  QImage image(int index) const;
  QIcon icon(int index) const;
  void draw(Canvas& canvas, int index, Point at) const;

 signals:
  void changed();

 private:
  QImage fitted(const QImage& image) const;

  int width_;
  int height_;
  std::vector<QImage> images_;
};

}  // namespace sorabel::draw
