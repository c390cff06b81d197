#include "platform/qt/WindowOrder.h"

#include <QGuiApplication>
#include <QMargins>
#include <algorithm>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace sorabel {

void setStaysOnTop(QWidget* window, bool onTop) {
  Qt::WindowFlags flags = window->windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
  // Changing the flags of the native window directly keeps it where it is;
  // QWidget::setWindowFlags would hide and re-create it.
  window->overrideWindowFlags(flags);
  if (QWindow* handle = window->windowHandle()) handle->setFlags(flags);
}

void placeFrameAt(QWidget* window, QPoint topLeft) {
  QWindow* handle = window->windowHandle();
  if (handle == nullptr) {
    window->move(topLeft);  // placed with its frame when it is made
    return;
  }
  // The native window asks the window manager for its frame's place, which
  // it honours also while the frame's size is not known yet.
  handle->setFramePosition(topLeft);
}

namespace {

QMargins frameMarginsOf(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  return handle != nullptr ? handle->frameMargins() : QMargins();
}

QMargins expectedFrameMargins(const QWidget* window) {
  const QMargins own = frameMarginsOf(window);
  if (!own.isNull() || window->parentWidget() == nullptr) return own;
  return frameMarginsOf(window->parentWidget()->window());
}

// Start of a span of length inside [low, low + room): as near to start as
// fits, the low end first when it cannot fit.
int keptInside(int start, int length, int low, int room) {
  return std::max(low, std::min(start, low + room - length));
}

}  // namespace

void keepOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QMargins frame = expectedFrameMargins(window);
  const QRect outer = window->geometry().marginsAdded(frame);
  const QPoint kept(keptInside(outer.left(), outer.width(), area.left(), area.width()),
                    keptInside(outer.top(), outer.height(), area.top(), area.height()));
  if (kept == outer.topLeft()) return;
  // The inner area's place: a window that is being shown for the first time
  // is put there as it is, its frame around it.
  window->move(window->pos() + (kept - outer.topLeft()));
}

void centreOnScreen(QWidget* window, OffScreen offScreen) {
  const QSize screen = screenSize();
  const QSize outer = window->frameGeometry().size();
  int left = (screen.width() - outer.width()) / 2;
  int top = (screen.height() - outer.height()) / 2;
  if (offScreen == OffScreen::ClampToZero) {
    left = std::max(left, 0);
    top = std::max(top, 0);
  }
  window->move(left, top);
}

QSize screenSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
}

}  // namespace sorabel
