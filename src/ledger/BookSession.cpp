#include "ledger/BookSession.h"

#include "ledger/BookFile.h"
#include "platform/FileIo.h"

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

bool BookSession::readLastBook(BookOrder order) {
  if (!fileExists(filePath())) return false;
  readBookFile(grid_, filePath());
  sortAndBalance(order);
  state_ = BookState::ReadAtStartup;
  return true;
}

void BookSession::newBook() {
  grid_.resetToEmptyBook();
  state_ = BookState::NewBook;
}

void BookSession::open(std::string name, BookOrder order) {
  fileName_ = std::move(name);
  loadBookFile(grid_, filePath(), order);
  state_ = BookState::Opened;
}

void BookSession::reopen(std::string name) {
  fileName_ = std::move(name);
  reopenBookFile(grid_, filePath());
  state_ = BookState::Opened;
}

void BookSession::save(BookOrder order) {
  sortAndBalance(order);
  writeBookFile(grid_, filePath());
}

void BookSession::saveAs(std::string name, BookOrder order) {
  sortAndBalance(order);
  writeBookFile(grid_, std::filesystem::path(name));
  fileName_ = std::move(name);
  state_ = BookState::Opened;
}

bool BookSession::changed() const { return bookChanged(grid_, filePath()); }

void BookSession::sortAndBalance(BookOrder order) { sorabel::sortAndBalance(grid_, kDateColumn, order); }

}  // namespace sorabel
