#include "widgets/StatusPanelBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFrame>

namespace sorabel {
namespace {

// A panel as accessibility tools see it: a read-only text.
class AccessiblePanel : public QAccessibleInterface {
 public:
  AccessiblePanel(StatusPanelBar* bar, int index) : bar_(bar), index_(index) {}

  bool isValid() const override { return bar_ != nullptr && index_ < bar_->shownCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return bar_->window()->windowHandle(); }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(bar_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Name ? bar_->shownText(index_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const QRect local = bar_->shownRect(index_);
    return QRect(bar_->mapToGlobal(local.topLeft()), local.size());
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    state.invisible = !bar_->isVisible();
    return state;
  }

 private:
  QPointer<StatusPanelBar> bar_;
  int index_;
};

// The bar: a status bar whose children are its panels.
class AccessibleStatusBar : public QAccessibleWidget {
 public:
  explicit AccessibleStatusBar(StatusPanelBar* bar) : QAccessibleWidget(bar, QAccessible::StatusBar) {}
  ~AccessibleStatusBar() override {
    for (QAccessible::Id id : panels_) QAccessible::deleteAccessibleInterface(id);
  }

  StatusPanelBar* bar() const { return static_cast<StatusPanelBar*>(widget()); }
  int childCount() const override { return bar()->shownCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    while (static_cast<int>(panels_.size()) <= index)
      panels_.push_back(QAccessible::registerAccessibleInterface(new AccessiblePanel(bar(), static_cast<int>(panels_.size()))));
    return QAccessible::accessibleInterface(panels_[static_cast<std::size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (std::size_t i = 0; i < panels_.size(); ++i)
      if (QAccessible::accessibleInterface(panels_[i]) == child) return static_cast<int>(i);
    return -1;
  }

 private:
  mutable std::vector<QAccessible::Id> panels_;
};

QAccessibleInterface* statusBarInterface(const QString&, QObject* object) {
  auto* bar = qobject_cast<StatusPanelBar*>(object);
  return bar != nullptr ? new AccessibleStatusBar(bar) : nullptr;
}

}  // namespace

StatusPanelBar::StatusPanelBar(std::vector<int> panelWidths, QWidget* parent) : QWidget(parent) {
  static const bool accessible = [] {
    QAccessible::installFactory(statusBarInterface);
    return true;
  }();
  (void)accessible;
  for (int width : panelWidths) panels_.push_back({width, {}});
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QRect StatusPanelBar::shownRect(int index) const {
  if (simple_) return rect();
  int left = 0;
  for (int i = 0; i < index && i < panelCount(); ++i) left += panels_[static_cast<std::size_t>(i)].width;
  return QRect(left, 0, panelWidth(index), height());
}

void StatusPanelBar::textChanged(int index) {
  if (!QAccessible::isActive()) return;
  if (QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(this)->child(index)) {
    QAccessibleEvent change(panel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&change);
  }
}

void StatusPanelBar::setPanelWidth(int panel, int width) {
  panels_.at(panel).width = width;
  update();
}

void StatusPanelBar::setPanelText(int panel, const QString& text) {
  panels_.at(panel).text = text;
  update();
  if (!simple_) textChanged(panel);
}

void StatusPanelBar::setSimpleText(const QString& text) {
  simpleText_ = text;
  update();
  if (simple_) textChanged(0);
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
