// The profile reader: any file gives values of at most 1,023 bytes; a value
// written under a valid section and key reads back as written (a long one
// cut to 1,023 bytes, never inside a character), changes no other key, and
// reads the same from the saved file; whole numbers read back as written.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>
#include <utility>

#include "FuzzCheck.h"
#include "platform/Locale.h"
#include "platform/Profile.h"

namespace {

using namespace sorabel;
namespace fs = std::filesystem;

fs::path profilePath;

// A name the file can hold: no line end, no blanks at either end, a section
// without "]" and a key without "=", not starting like a comment or a header.
bool validName(std::string_view name, bool section) {
  if (name.empty() || name.find_first_of("\r\n") != std::string_view::npos) return false;
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (blank(name.front()) || blank(name.back())) return false;
  if (section) return name.find(']') == std::string_view::npos;
  return name.find('=') == std::string_view::npos && name.front() != ';' && name.front() != '[';
}

std::string nameFrom(FuzzedDataProvider& input) {
  // Mostly names the file's seeds use, so that reads find something.
  static const char* const known[] = {"Setting", "setting", "File", "Path", "Word", "Name1", "Left", "[x", "a b"};
  if (input.ConsumeBool()) return known[input.ConsumeIntegralInRange<std::size_t>(0, std::size(known) - 1)];
  return input.ConsumeRandomLengthString(12);
}

bool sameName(std::string_view a, std::string_view b) { return compareIgnoringCase(a, b) == 0; }

struct Probe {
  std::string section;
  std::string key;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* shm = "/dev/shm";
  std::string folder = (fs::is_directory(shm) ? std::string(shm) : fs::temp_directory_path().string()) + "/sorabel-fuzz-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) std::abort();
  profilePath = fs::path(folder) / "sorabel.ini";
  std::atexit([] { fs::remove_all(profilePath.parent_path()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  using namespace sorabel;
  FuzzedDataProvider input(data, size);
  std::vector<Probe> probes(input.ConsumeIntegralInRange(1, 4));
  for (Probe& probe : probes) probe = {nameFrom(input), nameFrom(input)};
  // A piece repeated, so that values past the 1,023-byte limit are common.
  const std::string piece = input.ConsumeRandomLengthString(64);
  std::string value;
  for (int times = input.ConsumeIntegralInRange(1, 40); times > 0; --times) value += piece;
  const int number = input.ConsumeIntegral<int>();
  const std::string file = input.ConsumeRemainingBytesAsString();
  {
    std::ofstream out(profilePath, std::ios::binary | std::ios::trunc);
    out << file;
  }

  Profile profile(profilePath, ProfileSaving::OnCommit);
  std::vector<AnsiString> before;
  for (const Probe& probe : probes) {
    AnsiString text = profile.readString(probe.section, probe.key, "");
    FUZZ_CHECK(text.size() <= Profile::kMaxValueLength, "a value is at most 1,023 bytes");
    before.push_back(std::move(text));
  }

  const Probe& target = probes.front();
  if (!validName(target.section, true) || !validName(target.key, false) ||
      value.find_first_of("\r\n") != std::string::npos)
    return 0;
  profile.writeString(target.section, target.key, value);
  const AnsiString expected(prefixOnCharBoundary(value, Profile::kMaxValueLength));
  FUZZ_CHECK(profile.readString(target.section, target.key, "-") == expected, "a written value reads back");
  for (std::size_t i = 1; i < probes.size(); ++i) {
    if (sameName(probes[i].section, target.section) && sameName(probes[i].key, target.key)) continue;
    FUZZ_CHECK(profile.readString(probes[i].section, probes[i].key, "") == before[i], "a write changes no other key");
  }
  profile.commit();
  Profile saved(profilePath, ProfileSaving::OnCommit);
  for (const Probe& probe : probes)
    FUZZ_CHECK(saved.readString(probe.section, probe.key, "") == profile.readString(probe.section, probe.key, ""),
               "the saved file reads as the profile in memory");

  saved.writeInteger(target.section, target.key, number);
  FUZZ_CHECK(saved.readInteger(target.section, target.key, number == 0 ? 1 : 0) == number, "a whole number reads back");
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(number));
  FUZZ_CHECK(parseProfileInteger(hex) == number, "a hexadecimal number reads as its bits");
  return 0;
}
