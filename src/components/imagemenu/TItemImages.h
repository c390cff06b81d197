#pragma once
// The collection of item links of an image menu. Rows are searched in
// collection order; the first row whose MenuItem is the item wins.

#include <vector>

#include "components/imagemenu/TItemImage.h"

namespace sorabel::imagemenu {

class TItemImages {
 public:
  TItemImage& Add();
  // Adds a row linking item to a picture and a hint.
  TItemImage& Add(QAction* item, int imageIndex, const QString& hint);
  void Delete(int index);
  void Clear();

  int Count() const { return static_cast<int>(rows_.size()); }
  TItemImage& Items(int index) { return rows_.at(static_cast<std::size_t>(index)); }
  const TItemImage& Items(int index) const { return rows_.at(static_cast<std::size_t>(index)); }

  // The first row linking item, or nullptr.
  const TItemImage* rowOf(const QAction* item) const;
  // The last row linking item (also one being destroyed), or -1.
  int lastRowOf(const QObject* item) const;

 private:
  std::vector<TItemImage> rows_;
};

}  // namespace sorabel::imagemenu
