#include "draw/SystemMetrics.h"

#include <QApplication>
#include <QCursor>
#include <QFontInfo>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace sorabel::draw {

void applyMenuFont(CanvasFont& font) {
  const QFont menu = QApplication::font("QMenu");
  font.name = menu.family();
  const int pixels = menu.pixelSize() > 0 ? menu.pixelSize() : QFontInfo(menu).pixelSize();
  font.height = -pixels;
  font.bold = menu.weight() > QFont::Medium;
  font.italic = menu.italic();
  font.underline = false;
  font.strikeOut = false;
}

int captionHeight() { return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight); }

int smallCaptionHeight() { return std::max(14, captionHeight() * 3 / 4); }

int sizingFrameWidth() { return 4; }

namespace {
// The screen taken when there is none (a platform without screens).
constexpr Size kFallbackScreen{1024, 768};
}  // namespace

Size screenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return kFallbackScreen;
  return {screen->geometry().width(), screen->geometry().height()};
}

Rect workArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {0, 0, kFallbackScreen.width, kFallbackScreen.height};
  const QRect area = screen->availableGeometry();
  return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

Point cursorPosition() {
  const QPoint at = QCursor::pos();
  return {at.x(), at.y()};
}

}  // namespace sorabel::draw
