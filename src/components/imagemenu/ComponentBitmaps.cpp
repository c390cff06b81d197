#include "components/imagemenu/ComponentBitmaps.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace sorabel::imagemenu {
namespace {

// A mask of a logical size at a ratio; the shapes are given in logical
// pixels and set on the device pixels they cover.
class Mask {
 public:
  Mask(int width, int height, qreal ratio)
      : ratio_(ratio), image_(device(width), device(height), QImage::Format_RGB32) {
    image_.fill(Qt::white);
  }

  int device(qreal logical) const { return static_cast<int>(std::lround(logical * ratio_)); }
  // The logical position of a device pixel's left or top edge.
  qreal logical(int devicePixel) const { return devicePixel / ratio_; }
  int columns() const { return image_.width(); }
  int rows() const { return image_.height(); }

  void fill(qreal left, qreal top, qreal width, qreal height, bool on = true) {
    for (int y = device(top); y < device(top + height) && y < rows(); ++y)
      for (int x = device(left); x < device(left + width) && x < columns(); ++x) set(x, y, on);
  }
  void frame(qreal left, qreal top, qreal width, qreal height) {
    fill(left, top, width, 1);
    fill(left, top + height - 1, width, 1);
    fill(left, top, 1, height);
    fill(left + width - 1, top, 1, height);
  }
  // Device column x from logical row top to bottom.
  void column(int x, qreal top, qreal bottom) {
    for (int y = std::max(0, device(top)); y < device(bottom) && y < rows(); ++y) set(x, y, true);
  }
  // Device row y from logical column left to right.
  void row(int y, qreal left, qreal right) {
    for (int x = std::max(0, device(left)); x < device(right) && x < columns(); ++x) set(x, y, true);
  }

  QImage done() {
    image_.setDevicePixelRatio(ratio_);
    return image_;
  }

 private:
  void set(int x, int y, bool on) { image_.setPixel(x, y, on ? 0xFF000000u : 0xFFFFFFFFu); }

  qreal ratio_;
  QImage image_;
};

// The top of the check mark's band over logical column u: down from (4, 8)
// to (6, 10), then up to (12, 4).
qreal checkTop(qreal u) { return u <= 6 ? 8 + (u - 4) : 10 - (u - 6); }

QImage check(ComponentPicture part, qreal ratio) {
  Mask mask(16, 16, ratio);
  for (int x = mask.device(4); x < mask.device(12); ++x) {
    const qreal top = checkTop(mask.logical(x));
    if (part == ComponentPicture::CheckLight)
      mask.column(x, top - 1, top);
    else if (part == ComponentPicture::CheckMark)
      mask.column(x, top, top + 2);
    else
      mask.column(x, top + 2, top + 3);
  }
  return mask.done();
}

QImage windowCommand(ComponentPicture picture, qreal ratio) {
  Mask mask(16, 16, ratio);
  switch (picture) {
    case ComponentPicture::Minimize: mask.fill(4, 11, 7, 2); break;
    case ComponentPicture::Maximize:
      mask.frame(3, 3, 10, 9);
      mask.fill(3, 3, 10, 2);
      break;
    case ComponentPicture::Restore:
      mask.frame(5, 2, 8, 7);
      mask.fill(5, 2, 8, 2);
      mask.fill(3, 6, 8, 7, false);  // the front window hides the back one
      mask.frame(3, 6, 8, 7);
      mask.fill(3, 6, 8, 2);
      break;
    default:  // Close: two bands two pixels wide crossing
      for (int y = mask.device(4); y < mask.device(12); ++y) {
        const qreal v = mask.logical(y);
        mask.row(y, v, v + 2);
        mask.row(y, 14 - v, 16 - v);
      }
      break;
  }
  return mask.done();
}

// A triangle pointing left or right: its tip one pixel high, each column
// two pixels higher than the one before, four columns.
QImage arrow(bool left, qreal ratio) {
  Mask mask(7, 15, ratio);
  for (int x = 0; x < mask.columns(); ++x) {
    const qreal c = left ? mask.logical(x) - 1 : 6 - mask.logical(x + 1);
    if (c >= 0 && c < 4) mask.column(x, 7 - c, 8 + c);
  }
  return mask.done();
}

QImage makeMask(ComponentPicture picture, qreal ratio) {
  switch (picture) {
    case ComponentPicture::CheckMark:
    case ComponentPicture::CheckLight:
    case ComponentPicture::CheckShade: return check(picture, ratio);
    case ComponentPicture::Left: return arrow(true, ratio);
    case ComponentPicture::Right: return arrow(false, ratio);
    default: return windowCommand(picture, ratio);
  }
}

}  // namespace

QImage componentMask(ComponentPicture picture, qreal ratio) {
  if (ratio <= 0) ratio = 1.0;
  // Made once a picture and ratio: menus paint them item by item.
  static std::map<std::pair<int, long>, QImage> made;
  const std::pair<int, long> key{static_cast<int>(picture), std::lround(ratio * 1000)};
  auto found = made.find(key);
  if (found == made.end()) found = made.emplace(key, makeMask(picture, ratio)).first;
  return found->second;
}

}  // namespace sorabel::imagemenu
