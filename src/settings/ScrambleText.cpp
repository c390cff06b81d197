#include "settings/ScrambleText.h"

namespace sorabel {

AnsiString scrambleText(std::string_view text, std::string_view key) {
  if (key.empty()) key = kDefaultScrambleKey;
  AnsiString result(text);
  for (std::size_t j = 1; j <= result.size(); ++j) {
    auto keyBits = static_cast<unsigned char>(key[j % key.size()]) & 0x1F;
    result[j - 1] = static_cast<char>(static_cast<unsigned char>(result[j - 1]) ^ keyBits);
  }
  return result;
}

}  // namespace sorabel
