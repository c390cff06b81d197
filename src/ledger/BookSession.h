#pragma once
// The open book: the grid store, the name of its file (BookFileName) and
// the state the book is in, from which the main window's caption follows.
// The windows change the book only through this session and the ledger
// functions; they never compare captions.
//
// Nothing is lost by a failed read: Open and a recent file read the file
// into a fresh grid and take it only when the whole file was read, so a
// file that cannot be read (or holds too many entries) leaves the book, its
// name and its state as they were. The session also remembers the stamp of
// the file as it last read or wrote it, so that a Save can tell when another
// program has changed the file since.

#include <filesystem>
#include <optional>
#include <string>

#include "ledger/LedgerGrid.h"
#include "ledger/SortAndBalance.h"
#include "platform/FileIo.h"

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
  void setFileName(std::string name);
  // Start-up without the last book: a new, unnamed book.
  void startWithNewBook() { state_ = BookState::NewBook; }
  // Start-up with the last book: reads it when its file exists and runs the
  // pass. Returns false (and stays LastBookMissing) when there is no file.
  // A file that cannot be read whole throws; the rows read so far stay, but
  // the book forgets the name, so that no Save writes them over that file.
  bool readLastBook(BookOrder order);

  // New: one empty row; the name stays.
  void newBook();
  // Open: the named file is read and the pass runs. A name without a file
  // keeps the book and takes the name. Throws; a failed read changes nothing.
  void open(std::string name, BookOrder order);
  // A recent file: the named file is read as it stands, without the pass.
  // Throws; a failed read changes nothing.
  void reopen(std::string name);

  // Save must ask for a name: a new book, or no name at all.
  bool saveNeedsName() const { return state_ == BookState::NewBook || fileName_.empty(); }
  // The file on disk is not the one this book was read from or saved to:
  // another program wrote it (or made it) since.
  bool changedOnDisk() const;
  // Save: the pass, then the file is written.
  void save(BookOrder order);
  // Save As: the pass, then the file is written under its new name.
  void saveAs(std::string name, BookOrder order);

  // BookChanged: the grid differs from the file on disk (without a file:
  // the book holds anything at all).
  bool changed() const;

  void sortAndBalance(BookOrder order);

 private:
  // Reads a whole file into a fresh grid; the stamp is taken before reading.
  LedgerGrid readWhole(const std::filesystem::path& path, std::optional<FileStamp>& stamp) const;

  LedgerGrid grid_;
  std::string fileName_;
  BookState state_ = BookState::LastBookMissing;
  std::optional<FileStamp> knownStamp_;
};

}  // namespace sorabel
