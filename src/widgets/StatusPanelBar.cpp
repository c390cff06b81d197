#include "widgets/StatusPanelBar.h"

#include <QPainter>
#include <QStyleOptionFrame>

namespace sorabel {

StatusPanelBar::StatusPanelBar(std::vector<int> panelWidths, QWidget* parent) : QWidget(parent) {
  for (int width : panelWidths) panels_.push_back({width, {}});
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StatusPanelBar::setPanelWidth(int panel, int width) {
  panels_.at(panel).width = width;
  update();
}

void StatusPanelBar::setPanelText(int panel, const QString& text) {
  panels_.at(panel).text = text;
  update();
}

void StatusPanelBar::setSimpleText(const QString& text) {
  simpleText_ = text;
  update();
}

void StatusPanelBar::setSimplePanel(bool simple) {
  simple_ = simple;
  update();
}

QSize StatusPanelBar::sizeHint() const {
  int width = 0;
  for (const Panel& panel : panels_) width += panel.width;
  return {width, fontMetrics().height() + 7};
}

void StatusPanelBar::drawPanel(QPainter& painter, const QRect& rect, const QString& text) const {
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.rect = rect.adjusted(0, 2, -2, 0);
  frame.lineWidth = 1;
  frame.state |= QStyle::State_Sunken;
  style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
  const QRect textRect = frame.rect.adjusted(2, 1, -2, -1);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
}

void StatusPanelBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (simple_) {
    drawPanel(painter, rect(), simpleText_);
    return;
  }
  int left = 0;
  for (const Panel& panel : panels_) {
    drawPanel(painter, QRect(left, 0, panel.width, height()), panel.text);
    left += panel.width;
  }
}

}  // namespace sorabel
