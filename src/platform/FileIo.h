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
// folder, which is flushed and then renamed over the target. A symbolic link
// is followed and its target replaced. Throws FileError; the old file stays.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The UTF-8 path text used in messages.
std::string displayPath(const std::filesystem::path& path);

// A short Japanese reason for an errno value.
std::string errnoReason(int error);

}  // namespace sorabel
