#pragma once
// A chart of income and expense per month: two bars a month, the month's
// balance (income - expense) as a line, the amount axis through zero on the
// left, month labels along the bottom and a legend 収入 / 支出 / 収支 at the
// top. Hovering a month shows its three figures in a tooltip. Months that
// do not fit scroll sideways (scroll bar, wheel, arrow keys). The context
// menu saves the chart as a PNG picture.
//
// The arithmetic is in MonthChartGeometry, the colours in MonthChartColours;
// this class paints, scrolls and answers the mouse and the keyboard.
//
// Drawn with QPainter rather than Qt Charts: Qt Charts would load about
// 2.9 MB more of libraries (with Qt's OpenGL ones) at every start, took
// seven times as long for the first picture of three years, and would
// still need scrolling and thinned labels for hundreds of months.

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "widgets/MonthChartColours.h"
#include "widgets/MonthChartGeometry.h"

class QAction;
class QScrollBar;

namespace sorabel {

class MonthChart : public QWidget {
  Q_OBJECT

 public:
  explicit MonthChart(QWidget* parent = nullptr);

  // The months in the order they are drawn, left to right; scrolled back to
  // the first.
  void setMonths(std::vector<ChartMonth> months);
  const std::vector<ChartMonth>& months() const { return months_; }

  const ChartLayout& chartLayout() const { return layout_; }
  int scrollOffset() const;
  std::optional<int> hoveredMonth() const { return hovered_; }

  // Where the save dialog starts.
  void setImageFolder(const QString& folder) { imageFolder_ = folder; }

  // The chart with every month and without scroll bar or hover mark: as
  // large as the chart, or wider when it scrolls.
  QImage image() const;

  // "画像として保存...": asks for a file and saves image() there as PNG.
  // A failure is shown by the general error report.
  void saveImage();
  QAction* saveImageAction() const { return saveAction_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  TextMetrics textMetrics() const;
  void relayout();
  void hover(std::optional<int> month, QPoint globalPos);
  void paintChart(QPainter& painter, const ChartLayout& layout, QSize area, int scroll,
                  std::optional<int> hovered) const;
  void paintLegend(QPainter& painter, const ChartLayout& layout, const ChartColours& colours) const;
  void paintAxis(QPainter& painter, const ChartLayout& layout, const ChartColours& colours) const;
  void paintMonths(QPainter& painter, const ChartLayout& layout, const ChartColours& colours, int scroll,
                   std::optional<int> hovered) const;
  void paintMonthLabels(QPainter& painter, const ChartLayout& layout, const ChartColours& colours,
                        int scroll) const;

  std::vector<ChartMonth> months_;
  ChartLayout layout_;
  QScrollBar* scrollBar_;
  QAction* saveAction_;
  std::optional<int> hovered_;
  QString imageFolder_;
};

}  // namespace sorabel
