#pragma once
// A slider of the button menu bar: a small flat button with an arrow that
// scrolls the row of menu buttons by one button, and keeps scrolling while
// it is held down (first after 400 ms, then every 100 ms). Like a flat
// speed button it is raised under the mouse, sunken while held, and shows
// its arrow embossed while disabled.

#include <QTimer>
#include <QWidget>

namespace sorabel::imagemenu {

class TMenuButtonBar;

class TSlideButton : public QWidget {
  Q_OBJECT

 public:
  enum Direction : int { Left = 0, Right = 1 };
  // A slider's width; its height is the menu buttons'.
  static constexpr int kWidth = 12;

  TSlideButton(TMenuButtonBar* bar, Direction direction);

  Direction direction() const { return direction_; }
  QTimer* RepeatTimer() const { return repeatTimer_; }
  void click();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void repeat();

  TMenuButtonBar* bar_;
  Direction direction_;
  QTimer* repeatTimer_ = nullptr;
  bool pressed_ = false;
  bool hot_ = false;
};

}  // namespace sorabel::imagemenu
