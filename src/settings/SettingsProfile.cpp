#include "settings/SettingsProfile.h"

#include <algorithm>
#include <string>
#include <vector>

#include "settings/ScrambleText.h"

namespace sorabel {
namespace {

std::string historyKey(int n) { return "File" + std::to_string(n); }
std::string descriptionKey(int n) { return "Tekiyo" + std::to_string(n); }

constexpr std::string_view kFileAddress = "file://";

bool isUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/';
}

std::string percentEncoded(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (isUnreserved(c)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string percentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::optional<AnsiString> storedPathValue(std::string_view utf8Path) {
  AnsiString stored = roundTripsExactly(utf8Path) ? utf8ToCp932(utf8Path)
                                                  : std::string(kFileAddress) + percentEncoded(utf8Path);
  if (stored.size() > Profile::kMaxValueLength) return std::nullopt;
  return stored;
}

std::string pathOfStoredValue(std::string_view stored) {
  if (stored.starts_with(kFileAddress)) return percentDecoded(stored.substr(kFileAddress.size()));
  return cp932ToUtf8Lenient(stored);
}

std::filesystem::path profilePathFor(const std::filesystem::path& programFile) {
  std::filesystem::path path = programFile;
  return path.replace_extension(".ini");
}

AnsiString SettingsProfile::password() const {
  return scrambleText(profile_.readString("Form", "PathWord", ""), kPasswordKey);
}

void SettingsProfile::writePassword(std::string_view plain) {
  profile_.writeString("Form", "PathWord", scrambleText(plain, kPasswordKey));
}

WindowPlacement SettingsProfile::windowPlacement() const {
  WindowPlacement defaults;
  return {profile_.readInteger("Form", "Top", defaults.top), profile_.readInteger("Form", "Left", defaults.left),
          profile_.readInteger("Form", "Height", defaults.height),
          profile_.readInteger("Form", "Width", defaults.width)};
}

void SettingsProfile::writeWindowPlacement(const WindowPlacement& placement) {
  profile_.writeInteger("Form", "Top", placement.top);
  profile_.writeInteger("Form", "Left", placement.left);
  profile_.writeInteger("Form", "Height", placement.height);
  profile_.writeInteger("Form", "Width", placement.width);
}

bool SettingsProfile::restoresWindowPlacement() const { return profile_.readString("Set", "StartForm", "") == "SetForm"; }

void SettingsProfile::writeRestoresWindowPlacement(bool restores) {
  profile_.writeString("Set", "StartForm", restores ? "SetForm" : "SetKotei");
}

bool SettingsProfile::centresMainWindow() const { return profile_.readString("Set", "MainFmPosition", "") == "PoCenter"; }

void SettingsProfile::writeCentresMainWindow(bool centres) {
  profile_.writeString("Set", "MainFmPosition", centres ? "PoCenter" : "PoNone");
}

BookOrder SettingsProfile::bookOrder() const {
  return profile_.readString("Set", "DownUp", "SortUp") == "SortUp" ? BookOrder::OldestFirst : BookOrder::NewestFirst;
}

void SettingsProfile::writeBookOrder(BookOrder order) {
  profile_.writeString("Set", "DownUp", order == BookOrder::OldestFirst ? "SortUp" : "SortDown");
}

int SettingsProfile::backupCount() const {
  return std::clamp(profile_.readInteger("Set", "BackupCount", kDefaultBackupCount), 0, kMaxBackupCount);
}

void SettingsProfile::writeBackupCount(int count) {
  profile_.writeInteger("Set", "BackupCount", std::clamp(count, 0, kMaxBackupCount));
}

bool SettingsProfile::opensLastBook() const { return profile_.readString("File", "StartFile", "") == "OpenFile"; }

void SettingsProfile::writeOpensLastBook(bool opens) {
  profile_.writeString("File", "StartFile", opens ? "OpenFile" : "CloseFile");
}

std::string SettingsProfile::lastBook() const { return pathOfStoredValue(profile_.readString("File", "FileName", "")); }

void SettingsProfile::writeLastBook(std::string_view storedValue) {
  profile_.writeString("File", "FileName", storedValue);
}

AnsiString SettingsProfile::historyEntry(int n) const { return profile_.readString("History", historyKey(n), ""); }

std::array<AnsiString, SettingsProfile::kHistorySize> SettingsProfile::history() const {
  std::array<AnsiString, kHistorySize> entries;
  for (int n = 0; n < kHistorySize; ++n) entries[n] = historyEntry(n);
  return entries;
}

void SettingsProfile::writeHistoryEntry(int n, std::string_view path) {
  profile_.writeString("History", historyKey(n), path);
}

AnsiString SettingsProfile::registeredDescription(int n) const {
  return profile_.readString("Tekiyo", descriptionKey(n), "");
}

void SettingsProfile::writeRegisteredDescription(int n, std::string_view text) {
  profile_.writeString("Tekiyo", descriptionKey(n), text);
}

void updateHistory(SettingsProfile& profile, std::string_view currentBook) {
  std::vector<AnsiString> list;
  if (!currentBook.empty()) list.emplace_back(currentBook);
  for (int n = 0; n < SettingsProfile::kHistorySize; ++n) {
    AnsiString entry = profile.historyEntry(n);
    if (!entry.empty() && entry != currentBook) list.push_back(std::move(entry));
    profile.writeHistoryEntry(n, "");
  }
  for (int n = 0; n < SettingsProfile::kHistorySize && n < static_cast<int>(list.size()); ++n)
    profile.writeHistoryEntry(n, list[n]);
}

void keepHistory(SettingsProfile& profile, const std::array<AnsiString, SettingsProfile::kHistorySize>& entries,
                 const std::array<bool, SettingsProfile::kHistorySize>& remove) {
  std::vector<AnsiString> kept;
  for (int n = 0; n < SettingsProfile::kHistorySize; ++n) {
    if (!remove[n]) kept.push_back(entries[n]);
    profile.writeHistoryEntry(n, "");
  }
  for (std::size_t n = 0; n < kept.size(); ++n) profile.writeHistoryEntry(static_cast<int>(n), kept[n]);
}

void writeRegisteredDescriptions(SettingsProfile& profile, const std::vector<AnsiString>& lines) {
  for (int n = 0; n < SettingsProfile::kRegisteredDescriptionCount; ++n)
    profile.writeRegisteredDescription(n, n < static_cast<int>(lines.size()) ? lines[n] : AnsiString());
}

}  // namespace sorabel
