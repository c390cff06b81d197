#include "platform/WindowOrder.h"

#include <QGuiApplication>
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

QSize screenSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
}

}  // namespace sorabel
