#pragma once
// The parent of a toolbar while it floats: a hidden, empty child widget of
// the toolbar's form (of the MDI parent form for an MDI child). The floating
// toolbar is a tool window of its own whose parent is this widget, so the
// window system keeps it above the form's window and it is deleted with the
// form. Hiding or minimising the form does not hide it: the toolbar parks
// itself off screen then (FormHooks).

#include <QWidget>

namespace sorabel::toolbars {

class TFloatParent : public QWidget {
  Q_OBJECT

 public:
  explicit TFloatParent(QWidget* form);
};

}  // namespace sorabel::toolbars
