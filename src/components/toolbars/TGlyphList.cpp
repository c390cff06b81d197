#include "components/toolbars/TGlyphList.h"

#include "draw/Canvas.h"

namespace sorabel::toolbars {

namespace {

std::unique_ptr<TGlyphCache>& cacheHolder() {
  static std::unique_ptr<TGlyphCache> cache;
  return cache;
}

}  // namespace

int TGlyphList::Allocate() {
  int slot = 0;
  while (slot < size() && used_[static_cast<std::size_t>(slot)]) ++slot;
  if (slot >= size()) {
    QImage blank(width_, height_, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    images_.push_back(blank);
    used_.push_back(false);
  }
  used_[static_cast<std::size_t>(slot)] = true;
  ++count_;
  return slot;
}

int TGlyphList::AddWithMask(const QImage& bitmap, const QImage& mask) {
  const int slot = Allocate();
  QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height() && y < mask.height(); ++y)
    for (int x = 0; x < image.width() && x < mask.width(); ++x)
      if ((mask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) image.setPixel(x, y, qRgba(0, 0, 0, 0));
  images_[static_cast<std::size_t>(slot)] = image;
  return slot;
}

void TGlyphList::Release(int slot) {
  if (slot < 0 || slot >= size() || !used_[static_cast<std::size_t>(slot)]) return;
  used_[static_cast<std::size_t>(slot)] = false;
  --count_;
}

void TGlyphList::draw(draw::Canvas& canvas, int slot, draw::Point at) const {
  if (slot >= 0 && slot < size()) canvas.drawImage(at, image(slot));
}

TGlyphCache* TGlyphCache::instance() { return cacheHolder().get(); }

TGlyphCache& TGlyphCache::ensure() {
  if (!cacheHolder()) cacheHolder() = std::make_unique<TGlyphCache>();
  return *cacheHolder();
}

void TGlyphCache::freeIfEmpty() {
  if (cacheHolder() && cacheHolder()->IsEmpty()) cacheHolder().reset();
}

TGlyphList* TGlyphCache::ListFor(int width, int height) {
  for (auto it = lists_.rbegin(); it != lists_.rend(); ++it)
    if ((*it)->width() == width && (*it)->height() == height) return it->get();
  lists_.push_back(std::make_unique<TGlyphList>(width, height));
  return lists_.back().get();
}

void TGlyphCache::ReleaseList(TGlyphList* list) {
  if (list == nullptr || list->count() > 0) return;
  for (auto it = lists_.begin(); it != lists_.end(); ++it)
    if (it->get() == list) {
      lists_.erase(it);
      return;
    }
}

}  // namespace sorabel::toolbars
