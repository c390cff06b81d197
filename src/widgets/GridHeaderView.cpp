#include "widgets/GridHeaderView.h"

#include <QPainter>

namespace sorabel {

GridHeaderView::GridHeaderView(GridCellDelegate::ColumnAlign align, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), align_(std::move(align)) {
  setSectionsClickable(false);
  setHighlightSections(false);
}

void GridHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = rect;
  option.section = logicalIndex;
  style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);

  const QString text = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
  const QFontMetrics metrics(font());
  const QPoint origin =
      cellTextOrigin(rect, align_(logicalIndex), metrics.horizontalAdvance(text), metrics.height());
  painter->save();
  painter->setClipRect(rect);
  painter->setPen(palette().color(QPalette::ButtonText));
  painter->drawText(origin.x(), origin.y() + metrics.ascent(), text);
  painter->restore();
}

}  // namespace sorabel
