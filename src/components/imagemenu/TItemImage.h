#pragma once
// A link from a menu item to a picture of the image list and a two-part
// hint: the short part before "|" is shown beside the cursor, the long part
// after it becomes the application hint. Copying a row copies its item,
// picture and hint.

#include <QAction>
#include <QPointer>
#include <QString>

namespace sorabel::imagemenu {

class TItemImage {
 public:
  const QString& Hint() const { return hint_; }
  void setHint(const QString& hint) { hint_ = hint; }

  QAction* MenuItem() const { return menuItem_; }
  void setMenuItem(QAction* item) {
    menuItem_ = item;
    linked_ = item;
  }
  // True when the row was linked to object (also while it is being destroyed).
  bool links(const QObject* object) const { return linked_ == object; }

  int ImageIndex() const { return imageIndex_; }
  // Values below -1 are ignored; -1 means no picture.
  void setImageIndex(int index) {
    if (index >= -1) imageIndex_ = index;
  }

 private:
  QString hint_;
  QPointer<QAction> menuItem_;
  const QObject* linked_ = nullptr;
  int imageIndex_ = -1;
};

// The parts of a hint "short|long": without a bar both parts are the text.
QString shortHint(const QString& hint);
QString longHint(const QString& hint);

}  // namespace sorabel::imagemenu
