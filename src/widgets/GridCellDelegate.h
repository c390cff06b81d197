#pragma once
// Draws and edits the cells of the program's grids. Every cell is filled
// with the colour of its state and its text placed by cellTextOrigin: amount
// columns right-aligned, others from the left. Editing uses a line edit with
// the column's input mask; a masked cell that is not filled in completely is
// refused with a message and stays in edit until it is or Escape abandons it.
// What is typed or pasted is cleaned as TypedTextFilter says, by the kind of
// the column. An editor left unchanged writes nothing back, so a cell whose
// text the editor cannot hold whole (a huge one) keeps its text.

#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <utility>

#include "widgets/CellLayout.h"
#include "widgets/TypedTextFilter.h"

class QLineEdit;

namespace sorabel {

class GridCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using ColumnAlign = std::function<CellAlign(int column)>;
  using ColumnMask = std::function<QString(int column)>;     // a Qt input mask, or empty
  using ColumnUsesIme = std::function<bool(int column)>;     // Japanese input open
  using ColumnText = std::function<FieldText(int column)>;   // words unless set

  explicit GridCellDelegate(ColumnAlign align, QObject* parent = nullptr);

  void setColumnMask(ColumnMask mask) { mask_ = std::move(mask); }
  void setColumnUsesIme(ColumnUsesIme usesIme) { usesIme_ = std::move(usesIme); }
  void setColumnText(ColumnText text) { text_ = std::move(text); }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // True while an editor is open whose text cannot go into the book: its
  // mask is incomplete, or Shift-JIS cannot hold it. The reason has then
  // been shown and the editor keeps the focus. Views call it before moving
  // elsewhere.
  bool refuseUnacceptableEdit() const;

  // The editor that is open, or nullptr.
  QWidget* openEditor() const;

  static const QString& invalidInputMessage();

 signals:
  // Enter was pressed in an editor and its text has been committed.
  void enterCommitted();

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  bool incomplete(const QLineEdit* editor) const;
  // The reason the editor's text cannot go into the book; empty when it can.
  QString refusal(const QLineEdit* editor) const;

  ColumnAlign align_;
  ColumnMask mask_;
  ColumnUsesIme usesIme_;
  ColumnText text_;
  mutable QPointer<QLineEdit> openEditor_;
  // The open editor's text as it was opened.
  mutable QString openedText_;
};

}  // namespace sorabel
