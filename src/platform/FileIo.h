#pragma once
// Whole-file reading and safe writing. A file is opened, read or written
// from start to end and closed within one call. Only regular files are
// read, sized or written: a FIFO, a device or a socket is refused before it
// is opened for reading or replaced, so nothing blocks or reads without end.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace sorabel {

// What a path names, symbolic links followed.
enum class FileKind {
  Missing,  // nothing (or a dangling link)
  Regular,  // a regular file
  Folder,
  Other,  // a FIFO, a device, a socket
};

FileKind fileKind(const std::filesystem::path& path);

// True when path names an existing regular file (a folder is not a file).
bool fileExists(const std::filesystem::path& path);

// "<path> は通常のファイルではありません"
std::string notRegularFileMessage(const std::filesystem::path& path);

// The size of a regular file in bytes, or nothing when it is no regular file
// or cannot be opened.
std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path);

// Throws the FileError that readWholeFile would when the path cannot be
// opened for reading (missing, a folder, no regular file, no permission).
void checkReadable(const std::filesystem::path& path);

constexpr std::uintmax_t kNoSizeLimit = std::numeric_limits<std::uintmax_t>::max();

// Reads every byte of a regular file; throws FileError with a Japanese
// reason. A file of more than maxBytes is refused before it is read.
std::string readWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes = kNoSizeLimit);

// Replaces the file with bytes so that the disk holds either the old or the
// new file, never a torn one.
//
// Normally the bytes go to a temporary file ".<name>.XXXXXX" in the same
// folder, which gets the old file's mode, owner and group (as far as the
// user may set them) and extended attributes (ACLs among them), is synced
// and renamed over the target; then the folder is synced, and temporary
// files of that name left by an earlier save that never finished are
// removed.
//
// A file with several hard links, or one whose folder cannot take a
// temporary file while the file itself can be written, is overwritten in
// place, so the links stay one file: first a complete copy of the old file
// is written and synced (beside it, or in the user's cache folder when its
// folder takes no new file), then the file is written, truncated and
// synced, then the copy is removed. A crash in between leaves the copy,
// which unfinishedSaveCopy finds.
//
// Symbolic links are followed to the real file, which is replaced. A file
// without write permission in its mode is refused, also for root, and so is
// anything that is not a regular file. Throws FileError; the old file stays.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Bytes made in pieces: a source hands each piece to put, in order, and may
// throw to give up.
using PutBytes = std::function<void(std::string_view piece)>;
using ByteSource = std::function<void(const PutBytes& put)>;

// writeFileAtomically with bytes the source makes: on the usual path each
// piece is written as soon as it is made, so the disk writes while the rest
// is made. When the source throws, nothing changes and the exception is
// passed on.
void writeFileAtomically(const std::filesystem::path& path, const ByteSource& source);

// Removes the file at path, as unlink does. When that was its last name,
// its blocks are freed on a thread of its own, so that the caller does not
// wait for them (a millisecond and more for a large book). False (errno
// set) when it could not be removed.
bool removeFileFreeingLater(const std::filesystem::path& path);

// The copy of the book at path that an in-place save made and did not
// remove because it never finished, or nothing.
std::optional<std::filesystem::path> unfinishedSaveCopy(const std::filesystem::path& path);

// Removes that copy, when there is one.
void removeUnfinishedSaveCopy(const std::filesystem::path& path);

// The mode a file created now gets under the process's umask (0666 less
// the umask).
unsigned newFileMode();

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

// The points of a save between which a crash leaves something behind.
// Tests stop the process there to see what a crash leaves.
enum class SaveStep {
  TemporaryWritten,  // the rename path's temporary file is complete, not yet renamed
  CopyWritten,       // the in-place path's copy is synced, the file not yet touched
  WrittenInPlace,    // the file is written and synced, the copy not yet removed
};
using SaveStepHook = void (*)(SaveStep step, const std::filesystem::path& target);
void setSaveStepHook(SaveStepHook hook);

}  // namespace sorabel
