// Writing a file so that a failure or a crash never leaves a torn one: the
// rename path and the in-place path of writeFileAtomically, the copy the
// in-place path keeps while it writes, and the clean-up of what an earlier
// crash left behind.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/Errors.h"
#include "platform/FileDescriptor.h"
#include "platform/FileIo.h"
#include "platform/UserFolders.h"

namespace sorabel {
namespace fs = std::filesystem;

namespace {

SaveStepHook saveStepHook = nullptr;

void reached(SaveStep step, const fs::path& target) {
  if (saveStepHook != nullptr) saveStepHook(step, target);
}

[[noreturn]] void throwWriteError(const fs::path& path, int error) {
  throw FileError(displayPath(path) + " に保存できません。\n" + errnoReason(error));
}

// Every write here is followed by a sync. Each piece written is handed to
// the disk at once, so the disk works while the rest is still being
// written and the sync waits only for the last piece.
constexpr std::size_t kWritebackPiece = 512 * 1024;

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), std::min(bytes.size(), kWritebackPiece));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
    // Only a hint: where it is not supported, the sync does it all.
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
  }
  return true;
}

// Closes fd; false (errno set) when closing reports a late write error.
bool closeReportingErrors(FileDescriptor& fd) { return fd.close() == 0; }

// A hold on the file a rename is about to replace: while it is open, the
// rename only unlinks the old file, and freeing its blocks (a millisecond
// and more for a large book) waits for the hold to be let go. No hold when
// the file cannot be opened; the rename then frees the blocks itself.
FileDescriptor holdReplacedFile(const fs::path& target) {
  return FileDescriptor(::open(target.c_str(), O_PATH | O_CLOEXEC));
}

// Lets go of such a hold on a thread of its own, so that the save does not
// wait for the blocks to be freed; here when no thread can be started.
void letGoBeside(FileDescriptor hold) {
  if (!hold.valid()) return;
  try {
    std::thread([held = std::move(hold)]() mutable { held.close(); }).detach();
  } catch (const std::system_error&) {
    // The lambda and the hold in it are gone: the file was let go here.
  }
}

constexpr std::size_t kMaxFileNameBytes = 255;
constexpr std::string_view kTemporarySuffix = ".XXXXXX";
constexpr std::string_view kCopySuffix = ".sorabel-copy";

fs::path folderOf(const fs::path& target) {
  const fs::path folder = target.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// The file name cut so that it and extraBytes fit in one name.
std::string cutName(const fs::path& target, std::size_t extraBytes) {
  const std::string name = target.filename().string();
  return name.substr(0, std::min(name.size(), kMaxFileNameBytes - extraBytes));
}

// ".<name>" with room for suffix after it.
std::string hiddenName(const fs::path& target, std::string_view suffix) {
  std::string name = ".";
  name += cutName(target, suffix.size() + 1);
  return name;
}

std::string temporaryNameFor(const fs::path& target) {
  return (folderOf(target) / (hiddenName(target, kTemporarySuffix) + std::string(kTemporarySuffix))).string();
}

fs::path copyBeside(const fs::path& target) {
  return folderOf(target) / (hiddenName(target, kCopySuffix) + std::string(kCopySuffix));
}

fs::path cacheFolder() { return programFolder(UserFolder::Cache) / "unfinished-saves"; }

// In the cache folder the copy is named after the file it belongs to
// (device and inode, which an in-place write keeps) and its name.
fs::path copyInCache(const struct stat& info, const fs::path& target) {
  const std::string prefix = std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino) + "-";
  return cacheFolder() / (prefix + cutName(target, prefix.size()));
}

void syncFolder(const fs::path& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

bool isRegularNoFollow(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The copies an unfinished in-place save of target may have left; the
// cache's only when the file's identity is known.
void removeCopies(const fs::path& target, const struct stat* identity) {
  const fs::path beside = copyBeside(target);
  if (isRegularNoFollow(beside) && ::unlink(beside.c_str()) == 0) syncFolder(folderOf(beside));
  if (identity != nullptr) {
    const fs::path cached = copyInCache(*identity, target);
    if (isRegularNoFollow(cached)) ::unlink(cached.c_str());
  }
}

// Owner and group where the user may set them (the group alone when the
// user belongs to it), then the mode, then the extended attributes, among
// them the access control lists, which set the mode's group bits last.
// False (errno set) when the mode cannot be set.
bool keepAttributes(int fd, const fs::path& from, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  if (::fchmod(fd, old.st_mode & 07777) != 0) return false;
  ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return true;
  std::string names(static_cast<std::size_t>(size), '\0');
  size = ::listxattr(from.c_str(), names.data(), names.size());
  if (size <= 0) return true;
  names.resize(static_cast<std::size_t>(size));
  std::string value;
  for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
    const char* name = names.c_str() + at;
    ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
    if (length < 0) continue;
    value.resize(static_cast<std::size_t>(length));
    length = ::getxattr(from.c_str(), name, value.data(), value.size());
    if (length >= 0) (void)::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(length), 0);
  }
  return true;
}

// Six characters as mkstemp makes them: letters and digits, of at least two
// kinds, so that a name a person chose (".book.csv.backup", ".book.csv.202401")
// is never taken for one.
bool looksLikeTemporarySuffix(std::string_view suffix) {
  if (suffix.size() != kTemporarySuffix.size() - 1) return false;
  bool lower = false, upper = false, digit = false;
  for (char c : suffix) {
    if (c >= 'a' && c <= 'z') lower = true;
    else if (c >= 'A' && c <= 'Z') upper = true;
    else if (c >= '0' && c <= '9') digit = true;
    else return false;
  }
  return lower + upper + digit >= 2;
}

// Removes the temporary files of target's name that an earlier save left
// when it stopped before its rename: regular files of this user only.
void removeLeftoverTemporaries(const fs::path& target) {
  const std::string prefix = hiddenName(target, kTemporarySuffix) + ".";
  const fs::path folder = folderOf(target);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || !looksLikeTemporarySuffix(name.substr(prefix.size()))) continue;
    struct stat info {};
    if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid())
      ::unlinkat(dirFd, entry->d_name, 0);
  }
  ::closedir(dir);
}

// Writes oldBytes to a new copy beside the target, or in the cache folder
// when its folder takes no new file; synced, name and all. Returns where.
fs::path writeSaveCopy(const fs::path& path, const fs::path& target, const struct stat& old,
                       std::string_view oldBytes) {
  int error = 0;
  for (const fs::path& copy : {copyBeside(target), copyInCache(old, target)}) {
    std::error_code ignored;
    if (copy != copyBeside(target)) fs::create_directories(copy.parent_path(), ignored);
    FileDescriptor fd(::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, old.st_mode & 0666));
    if (!fd.valid()) {
      error = errno;
      continue;
    }
    // Its bytes and length are what matter: the copy is only read back.
    if (writeAll(fd.get(), oldBytes) && ::fdatasync(fd.get()) == 0 && closeReportingErrors(fd)) {
      syncFolder(copy.parent_path());
      return copy;
    }
    error = errno;
    ::unlink(copy.c_str());
  }
  throwWriteError(path, error);
}

// Writes bytes over the open file from its start, cuts it there and syncs
// its bytes and length (its other attributes stay as they were).
bool overwrite(int fd, std::string_view bytes) {
  return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes) &&
         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fdatasync(fd) == 0;
}

// Overwrites the file where it stands, after a complete copy of the old
// file is safe on disk. The space is reserved first, so a full disk is
// found before a byte is changed; a write that fails halfway puts the old
// bytes back.
void writeInPlace(const fs::path& path, const fs::path& target, std::string_view bytes) {
  FileDescriptor fd(::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid()) throwWriteError(path, errno);
  struct stat opened {};
  if (::fstat(fd.get(), &opened) != 0) throwWriteError(path, errno);
  if (!S_ISREG(opened.st_mode)) throw FileError(notRegularFileMessage(path));
  const std::string oldBytes = readWholeFile(target);
  if (bytes.size() > oldBytes.size()) {
    // Reserved without changing the size: the file reads as before.
    if (::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 && errno != EOPNOTSUPP &&
        errno != EINVAL && errno != ENOSYS)
      throwWriteError(path, errno);
  }
  const fs::path copy = writeSaveCopy(path, target, opened, oldBytes);
  reached(SaveStep::CopyWritten, target);
  if (!overwrite(fd.get(), bytes)) {
    const int error = errno;
    if (overwrite(fd.get(), oldBytes)) ::unlink(copy.c_str());
    throwWriteError(path, error);
  }
  if (!closeReportingErrors(fd)) throwWriteError(path, errno);
  reached(SaveStep::WrittenInPlace, target);
  ::unlink(copy.c_str());
  syncFolder(copy.parent_path());
}

}  // namespace

void setSaveStepHook(SaveStepHook hook) { saveStepHook = hook; }

unsigned newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

std::optional<fs::path> unfinishedSaveCopy(const fs::path& path) {
  if (path.empty()) return std::nullopt;
  const fs::path target = resolvedTarget(path);
  if (const fs::path beside = copyBeside(target); isRegularNoFollow(beside)) return beside;
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    if (const fs::path cached = copyInCache(info, target); isRegularNoFollow(cached)) return cached;
  }
  return std::nullopt;
}

void removeUnfinishedSaveCopy(const fs::path& path) {
  if (path.empty()) return;
  const fs::path target = resolvedTarget(path);
  struct stat info {};
  removeCopies(target, ::stat(target.c_str(), &info) == 0 ? &info : nullptr);
}

bool removeFileFreeingLater(const fs::path& path) {
  FileDescriptor hold(::open(path.c_str(), O_PATH | O_CLOEXEC | O_NOFOLLOW));
  if (::unlink(path.c_str()) != 0) return false;
  letGoBeside(std::move(hold));
  return true;
}

void writeFileAtomically(const fs::path& path, std::string_view bytes) {
  writeFileAtomically(path, [bytes](const PutBytes& put) { put(bytes); });
}

void writeFileAtomically(const fs::path& path, const ByteSource& source) {
  // The in-place path needs every byte before it changes one.
  const auto whole = [&source] {
    std::string bytes;
    source([&bytes](std::string_view piece) { bytes.append(piece); });
    return bytes;
  };
  if (path.empty()) throwWriteError(path, ENOENT);
  const fs::path target = resolvedTarget(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) throwWriteError(path, EISDIR);
  if (exists && !S_ISREG(old.st_mode)) throw FileError(notRegularFileMessage(path));
  // A read-only file stays as it is, as it would on any desktop; the mode
  // decides, so root is refused as well.
  if (exists && (old.st_mode & 0222) == 0) throwWriteError(path, EACCES);
  if (exists && old.st_nlink > 1) {
    writeInPlace(path, target, whole());
    removeCopies(target, &old);
    return;
  }

  std::string tempName = temporaryNameFor(target);
  FileDescriptor fd(::mkstemp(tempName.data()));
  if (!fd.valid()) {
    const int error = errno;
    if (exists && (error == EACCES || error == EPERM)) {
      writeInPlace(path, target, whole());
      removeCopies(target, &old);
      return;
    }
    throwWriteError(path, error);
  }

  int writeError = 0;
  try {
    source([&](std::string_view piece) {
      if (writeError == 0 && !writeAll(fd.get(), piece)) writeError = errno;
    });
  } catch (...) {
    ::unlink(tempName.c_str());
    throw;
  }
  bool written = writeError == 0;
  if (!written) errno = writeError;
  if (written) written = exists ? keepAttributes(fd.get(), target, old) : ::fchmod(fd.get(), newFileMode()) == 0;
  // fsync, not fdatasync: the mode, owner and attributes it was given must
  // be on disk before it becomes the file.
  written = written && ::fsync(fd.get()) == 0;
  int error = errno;
  if (!closeReportingErrors(fd) && written) {
    written = false;
    error = errno;
  }
  if (written) reached(SaveStep::TemporaryWritten, target);
  FileDescriptor replaced = exists && written ? holdReplacedFile(target) : FileDescriptor();
  if (written && ::rename(tempName.c_str(), target.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(tempName.c_str());
    throwWriteError(path, error);
  }
  syncFolder(folderOf(target));
  letGoBeside(std::move(replaced));
  removeLeftoverTemporaries(target);
  if (exists) removeCopies(target, &old);
}

}  // namespace sorabel
