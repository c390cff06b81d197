#include "components/imagemenu/TItemImages.h"

namespace sorabel::imagemenu {

TItemImage& TItemImages::Add() { return rows_.emplace_back(); }

TItemImage& TItemImages::Add(QAction* item, int imageIndex, const QString& hint) {
  TItemImage& row = Add();
  row.setMenuItem(item);
  row.setImageIndex(imageIndex);
  row.setHint(hint);
  return row;
}

void TItemImages::Delete(int index) {
  if (index >= 0 && index < Count()) rows_.erase(rows_.begin() + index);
}

void TItemImages::Clear() {
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

const TItemImage* TItemImages::rowOf(const QAction* item) const {
  if (item == nullptr) return nullptr;
  for (const TItemImage& row : rows_)
    if (row.MenuItem() == item) return &row;
  return nullptr;
}

int TItemImages::lastRowOf(const QObject* item) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i).links(item)) return i;
  return -1;
}

}  // namespace sorabel::imagemenu
