#pragma once
// The main grid's model: a view of the ledger grid store. Row 0 of the store
// is the horizontal header; data row r is model row r - 1. The store is
// changed by the ledger functions; sync() then tells the view what changed.

#include <QAbstractTableModel>

#include "ledger/LedgerGrid.h"
#include "widgets/ColumnFit.h"

namespace sorabel {

class LedgerTableModel : public QAbstractTableModel, public ColumnTexts {
  Q_OBJECT

 public:
  // A one-line editor holds at most 32,767 characters.
  static constexpr std::size_t kEditableCellBytes = 32'767;

  explicit LedgerTableModel(LedgerGrid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // Shown cut when long (ShownText); for editing the whole text, unless it
  // is longer than a cell editor holds.
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Typed text that Shift-JIS cannot hold is refused: false.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  // The cells' bytes straight from the grid store.
  void offerColumn(int column, int first, int last, WidestText& search) const override;

  // Brings the view up to date after the store changed: rows added or
  // removed at the end, then the rows written since the last sync (every
  // row after rows were added, removed or moved) repainted.
  void sync();

  // Runs a change of the store and syncs afterwards, also when it throws.
  template <class Change>
  void change(Change&& change) {
    struct Sync {
      LedgerTableModel* model;
      ~Sync() { model->sync(); }
    } sync{this};
    change(grid_);
  }

  const LedgerGrid& grid() const { return grid_; }

 signals:
  // A cell editor's text went into the book and changed it.
  void cellEdited(int column, int gridRow);

 private:
  LedgerGrid& grid_;
  int shownRows_;
  std::uint64_t shownMark_ = 0;  // the grid's mark at the last sync
};

}  // namespace sorabel
