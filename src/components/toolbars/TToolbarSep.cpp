#include "components/toolbars/TToolbarSep.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "components/toolbars/TDock.h"
#include "components/toolbars/ToolbarAccessible.h"
#include "components/toolbars/ToolbarInternals.h"
#include "components/toolbars/ToolbarMetrics.h"
#include "draw/HandlerBoundary.h"
#include "draw/QtCanvas.h"

namespace sorabel::toolbars {

using namespace draw;

namespace {

TToolbar* checkedToolbar(QWidget* parent) {
  auto* toolbar = qobject_cast<TToolbar*>(parent);
  if (toolbar == nullptr) throw EInvalidOperation("TToolbarSep can only be placed on a TToolbar");
  return toolbar;
}

}  // namespace

TToolbarSep::TToolbarSep(TToolbar* toolbar) : QWidget(nullptr) {
  QWidget::setParent(checkedToolbar(toolbar));
  toolbar_ = toolbar;
  installToolbarAccessibility();
  resize(kSeparatorWidth, 22);
}

void TToolbarSep::setParent(QWidget* parent) {
  TToolbar* toolbar = checkedToolbar(parent);
  const bool shown = !isHidden();
  QWidget::setParent(toolbar);
  setVisible(shown);
}

void TToolbarSep::setSuppressed(bool suppressed) {
  if (suppressed == suppressed_) return;
  suppressed_ = suppressed;
  update();
}

void TToolbarSep::paintOn(Canvas& canvas) const {
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
  runHandler([this] {
    QPainter painter(this);
    QtCanvas canvas(&painter, palette());
    paintOn(canvas);
  });
}

// A press on a separator is a press on its toolbar: it drags it, and a
// double click docks or floats it.
void TToolbarSep::passPressOn(QMouseEvent* event, bool doubleClick) {
  auto* toolbar = qobject_cast<TToolbar*>(parentWidget());
  if (toolbar == nullptr || event->button() != Qt::LeftButton) return;
  const QPoint inToolbar = mapTo(toolbar, event->position().toPoint());
  ToolbarInternals::clientMouseDown(*toolbar, inToolbar - ToolbarInternals::clientOrigin(*toolbar), doubleClick);
}

void TToolbarSep::mousePressEvent(QMouseEvent* event) {
  runHandler([&] { passPressOn(event, false); });
}

void TToolbarSep::mouseDoubleClickEvent(QMouseEvent* event) {
  runHandler([&] { passPressOn(event, true); });
}

// A re-parenting through QWidget onto anything but a toolbar is undone and
// reported.
bool TToolbarSep::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) {
    runHandler([this] {
      if (qobject_cast<TToolbar*>(parentWidget()) != nullptr) {
        toolbar_ = static_cast<TToolbar*>(parentWidget());
        return;
      }
      QWidget::setParent(toolbar_);
      if (toolbar_ != nullptr) show();
      checkedToolbar(nullptr);
    });
  }
  return QWidget::event(event);
}

}  // namespace sorabel::toolbars
