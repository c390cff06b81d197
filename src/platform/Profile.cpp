#include "platform/Profile.h"

#include <charconv>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>

#include "platform/Errors.h"
#include "platform/FileIo.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view trimBlanks(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool sameName(std::string_view a, std::string_view b) { return compareIgnoringCase(a, b) == 0; }

// The name of a "[name]" line, or nothing.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  std::size_t close = line.find(']');
  if (close == npos) return std::nullopt;
  return trimBlanks(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
  std::string_view trimmed = trimBlanks(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  std::size_t equals = line.find('=');
  if (equals == npos) return std::nullopt;
  return KeyLine{trimBlanks(line.substr(0, equals)), line.substr(equals + 1)};
}

std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == npos) end = bytes.size();
    std::size_t stop = end > start && bytes[end - 1] == '\r' ? end - 1 : end;
    lines.emplace_back(bytes, start, stop - start);
    start = end + 1;
  }
  return lines;
}

// A value that reading would change (blanks or quotes at either end) is
// written inside one pair of quotes, which reading removes again.
std::string protectedValue(std::string_view value) {
  auto needsQuotes = [](char c) { return c == ' ' || c == '\t' || c == '"'; };
  if (!value.empty() && (needsQuotes(value.front()) || needsQuotes(value.back())))
    return "\"" + std::string(value) + "\"";
  return std::string(value);
}

}  // namespace

std::optional<int> parseProfileInteger(std::string_view value) {
  value = trimBlanks(value);
  long long number = 0;
  const char* first = value.data();
  const char* last = value.data() + value.size();
  std::from_chars_result result{};
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    unsigned long long hex = 0;
    result = std::from_chars(first + 2, last, hex, 16);
    if (result.ec != std::errc() || result.ptr != last || hex > std::numeric_limits<unsigned int>::max())
      return std::nullopt;
    return static_cast<int>(static_cast<unsigned int>(hex));
  }
  result = std::from_chars(first, last, number, 10);
  if (result.ec != std::errc() || result.ptr != last || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(number);
}

Profile::Profile(std::filesystem::path path, ProfileSaving saving) : path_(std::move(path)), saving_(saving) {
  if (fileExists(path_)) lines_ = splitLines(readWholeFile(path_));
}

Profile::Location Profile::locate(std::string_view section, std::string_view key) const {
  Location found{npos, npos, lines_.size()};
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (auto name = sectionName(lines_[i])) {
      if (found.sectionLine != npos) break;  // the end of our section
      if (sameName(*name, section)) found = {i, npos, i + 1};
      continue;
    }
    if (found.sectionLine == npos) continue;
    if (auto entry = keyLine(lines_[i])) {
      found.insertAt = i + 1;
      if (sameName(entry->key, key)) {
        found.keyLine = i;
        return found;
      }
    }
  }
  return found;
}

AnsiString Profile::readString(std::string_view section, std::string_view key, std::string_view fallback) const {
  Location at = locate(section, key);
  if (at.keyLine == npos) return AnsiString(fallback);
  std::string_view value = trimBlanks(keyLine(lines_[at.keyLine])->value);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return AnsiString(prefixOnCharBoundary(value, kMaxValueLength));
}

int Profile::readInteger(std::string_view section, std::string_view key, int fallback) const {
  Location at = locate(section, key);
  if (at.keyLine == npos) return fallback;
  return parseProfileInteger(keyLine(lines_[at.keyLine])->value).value_or(fallback);
}

void Profile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  std::vector<std::string> before;
  if (saving_ == ProfileSaving::EachWrite) before = lines_;  // restored when the save fails
  Location at = locate(section, key);
  std::string line = std::string(key) + "=" + protectedValue(value);
  if (at.keyLine != npos) {
    lines_[at.keyLine] = std::string(keyLine(lines_[at.keyLine])->key) + "=" + protectedValue(value);
  } else if (at.sectionLine != npos) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at.insertAt), line);
  } else {
    if (!lines_.empty() && !trimBlanks(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(line);
  }
  if (saving_ == ProfileSaving::OnCommit) {
    dirty_ = true;
    return;
  }
  try {
    save();
  } catch (const ProfileWriteError&) {
    lines_ = std::move(before);
    throw;
  }
}

void Profile::commit() {
  if (!dirty_) return;
  save();
  dirty_ = false;
}

void Profile::writeInteger(std::string_view section, std::string_view key, int value) {
  writeString(section, key, std::to_string(value));
}

void Profile::save() const {
  std::string bytes;
  for (const std::string& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  try {
    // A profile in the user's configuration folder may be the first file
    // of its folder.
    std::error_code ignored;
    if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), ignored);
    writeFileAtomically(path_, bytes);
  } catch (const Error&) {
    throw ProfileWriteError(formatMessage("%s に書き込めません", displayPath(path_)));
  }
}

}  // namespace sorabel
