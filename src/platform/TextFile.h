#pragma once
// Lines of a text file the way the program reads them: a carriage return, a
// line feed, or the pair of them ends a line, so files written on any system
// keep their lines; the character 26 ends the file; a UTF-8 byte-order mark
// at the very start is not part of the first line.

#include <cstdint>
#include <optional>
#include <string_view>

namespace sorabel {
namespace bytes {
struct BlockMarks;
}

class TextLineReader {
 public:
  explicit TextLineReader(std::string_view bytes);

  // The next line as it stands, blank lines included. False at the end of
  // the file.
  bool nextLine(std::string_view& line);

  // The next non-blank line: characters with codes 0 to 32 (but not 26)
  // before it are skipped, so blank lines and leading blanks vanish.
  bool nextEntryLine(std::string_view& line);

  // nextEntryLine that also gives, for most lines shorter than 64 bytes,
  // where the line's double quotes are (bit k: byte k), found in the same
  // look at the bytes as the line's end; nothing for other lines.
  bool nextEntryLine(std::string_view& line, std::optional<std::uint64_t>& quotes);

  // Splits a reader not yet read from in two, so the halves can be read at
  // the same time: this one ends after the first line feed at or after the
  // middle of its text, and the returned one reads what follows. Read one
  // after the other they give the lines this reader would have given,
  // unless the first stops at an end-of-file mark (stoppedAtMark), after
  // which this reader would have given none. Without such a line feed this
  // reader keeps everything and the returned one reads nothing.
  TextLineReader splitAtMiddle();

  // Bytes of the text, read or not, and how many of them are read.
  std::size_t size() const { return bytes_.size(); }
  std::size_t position() const { return pos_; }

  // A reader of this one's text from position at (at most size()) on: it
  // reads on as this one would from there.
  TextLineReader continuingAt(std::size_t at) const { return TextLineReader(bytes_.substr(at), Continuing{}); }

  // After reading gave false: true when an end-of-file mark stopped it
  // before the end of its text.
  bool stoppedAtMark() const { return pos_ < bytes_.size(); }

 private:
  // Reads bytes as they are: a byte-order mark is only looked for at the
  // start of a file.
  struct Continuing {};
  TextLineReader(std::string_view bytes, Continuing) : bytes_(bytes) {}

  bool atEnd() const;
  void skipBlanks();
  // nextEntryLine with quotes, marking blocks with mark.
  template <bytes::BlockMarks (*mark)(const char*)>
  bool nextEntryLineMarkedBy(std::string_view& line, std::optional<std::uint64_t>& quotes);
  // The same for processors with AVX2; only where those may be.
  bool nextEntryLineWithAvx2(std::string_view& line, std::optional<std::uint64_t>& quotes);
  // Past the line end at pos_ (CR, LF, CR LF or the end-of-file mark, which
  // stays).
  void skipLineEnd();
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
