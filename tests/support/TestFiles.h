#pragma once
// Helpers for tests that touch files: a private temporary folder per test
// and whole-file reading and writing of raw bytes.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/FileIo.h"

namespace sorabel::test {

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// While alive, the process may not write files larger than bytes: writes
// beyond fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  unsigned long savedSoft_;
};

// Writes bytes to file in a child process that is killed (SIGKILL) when
// the save reaches step; tear, when not empty, is first written over the
// start of the file, as a write cut short leaves it. False when the save
// never reached the step.
bool saveKilledAt(const std::filesystem::path& file, std::string_view bytes, SaveStep step, std::string tear = {});

// Thrown where a SaveStopper stops a save.
struct SaveStopped : std::runtime_error {
  SaveStopped() : std::runtime_error("save stopped") {}
};

// While alive, every save stops at step as if the program ended there: tear
// (when not empty) is written over the start of the file, then SaveStopped
// is thrown, so nothing after the step runs.
class SaveStopper {
 public:
  explicit SaveStopper(SaveStep step, std::string tear = {});
  ~SaveStopper();
  SaveStopper(const SaveStopper&) = delete;
  SaveStopper& operator=(const SaveStopper&) = delete;
};

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace sorabel::test
