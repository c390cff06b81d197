#include "components/imagemenu/TSlideButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "components/imagemenu/MenuAccessibility.h"
#include "components/imagemenu/TImageMenu.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "draw/QtCanvas.h"

namespace sorabel::imagemenu {

using namespace draw;

namespace {
// A held slider first repeats after this long, then at the shorter pace.
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 100;
}  // namespace

TSlideButton::TSlideButton(TMenuButtonBar* bar, Direction direction)
    : QWidget(bar), bar_(bar), direction_(direction) {
  resize(kWidth, 25);
  setObjectName(direction == Left ? QStringLiteral("LeftSlider") : QStringLiteral("RightSlider"));
  setToolTip(direction == Left ? QStringLiteral("左へ") : QStringLiteral("右へ"));
  installMenuAccessibility();
}

void TSlideButton::click() { bar_->scroll(direction_ == Left ? -1 : 1); }

// A tick of the held slider: a failing click stops the repeating and goes
// to the exception handler.
void TSlideButton::repeat() {
  repeatTimer_->setInterval(kRepeatMs);
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
  const ComponentPicture arrow = direction_ == Left ? ComponentPicture::Left : ComponentPicture::Right;
  const int offset = pressed_ ? 1 : 0;
  const Point at{(width() - 7) / 2 + offset, (height() - 15) / 2 + offset};  // the arrow is 7 x 15
  if (isEnabled())
    TImageMenu::paintMask(canvas, arrow, at, clBtnText);
  else
    TImageMenu::embossPicture(canvas, componentMask(arrow, canvas.pixelRatio()), at);
}

void TSlideButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  pressed_ = true;
  update();
  if (repeatTimer_ == nullptr) {
    repeatTimer_ = new QTimer(this);
    connect(repeatTimer_, &QTimer::timeout, this, &TSlideButton::repeat);
  }
  repeatTimer_->start(kFirstRepeatMs);
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
