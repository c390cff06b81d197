#include "widgets/TextTableModel.h"

#include <utility>

#include "widgets/ShownText.h"

namespace sorabel {

TextTableModel::TextTableModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)) {}

int TextTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return role == Qt::DisplayRole ? shownCellText(cell(index.column(), index.row())) : cell(index.column(), index.row());
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers_.size()) return {};
  return headers_[section];
}

Qt::ItemFlags TextTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void TextTableModel::setRows(std::vector<QStringList> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  for (QStringList& row : rows_)
    while (row.size() < headers_.size()) row << QString();
  endResetModel();
}

QString TextTableModel::cell(int column, int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= rows_[row].size()) return {};
  return rows_[row][column];
}

}  // namespace sorabel
