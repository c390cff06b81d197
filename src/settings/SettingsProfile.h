#pragma once
// The program's settings profile: the INI file beside the program with the
// sections Form, File, Set, History and Tekiyo. Each key has one typed
// reader and writer here, with its default and its exact comparison rule:
// an option counts as set only when its text is exactly the set value.
// A SettingsProfile is opened for one operation and dropped after it.

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

#include "ledger/SortAndBalance.h"
#include "platform/Profile.h"

namespace sorabel {

struct WindowPlacement {
  int top = 0;
  int left = 0;
  int height = 450;
  int width = 600;
  bool operator==(const WindowPlacement&) const = default;
};

// The profile beside a program file: its path with the extension ".ini".
std::filesystem::path profilePathFor(const std::filesystem::path& programFile);

class SettingsProfile {
 public:
  static constexpr int kHistorySize = 5;
  static constexpr int kRegisteredDescriptionCount = 20;

  explicit SettingsProfile(std::filesystem::path path) : profile_(std::move(path)) {}

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

  // File/StartFile: "OpenFile" opens the last book at start-up.
  bool opensLastBook() const;
  void writeOpensLastBook(bool opens);

  // File/FileName: the book current at the last close.
  AnsiString lastBook(std::string_view fallback) const;
  void writeLastBook(std::string_view path);

  // History/File0..File4, the most recent first; empty: a free place.
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

// At close: the current book (when named) goes to the top of the recent
// list, followed by the other entries in order without it, five at most.
// Every place is emptied first, then the list is written from File0 on.
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
