#include "components/toolbars/TToolbarSep.h"

#include <QMouseEvent>
#include <QPainter>

#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "platform/draw/AccessibleWidget.h"
#include "platform/draw/QtCanvas.h"

namespace sorabel::toolbars {

using namespace draw;

TToolbarSep::TToolbarSep(TToolbar* toolbar) : QWidget(nullptr) {
  if (toolbar == nullptr) throw EInvalidOperation("TToolbarSep can only be placed on a TToolbar");
  setParent(toolbar);
  setAccessibleRole(this, QAccessible::Separator);
  resize(6, 22);
}

void TToolbarSep::setSuppressed(bool suppressed) {
  if (suppressed == suppressed_) return;
  suppressed_ = suppressed;
  update();
}

void TToolbarSep::paintOn(Canvas& canvas) {
  auto* toolbar = qobject_cast<TToolbar*>(parentWidget());
  if (toolbar == nullptr || suppressed_) return;
  const bool vertical = toolbar->DockedTo() != nullptr && toolbar->DockedTo()->isVerticalDock();
  if (vertical) {
    const int m = height() / 2;
    canvas.setPen(clBtnShadow);
    canvas.line({0, m - 1}, {width(), m - 1});
    canvas.setPen(clBtnHighlight);
    canvas.line({0, m}, {width(), m});
  } else {
    const int m = width() / 2;
    canvas.setPen(clBtnShadow);
    canvas.line({m - 1, 0}, {m - 1, height()});
    canvas.setPen(clBtnHighlight);
    canvas.line({m, 0}, {m, height()});
  }
}

void TToolbarSep::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(&painter, palette());
  paintOn(canvas);
}

void TToolbarSep::mousePressEvent(QMouseEvent* event) {
  auto* toolbar = qobject_cast<TToolbar*>(parentWidget());
  if (toolbar == nullptr || event->button() != Qt::LeftButton) return;
  const QPoint inToolbar = mapTo(toolbar, event->position().toPoint());
  toolbar->clientMouseDown(inToolbar - (toolbar->floating() ? QPoint(toolbar->frameMetrics().frameWidth,
                                                                     toolbar->frameMetrics().frameWidth +
                                                                         toolbar->frameMetrics().captionHeight)
                                                            : QPoint()),
                           false);
}

void TToolbarSep::mouseDoubleClickEvent(QMouseEvent* event) {
  auto* toolbar = qobject_cast<TToolbar*>(parentWidget());
  if (toolbar == nullptr || event->button() != Qt::LeftButton) return;
  toolbar->clientMouseDown({}, true);
}

}  // namespace sorabel::toolbars
