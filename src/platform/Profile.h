#pragma once
// An INI profile with the rules of the Windows profile functions the program
// was designed around:
//  - a missing section or key reads as the caller's default;
//  - section and key names match without regard to case;
//  - a text value is trimmed of blanks, loses one pair of enclosing double
//    quotes and is read up to 1,023 bytes;
//  - a whole number is decimal text; "0x" or "0X" with more after it is
//    hexadecimal; a value that is not a number reads as the default;
//  - writing an empty text keeps the key with an empty value; nothing is
//    ever removed.
// Values are bytes in code page 932. Constructing a Profile opens it (reads
// the file if there is one). Every write is saved at once, atomically, or,
// for an operation that writes many keys, all of them in one atomic save by
// commit().

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp932.h"
#include "platform/Errors.h"

namespace sorabel {

class ProfileWriteError : public Error {
 public:
  using Error::Error;
};

enum class ProfileSaving {
  EachWrite,  // every write is saved at once
  OnCommit,   // writes are kept until commit() saves them all at once
};

class Profile {
 public:
  static constexpr std::size_t kMaxValueLength = 1023;

  explicit Profile(std::filesystem::path path, ProfileSaving saving = ProfileSaving::EachWrite);

  AnsiString readString(std::string_view section, std::string_view key, std::string_view fallback) const;
  int readInteger(std::string_view section, std::string_view key, int fallback) const;

  // Throw ProfileWriteError "<path> に書き込めません" when the file cannot be
  // saved; the file then stays as it was before this write. With
  // ProfileSaving::OnCommit they only change the profile in memory.
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInteger(std::string_view section, std::string_view key, int value);

  // Saves every write since the last save in one atomic write (nothing when
  // nothing changed). Throws ProfileWriteError; the file then stays as it was.
  void commit();

  const std::filesystem::path& path() const { return path_; }

 private:
  struct Location {
    std::size_t sectionLine;  // the header line, or npos
    std::size_t keyLine;      // the key line, or npos
    std::size_t insertAt;     // where a new key of the section goes
  };
  Location locate(std::string_view section, std::string_view key) const;
  void save() const;

  std::filesystem::path path_;
  std::vector<std::string> lines_;
  ProfileSaving saving_;
  bool dirty_ = false;
};

// Reads a profile integer value by the rules above; nothing when it is not a
// whole number to its end ("12abc", "0x1F4zz", "0x" and "7.5" are not).
std::optional<int> parseProfileInteger(std::string_view value);

}  // namespace sorabel
