#pragma once
// The component gallery: one page per component family, showing what the
// cash book does not use.

#include <QMainWindow>

namespace gallery {

class GalleryWindow : public QMainWindow {
  Q_OBJECT

 public:
  GalleryWindow();
};

}  // namespace gallery
