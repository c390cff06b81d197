#pragma once
// The main window's operations that the other windows use. They reach the
// main window only through these, never through its controls.

#include <QRect>
#include <QString>
#include <functional>

#include "ledger/BookSession.h"

namespace sorabel {

class MainWindowOperations {
 public:
  virtual ~MainWindowOperations() = default;

  virtual const BookSession& session() const = 0;
  // Runs a change of the book store and brings the grid view up to date.
  virtual void changeBook(const std::function<void(LedgerGrid&)>& change) = 0;
  // A person's change of the book: aboutToEditBook before it, bookEdited
  // (named for the undo menu) once it and its pass are done.
  virtual void aboutToEditBook() = 0;
  virtual void bookEdited(const QString& what) = 0;
  virtual void SortAndBalance() = 0;
  virtual void ShowStatus() = 0;
  virtual void CenterMainWindow() = 0;
  // The current cell moves to the newest entry's row, keeping its column.
  virtual void moveToNewestRow() = 0;
  virtual BookOrder bookOrder() const = 0;
  // The main window's frame on the screen.
  virtual QRect mainWindowFrame() const = 0;
  // The main window's client area on the screen.
  virtual QRect mainWindowClient() const = 0;
};

}  // namespace sorabel
