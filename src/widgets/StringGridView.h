#pragma once
// A string grid like the program's three grids: one fixed header row, no
// fixed column, lines between all cells, a contiguous range of cells can be
// selected, Tab moves between cells. Rows are numbered as in the grid store:
// row 1 is the first data row (model row 0).

#include <QTableView>
#include <utility>
#include <vector>

#include "widgets/ColumnFit.h"

#include "widgets/GridCellDelegate.h"

namespace sorabel {

// The ledger grids' column widths: the date and amount columns are at least
// this wide, and the description column takes the grid's width less the
// other columns and this slack (room for the vertical scroll bar).
constexpr int kFixedColumnWidth = 80;
constexpr int kDescriptionColumnSlack = 25;

class StringGridView : public QTableView {
  Q_OBJECT

 public:
  explicit StringGridView(GridCellDelegate::ColumnAlign align, QWidget* parent = nullptr);

  // A grid that only shows model: columns from firstAmountColumn on are
  // amounts (right-aligned); cells cannot be edited.
  static StringGridView* readOnly(int firstAmountColumn, QAbstractItemModel* model, QWidget* parent);

  GridCellDelegate* cellDelegate() const { return delegate_; }

  void setModel(QAbstractItemModel* model) override;

  int currentColumn() const;
  int currentGridRow() const;  // 1 for the first data row; 0 when none
  // Makes the cell current and the only one selected.
  void setCurrentCell(int column, int gridRow);

  // First and last grid row of the selection (the current cell when
  // nothing is selected).
  std::pair<int, int> selectedGridRows() const;

  // The current cell and the selected block, in grid rows, as a value that
  // can be put back.
  struct Selection {
    int column = 0;
    int row = 0;
    int top = 0;  // 0: nothing selected
    int left = 0;
    int bottom = 0;
    int right = 0;
  };
  Selection gridSelection() const;
  // Puts a selection back, cut to the grid as it now is.
  void setGridSelection(const Selection& selection);

  // Gives column the grid's width less the other columns and slack pixels.
  void giveColumnTheRest(int column, int slack);

  // Commits the text of an open cell editor and closes it. False when the
  // text cannot go into the book (the reason has been shown; the editor
  // stays open).
  bool commitOpenEditor();

  // Keeps columns as wide as their widest text, never narrower than minimum
  // and never wider than it takes to show widest whole (a longer text is
  // cut). They follow every change of the model and of the font; each
  // change of their widths is reported by fittedColumnsResized. A change
  // of one cell that makes it the widest needs no look at the others.
  void fitColumnsToTexts(std::vector<int> columns, int minimum, const QString& widest);

  // Switches in-place editing on or off.
  void setEditingEnabled(bool enabled);
  bool editingEnabled() const { return editTriggers() != NoEditTriggers; }

 signals:
  // Enter in the grid, or in a cell editor after its text was committed.
  void enterPressed();
  // The current cell moved to (column, grid row).
  void cellEntered(int column, int gridRow);
  // Columns kept fitted to their texts changed their widths.
  void fittedColumnsResized();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void changeEvent(QEvent* event) override;

 private:
  void refitColumns();
  void refitChangedColumns(const QModelIndex& topLeft, const QModelIndex& bottomRight);
  // Measures a column anew and sets its width; true when the width changed.
  bool measureColumn(std::size_t fitted, const TextWidthMeter& meter);
  // Offers the texts of a column's rows first to last.
  void offerRows(int column, int first, int last, WidestText& search) const;
  int enoughTextWidth(const TextWidthMeter& meter) const;
  // Gives a column the width its widest text needs; true when it changed.
  bool applyWidth(int column, int textWidth, const TextWidthMeter& meter);
  // The width of the widest whole text the columns show.
  int mostWidth(const TextWidthMeter& meter) const;

  GridCellDelegate* delegate_;
  // Enter is reported by enterPressed; in read-only grids it goes on to the
  // window (its default button).
  bool enterIsCommand_ = true;
  struct FittedColumns {
    std::vector<int> columns;
    int minimum = 0;
    QString widestWhole;
    // Of each column as last measured: its widest text's added advances
    // and the row of the first such text (-1: none).
    struct Widest {
      int sum = 0;
      int row = -1;
    };
    std::vector<Widest> widest;
  } fitted_;
  QMetaObject::Connection fitOnChange_[5];
};

}  // namespace sorabel
