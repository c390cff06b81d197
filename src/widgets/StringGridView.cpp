#include "widgets/StringGridView.h"

#include "widgets/GridHeaderView.h"

#include <QKeyEvent>
#include <algorithm>

namespace sorabel {
namespace {

constexpr QAbstractItemView::EditTriggers kEditTriggers =
    QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
    QAbstractItemView::AnyKeyPressed;

}  // namespace

StringGridView::StringGridView(GridCellDelegate::ColumnAlign align, QWidget* parent)
    : QTableView(parent), delegate_(new GridCellDelegate(align, this)) {
  setItemDelegate(delegate_);
  setHorizontalHeader(new GridHeaderView(align, this));
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(18);
  setShowGrid(true);
  setWordWrap(false);
  setSelectionMode(ContiguousSelection);
  setSelectionBehavior(SelectItems);
  setTabKeyNavigation(true);
  setEditTriggers(kEditTriggers);
  setHorizontalScrollMode(ScrollPerPixel);
  connect(delegate_, &GridCellDelegate::enterCommitted, this, &StringGridView::enterPressed);
}

StringGridView* StringGridView::readOnly(int firstAmountColumn, QAbstractItemModel* model, QWidget* parent) {
  auto* grid = new StringGridView(
      [firstAmountColumn](int column) { return column >= firstAmountColumn ? CellAlign::Right : CellAlign::Left; },
      parent);
  grid->setObjectName(QStringLiteral("StringGrid1"));
  grid->setModel(model);
  grid->setEditingEnabled(false);
  grid->enterIsCommand_ = false;
  return grid;
}

int StringGridView::currentColumn() const { return std::max(currentIndex().column(), 0); }

int StringGridView::currentGridRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void StringGridView::setCurrentCell(int column, int gridRow) {
  if (model() == nullptr || model()->rowCount() == 0) return;
  const int row = std::clamp(gridRow - 1, 0, model()->rowCount() - 1);
  const int col = std::clamp(column, 0, model()->columnCount() - 1);
  const QModelIndex index = model()->index(row, col);
  setCurrentIndex(index);
  // The cell alone is selected also while a modifier key is held (a command
  // run by Ctrl+V moves the current cell): the view would add it to the
  // selection, or toggle it.
  if (selectionModel() != nullptr) selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

StringGridView::Selection StringGridView::gridSelection() const {
  Selection s{currentColumn(), currentGridRow()};
  const QItemSelection selection = selectionModel() ? selectionModel()->selection() : QItemSelection();
  if (!selection.isEmpty()) {
    const QItemSelectionRange& range = selection.first();
    s.top = range.top() + 1;
    s.left = range.left();
    s.bottom = range.bottom() + 1;
    s.right = range.right();
  }
  return s;
}

void StringGridView::setGridSelection(const Selection& s) {
  if (model() == nullptr || model()->rowCount() == 0) return;
  setCurrentCell(s.column, s.row);
  if (s.top == 0 || selectionModel() == nullptr) return;
  const int lastRow = model()->rowCount() - 1;
  const int lastColumn = model()->columnCount() - 1;
  const QModelIndex topLeft = model()->index(std::clamp(s.top - 1, 0, lastRow), std::clamp(s.left, 0, lastColumn));
  const QModelIndex bottomRight =
      model()->index(std::clamp(s.bottom - 1, 0, lastRow), std::clamp(s.right, 0, lastColumn));
  selectionModel()->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
}

std::pair<int, int> StringGridView::selectedGridRows() const {
  int top = currentGridRow();
  int bottom = top;
  const QItemSelection selection = selectionModel() ? selectionModel()->selection() : QItemSelection();
  if (!selection.isEmpty()) {
    top = selection.first().top() + 1;
    bottom = selection.first().bottom() + 1;
    for (const QItemSelectionRange& range : selection) {
      top = std::min(top, range.top() + 1);
      bottom = std::max(bottom, range.bottom() + 1);
    }
  }
  return {top, bottom};
}

void StringGridView::giveColumnTheRest(int column, int slack) {
  int others = 0;
  for (int c = 0; model() != nullptr && c < model()->columnCount(); ++c)
    if (c != column) others += columnWidth(c);
  setColumnWidth(column, width() - others - slack);
}

bool StringGridView::commitOpenEditor() {
  QWidget* editor = delegate_->openEditor();
  if (state() != EditingState || editor == nullptr) return true;
  if (delegate_->refuseUnacceptableEdit()) return false;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

void StringGridView::setModel(QAbstractItemModel* model) {
  for (QMetaObject::Connection& connection : fitOnChange_) disconnect(connection);
  QTableView::setModel(model);
  if (model == nullptr) return;
  fitOnChange_[0] = connect(model, &QAbstractItemModel::dataChanged, this, &StringGridView::refitChangedColumns);
  fitOnChange_[1] = connect(model, &QAbstractItemModel::rowsInserted, this, &StringGridView::refitColumns);
  fitOnChange_[2] = connect(model, &QAbstractItemModel::rowsRemoved, this, &StringGridView::refitColumns);
  fitOnChange_[3] = connect(model, &QAbstractItemModel::modelReset, this, &StringGridView::refitColumns);
  fitOnChange_[4] = connect(model, &QAbstractItemModel::layoutChanged, this, &StringGridView::refitColumns);
  refitColumns();
}

void StringGridView::fitColumnsToTexts(std::vector<int> columns, int minimum, const QString& widest) {
  fitted_ = {std::move(columns), minimum, widest, {}};
  fitted_.widest.assign(fitted_.columns.size(), {});
  // Dragging their edges could cut them again.
  for (int column : fitted_.columns) horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
  refitColumns();
}

int StringGridView::mostWidth(const TextWidthMeter& meter) const {
  return std::max(fitted_.minimum, columnWidthForText(meter.metrics().horizontalAdvance(fitted_.widestWhole)));
}

// Texts as wide as the widest whole text need look no further.
int StringGridView::enoughTextWidth(const TextWidthMeter& meter) const {
  return mostWidth(meter) - columnWidthForText(0);
}

bool StringGridView::applyWidth(int column, int textWidth, const TextWidthMeter& meter) {
  const int width = std::clamp(columnWidthForText(textWidth), fitted_.minimum, mostWidth(meter));
  if (columnWidth(column) == width) return false;
  setColumnWidth(column, width);
  return true;
}

void StringGridView::offerRows(int column, int first, int last, WidestText& search) const {
  if (const auto* texts = dynamic_cast<const ColumnTexts*>(model())) {
    texts->offerColumn(column, first, last, search);
    return;
  }
  for (int row = first; row <= last && !search.enough(); ++row)
    search.offer(model()->index(row, column).data(Qt::DisplayRole).toString(), row);
}

bool StringGridView::measureColumn(std::size_t fitted, const TextWidthMeter& meter) {
  const int column = fitted_.columns[fitted];
  WidestText search(meter, enoughTextWidth(meter));
  offerRows(column, 0, model()->rowCount() - 1, search);
  fitted_.widest[fitted] = {search.widestSum(), search.widestRow()};
  return applyWidth(column, search.width(), meter);
}

void StringGridView::refitColumns() {
  if (model() == nullptr || fitted_.columns.empty()) return;
  const TextWidthMeter meter(fontMetrics());
  bool resized = false;
  for (std::size_t i = 0; i < fitted_.columns.size(); ++i) resized = measureColumn(i, meter) || resized;
  if (resized) emit fittedColumnsResized();
}

// Only the changed rows are measured, unless they hold the widest text,
// which may have become narrower: then the whole column is.
void StringGridView::refitChangedColumns(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
  if (model() == nullptr || fitted_.columns.empty() || !topLeft.isValid() || !bottomRight.isValid()) return;
  const TextWidthMeter meter(fontMetrics());
  bool resized = false;
  for (std::size_t i = 0; i < fitted_.columns.size(); ++i) {
    const int column = fitted_.columns[i];
    if (column < topLeft.column() || column > bottomRight.column()) continue;
    FittedColumns::Widest& widest = fitted_.widest[i];
    if (widest.row >= topLeft.row() && widest.row <= bottomRight.row()) {
      resized = measureColumn(i, meter) || resized;
      continue;
    }
    WidestText changed(meter, enoughTextWidth(meter));
    offerRows(column, topLeft.row(), bottomRight.row(), changed);
    const bool wider = changed.widestSum() > widest.sum;
    const bool earlier = changed.widestSum() == widest.sum && changed.widestRow() >= 0 && changed.widestRow() < widest.row;
    if (!wider && !earlier) continue;
    widest = {changed.widestSum(), changed.widestRow()};
    resized = applyWidth(column, changed.width(), meter) || resized;
  }
  if (resized) emit fittedColumnsResized();
}

void StringGridView::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) refitColumns();
}

void StringGridView::setEditingEnabled(bool enabled) { setEditTriggers(enabled ? kEditTriggers : NoEditTriggers); }

void StringGridView::keyPressEvent(QKeyEvent* event) {
  if (enterIsCommand_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    // From a cell editor the delegate reports Enter once the text is in.
    if (state() != EditingState) emit enterPressed();
    return;
  }
  QTableView::keyPressEvent(event);
}

void StringGridView::mousePressEvent(QMouseEvent* event) {
  if (delegate_->refuseUnacceptableEdit()) return;
  QTableView::mousePressEvent(event);
}

void StringGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (current.isValid()) emit cellEntered(current.column(), current.row() + 1);
}

}  // namespace sorabel
