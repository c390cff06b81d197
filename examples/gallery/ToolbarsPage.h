#pragma once
// The gallery's page for the dockable toolbars: it opens a form with docks
// on all four sides holding toolbars of every kind: several to a row, one
// pushed back from the dock's far edge, latching groups, a drop-down
// button, captions in each glyph layout, a vertical toolbar and a floating
// one that wraps into lines. Every toolbar can be dragged, docked, floated
// and resized; the form logs the buttons pressed.

#include <QWidget>

namespace gallery {

class ToolbarsPage : public QWidget {
  Q_OBJECT

 public:
  explicit ToolbarsPage(QWidget* parent = nullptr);

  // The form, made on first need.
  QWidget* demoForm();

 private:
  QWidget* form_ = nullptr;
};

}  // namespace gallery
