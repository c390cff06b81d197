#pragma once
// Whole-file reading and atomic writing. A file is opened, read or written
// from start to end and closed within one call.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sorabel {

// True when path names an existing regular file (a folder is not a file).
bool fileExists(const std::filesystem::path& path);

// The size of the file in bytes, or nothing when it cannot be opened.
std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path);

// Reads every byte of a file; throws FileError with a Japanese reason.
std::string readWholeFile(const std::filesystem::path& path);

// Replaces the file with bytes so that the disk holds either the old or the
// new file, never a torn one: the bytes go to a temporary file in the same
// folder, which is flushed and then renamed over the target. Symbolic links
// are followed to the real file, which is replaced; its mode is kept. A
// file with several hard links, or one whose folder cannot take a temporary
// file while the file itself can be written, is overwritten in place (its
// space reserved first, then written, flushed and synced), so the links stay
// one file and the save succeeds. A file without write permission in its
// mode is refused, also for root. Throws FileError; the old file stays.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// What identifies a file's present contents: device, inode, size and time
// of the last change. A file changed by another program has another stamp.
struct FileStamp {
  std::uintmax_t device = 0;
  std::uintmax_t inode = 0;
  std::uintmax_t size = 0;
  std::int64_t modifiedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file, or nothing when there is none.
std::optional<FileStamp> fileStamp(const std::filesystem::path& path);

// The file that writing to path really changes: symbolic links followed,
// one after another.
std::filesystem::path resolvedTarget(const std::filesystem::path& path);

// The UTF-8 path text used in messages.
std::string displayPath(const std::filesystem::path& path);

// A short Japanese reason for an errno value.
std::string errnoReason(int error);

}  // namespace sorabel
