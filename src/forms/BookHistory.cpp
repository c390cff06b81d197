#include "forms/BookHistory.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace sorabel {

class BookEditStep : public QUndoCommand {
 public:
  BookEditStep(BookHistory& history, const QString& what, GridChange change, BookOrder orderBefore,
               BookOrder orderAfter, const StringGridView::Selection& before, const StringGridView::Selection& after)
      : QUndoCommand(what),
        history_(history),
        change_(std::move(change)),
        orderBefore_(orderBefore),
        orderAfter_(orderAfter),
        before_(before),
        after_(after) {}

  void undo() override { history_.apply(change_, false, orderBefore_, before_); }
  // Pushing a step runs redo: the change is already made then.
  void redo() override {
    if (pushed_) history_.apply(change_, true, orderAfter_, after_);
    pushed_ = true;
  }

  // The step grows to what the book now is (a pass moved rows after it).
  void extend(GridChange change, const StringGridView::Selection& after) {
    change_ = std::move(change);
    after_ = after;
  }
  // The step ends with this selection (a pass that moved no row).
  void endAt(const StringGridView::Selection& after) { after_ = after; }
  const GridChange& change() const { return change_; }

 private:
  BookHistory& history_;
  GridChange change_;
  BookOrder orderBefore_;
  BookOrder orderAfter_;
  StringGridView::Selection before_;
  StringGridView::Selection after_;
  bool pushed_ = false;
};

BookHistory::BookHistory(Window window, QObject* parent)
    : QObject(parent), window_(std::move(window)), stack_(new QUndoStack(this)) {}

void BookHistory::takeBaseline() {
  baseline_.take(window_.grid());
  baselineOrder_ = window_.order();
  haveBefore_ = false;
}

void BookHistory::followBook() {
  baseline_.follow(window_.grid());
  baselineOrder_ = window_.order();
  haveBefore_ = false;
}

void BookHistory::restart() {
  stack_->clear();
  takeBaseline();
}

void BookHistory::aboutToChange() {
  before_ = window_.selection();
  haveBefore_ = true;
}

void BookHistory::record(const QString& what) {
  if (applying_) return;
  GridChange change = baseline_.changeTo(window_.grid());
  const BookOrder order = window_.order();
  const StringGridView::Selection before = haveBefore_ ? before_ : window_.selection();
  if (!change.empty() || order != baselineOrder_)
    stack_->push(new BookEditStep(*this, what, std::move(change), baselineOrder_, order, before, window_.selection()));
  followBook();
}

void BookHistory::joinPass() {
  if (applying_) return;
  const int top = stack_->index();
  auto* step = top > 0 && top == stack_->count() ? dynamic_cast<const BookEditStep*>(stack_->command(top - 1)) : nullptr;
  if (step != nullptr && baselineOrder_ == window_.order()) {
    // QUndoStack hands its commands out const; the step is ours to grow.
    auto* grown = const_cast<BookEditStep*>(step);
    if (baseline_.changeTo(window_.grid()).empty())
      grown->endAt(window_.selection());  // the pass only wrote amounts
    else
      grown->extend(baseline_.joined(step->change(), window_.grid()), window_.selection());
  }
  followBook();
}

void BookHistory::apply(const GridChange& change, bool forward, BookOrder order,
                        const StringGridView::Selection& selection) {
  applying_ = true;
  window_.setOrder(order);
  window_.changeBook([&](LedgerGrid& grid) {
    forward ? change.redo(grid) : change.undo(grid);
    balanceRows(grid, order);
  });
  window_.select(selection);
  applying_ = false;
  followBook();
}

QString BookHistory::undoHint() const {
  return stack_->canUndo() ? QStringLiteral("%1を元に戻します").arg(stack_->undoText())
                           : QStringLiteral("元に戻す操作はありません");
}

QString BookHistory::redoHint() const {
  return stack_->canRedo() ? QStringLiteral("%1をやり直します").arg(stack_->redoText())
                           : QStringLiteral("やり直す操作はありません");
}

}  // namespace sorabel
