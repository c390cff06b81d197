#include "components/imagemenu/TSlideButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "components/imagemenu/ComponentBitmaps.h"
#include "components/imagemenu/MenuAccessibility.h"
#include "components/imagemenu/TImageMenu.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "draw/QtCanvas.h"

namespace sorabel::imagemenu {

using namespace draw;

TSlideButton::TSlideButton(TMenuButtonBar* bar, Direction direction)
    : QWidget(bar), bar_(bar), direction_(direction) {
  resize(12, 25);
  setObjectName(direction == Left ? QStringLiteral("LeftSlider") : QStringLiteral("RightSlider"));
  setToolTip(direction == Left ? QStringLiteral("左へ") : QStringLiteral("右へ"));
  installMenuAccessibility();
}

void TSlideButton::click() { bar_->scroll(direction_ == Left ? -1 : 1); }

// A tick of the held slider: a failing click stops the repeating and goes
// to the exception handler.
void TSlideButton::repeat() {
  repeatTimer_->setInterval(100);
  if (!pressed_) {
    repeatTimer_->stop();
    return;
  }
  if (!runHandler([this] { click(); })) repeatTimer_->stop();
}

void TSlideButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(&painter, activeColours(palette()));
  const Rect client{0, 0, width(), height()};
  canvas.setBrushColor(bar_->Color());
  canvas.fillRect(client);
  if (pressed_)
    canvas.drawEdge(client, BDR_SUNKENOUTER, BF_RECT);
  else if (hot_ && isEnabled())
    canvas.drawEdge(client, BDR_RAISEDINNER, BF_RECT);
  const QImage arrow = withTransparentColor(componentBitmap(direction_ == Left ? "LEFT" : "RIGHT"), kGlyphTransparent);
  const int offset = pressed_ ? 1 : 0;
  const Point at{(width() - arrow.width()) / 2 + offset, (height() - arrow.height()) / 2 + offset};
  if (isEnabled())
    canvas.drawImage(at, arrow);
  else
    TImageMenu::embossPicture(canvas, arrow, at);
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
  if (rect().contains(event->position().toPoint())) runHandler([this] { click(); });
}

void TSlideButton::enterEvent(QEnterEvent*) {
  hot_ = true;
  update();
}

void TSlideButton::leaveEvent(QEvent*) {
  hot_ = false;
  update();
  if (!isEnabled()) hide();
}

}  // namespace sorabel::imagemenu
