#pragma once
// A status bar of panels with fixed widths, each a sunken frame with one
// line of text, or one simple text across the whole bar.

#include <QString>
#include <QWidget>
#include <vector>

namespace sorabel {

class StatusPanelBar : public QWidget {
  Q_OBJECT

 public:
  explicit StatusPanelBar(std::vector<int> panelWidths, QWidget* parent = nullptr);

  int panelCount() const { return static_cast<int>(panels_.size()); }
  int panelWidth(int panel) const { return panels_.at(panel).width; }
  void setPanelWidth(int panel, int width);
  QString panelText(int panel) const { return panels_.at(panel).text; }
  void setPanelText(int panel, const QString& text);

  // One text over the whole bar instead of the panels.
  void setSimpleText(const QString& text);
  QString simpleText() const { return simpleText_; }
  void setSimplePanel(bool simple);
  bool simplePanel() const { return simple_; }

  // What is shown, panel by panel (one text in simple mode), and where;
  // accessibility tools read the bar this way.
  int shownCount() const { return simple_ ? 1 : panelCount(); }
  QString shownText(int index) const { return simple_ ? simpleText_ : panelText(index); }
  QRect shownRect(int index) const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Panel {
    int width;
    QString text;
  };
  void drawPanel(QPainter& painter, const QRect& rect, const QString& text) const;
  // Tells accessibility tools that a shown text changed.
  void textChanged(int index);

  std::vector<Panel> panels_;
  QString simpleText_;
  bool simple_ = false;
};

}  // namespace sorabel
