#include "platform/TextFile.h"

#include <bit>
#include <cstdint>

#include "platform/ByteScan.h"

namespace sorabel {
namespace {

// Codes 10, 13 and 26 end a line.
bool endsLine(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code == '\r' || code == '\n' || code == kEndOfFile;
}

// The first position from pos whose byte is a control code up to 26 (or
// the end).
std::size_t nextControl(std::string_view bytes, std::size_t pos) {
  return bytes::findByteBelow(bytes.data(), pos, bytes.size(), kEndOfFile + 1);
}

// The length of the valid UTF-8 character at the start of text (lead byte
// c), or 0: no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t utf8CharLength(std::string_view text, unsigned char c) {
  std::size_t length = 0;
  char32_t code = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
    code = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    code = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    code = c & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto trail = static_cast<unsigned char>(text[i]);
    if ((trail & 0xC0) != 0x80) return 0;
    code = (code << 6) | (trail & 0x3F);
  }
  if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return 0;
  if (length == 4 && (code < 0x10000 || code > 0x10FFFF)) return 0;
  return length;
}

}  // namespace

bool isUtf8Text(std::string_view bytes) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) return true;
  bool beyondAscii = false;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[pos]);
    if (c < 0x80) {
      ++pos;
      continue;
    }
    const std::size_t length = utf8CharLength(bytes.substr(pos), c);
    if (length == 0) return false;
    beyondAscii = true;
    pos += length;
  }
  return beyondAscii;
}

TextLineReader::TextLineReader(std::string_view bytes) : bytes_(withoutByteOrderMark(bytes)) {}

bool TextLineReader::atEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == kEndOfFile; }

bool TextLineReader::nextLine(std::string_view& line) {
  if (atEnd()) return false;
  const std::size_t start = pos_;
  std::size_t end = nextControl(bytes_, start);
  while (end < bytes_.size() && !endsLine(bytes_[end])) end = nextControl(bytes_, end + 1);
  line = bytes_.substr(start, end - start);
  pos_ = end;
  skipLineEnd();
  return true;
}

void TextLineReader::skipLineEnd() {
  if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
  if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
}

void TextLineReader::skipBlanks() {
  while (pos_ < bytes_.size()) {
    auto c = static_cast<unsigned char>(bytes_[pos_]);
    if (c > 32 || c == kEndOfFile) break;
    ++pos_;
  }
}

bool TextLineReader::nextEntryLine(std::string_view& line) {
  skipBlanks();
  return nextLine(line);
}

bool TextLineReader::nextEntryLine(std::string_view& line, std::optional<std::uint64_t>& quotes) {
#if defined(SORABEL_AVX2_BLOCKS)
  if (bytes::hasAvx2()) return nextEntryLineWithAvx2(line, quotes);
#endif
  return nextEntryLineMarkedBy<bytes::markBlock>(line, quotes);
}

#if defined(SORABEL_AVX2_BLOCKS)
// Everything it calls is compiled into it, so that the marking is too.
__attribute__((target("avx2"), flatten)) bool TextLineReader::nextEntryLineWithAvx2(
    std::string_view& line, std::optional<std::uint64_t>& quotes) {
  return nextEntryLineMarkedBy<bytes::markBlockAvx2>(line, quotes);
}
#endif

template <bytes::BlockMarks (*mark)(const char*)>
bool TextLineReader::nextEntryLineMarkedBy(std::string_view& line, std::optional<std::uint64_t>& quotes) {
  skipBlanks();
  quotes.reset();
  if (bytes_.size() - pos_ < bytes::kBlockBytes || atEnd()) return nextLine(line);
  // The line ends at the first control code when that is a line end; a
  // tab, say, comes first in lines left to nextLine.
  const bytes::BlockMarks marks = mark(bytes_.data() + pos_);
  if (marks.controls == 0) return nextLine(line);
  const auto end = static_cast<std::size_t>(std::countr_zero(marks.controls));
  if (!endsLine(bytes_[pos_ + end])) return nextLine(line);
  line = bytes_.substr(pos_, end);
  quotes = marks.quotes & ((std::uint64_t{1} << end) - 1);
  pos_ += end;
  skipLineEnd();
  return true;
}

TextLineReader TextLineReader::splitAtMiddle() {
  // A line feed always ends a line (or is a blank skipped before one), so
  // reading goes on right after it as it would from the start of a text.
  const std::size_t lineFeed = bytes_.find('\n', pos_ + (bytes_.size() - pos_) / 2);
  if (lineFeed == std::string_view::npos) return TextLineReader({}, Continuing{});
  TextLineReader rest(bytes_.substr(lineFeed + 1), Continuing{});
  bytes_ = bytes_.substr(0, lineFeed + 1);
  return rest;
}

}  // namespace sorabel
