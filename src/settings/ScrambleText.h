#pragma once
// The password is stored scrambled: every byte exclusive-or the lowest five
// bits of a key byte. The same call scrambles and unscrambles.

#include <string_view>

#include "platform/Cp932.h"

namespace sorabel {

inline constexpr std::string_view kPasswordKey = "JUB";
inline constexpr std::string_view kDefaultScrambleKey = "Quillbox";

// Text byte j (counting from 1) uses key byte j mod L (counting from 0); an
// empty key means "Quillbox".
AnsiString scrambleText(std::string_view text, std::string_view key);

}  // namespace sorabel
