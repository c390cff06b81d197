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

// The file that a write really replaces: the target of a symbolic link.
fs::path resolvedTarget(const fs::path& path) {
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    fs::path target = fs::read_symlink(path, ec);
    if (!ec) return target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

}  // namespace

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
  // A read-only file stays as it is, as it would on any desktop.
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) throwWriteError(path, errno);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string tempName = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  FileDescriptor fd(::mkstemp(tempName.data()));
  if (!fd.valid()) throwWriteError(path, errno);

  struct stat old {};
  mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
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
