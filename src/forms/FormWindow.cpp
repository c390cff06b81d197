#include "forms/FormWindow.h"

#include <QWidget>

#include "qtplatform/WindowOrder.h"

namespace sorabel {

void keepMinimumWindowSize(QWidget* window) { window->setMinimumSize(600, 167); }

void centreWindowOnScreen(QWidget* window) { centreOnScreen(window, OffScreen::ClampToZero); }

}  // namespace sorabel
