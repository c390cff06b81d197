#pragma once
// Lines of a text file the way the program reads them: a carriage return, a
// line feed, or the pair of them ends a line, so files written on any system
// keep their lines; the character 26 ends the file; a UTF-8 byte-order mark
// at the very start is not part of the first line.

#include <string_view>

namespace sorabel {

class TextLineReader {
 public:
  explicit TextLineReader(std::string_view bytes);

  // The next line as it stands, blank lines included. False at the end of
  // the file.
  bool nextLine(std::string_view& line);

  // The next non-blank line: characters with codes 0 to 32 (but not 26)
  // before it are skipped, so blank lines and leading blanks vanish.
  bool nextEntryLine(std::string_view& line);

 private:
  bool atEnd() const;
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

constexpr char kEndOfFile = 26;

// The bytes of a UTF-8 byte-order mark.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The text without a UTF-8 byte-order mark at its start.
constexpr std::string_view withoutByteOrderMark(std::string_view bytes) {
  return bytes.starts_with(kUtf8ByteOrderMark) ? bytes.substr(kUtf8ByteOrderMark.size()) : bytes;
}

// True for text that is UTF-8 rather than Shift-JIS: it starts with the
// UTF-8 byte-order mark, or it is valid UTF-8 as a whole and holds a
// character beyond ASCII. (Shift-JIS text with Japanese in it is practically
// never valid UTF-8.)
bool isUtf8Text(std::string_view bytes);

}  // namespace sorabel
