#pragma once
// The open book: the grid store, the name of its file (BookFileName) and
// the state the book is in, from which the main window's caption follows.
// The windows change the book only through this session and the ledger
// functions; they never compare captions.

#include <filesystem>
#include <string>

#include "ledger/LedgerGrid.h"
#include "ledger/SortAndBalance.h"

namespace sorabel {

enum class BookState {
  LastBookMissing,  // caption "Sorabel": the last book was to be opened but its file is gone
  NewBook,          // caption "Sorabel  NewFile": Save turns into Save As
  ReadAtStartup,    // caption "Sorabel  <file>"
  Opened,           // caption "Sorabel　<file>": opened, reopened or saved as
};

class BookSession {
 public:
  LedgerGrid& grid() { return grid_; }
  const LedgerGrid& grid() const { return grid_; }
  BookState state() const { return state_; }

  // BookFileName: the full path as UTF-8 text (paths on disk are UTF-8 here).
  const std::string& fileName() const { return fileName_; }
  std::filesystem::path filePath() const { return std::filesystem::path(fileName_); }

  // The main window's caption, UTF-8.
  std::string caption() const;

  // Start-up: the name remembered in the profile.
  void setFileName(std::string name) { fileName_ = std::move(name); }
  // Start-up without the last book: a new, unnamed book.
  void startWithNewBook() { state_ = BookState::NewBook; }
  // Start-up with the last book: reads it when its file exists and runs the
  // pass. Returns false (and stays LastBookMissing) when there is no file.
  bool readLastBook(BookOrder order);

  // New: one empty row; the name stays.
  void newBook();
  // Open: the named file is read (when it exists) and the pass runs.
  void open(std::string name, BookOrder order);
  // A recent file: the named file is read as it stands, without the pass.
  void reopen(std::string name);

  // Save must ask for a name: a new book, or no name at all.
  bool saveNeedsName() const { return state_ == BookState::NewBook || fileName_.empty(); }
  // Save: the pass, then the file is written.
  void save(BookOrder order);
  // Save As: the pass, then the file is written under its new name.
  void saveAs(std::string name, BookOrder order);

  // BookChanged: the grid differs from the file on disk.
  bool changed() const;
  // The close request asks about changes unless the last book was missing.
  bool asksAboutChangesOnClose() const { return state_ != BookState::LastBookMissing; }

  void sortAndBalance(BookOrder order);

 private:
  LedgerGrid grid_;
  std::string fileName_;
  BookState state_ = BookState::LastBookMissing;
};

}  // namespace sorabel
