#include "platform/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Errors.h"

namespace sorabel {
namespace fs = std::filesystem;

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { reset(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int close() {
    int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  void reset() {
    if (fd_ >= 0) ::close(fd_);
  }
  int fd_;
};

[[noreturn]] void throwReadError(const fs::path& path, int error) {
  throw FileError(displayPath(path) + " を読み込めません。\n" + errnoReason(error));
}

[[noreturn]] void throwWriteError(const fs::path& path, int error) {
  throw FileError(displayPath(path) + " に保存できません。\n" + errnoReason(error));
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The mode a newly created file gets under the process's umask.
mode_t newFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

constexpr std::size_t kMaxFileNameBytes = 255;
constexpr int kMaxLinkHops = 40;

// ".<name>.XXXXXX" beside the target, the name cut so the whole stays
// within the file system's limit for one name.
std::string temporaryNameFor(const fs::path& target) {
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const std::string suffix = ".XXXXXX";
  std::string name = target.filename().string();
  name = "." + name.substr(0, std::min(name.size(), kMaxFileNameBytes - suffix.size() - 1));
  return (folder / (name + suffix)).string();
}

// Overwrites the file where it stands: the space is reserved first, so a
// full disk is found before a byte is changed.
void writeInPlace(const fs::path& path, const fs::path& target, std::string_view bytes) {
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
  if (!fd.valid()) throwWriteError(path, errno);
  if (!bytes.empty()) {
    int rc = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
    if (rc != 0 && rc != EOPNOTSUPP && rc != EINVAL) throwWriteError(path, rc);
  }
  bool written = writeAll(fd.get(), bytes) && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0 &&
                 ::fsync(fd.get()) == 0;
  int error = errno;
  if (fd.close() != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) throwWriteError(path, error);
}

}  // namespace

fs::path resolvedTarget(const fs::path& path) {
  fs::path target = path;
  std::error_code ec;
  for (int hop = 0; hop < kMaxLinkHops && fs::is_symlink(fs::symlink_status(target, ec)); ++hop) {
    fs::path next = fs::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

std::optional<FileStamp> fileStamp(const fs::path& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uintmax_t>(info.st_dev), static_cast<std::uintmax_t>(info.st_ino),
                   static_cast<std::uintmax_t>(info.st_size),
                   static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

std::string displayPath(const fs::path& path) { return path.string(); }

std::string errnoReason(int error) {
  switch (error) {
    case ENOENT: return "ファイルまたはフォルダが見つかりません。";
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case ENOSPC:
    case EDQUOT: return "ディスクの空き容量が足りません。";
    case EROFS: return "読み取り専用の場所です。";
    case EISDIR: return "フォルダです。";
    case ENOTDIR: return "フォルダが見つかりません。";
    case ENAMETOOLONG: return "名前が長すぎます。";
    case EIO: return "入出力エラーが発生しました。";
    default: return std::string("エラー: ") + std::strerror(error);
  }
}

bool fileExists(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

std::optional<std::uintmax_t> fileSize(const fs::path& path) {
  if (path.empty()) return std::nullopt;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::uintmax_t>(info.st_size);
}

std::string readWholeFile(const fs::path& path) {
  if (path.empty()) throwReadError(path, ENOENT);
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) throwReadError(path, errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) throwReadError(path, errno);
  if (S_ISDIR(info.st_mode)) throwReadError(path, EISDIR);
  std::string bytes;
  bytes.reserve(static_cast<size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      throwReadError(path, errno);
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

void writeFileAtomically(const fs::path& path, std::string_view bytes) {
  if (path.empty()) throwWriteError(path, ENOENT);
  const fs::path target = resolvedTarget(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) throwWriteError(path, EISDIR);
  // A read-only file stays as it is, as it would on any desktop; the mode
  // decides, so root is refused as well.
  if (exists && (old.st_mode & 0222) == 0) throwWriteError(path, EACCES);
  if (exists && old.st_nlink > 1) return writeInPlace(path, target, bytes);

  std::string tempName = temporaryNameFor(target);
  FileDescriptor fd(::mkstemp(tempName.data()));
  if (!fd.valid()) {
    const int error = errno;
    if (exists && (error == EACCES || error == EPERM)) return writeInPlace(path, target, bytes);
    throwWriteError(path, error);
  }

  mode_t mode = exists ? (old.st_mode & 07777) : newFileMode();
  bool written = writeAll(fd.get(), bytes) && ::fchmod(fd.get(), mode) == 0 && ::fsync(fd.get()) == 0;
  int error = errno;
  if (fd.close() != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(tempName.c_str(), target.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(tempName.c_str());
    throwWriteError(path, error);
  }
}

}  // namespace sorabel
