#include "components/toolbars/DragOutline.h"

#include <QPainter>
#include <QRegion>

#include "draw/Canvas.h"

namespace sorabel::toolbars {

DragOutline::DragOutline()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint) {
  setObjectName(QStringLiteral("DragOutline"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DragOutline::showFrame(const draw::Rect& rect, int thickness) {
  if (rect == rect_ && thickness == thickness_ && isVisible()) return;
  rect_ = rect;
  thickness_ = thickness;
  const QRect outer(0, 0, rect.width(), rect.height());
  const QRegion frame = QRegion(outer) - QRegion(outer.adjusted(thickness, thickness, -thickness, -thickness));
  setGeometry(rect.left, rect.top, rect.width(), rect.height());
  setMask(frame);
  if (!isVisible()) show();
  update();
}

void DragOutline::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QBrush(draw::checkerPattern(Qt::black, QColor(160, 160, 160))));
}

}  // namespace sorabel::toolbars
