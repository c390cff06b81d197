#include "widgets/LedgerTableModel.h"

#include <algorithm>

#include "platform/Errors.h"
#include "qtplatform/AnsiText.h"
#include "widgets/ShownText.h"

namespace sorabel {

LedgerTableModel::LedgerTableModel(LedgerGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shownRows_(grid.dataRowCount()) {}

int LedgerTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int LedgerTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kLedgerColumnCount; }

QVariant LedgerTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  int row = index.row() + 1;
  if (!index.isValid() || row > grid_.lastRow()) return {};
  const std::string_view cell = grid_.cell(index.column(), row);
  if (role == Qt::EditRole && cell.size() <= kEditableCellBytes) return toQString(cell);
  return shownCellText(cell);
}

QVariant LedgerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kLedgerColumnCount) return {};
  return toQString(grid_.cell(section, 0));
}

Qt::ItemFlags LedgerTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool LedgerTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  int row = index.row() + 1;
  if (role != Qt::EditRole || !index.isValid() || row > grid_.lastRow()) return false;
  try {
    const AnsiString text = toAnsi(value.toString());
    if (grid_.cell(index.column(), row) == text) return true;
    grid_.setCell(index.column(), row, text);
  } catch (const Error&) {
    return false;  // text that Shift-JIS cannot hold; the editor tells the user
  }
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit cellEdited(index.column(), row);
  return true;
}

void LedgerTableModel::offerColumn(int column, int first, int last, WidestText& search) const {
  last = std::min({last, shownRows_ - 1, grid_.lastRow() - 1});
  for (int row = first; row <= last && !search.enough(); ++row) search.offer(grid_.cell(column, row + 1), row);
}

void LedgerTableModel::sync() {
  const int rows = grid_.dataRowCount();
  if (rows > shownRows_) {
    beginInsertRows({}, shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
  } else if (rows < shownRows_) {
    beginRemoveRows({}, rows, shownRows_ - 1);
    shownRows_ = rows;
    endRemoveRows();
  }
  // Only the rows the grid wrote since the last sync are shown anew.
  const ChangedRows changed = grid_.changedSince(LedgerGrid::Watcher::GridView, shownMark_);
  if (!changed.none()) {
    const int first = changed.all ? 0 : changed.first - 1;
    const int last = changed.all ? shownRows_ - 1 : std::min(changed.last, shownRows_) - 1;
    if (first <= last) emit dataChanged(index(first, 0), index(last, kLedgerColumnCount - 1));
  }
  shownMark_ = grid_.markUnchanged(LedgerGrid::Watcher::GridView);
}

}  // namespace sorabel
