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
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "ledger/BookBackups.h"
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

// What the user chooses when an in-place save of the book never finished
// and left a copy of the book as it was before that save.
enum class UnfinishedSaveChoice {
  OpenCopy,     // read the copy; the book counts as changed until saved
  OpenFile,     // read the file as it is and remove the copy
  OpenNothing,  // open nothing; the copy stays
};

// The questions reading a book may have to ask. A question without an
// answer is answered by opening nothing.
struct OpenQuestions {
  // The file is UTF-8 text: true converts it to Shift-JIS (the book then
  // counts as changed until saved), false opens nothing.
  std::function<bool()> convertFromUtf8;
  std::function<UnfinishedSaveChoice()> unfinishedSave;
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
  // pass. Returns false (and stays LastBookMissing) when there is no file
  // (or a folder), or when the user chose to open nothing (the book then
  // forgets the name).
  // A file that cannot be read whole, or is no regular file, throws; the
  // rows read so far stay, but the book forgets the name, so that no Save
  // writes them over that file.
  bool readLastBook(BookOrder order, const OpenQuestions& questions = {});

  // New: one empty row; the name stays.
  void newBook();
  // Open: the named file is read and the pass runs. A name without a file
  // keeps the book and takes the name. Throws (also for anything that is
  // not a regular file); a failed read changes nothing. False when the user
  // chose to open nothing, which changes nothing either.
  bool open(std::string name, BookOrder order, const OpenQuestions& questions = {});
  // A recent file: the named file is read as it stands, without the pass.
  // Throws; a failed read, or opening nothing (false), changes nothing.
  bool reopen(std::string name, const OpenQuestions& questions = {});

  // A backup: read as a new book that Save must name, so that the backup
  // itself is never written over; it counts as changed. The name of the
  // current book stays, as New keeps it. Throws; a failed read changes
  // nothing.
  void openBackup(const std::filesystem::path& backup, BookOrder order);

  // A recovery copy of the book called name (empty: a new book) taken
  // back: it counts as changed until saved. Throws; a failed read changes
  // nothing.
  void openRecovered(std::string_view bytes, std::string name);

  // Save must ask for a name: a new book, or no name at all.
  bool saveNeedsName() const { return state_ == BookState::NewBook || fileName_.empty(); }
  // The file on disk is not the one this book was read from or saved to:
  // another program wrote it (or made it) since.
  bool changedOnDisk() const;
  // Save: the pass, then the file is written.
  void save(BookOrder order);
  // Save As: the pass, then the file is written under its new name.
  void saveAs(std::string name, BookOrder order);

  // Save and Save As keep a backup of the file they replace under this
  // policy (none by default).
  void setBackupPolicy(BackupPolicy policy) { backupPolicy_ = std::move(policy); }
  // Why the last save could not keep its backup (the save itself went on),
  // or nothing; cleared by taking it.
  std::optional<std::string> takeBackupFailure() { return std::exchange(backupFailure_, std::nullopt); }

  // BookChanged: the grid differs from the file on disk (without a file:
  // the book holds anything at all), or the book was read from a UTF-8 file
  // or from the copy of an unfinished save and not saved since.
  bool changed() const;

  void sortAndBalance(BookOrder order);

 private:
  // The bytes to read for the book at path, after the user's answers: the
  // file's or those of an unfinished save's copy, converted from UTF-8
  // where asked. Nothing when the user chose to open nothing. Sets
  // differsFromFile when the bytes are not the file's own. The stamp is
  // taken before reading.
  std::optional<std::string> bytesToRead(const std::filesystem::path& path, const OpenQuestions& questions,
                                         std::optional<FileStamp>& stamp, bool& differsFromFile) const;
  // The book read from the file name (none: a missing file, the grid stays
  // as it is) becomes the opened book.
  void adopt(std::optional<LedgerGrid> read, std::string name, std::optional<FileStamp> stamp, bool differsFromFile);
  // bytesToRead into a fresh grid.
  std::optional<LedgerGrid> readWhole(const std::filesystem::path& path, const OpenQuestions& questions,
                                      std::optional<FileStamp>& stamp, bool& differsFromFile) const;

  // A backup of the file at path before it is written over; a failure is
  // kept for takeBackupFailure and does not stop the save.
  void backUp(const std::filesystem::path& path);

  LedgerGrid grid_;
  std::string fileName_;
  BookState state_ = BookState::LastBookMissing;
  std::optional<FileStamp> knownStamp_;
  bool differsFromFile_ = false;
  BackupPolicy backupPolicy_;
  std::optional<std::string> backupFailure_;
};

}  // namespace sorabel
