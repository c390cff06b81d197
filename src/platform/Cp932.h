#pragma once
// Code page 932 (Shift-JIS) text. The program holds, stores and compares its
// texts as CP932 bytes; these helpers convert at the edges and let byte scans
// step over double-byte characters without looking inside them.

#include <cstddef>
#include <string>
#include <string_view>

namespace sorabel {

// Bytes of a text in code page 932.
using AnsiString = std::string;

// Converts UTF-8 to CP932. A character that CP932 cannot hold throws
// ConversionError naming it; nothing is ever replaced by "?".
AnsiString utf8ToCp932(std::string_view utf8);

// Converts CP932 to UTF-8. Bytes that are not valid CP932 throw ConversionError.
std::string cp932ToUtf8(std::string_view ansi);

// Converts CP932 to UTF-8 for display: invalid bytes show as U+FFFD.
std::string cp932ToUtf8Lenient(std::string_view ansi);

// The text as code page 932 can hold it: characters that it holds only as
// a standard equivalent come back as that equivalent (〜 as ～, − as －).
// Throws ConversionError as utf8ToCp932 does.
std::string storedFormOf(std::string_view utf8);

// True when the text converts to code page 932 and back to exactly itself.
bool roundTripsExactly(std::string_view utf8);

// Converts UTF-8 to CP932, putting stand-in in place of every character
// that CP932 cannot hold: for texts that are only shown.
AnsiString utf8ToCp932Replacing(std::string_view utf8, std::string_view standIn);

// A CP932 literal written in UTF-8 source text, e.g. sjis("日付").
inline AnsiString sjis(std::string_view utf8) { return utf8ToCp932(utf8); }

// True for the first byte of a double-byte character.
constexpr bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True for a byte that can follow a lead byte as its second byte.
constexpr bool isTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Length in bytes of the character starting at pos: 2 for a lead byte that
// a valid second byte follows, otherwise 1. A lone lead byte (at the end,
// or before a quote or a comma) is a character of its own, so it never
// swallows the byte after it.
constexpr std::size_t charLength(std::string_view text, std::size_t pos) {
  return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
                 isTrailByte(static_cast<unsigned char>(text[pos + 1]))
             ? 2
             : 1;
}

// The longest prefix of at most maxBytes that does not split a double-byte
// character.
std::string_view prefixOnCharBoundary(std::string_view text, std::size_t maxBytes);

// How many bytes of a value a message quotes.
constexpr std::size_t kMessageValueBytes = 40;

// A value as a message quotes it, in UTF-8: at most kMessageValueBytes of
// it, cut on a character boundary and followed by "…" when it is longer;
// control characters shown as spaces, bytes that are no character as U+FFFD.
std::string excerptForMessage(std::string_view ansi);

// True when pos is the first byte of a character (not the second byte of a
// double-byte character), scanning from the start of the text.
bool isCharBoundary(std::string_view text, std::size_t pos);

}  // namespace sorabel
