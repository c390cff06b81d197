#pragma once
// The gallery's first page: the image menu features the cash book does not
// use, switched on and off over the gallery window's own menu bar.

#include <QWidget>

class QMainWindow;
class QMenu;

namespace sorabel::draw {
class ImageList;
}
namespace sorabel::imagemenu {
class TMainImageMenu;
}

namespace gallery {

class ImageMenuPage : public QWidget {
  Q_OBJECT

 public:
  ImageMenuPage(QMainWindow* window, QWidget* parent = nullptr);

 private:
  void buildMenuBar(QMainWindow* window);
  void buildControls();
  void usePictureSize(bool large);

  sorabel::imagemenu::TMainImageMenu* menu_ = nullptr;
  sorabel::draw::ImageList* small_ = nullptr;
  sorabel::draw::ImageList* large_ = nullptr;
  QMenu* popup_ = nullptr;
  sorabel::imagemenu::TMainImageMenu* popupMenu_ = nullptr;
};

}  // namespace gallery
