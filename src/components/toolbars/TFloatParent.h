#pragma once
// The hidden owner of a floating toolbar: a child of the toolbar's form
// (of the MDI parent form for an MDI child), so that the floating window
// belongs to the form's window and goes and comes with it.

#include <QWidget>

namespace sorabel::toolbars {

class TFloatParent : public QWidget {
  Q_OBJECT

 public:
  explicit TFloatParent(QWidget* form);
};

}  // namespace sorabel::toolbars
