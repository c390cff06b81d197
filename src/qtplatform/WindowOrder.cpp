#include "qtplatform/WindowOrder.h"

#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "draw/SystemMetrics.h"

namespace sorabel {

void setStaysOnTop(QWidget* window, bool onTop) {
  Qt::WindowFlags flags = window->windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
  // Changing the flags of the native window directly keeps it where it is;
  // QWidget::setWindowFlags would hide and re-create it.
  window->overrideWindowFlags(flags);
  if (QWindow* handle = window->windowHandle()) handle->setFlags(flags);
}

namespace {

const QWindow* shownHandle(const QWidget* window) {
  return window->isVisible() ? window->windowHandle() : nullptr;
}

}  // namespace

QRect outerFrame(const QWidget* window) {
  if (const QWindow* handle = shownHandle(window)) return handle->frameGeometry();
  return {window->pos(), window->frameGeometry().size()};
}

QMargins frameMargins(const QWidget* window) {
  if (const QWindow* handle = shownHandle(window)) return handle->frameMargins();
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

void centreOnScreen(QWidget* window, OffScreen offScreen) {
  const QSize screen = screenSize();
  const QSize outer = outerFrame(window).size();
  int left = (screen.width() - outer.width()) / 2;
  int top = (screen.height() - outer.height()) / 2;
  if (offScreen == OffScreen::ClampToZero) {
    left = std::max(left, 0);
    top = std::max(top, 0);
  }
  window->move(left, top);
}

QSize screenSize() {
  const draw::Size screen = draw::screenSize();
  return {screen.width, screen.height};
}

}  // namespace sorabel
