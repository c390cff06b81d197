// Code page 932 both ways. Text that converts to Shift-JIS converts back to
// its stored form, which converts to the same bytes; bytes that convert to
// UTF-8 give valid UTF-8 that converts back to bytes reading as the same
// text (byte for byte, but for the characters Shift-JIS codes twice); the
// lenient and replacing conversions agree with the strict ones where those
// succeed and always give valid text, an invalid byte shown as one U+FFFD. Cutting on a character boundary
// keeps the longest prefix that fits.

#include <string>

#include "FuzzCheck.h"
#include "platform/Cp932.h"
#include "platform/Errors.h"

namespace {

using namespace sorabel;

bool validUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

void checkFromUtf8(std::string_view utf8) {
  AnsiString ansi;
  try {
    ansi = utf8ToCp932(utf8);
  } catch (const ConversionError&) {
    FUZZ_CHECK(!roundTripsExactly(utf8), "text that does not convert does not round-trip");
    const AnsiString replaced = utf8ToCp932Replacing(utf8, "?");
    FUZZ_CHECK(validUtf8(cp932ToUtf8(replaced)), "a replacing conversion gives valid Shift-JIS");
    return;
  }
  std::string stored;
  try {
    stored = cp932ToUtf8(ansi);
  } catch (const ConversionError&) {
    FUZZ_CHECK(false, "what converted to Shift-JIS converts back");
  }
  FUZZ_CHECK(stored == storedFormOf(utf8), "the stored form is the text converted there and back");
  FUZZ_CHECK(utf8ToCp932(stored) == ansi, "the stored form converts to the same bytes");
  FUZZ_CHECK(roundTripsExactly(utf8) == (stored == utf8), "round-tripping exactly means the stored form is the text");
  FUZZ_CHECK(utf8ToCp932Replacing(utf8, "?") == ansi, "nothing is replaced in text that converts");
}

void checkFromCp932(std::string_view ansi) {
  const std::string lenient = cp932ToUtf8Lenient(ansi);
  FUZZ_CHECK(validUtf8(lenient), "the lenient conversion gives valid UTF-8");
  std::string utf8;
  try {
    utf8 = cp932ToUtf8(ansi);
  } catch (const ConversionError&) {
    FUZZ_CHECK(lenient.find("\xEF\xBF\xBD") != std::string::npos, "invalid bytes show as U+FFFD");
    return;
  }
  FUZZ_CHECK(validUtf8(utf8), "Shift-JIS converts to valid UTF-8");
  FUZZ_CHECK(lenient == utf8, "the lenient conversion agrees where the strict one succeeds");
  const std::string twice = std::string(ansi) + "\xFF" + std::string(ansi);  // 0xFF is no character
  FUZZ_CHECK(cp932ToUtf8Lenient(twice) == utf8 + "\xEF\xBF\xBD" + utf8, "an invalid byte shows as one U+FFFD, the rest as it is");
  AnsiString back;
  try {
    back = utf8ToCp932(utf8);
  } catch (const ConversionError&) {
    FUZZ_CHECK(false, "text read from Shift-JIS converts back to it");
  }
  FUZZ_CHECK(back.size() == ansi.size(), "a round trip keeps the length in bytes");
  FUZZ_CHECK(cp932ToUtf8(back) == utf8, "a round trip reads as the same text");
  FUZZ_CHECK(roundTripsExactly(utf8), "text read from Shift-JIS round-trips exactly");
}

void checkPrefix(std::string_view text, std::size_t maxBytes) {
  const std::string_view prefix = prefixOnCharBoundary(text, maxBytes);
  FUZZ_CHECK(prefix.data() == text.data(), "the cut text is a prefix");
  FUZZ_CHECK(text.size() <= maxBytes ? prefix == text : prefix.size() <= maxBytes, "only a text too long is cut, to fit");
  FUZZ_CHECK(prefix.size() == text.size() || isCharBoundary(text, prefix.size()), "the cut is on a character boundary");
  if (prefix.size() < text.size())
    FUZZ_CHECK(prefix.size() + charLength(text, prefix.size()) > maxBytes, "the cut keeps every character that fits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view bytes = sorabel::fuzz::bytesOf(data, size);
  checkFromUtf8(bytes);
  checkFromCp932(bytes);
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, size / 2, size > 0 ? size - 1 : 0}) checkPrefix(bytes, cut);
  return 0;
}
