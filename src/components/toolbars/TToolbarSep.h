#pragma once
// A separator of a toolbar: a rule between groups of buttons, across the
// line (vertical in a horizontal line, horizontal in a vertical dock), not
// drawn where it ends a line of a floating toolbar. A press on it drags the
// toolbar.

#include <QPointer>
#include <QWidget>

#include "draw/Canvas.h"

namespace sorabel::toolbars {

class TToolbar;

class TToolbarSep : public QWidget {
  Q_OBJECT

 public:
  // Throws EInvalidOperation on anything but a toolbar.
  explicit TToolbarSep(TToolbar* toolbar);
  // Throws EInvalidOperation on anything but a toolbar, and stays where it
  // was; a re-parenting through QWidget is undone and reported.
  void setParent(QWidget* parent);

  bool Suppressed() const { return suppressed_; }
  void setSuppressed(bool suppressed);

  void paintOn(draw::Canvas& canvas) const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void passPressOn(QMouseEvent* event, bool doubleClick);

  bool suppressed_ = false;
  QPointer<TToolbar> toolbar_;  // where a refused re-parenting returns
};

}  // namespace sorabel::toolbars
