#pragma once
// Window order and screen: topmost on or off without activating, moving or
// resizing the window; the screen size.

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace sorabel {

void setStaysOnTop(QWidget* window, bool onTop);

// The size of the screen the program runs on.
QSize screenSize();

// A window's frame (title bar and borders) as the window system has it now.
// QWidget::frameGeometry() keeps the frame's size from the window's last
// move, so a frame the window manager tells of after that move is missed
// there; the native window asks again. A window not yet shown has the
// frame it was placed with.
QRect outerFrame(const QWidget* window);
QMargins frameMargins(const QWidget* window);

enum class OffScreen { Allowed, ClampToZero };

// Centres a window on the screen keeping its size: left = (screen width -
// window width) / 2, top likewise, divided toward zero.
void centreOnScreen(QWidget* window, OffScreen offScreen);

}  // namespace sorabel
