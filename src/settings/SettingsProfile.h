#pragma once
// The program's settings profile: the INI file beside the program with the
// sections Form, File, Set, History and Tekiyo. Each key has one typed
// reader and writer here, with its default and its exact comparison rule:
// an option counts as set only when its text is exactly the set value.
// A SettingsProfile is opened for one operation and dropped after it.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ledger/BookBackups.h"
#include "ledger/BookOrder.h"
#include "platform/Profile.h"

namespace sorabel {

// The main window's place; the defaults are its size when nothing is stored.
struct WindowPlacement {
  int top = 0;
  int left = 0;
  int height = 450;
  int width = 600;
  bool operator==(const WindowPlacement&) const = default;
};

// The profile beside a program file: its path with the extension ".ini".
std::filesystem::path profilePathFor(const std::filesystem::path& programFile);

// A book's path (UTF-8) as the profile stores it. A path that code page 932
// holds exactly is stored as it stands; any other (a character outside code
// page 932, or one it holds only as an equivalent, like 〜) is stored as a
// "file://" address with the path's bytes percent-encoded, so that it opens
// the same file again. Nothing when the stored value would be longer than a
// profile value can be.
std::optional<AnsiString> storedPathValue(std::string_view utf8Path);

// The path (UTF-8) that a stored value names; bytes that are not valid
// Shift-JIS (a hand-edited profile) show as U+FFFD.
std::string pathOfStoredValue(std::string_view stored);

class SettingsProfile {
 public:
  static constexpr int kHistorySize = 5;
  static constexpr int kRegisteredDescriptionCount = 20;

  explicit SettingsProfile(std::filesystem::path path, ProfileSaving saving = ProfileSaving::EachWrite)
      : profile_(std::move(path), saving) {}

  // Saves every write at once (ProfileSaving::OnCommit).
  void commit() { profile_.commit(); }

  // Form/PathWord, unscrambled with the key "JUB"; empty: no password.
  AnsiString password() const;
  void writePassword(std::string_view plain);

  // Form/Top, Left, Height, Width (defaults 0, 0, 450, 600).
  WindowPlacement windowPlacement() const;
  void writeWindowPlacement(const WindowPlacement& placement);

  // Set/StartForm: "SetForm" restores the last size and position.
  bool restoresWindowPlacement() const;
  void writeRestoresWindowPlacement(bool restores);

  // Set/MainFmPosition: "PoCenter" centres the main window at start-up.
  bool centresMainWindow() const;
  void writeCentresMainWindow(bool centres);

  // Set/DownUp: "SortUp" (also when missing) is oldest first.
  BookOrder bookOrder() const;
  void writeBookOrder(BookOrder order);

  // Set/BackupCount: how many backups of each book a save keeps, 0 to
  // kMaxBackupCount (kDefaultBackupCount when missing; a value outside the
  // range is taken as its nearest end).
  int backupCount() const;
  void writeBackupCount(int count);

  // File/StartFile: "OpenFile" opens the last book at start-up.
  bool opensLastBook() const;
  void writeOpensLastBook(bool opens);

  // File/FileName: the book current at the last close, as a path (UTF-8).
  std::string lastBook() const;
  // The stored value of the path (see storedPathValue).
  void writeLastBook(std::string_view storedValue);

  // History/File0..File4, the most recent first; empty: a free place. The
  // entries are stored values (see storedPathValue).
  AnsiString historyEntry(int n) const;
  std::array<AnsiString, kHistorySize> history() const;
  void writeHistoryEntry(int n, std::string_view path);

  // Tekiyo/Tekiyo0..Tekiyo19: the registered descriptions.
  AnsiString registeredDescription(int n) const;
  void writeRegisteredDescription(int n, std::string_view text);

  const std::filesystem::path& path() const { return profile_.path(); }

 private:
  Profile profile_;
};

// At close: the current book (its stored value, when named) goes to the top
// of the recent list, followed by the other entries in order without it,
// five at most. Every place is emptied first, then the list is written from
// File0 on.
void updateHistory(SettingsProfile& profile, std::string_view currentBook);

// The settings dialog's history step: every place whose box is not ticked
// for deletion is kept, in order, free places included; every place is
// emptied and the kept paths are written again from File0 on.
void keepHistory(SettingsProfile& profile, const std::array<AnsiString, SettingsProfile::kHistorySize>& entries,
                 const std::array<bool, SettingsProfile::kHistorySize>& remove);

// Tekiyo0..Tekiyo19 from lines: line n, or empty where there is none; lines
// after the twentieth are not stored.
void writeRegisteredDescriptions(SettingsProfile& profile, const std::vector<AnsiString>& lines);

}  // namespace sorabel
