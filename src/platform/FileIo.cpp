#include "platform/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/Errors.h"
#include "platform/FileDescriptor.h"

namespace sorabel {
namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;

[[noreturn]] void throwReadError(const fs::path& path, int error) {
  throw FileError(displayPath(path) + " を読み込めません。\n" + errnoReason(error));
}

[[noreturn]] void throwTooLarge(const fs::path& path, std::uintmax_t maxBytes) {
  throw FileError(displayPath(path) + " は大きすぎるため開けません。\n開けるのは " +
                  std::to_string(maxBytes / (1024 * 1024)) + " MB までのファイルです。");
}

FileKind kindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::Regular;
  if (S_ISDIR(mode)) return FileKind::Folder;
  return FileKind::Other;
}

// Opens a regular file for reading without ever waiting: the kind is looked
// at before the open (a device is not even opened) and again, on what was
// opened, after it.
FileDescriptor openRegularForReading(const fs::path& path, struct stat& info) {
  if (path.empty()) throwReadError(path, ENOENT);
  if (::stat(path.c_str(), &info) != 0) throwReadError(path, errno);
  if (S_ISDIR(info.st_mode)) throwReadError(path, EISDIR);
  if (!S_ISREG(info.st_mode)) throw FileError(notRegularFileMessage(path));
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid()) throwReadError(path, errno);
  if (::fstat(fd.get(), &info) != 0) throwReadError(path, errno);
  if (!S_ISREG(info.st_mode)) throw FileError(notRegularFileMessage(path));
  return fd;
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

std::string notRegularFileMessage(const fs::path& path) { return displayPath(path) + " は通常のファイルではありません"; }

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

FileKind fileKind(const fs::path& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return FileKind::Missing;
  return kindOf(info.st_mode);
}

bool fileExists(const fs::path& path) { return fileKind(path) == FileKind::Regular; }

std::optional<std::uintmax_t> fileSize(const fs::path& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::uintmax_t>(info.st_size);
}

void checkReadable(const fs::path& path) {
  struct stat info {};
  openRegularForReading(path, info);
}

std::string readWholeFile(const fs::path& path, std::uintmax_t maxBytes) {
  struct stat info {};
  const FileDescriptor fd = openRegularForReading(path, info);
  const auto size = static_cast<std::uintmax_t>(info.st_size);
  if (size > maxBytes) throwTooLarge(path, maxBytes);
  // One byte more than the file holds, so the read that finds the end needs
  // no growing; a file that grows while it is read is read on to the limit.
  const std::uintmax_t most = maxBytes == kNoSizeLimit ? maxBytes : maxBytes + 1;
  std::string bytes(static_cast<std::size_t>(size + 1), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (filled > maxBytes) throwTooLarge(path, maxBytes);
      bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(most, bytes.size() * 2)));
    }
    const ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      throwReadError(path, errno);
    }
    filled += static_cast<std::size_t>(n);
  }
  if (filled > maxBytes) throwTooLarge(path, maxBytes);
  bytes.resize(filled);
  return bytes;
}

}  // namespace sorabel
