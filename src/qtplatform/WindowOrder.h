#pragma once
// Window order and screen: topmost on or off without activating, moving or
// resizing the window; the screen size.

#include <QSize>
#include <QString>

class QWidget;

namespace sorabel {

void setStaysOnTop(QWidget* window, bool onTop);

// The size of the screen the program runs on.
QSize screenSize();

enum class OffScreen { Allowed, ClampToZero };

// Centres a window on the screen keeping its size: left = (screen width -
// window width) / 2, top likewise, divided toward zero.
void centreOnScreen(QWidget* window, OffScreen offScreen);

}  // namespace sorabel
