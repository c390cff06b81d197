#include "widgets/MonthChart.h"

#include <QAction>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "platform/Errors.h"
#include "platform/FileIo.h"
#include "qtplatform/AnsiText.h"
#include "qtplatform/CommandGuard.h"
#include "qtplatform/UserDialogs.h"
#include "widgets/MonthChartAccessible.h"
#include "widgets/MonthChartColours.h"

namespace sorabel {
namespace {

const QString kPngFilter = QStringLiteral("PNG 画像 (*.png)|*.png|");

std::string pngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw sorabel::Error("グラフの画像を作れませんでした。");
  return bytes.toStdString();
}

}  // namespace

MonthChart::MonthChart(QWidget* parent)
    : QWidget(parent), scrollBar_(new QScrollBar(Qt::Horizontal, this)), saveAction_(new QAction(this)) {
  installMonthChartAccessibility();
  setAccessibleName(QStringLiteral("月別収支グラフ"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  scrollBar_->hide();
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this] {
    hover(std::nullopt, {});
    update();
  });
  saveAction_->setText(QStringLiteral("画像として保存..."));
  connect(saveAction_, &QAction::triggered, this, &MonthChart::saveImage);
}

void MonthChart::setMonths(std::vector<ChartMonth> months) {
  months_ = std::move(months);
  hovered_.reset();
  relayout();
  scrollBar_->setValue(0);
  update();
}

int MonthChart::scrollOffset() const { return scrollBar_->isVisible() ? scrollBar_->value() : 0; }

TextMetrics MonthChart::textMetrics() const {
  const QFontMetrics metrics(font());
  return {[metrics](const QString& text) { return metrics.horizontalAdvance(text); }, metrics.height()};
}

// A scroll bar appears under the months when they do not fit at the least
// slot width; the plot then leaves room for it.
void MonthChart::relayout() {
  const TextMetrics metrics = textMetrics();
  const bool scrolls = chartNeedsScrolling(months_, size(), metrics);
  const int barHeight = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_);
  layout_ = layoutChart(months_, size(), metrics, scrolls ? barHeight : 0);
  scrollBar_->setVisible(scrolls);
  if (!scrolls) return;
  scrollBar_->setGeometry(layout_.plot.left(), height() - barHeight, layout_.plot.width(), barHeight);
  scrollBar_->setRange(0, layout_.maxScroll());
  scrollBar_->setSingleStep(std::max(1, static_cast<int>(std::ceil(layout_.slotWidth))));
  scrollBar_->setPageStep(layout_.plot.width());
}

QImage MonthChart::image() const {
  const QSize full(fullChartWidth(months_, size(), textMetrics()), height());
  const qreal ratio = devicePixelRatioF();
  QImage picture(full * ratio, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(ratio);
  QPainter painter(&picture);
  painter.setFont(font());
  paintChart(painter, layoutChart(months_, full, textMetrics()), full, 0, std::nullopt);
  return picture;
}

void MonthChart::saveImage() {
  runGuarded(this, [this] {
    UserDialogs& dialogs = UserDialogs::current();
    const QString name = dialogs.saveFileName(this, {kPngFilter, QStringLiteral("png"), imageFolder_});
    if (name.isEmpty()) return;
    if (fileExists(toPath(name)) &&
        dialogs.ask(this, name + QStringLiteral(" は既に存在します。\r上書きしますか？"), AskButtons::YesNo,
                    MessageKind::Confirmation) != Answer::Yes)
      return;
    writeFileAtomically(toPath(name), pngBytes(image()));
    imageFolder_ = QFileInfo(name).absolutePath();
  });
}

QSize MonthChart::sizeHint() const { return {480, 260}; }

QSize MonthChart::minimumSizeHint() const { return {120, 80}; }

void MonthChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  relayout();
}

void MonthChart::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) relayout();
  if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) update();
}

void MonthChart::hover(std::optional<int> month, QPoint globalPos) {
  if (month != hovered_) {
    hovered_ = month;
    update();
  }
  if (!month) {
    QToolTip::hideText();
    return;
  }
  const QRect column = monthShapes(layout_, months_[static_cast<std::size_t>(*month)], *month, scrollOffset()).slot;
  QToolTip::showText(globalPos, monthFigures(months_[static_cast<std::size_t>(*month)]), this, column);
}

void MonthChart::mouseMoveEvent(QMouseEvent* event) {
  hover(monthAt(layout_, event->position().toPoint(), scrollOffset()), event->globalPosition().toPoint());
}

void MonthChart::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  hover(std::nullopt, {});
}

void MonthChart::wheelEvent(QWheelEvent* event) {
  if (!scrollBar_->isVisible()) return QWidget::wheelEvent(event);
  const QPoint delta = event->angleDelta();
  const int notches = (delta.x() != 0 ? delta.x() : delta.y()) / 120;
  scrollBar_->setValue(scrollBar_->value() - notches * 3 * scrollBar_->singleStep());
  event->accept();
}

void MonthChart::keyPressEvent(QKeyEvent* event) {
  const int value = scrollBar_->value();
  switch (event->key()) {
    case Qt::Key_Left: scrollBar_->setValue(value - scrollBar_->singleStep()); break;
    case Qt::Key_Right: scrollBar_->setValue(value + scrollBar_->singleStep()); break;
    case Qt::Key_PageUp: scrollBar_->setValue(value - scrollBar_->pageStep()); break;
    case Qt::Key_PageDown: scrollBar_->setValue(value + scrollBar_->pageStep()); break;
    case Qt::Key_Home: scrollBar_->setValue(0); break;
    case Qt::Key_End: scrollBar_->setValue(scrollBar_->maximum()); break;
    default: return QWidget::keyPressEvent(event);
  }
}

void MonthChart::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(saveAction_);
  menu.exec(event->globalPos());
}

void MonthChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintChart(painter, layout_, size(), scrollOffset(), hovered_);
  if (!hasFocus()) return;
  QStyleOptionFocusRect focus;
  focus.initFrom(this);
  focus.rect = rect().adjusted(1, 1, -1, -1);
  focus.backgroundColor = chartColours(palette()).background;
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

void MonthChart::paintChart(QPainter& painter, const ChartLayout& layout, QSize area, int scroll,
                            std::optional<int> hovered) const {
  const ChartColours colours = chartColours(palette());
  painter.fillRect(QRect(QPoint(0, 0), area), colours.background);
  paintLegend(painter, layout, colours);
  paintAxis(painter, layout, colours);
  paintMonths(painter, layout, colours, scroll, hovered);
  paintMonthLabels(painter, layout, colours, scroll);
}

void MonthChart::paintLegend(QPainter& painter, const ChartLayout& layout, const ChartColours& colours) const {
  painter.save();
  painter.setPen(colours.text);
  painter.drawText(QRect(0, layout.legend.top(), layout.axisLabelRight, layout.legend.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("(円)"));
  painter.setRenderHint(QPainter::Antialiasing);
  for (const LegendItem& item : legendItems(layout, textMetrics())) {
    const QColor colour = item.series == ChartSeries::Income    ? colours.income
                          : item.series == ChartSeries::Expense ? colours.expense
                                                                : colours.balance;
    if (item.series == ChartSeries::Balance) {  // the line with one of its points
      const QPoint middle = item.swatch.center();
      painter.setPen(QPen(colour, 2));
      painter.drawLine(item.swatch.left(), middle.y(), item.swatch.right(), middle.y());
      painter.setPen(Qt::NoPen);
      painter.setBrush(colour);
      painter.drawEllipse(QPointF(middle), 3, 3);
    } else {
      painter.fillRect(item.swatch, colour);
    }
    painter.setPen(colours.text);
    painter.drawText(item.label, Qt::AlignLeft | Qt::AlignVCenter, item.text);
  }
  painter.restore();
}

void MonthChart::paintAxis(QPainter& painter, const ChartLayout& layout, const ChartColours& colours) const {
  const QRect& plot = layout.plot;
  const int textHeight = QFontMetrics(font()).height();
  for (std::int64_t tick : layout.axis.ticks()) {
    const int y = layout.axis.yOf(tick, plot.top(), plot.height());
    painter.setPen(colours.grid);
    painter.drawLine(plot.left(), y, plot.right(), y);
    painter.setPen(colours.text);
    painter.drawLine(plot.left() - kTickLength, y, plot.left() - 1, y);
    painter.drawText(QRect(0, y - textHeight / 2, layout.axisLabelRight, textHeight), Qt::AlignRight | Qt::AlignVCenter,
                     amountLabel(tick));
  }
  painter.setPen(colours.text);
  painter.drawLine(plot.left() - 1, plot.top(), plot.left() - 1, plot.bottom());
}

void MonthChart::paintMonths(QPainter& painter, const ChartLayout& layout, const ChartColours& colours, int scroll,
                             std::optional<int> hovered) const {
  const auto [first, last] = visibleMonths(layout, scroll);
  painter.save();
  painter.setClipRect(layout.plot);
  QPainterPath balance;
  for (int i = first; i < last; ++i) {
    const MonthShapes shapes = monthShapes(layout, months_[static_cast<std::size_t>(i)], i, scroll);
    if (hovered == i) painter.fillRect(shapes.slot, colours.hover);
    painter.fillRect(shapes.income, colours.income);
    painter.fillRect(shapes.expense, colours.expense);
    if (i == first)
      balance.moveTo(shapes.balance);
    else
      balance.lineTo(shapes.balance);
  }
  const int zero = layout.axis.yOf(0, layout.plot.top(), layout.plot.height());
  painter.setPen(colours.zeroLine);
  painter.drawLine(layout.plot.left(), zero, layout.plot.right(), zero);

  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colours.balance, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(balance);
  if (layout.slotWidth >= 8) {  // points only where they do not run together
    painter.setPen(QPen(colours.background, 1));
    painter.setBrush(colours.balance);
    for (int i = first; i < last; ++i)
      painter.drawEllipse(QPointF(monthShapes(layout, months_[static_cast<std::size_t>(i)], i, scroll).balance), 3, 3);
  }
  painter.restore();
}

void MonthChart::paintMonthLabels(QPainter& painter, const ChartLayout& layout, const ChartColours& colours,
                                  int scroll) const {
  const QFontMetrics metrics(font());
  const auto [first, last] = visibleMonths(layout, scroll);
  painter.save();
  painter.setPen(colours.text);
  for (int i = first; i < last; ++i) {
    if (i % layout.labelStride != 0) continue;
    const int centre = monthCentre(layout, i, scroll);
    if (centre < layout.plot.left() || centre > layout.plot.right()) continue;
    painter.drawLine(centre, layout.plot.bottom() + 1, centre, layout.plot.bottom() + kTickLength);
    const QString& label = months_[static_cast<std::size_t>(i)].label;
    const int width = metrics.horizontalAdvance(label);
    painter.setClipRect(layout.monthLabelClip);
    painter.drawText(QRect(centre - width / 2, layout.monthLabelTop, width, metrics.height()), Qt::AlignCenter, label);
    painter.setClipping(false);
  }
  painter.restore();
}

}  // namespace sorabel
