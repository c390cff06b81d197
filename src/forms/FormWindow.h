#pragma once
// What every window of the program has in common: each showing by the
// program (not a spontaneous one from the window system) reloads the
// window's contents through FormShow; windows placed at the screen centre
// are centred at their first showing only, after FormShow has sized them.

#include <QShowEvent>

class QWidget;

namespace sorabel {

// The main window, the search results and the monthly summary never get
// smaller than 600 x 167 pixels.
void keepMinimumWindowSize(QWidget* window);

// Centres a window on the screen (never off its top-left corner).
void centreWindowOnScreen(QWidget* window);

template <class Window>
class Form : public Window {
 public:
  using Window::Window;

  virtual void FormShow() {}

 protected:
  // Windows whose design places them at the screen centre.
  void centreOnFirstShowing() { centreOnFirstShowing_ = true; }

  void showEvent(QShowEvent* event) override {
    Window::showEvent(event);
    if (event->spontaneous()) return;
    FormShow();
    if (centreOnFirstShowing_ && !shownBefore_) centreWindowOnScreen(this);
    shownBefore_ = true;
  }

 private:
  bool centreOnFirstShowing_ = false;
  bool shownBefore_ = false;
};

}  // namespace sorabel
