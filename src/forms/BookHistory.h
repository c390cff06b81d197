#pragma once
// The main window's undo and redo. Every change of the book a person makes
// (an entry added, a cell edited, rows deleted, the order switched) becomes
// one step holding only the entries it replaced (GridChange), with the
// selection and the order before and after it. Undoing a step puts the rows
// where they stood and the selection back, then writes the balances; it does
// not sort again, which could turn rows of equal date round. New and Open
// start a fresh history; Save keeps it.

#include <QObject>
#include <QString>
#include <functional>

#include "ledger/BookBaseline.h"
#include "ledger/GridChange.h"
#include "ledger/SortAndBalance.h"
#include "widgets/StringGridView.h"

class QUndoStack;

namespace sorabel {

class BookEditStep;

class BookHistory : public QObject {
  Q_OBJECT

 public:
  // What undoing and redoing need of the main window.
  struct Window {
    std::function<const LedgerGrid&()> grid;
    // Runs a change of the book and brings the grid view up to date.
    std::function<void(const std::function<void(LedgerGrid&)>&)> changeBook;
    std::function<BookOrder()> order;
    // Checks the order in the menu.
    std::function<void(BookOrder)> setOrder;
    std::function<StringGridView::Selection()> selection;
    std::function<void(const StringGridView::Selection&)> select;
  };

  BookHistory(Window window, QObject* parent);

  QUndoStack* stack() const { return stack_; }

  // The book as it is now starts a fresh history (New, Open, a recent file,
  // a backup, the book read at start-up).
  void restart();

  // The selection before the change about to be made; record uses it.
  void aboutToChange();

  // What changed since the last step becomes a step called what, undone to
  // the selection aboutToChange saw (the current one when it was not
  // called). Nothing when the entries and the order are as they were.
  void record(const QString& what);

  // A pass that moved rows after the last step (Enter after a cell edit, a
  // save) belongs to that step. Without a step to join, the book as it is
  // becomes where the next step starts.
  void joinPass();

  // The unsaved-changes test and a save never touch the history; these are
  // for the menu items.
  QString undoHint() const;
  QString redoHint() const;

 private:
  friend class BookEditStep;
  // Undo (forward false) or redo of a step.
  void apply(const GridChange& change, bool forward, BookOrder order, const StringGridView::Selection& selection);
  // The book as it is now becomes where the next step starts: taken
  // whole, or brought up to date where it was written.
  void takeBaseline();
  void followBook();

  Window window_;
  QUndoStack* stack_;
  BookBaseline baseline_;  // the book as the last step left it
  BookOrder baselineOrder_ = BookOrder::OldestFirst;
  StringGridView::Selection before_;
  bool haveBefore_ = false;
  bool applying_ = false;
};

}  // namespace sorabel
