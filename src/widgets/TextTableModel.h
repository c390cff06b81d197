#pragma once
// A read-only table of texts with a header row, for the search results and
// the monthly summary grids.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace sorabel {

class TextTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TextTableModel(QStringList headers, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Replaces every row; short rows are filled with empty cells.
  void setRows(std::vector<QStringList> rows);
  QString cell(int column, int row) const;

 private:
  QStringList headers_;
  std::vector<QStringList> rows_;
};

}  // namespace sorabel
