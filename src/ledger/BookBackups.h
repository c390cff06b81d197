#pragma once
// The copies a save keeps of the book it replaces. Before a save writes over
// an existing book file, the file as it was is copied byte for byte into the
// backup folder as "<book name>.<tag>.<yyyymmdd-hhmmss>.csv" (the book name
// is the file name without its extension; the tag, eight hexadecimal digits
// made from the book's whole path, tells apart books of the same name in
// different folders; a second save within the same second adds "-2", "-3",
// ... to the time). Only the newest few of a book are kept, the oldest
// removed first. Backups named without a tag, as earlier versions named
// them, are listed for every book of their name and never removed.

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sorabel {

// The number of backups kept of each book unless the settings say otherwise.
constexpr int kDefaultBackupCount = 10;
// The most the settings accept.
constexpr int kMaxBackupCount = 999;

// $XDG_DATA_HOME/sorabel/backups (~/.local/share/sorabel/backups).
std::filesystem::path backupFolder();

// The backup folder and how many backups of each book it keeps; 0 keeps
// none.
struct BackupPolicy {
  std::filesystem::path folder;
  int keep = 0;
};

struct BookBackup {
  std::filesystem::path path;
  std::string time;  // "yyyymmdd-hhmmss" of the save that replaced it
  int sequence = 1;  // 1, or the n of a "-n" within the same second
  bool untagged = false;  // named without a tag: it may be another same-named book's
};

// The tag of the book at bookPath in its backups' names.
std::string backupTag(const std::filesystem::path& bookPath);

// "yyyymmdd-hhmmss" of a moment in local time.
std::string backupTime(std::time_t moment);

// "yyyy/mm/dd hh:mm:ss" of a backup's time, as the program shows it.
std::string shownBackupTime(const BookBackup& backup);

// The backups of the book at bookPath in folder, newest first. Another
// book's backups (another name, the same name with a further part, or the
// same name with another book's tag) are not among them.
std::vector<BookBackup> listBackups(const std::filesystem::path& folder, const std::filesystem::path& bookPath);

// Copies the book file at bookPath, when there is one, into the policy's
// folder (made for the user alone when it is missing), then removes that
// book's oldest tagged backups beyond the number kept. Nothing happens when the
// policy keeps none or there is no regular file at bookPath. Returns the new
// backup, or an empty path. Throws FileError when the copy cannot be made;
// the book file is never touched.
std::filesystem::path keepBackup(const BackupPolicy& policy, const std::filesystem::path& bookPath,
                                 std::time_t moment);

// The number of entries of a book's bytes, as reading it would give.
std::size_t bookEntryCount(std::string_view bytes);

}  // namespace sorabel
