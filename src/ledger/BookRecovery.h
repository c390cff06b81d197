#pragma once
// Recovery copies: while the book has unsaved changes, the program keeps a
// copy of it in the user's state folder, so that a crash or a power cut
// loses nothing but the last moment. Each running program writes its own
// files, "<id>.csv" (the book as it would be saved) and "<id>.info" (the
// book's path and the time, UTF-8 lines), and holds a lock on "<id>.lock"
// for as long as it runs. Files whose lock nobody holds were left by a
// program that ended without removing them.

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileDescriptor.h"

namespace sorabel {

// $XDG_STATE_HOME/sorabel/recovery (~/.local/state/sorabel/recovery).
std::filesystem::path recoveryFolder();

struct LeftRecovery {
  std::filesystem::path book;  // the copy's bytes
  std::filesystem::path info;
  std::string bookName;        // the path of the book it belonged to, UTF-8; empty for a new book
  std::string savedAt;         // "yyyy/mm/dd hh:mm:ss"
};

// The copies left in folder by programs no longer running, newest first.
std::vector<LeftRecovery> leftRecoveries(const std::filesystem::path& folder);

// Removes a left copy (its lock file too).
void removeRecovery(const LeftRecovery& recovery);

class RecoveryCopy {
 public:
  explicit RecoveryCopy(std::filesystem::path folder);
  ~RecoveryCopy();
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;

  // Writes this program's copy, each file atomically. The first write also
  // removes the left copies set aside. Throws FileError.
  void write(std::string_view bookName, std::string_view bytes, std::time_t moment);
  // Removes this program's copy, when there is one.
  void discard();
  bool written() const { return written_; }

  // Left copies the user chose not to take back: removed by the next write.
  void setAside(std::vector<LeftRecovery> left) { setAside_ = std::move(left); }

  const std::filesystem::path& bookFile() const { return bookFile_; }

 private:
  void lock();

  std::filesystem::path folder_;
  std::string id_;
  std::filesystem::path bookFile_;
  std::filesystem::path infoFile_;
  std::filesystem::path lockFile_;
  FileDescriptor lock_;
  bool written_ = false;
  std::vector<LeftRecovery> setAside_;
};

}  // namespace sorabel
