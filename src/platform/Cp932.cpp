#include "platform/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

#include "platform/Errors.h"

namespace sorabel {
namespace {

// One iconv descriptor per direction, opened on first use and reset before
// every conversion.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1))
      throw ConversionError(std::string("文字コード変換を開始できません: ") + from + " → " + to);
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  enum class Stop { Done, Invalid, Incomplete };

  // Converts as much as possible, appending to out; in advances past what
  // was converted.
  Stop convert(std::string_view& in, std::string& out) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char buffer[4096];
    auto* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    for (;;) {
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      size_t rc = iconv(handle_, &src, &srcLeft, &dst, &dstLeft);
      int err = errno;
      out.append(buffer, dst - buffer);
      in = std::string_view(src, srcLeft);
      if (rc != static_cast<size_t>(-1)) return Stop::Done;
      if (err == E2BIG) continue;
      return err == EINVAL ? Stop::Incomplete : Stop::Invalid;
    }
  }

 private:
  iconv_t handle_;
};

Converter& toCp932() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

Converter& fromCp932() {
  thread_local Converter converter("UTF-8", "CP932");
  return converter;
}

// The UTF-8 character at the start of text, for error messages.
std::string_view firstUtf8Char(std::string_view text) {
  if (text.empty()) return text;
  auto lead = static_cast<unsigned char>(text[0]);
  size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return text.substr(0, std::min(len, text.size()));
}

}  // namespace

AnsiString utf8ToCp932(std::string_view utf8) {
  AnsiString out;
  out.reserve(utf8.size());
  if (toCp932().convert(utf8, out) != Converter::Stop::Done)
    throw ConversionError(formatMessage("「%s」はShift-JISで扱えない文字です。", firstUtf8Char(utf8)));
  return out;
}

std::string cp932ToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 3 / 2);
  if (fromCp932().convert(ansi, out) != Converter::Stop::Done)
    throw ConversionError("Shift-JISとして読めない文字が含まれています。");
  return out;
}

std::string cp932ToUtf8Lenient(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 3 / 2);
  while (fromCp932().convert(ansi, out) != Converter::Stop::Done) {
    out += "\xEF\xBF\xBD";  // U+FFFD
    ansi.remove_prefix(1);
    if (ansi.empty()) break;
  }
  return out;
}

std::string storedFormOf(std::string_view utf8) { return cp932ToUtf8(utf8ToCp932(utf8)); }

bool roundTripsExactly(std::string_view utf8) {
  try {
    return storedFormOf(utf8) == utf8;
  } catch (const ConversionError&) {
    return false;
  }
}

AnsiString utf8ToCp932Replacing(std::string_view utf8, std::string_view standIn) {
  AnsiString out;
  out.reserve(utf8.size());
  while (toCp932().convert(utf8, out) != Converter::Stop::Done) {
    out += standIn;
    utf8.remove_prefix(std::max<std::size_t>(firstUtf8Char(utf8).size(), 1));
    if (utf8.empty()) break;
  }
  return out;
}

std::string_view prefixOnCharBoundary(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t next = pos + charLength(text, pos);
    if (next > maxBytes) break;
    pos = next;
  }
  return text.substr(0, pos);
}

std::string excerptForMessage(std::string_view ansi) {
  const std::string_view kept = prefixOnCharBoundary(ansi, kMessageValueBytes);
  std::string shown(kept);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
  std::string out = cp932ToUtf8Lenient(shown);
  if (kept.size() < ansi.size()) out += "\u2026";
  return out;
}

bool isCharBoundary(std::string_view text, std::size_t pos) {
  size_t at = 0;
  while (at < pos && at < text.size()) at += charLength(text, at);
  return at == pos;
}

}  // namespace sorabel
