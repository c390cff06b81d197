#pragma once
// The header row of the program's grids, drawn with the same text placement
// as the cells.

#include <QHeaderView>

#include "widgets/GridCellDelegate.h"

namespace sorabel {

class GridHeaderView : public QHeaderView {
  Q_OBJECT

 public:
  GridHeaderView(GridCellDelegate::ColumnAlign align, QWidget* parent);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  GridCellDelegate::ColumnAlign align_;
};

}  // namespace sorabel
