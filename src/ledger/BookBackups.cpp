#include "ledger/BookBackups.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <system_error>
#include <utility>

#include "ledger/BookFile.h"
#include "platform/Errors.h"
#include "platform/FileIo.h"
#include "platform/Locale.h"
#include "platform/UserFolders.h"

namespace sorabel {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".csv";
constexpr std::size_t kTimeLength = 15;  // yyyymmdd-hhmmss

std::string bookName(const fs::path& bookPath) { return bookPath.stem().string(); }

bool allDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool allHex(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// The time and sequence of a backup's file name when it is one of the book
// named name with tag: "<name>.<tag>.<yyyymmdd-hhmmss>[-n].csv", or
// "<name>.<yyyymmdd-hhmmss>[-n].csv" (untagged).
std::optional<BookBackup> parseBackupName(std::string_view file, std::string_view name, std::string_view tag) {
  if (!file.starts_with(name) || file.size() <= name.size() || file[name.size()] != '.' || !file.ends_with(kExtension))
    return std::nullopt;
  std::string_view rest = file.substr(name.size() + 1, file.size() - name.size() - 1 - kExtension.size());
  const bool tagged = rest.size() > tag.size() && rest[tag.size()] == '.' && allHex(rest.substr(0, tag.size()));
  if (tagged) {
    if (rest.substr(0, tag.size()) != tag) return std::nullopt;  // a same-named book elsewhere
    rest.remove_prefix(tag.size() + 1);
  }
  if (rest.size() < kTimeLength) return std::nullopt;
  const std::string_view time = rest.substr(0, kTimeLength);
  if (!allDigits(time.substr(0, 8)) || time[8] != '-' || !allDigits(time.substr(9))) return std::nullopt;
  BookBackup backup{fs::path(), std::string(time), 1, !tagged};
  rest.remove_prefix(kTimeLength);
  if (rest.empty()) return backup;
  if (rest.front() != '-' || !allDigits(rest.substr(1)) || rest.size() > 5) return std::nullopt;
  std::from_chars(rest.data() + 1, rest.data() + rest.size(), backup.sequence);
  return backup;
}

bool newerFirst(const BookBackup& a, const BookBackup& b) {
  if (a.time != b.time) return a.time > b.time;
  return a.sequence > b.sequence;
}

fs::path backupPath(const fs::path& folder, const std::string& prefix, const std::string& time, int sequence) {
  std::string file = prefix + "." + time;
  if (sequence > 1) file += "-" + std::to_string(sequence);
  return folder / (file + std::string(kExtension));
}

// The first free name for a backup made at time; prefix is "<name>.<tag>".
fs::path freeBackupPath(const fs::path& folder, const std::string& prefix, const std::string& time) {
  int sequence = 1;
  fs::path path = backupPath(folder, prefix, time, sequence);
  std::error_code ignored;
  while (fs::symlink_status(path, ignored).type() != fs::file_type::not_found)
    path = backupPath(folder, prefix, time, ++sequence);
  return path;
}

void makeFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error)
    throw FileError(displayPath(folder) + " を作成できません。\n" + errnoReason(error.value()));
  // The backups hold the user's books: the folder is the user's alone.
  ::chmod(folder.c_str(), S_IRWXU);
}

// Untagged backups are left alone: they may be another same-named book's.
// A backup that cannot be removed stays; the save goes on.
void removeOldest(const fs::path& folder, const fs::path& bookPath, int keep) {
  int kept = 0;
  for (const BookBackup& backup : listBackups(folder, bookPath))
    if (!backup.untagged && ++kept > keep) (void)removeFileFreeingLater(backup.path);
}

}  // namespace

std::string backupTag(const fs::path& bookPath) {
  std::error_code error;
  fs::path whole = fs::absolute(bookPath, error);
  if (error) whole = bookPath;
  // FNV-1a: the same path gives the same tag in every run and version.
  std::uint32_t hash = 2166136261u;
  for (const unsigned char c : whole.lexically_normal().string()) {
    hash ^= c;
    hash *= 16777619u;
  }
  char tag[9];
  std::snprintf(tag, sizeof tag, "%08x", hash);
  return tag;
}

fs::path backupFolder() { return programFolder(UserFolder::Data) / "backups"; }

std::string backupTime(std::time_t moment) { return localTimeText(moment, "%Y%m%d-%H%M%S"); }

std::string shownBackupTime(const BookBackup& backup) {
  const std::string& t = backup.time;
  std::string shown = t.substr(0, 4) + "/" + t.substr(4, 2) + "/" + t.substr(6, 2) + " " + t.substr(9, 2) + ":" +
                      t.substr(11, 2) + ":" + t.substr(13, 2);
  if (backup.sequence > 1) shown += " (" + std::to_string(backup.sequence) + ")";
  return shown;
}

std::vector<BookBackup> listBackups(const fs::path& folder, const fs::path& bookPath) {
  std::vector<BookBackup> backups;
  const std::string name = bookName(bookPath);
  const std::string tag = backupTag(bookPath);
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    std::optional<BookBackup> backup = parseBackupName(it->path().filename().string(), name, tag);
    if (!backup) continue;
    backup->path = it->path();
    backups.push_back(std::move(*backup));
  }
  std::sort(backups.begin(), backups.end(), newerFirst);
  return backups;
}

fs::path keepBackup(const BackupPolicy& policy, const fs::path& bookPath, std::time_t moment) {
  if (policy.keep <= 0 || fileKind(bookPath) != FileKind::Regular) return {};
  const std::string bytes = readBookBytes(bookPath);
  makeFolder(policy.folder);
  const fs::path backup =
      freeBackupPath(policy.folder, bookName(bookPath) + "." + backupTag(bookPath), backupTime(moment));
  writeFileAtomically(backup, bytes);
  removeOldest(policy.folder, bookPath, policy.keep);
  return backup;
}

std::size_t bookEntryCount(std::string_view bytes) {
  if (bytes.empty()) return 0;
  LedgerGrid grid;
  readBookText(grid, bytes);
  return static_cast<std::size_t>(grid.dataRowCount());
}

}  // namespace sorabel
