#include "ledger/BookSession.h"

#include "ledger/BookFile.h"

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
}

bool BookSession::readLastBook(BookOrder order) {
  if (!fileExists(filePath())) return false;
  knownStamp_ = fileStamp(filePath());
  try {
    readBookFile(grid_, filePath());
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
}

LedgerGrid BookSession::readWhole(const std::filesystem::path& path, std::optional<FileStamp>& stamp) const {
  stamp = fileStamp(path);
  LedgerGrid fresh;
  readBookFile(fresh, path);
  return fresh;
}

void BookSession::open(std::string name, BookOrder order) {
  const std::filesystem::path path(name);
  const bool exists = fileExists(path);
  std::optional<FileStamp> stamp;
  if (exists) grid_ = readWhole(path, stamp);
  fileName_ = std::move(name);
  knownStamp_ = stamp;
  state_ = BookState::Opened;
  if (exists) sortAndBalance(order);
}

void BookSession::reopen(std::string name) {
  std::optional<FileStamp> stamp;
  grid_ = readWhole(std::filesystem::path(name), stamp);
  fileName_ = std::move(name);
  knownStamp_ = stamp;
  state_ = BookState::Opened;
}

bool BookSession::changedOnDisk() const {
  const std::optional<FileStamp> now = fileStamp(filePath());
  return now.has_value() && now != knownStamp_;
}

void BookSession::save(BookOrder order) {
  sortAndBalance(order);
  writeBookFile(grid_, filePath());
  knownStamp_ = fileStamp(filePath());
}

void BookSession::saveAs(std::string name, BookOrder order) {
  sortAndBalance(order);
  writeBookFile(grid_, std::filesystem::path(name));
  fileName_ = std::move(name);
  knownStamp_ = fileStamp(filePath());
  state_ = BookState::Opened;
}

bool BookSession::changed() const { return bookChanged(grid_, filePath()); }

void BookSession::sortAndBalance(BookOrder order) { sorabel::sortAndBalance(grid_, kDateColumn, order); }

}  // namespace sorabel
