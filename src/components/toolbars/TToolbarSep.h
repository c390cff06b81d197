#pragma once
// A separator of a toolbar: a rule between groups of buttons, across the
// line (vertical in a horizontal line, horizontal in a vertical dock), not
// drawn where it ends a line of a floating toolbar. A press on it drags the
// toolbar.

#include <QWidget>

#include "platform/draw/Canvas.h"

namespace sorabel::toolbars {

class TToolbar;

class TToolbarSep : public QWidget {
  Q_OBJECT

 public:
  // Throws EInvalidOperation on anything but a toolbar.
  explicit TToolbarSep(TToolbar* toolbar);

  bool Suppressed() const { return suppressed_; }
  void setSuppressed(bool suppressed);

  void paintOn(draw::Canvas& canvas);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool suppressed_ = false;
};

}  // namespace sorabel::toolbars
