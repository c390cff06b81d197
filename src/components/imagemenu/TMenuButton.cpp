#include "components/imagemenu/TMenuButton.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>

#include "components/imagemenu/Accelerators.h"
#include "components/imagemenu/MenuAccessibility.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "components/imagemenu/WindowMenu.h"
#include "draw/QtCanvas.h"
#include "draw/SysColors.h"
#include "draw/TextRules.h"

namespace sorabel::imagemenu {

using namespace draw;

namespace {

constexpr unsigned kButtonCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;

CanvasFont fontOf(const QWidget* widget, Color color) { return CanvasFont::fromQFont(widget->font(), color); }

}  // namespace

TMenuButton::TMenuButton(TMenuButtonBar* bar, int tag) : QWidget(bar), bar_(bar), tag_(tag) {
  resize(25, 25);
  setAttribute(Qt::WA_OpaquePaintEvent);
  installMenuAccessibility();
}

void TMenuButton::setTag(int tag) {
  const QMenuBar* menu = bar_->Menu();
  if (menu == nullptr || tag < 0 || tag >= menu->actions().size()) return;
  tag_ = tag;
}

void TMenuButton::setCaption(const QString& caption) {
  caption_ = caption;
  setAccessibleName(shownText(caption, true).text);
  AutoSizeButton();
  update();
}

void TMenuButton::setLook(Look look) {
  if (look == look_) return;
  look_ = look;
  update();
  menuButtonLookChanged(this);
}

void TMenuButton::setDown(bool down) {
  if (down == down_) return;
  down_ = down;
  bar_->buttonDownChanged(this);
}

void TMenuButton::AutoSizeButton() {
  MeasureCanvas canvas;
  canvas.setFont(fontOf(this, clMenuText));
  const Rect text = canvas.drawText(caption_, {0, 0, width(), height()}, DT_CALCRECT | DT_EXPANDTABS | DT_VCENTER | DT_CENTER);
  resize(text.width() + 16, text.height() + 6);
}

void TMenuButton::mouseEntered() {
  if (isEnabled()) bar_->buttonEntered(this);
}

void TMenuButton::mouseLeft() {
  if (isEnabled()) bar_->buttonLeft(this);
}

// A disabled button looks disabled; an enabled one normal.
void TMenuButton::enabledChanged() {
  setLook(isEnabled() ? Normal : Disabled);
  repaint();
}

bool TMenuButton::dialogChar(QChar typed) {
  if (!isEnabled() || !MatchesAccelerator(typed, caption_)) return false;
  bar_->buttonClicked(this, true);  // from the keyboard: the first item selected
  return true;
}

void TMenuButton::click() { bar_->buttonClicked(this); }

void TMenuButton::paintOn(Canvas& canvas) {
  const Rect client{0, 0, width(), height()};
  canvas.setBrushColor(bar_->Color());
  canvas.fillRect(client);
  canvas.setBrushHollow();
  canvas.setFont(fontOf(this, clMenuText));
  switch (look_) {
    case Hot:
      canvas.drawEdge(client, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
      canvas.drawEdge(client, BDR_RAISEDINNER, BF_SOFT | BF_RIGHT | BF_BOTTOM);
      canvas.drawText(caption_, client, kButtonCaptionFormat);
      break;
    case Disabled:
      canvas.setFontColor(clBtnHighlight);
      canvas.drawText(caption_, client.translated(1, 1), kButtonCaptionFormat);
      canvas.setFontColor(clGrayText);
      canvas.drawText(caption_, client, kButtonCaptionFormat);
      break;
    case Pressed:
      canvas.drawEdge(client, BDR_SUNKENINNER, BF_SOFT | BF_LEFT | BF_TOP);
      canvas.drawEdge(client, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM);
      canvas.drawText(caption_, client.translated(1, 1), kButtonCaptionFormat);
      break;
    case Normal: canvas.drawText(caption_, client, kButtonCaptionFormat); break;
  }
}

void TMenuButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(&painter, activeColours(palette()));
  paintOn(canvas);
}

void TMenuButton::enterEvent(QEnterEvent*) {
  runHandler([this] { mouseEntered(); });
}

// An opening drop-down takes the pointer: the leave that follows is not the
// mouse leaving the button, and the button stays pressed.
void TMenuButton::leaveEvent(QEvent*) {
  if (bar_->DropDownOpen() || QApplication::activePopupWidget() != nullptr) return;
  runHandler([this] { mouseLeft(); });
}

void TMenuButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) click();
}

void TMenuButton::contextMenuEvent(QContextMenuEvent* event) {
  runHandler([&] {
    if (WindowMenu* menu = WindowMenu::of(window())) menu->openAt(event->globalPos());
  });
}

void TMenuButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) enabledChanged();
  if (event->type() == QEvent::FontChange) AutoSizeButton();
}

}  // namespace sorabel::imagemenu
