#pragma once
// Window order and screen: topmost on or off without activating, moving or
// resizing the window; the screen size.

#include <QSize>
#include <QString>

class QWidget;

namespace sorabel {

void setStaysOnTop(QWidget* window, bool onTop);

// The main window, the search results and the monthly summary never get
// smaller than 600 x 167 pixels.
void keepMinimumWindowSize(QWidget* window);

// A resizable report window (search results, monthly summary): the form
// font, its caption, minimise and maximise buttons and the minimum size.
void prepareReportWindow(QWidget* window, const QString& caption);

// The size of the screen the program runs on.
QSize screenSize();

enum class OffScreen { Allowed, ClampToZero };

// Centres a window on the screen keeping its size: left = (screen width -
// window width) / 2, top likewise, divided toward zero.
void centreOnScreen(QWidget* window, OffScreen offScreen);

}  // namespace sorabel
