#include "ledger/BookSession.h"

#include <ctime>

#include "ledger/BookFile.h"
#include "platform/Errors.h"

namespace sorabel {

std::string BookSession::caption() const {
  switch (state_) {
    case BookState::LastBookMissing: return "Sorabel";
    case BookState::NewBook: return "Sorabel  NewFile";
    case BookState::ReadAtStartup: return "Sorabel  " + fileName_;
    case BookState::Opened: return "Sorabel\u3000" + fileName_;
  }
  return "Sorabel";
}

void BookSession::setFileName(std::string name) {
  fileName_ = std::move(name);
  knownStamp_.reset();
  differsFromFile_ = false;
}

std::optional<std::string> BookSession::bytesToRead(const std::filesystem::path& path, const OpenQuestions& questions,
                                                    std::optional<FileStamp>& stamp, bool& differsFromFile) const {
  stamp = fileStamp(path);
  std::string bytes = readBookBytes(path);
  differsFromFile = false;
  if (const std::optional<std::filesystem::path> copy = unfinishedSaveCopy(path)) {
    std::string kept = readBookBytes(*copy);
    if (kept == bytes) {
      removeUnfinishedSaveCopy(path);  // the save stopped before it changed the file
    } else {
      switch (questions.unfinishedSave ? questions.unfinishedSave() : UnfinishedSaveChoice::OpenNothing) {
        case UnfinishedSaveChoice::OpenNothing: return std::nullopt;
        case UnfinishedSaveChoice::OpenFile: removeUnfinishedSaveCopy(path); break;
        case UnfinishedSaveChoice::OpenCopy:
          bytes = std::move(kept);  // the copy goes when the book is next saved
          differsFromFile = true;
          break;
      }
    }
  }
  if (isUtf8Book(bytes)) {
    if (!questions.convertFromUtf8 || !questions.convertFromUtf8()) return std::nullopt;
    bytes = utf8BookInShiftJis(bytes);
    differsFromFile = true;
  }
  return bytes;
}

std::optional<LedgerGrid> BookSession::readWhole(const std::filesystem::path& path, const OpenQuestions& questions,
                                                 std::optional<FileStamp>& stamp, bool& differsFromFile) const {
  std::optional<std::string> bytes = bytesToRead(path, questions, stamp, differsFromFile);
  if (!bytes) return std::nullopt;
  LedgerGrid fresh;
  readBookText(fresh, std::move(*bytes));
  return fresh;
}

bool BookSession::readLastBook(BookOrder order, const OpenQuestions& questions) {
  // A folder in the book's place counts as missing, as it always has; a
  // FIFO or a device is refused below.
  const FileKind kind = fileKind(filePath());
  if (kind == FileKind::Missing || kind == FileKind::Folder) return false;
  try {
    std::optional<FileStamp> stamp;
    bool differs = false;
    std::optional<std::string> bytes = bytesToRead(filePath(), questions, stamp, differs);
    if (!bytes) {
      setFileName({});
      return false;
    }
    knownStamp_ = stamp;
    differsFromFile_ = differs;
    readBookText(grid_, std::move(*bytes));
  } catch (...) {
    setFileName({});
    throw;
  }
  sortAndBalance(order);
  state_ = BookState::ReadAtStartup;
  return true;
}

void BookSession::newBook() {
  grid_.resetToEmptyBook();
  state_ = BookState::NewBook;
  differsFromFile_ = false;
}

bool BookSession::open(std::string name, BookOrder order, const OpenQuestions& questions) {
  const std::filesystem::path path(name);
  const bool exists = fileKind(path) != FileKind::Missing;
  std::optional<FileStamp> stamp;
  bool differs = false;
  std::optional<LedgerGrid> read;
  if (exists) {
    read = readWhole(path, questions, stamp, differs);
    if (!read) return false;
  }
  adopt(std::move(read), std::move(name), stamp, differs);
  if (exists) sortAndBalance(order);
  return true;
}

bool BookSession::reopen(std::string name, const OpenQuestions& questions) {
  std::optional<FileStamp> stamp;
  bool differs = false;
  std::optional<LedgerGrid> read = readWhole(std::filesystem::path(name), questions, stamp, differs);
  if (!read) return false;
  adopt(std::move(read), std::move(name), stamp, differs);
  return true;
}

void BookSession::adopt(std::optional<LedgerGrid> read, std::string name, std::optional<FileStamp> stamp,
                        bool differsFromFile) {
  if (read) grid_ = std::move(*read);
  fileName_ = std::move(name);
  knownStamp_ = stamp;
  differsFromFile_ = differsFromFile;
  state_ = BookState::Opened;
}

void BookSession::openBackup(const std::filesystem::path& backup, BookOrder order) {
  LedgerGrid read;
  readBookText(read, readBookBytes(backup));
  grid_ = std::move(read);
  knownStamp_.reset();
  differsFromFile_ = true;
  state_ = BookState::NewBook;
  sortAndBalance(order);
}

void BookSession::openRecovered(std::string_view bytes, std::string name) {
  LedgerGrid read;
  readBookText(read, bytes);
  grid_ = std::move(read);
  fileName_ = std::move(name);
  knownStamp_ = fileStamp(filePath());
  differsFromFile_ = true;
  state_ = fileName_.empty() ? BookState::NewBook : BookState::Opened;
}

bool BookSession::changedOnDisk() const {
  const std::optional<FileStamp> now = fileStamp(filePath());
  return now.has_value() && now != knownStamp_;
}

void BookSession::backUp(const std::filesystem::path& path) {
  try {
    keepBackup(backupPolicy_, path, std::time(nullptr));
  } catch (const Error& error) {
    backupFailure_ = error.what();
  }
}

void BookSession::save(BookOrder order) {
  sortAndBalance(order);
  backUp(filePath());
  writeBookFile(grid_, filePath());
  knownStamp_ = fileStamp(filePath());
  differsFromFile_ = false;
}

void BookSession::saveAs(std::string name, BookOrder order) {
  sortAndBalance(order);
  backUp(std::filesystem::path(name));
  writeBookFile(grid_, std::filesystem::path(name));
  fileName_ = std::move(name);
  knownStamp_ = fileStamp(filePath());
  differsFromFile_ = false;
  state_ = BookState::Opened;
}

bool BookSession::changed() const { return differsFromFile_ || bookChanged(grid_, filePath()); }

void BookSession::sortAndBalance(BookOrder order) { sorabel::sortAndBalance(grid_, kDateColumn, order); }

}  // namespace sorabel
