#include "components/imagemenu/TSlideButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "components/imagemenu/ComponentBitmaps.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "platform/draw/AccessibleWidget.h"
#include "platform/draw/QtCanvas.h"

namespace sorabel::imagemenu {

using namespace draw;

TSlideButton::TSlideButton(TMenuButtonBar* bar, Direction direction)
    : QWidget(bar), bar_(bar), direction_(direction) {
  resize(12, 25);
  setObjectName(direction == Left ? QStringLiteral("LeftSlider") : QStringLiteral("RightSlider"));
  setToolTip(direction == Left ? QStringLiteral("左へ") : QStringLiteral("右へ"));
  setAccessibleRole(this, QAccessible::PushButton);
}

void TSlideButton::click() { bar_->scroll(direction_ == Left ? -1 : 1); }

void TSlideButton::repeat() {
  repeatTimer_->setInterval(100);
  if (!pressed_) {
    repeatTimer_->stop();
    return;
  }
  try {
    click();
  } catch (...) {
    repeatTimer_->stop();
    throw;
  }
}

void TSlideButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(&painter, palette());
  const Rect client{0, 0, width(), height()};
  canvas.setBrushColor(bar_->Color());
  canvas.fillRect(client);
  if (pressed_) canvas.drawEdge(client, BDR_SUNKENOUTER, BF_RECT);
  const QImage arrow = withTransparentColor(componentBitmap(direction_ == Left ? "LEFT" : "RIGHT"), kGlyphTransparent);
  const int offset = pressed_ ? 1 : 0;
  canvas.drawImage({(width() - arrow.width()) / 2 + offset, (height() - arrow.height()) / 2 + offset},
                   isEnabled() ? arrow : arrow);
}

void TSlideButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  pressed_ = true;
  update();
  if (repeatTimer_ == nullptr) {
    repeatTimer_ = new QTimer(this);
    connect(repeatTimer_, &QTimer::timeout, this, &TSlideButton::repeat);
  }
  repeatTimer_->start(400);
}

void TSlideButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (repeatTimer_ != nullptr) repeatTimer_->stop();
  update();
  if (rect().contains(event->position().toPoint())) click();
}

void TSlideButton::leaveEvent(QEvent*) {
  if (!isEnabled()) hide();
}

}  // namespace sorabel::imagemenu
