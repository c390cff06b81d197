#pragma once
// An image list of one cell size whose slots are handed out and given back:
// a released slot is reused by the next allocation instead of shrinking the
// list.

#include <QImage>
#include <memory>
#include <vector>

#include "draw/DrawTypes.h"

namespace sorabel::draw {
class Canvas;
}

namespace sorabel::toolbars {

class TGlyphList {
 public:
  TGlyphList(int width, int height) : width_(width), height_(height) {}

  int width() const { return width_; }
  int height() const { return height_; }
  // Slots in use.
  int count() const { return count_; }
  // Slots in all (the list's size).
  int size() const { return static_cast<int>(images_.size()); }

  // The lowest free slot, appended when none is free.
  int Allocate();
  // Allocate a slot and put the bitmap there, transparent where the mask
  // is white.
  int AddWithMask(const QImage& bitmap, const QImage& mask);
  void Release(int slot);

  const QImage& image(int slot) const { return images_.at(static_cast<std::size_t>(slot)); }
  void draw(draw::Canvas& canvas, int slot, draw::Point at) const;

 private:
  int width_;
  int height_;
  std::vector<QImage> images_;
  std::vector<bool> used_;
  int count_ = 0;
};

// The image lists of the glyph renderers, at most one per cell size, shared
// by all buttons of the process.
class TGlyphCache {
 public:
  // The process's cache, made on first need; nullptr when there is none.
  static TGlyphCache* instance();
  static TGlyphCache& ensure();
  // Frees the process's cache when it holds no lists.
  static void freeIfEmpty();

  TGlyphList* ListFor(int width, int height);
  // Frees list when no slot of it is used any more.
  void ReleaseList(TGlyphList* list);
  bool IsEmpty() const { return lists_.empty(); }
  int listCount() const { return static_cast<int>(lists_.size()); }

 private:
  std::vector<std::unique_ptr<TGlyphList>> lists_;
};

}  // namespace sorabel::toolbars
