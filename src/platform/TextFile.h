#pragma once
// Lines of a text file the way the program reads them: a carriage return ends
// a line and a line feed right after it is skipped, a line feed alone does
// not end a line, and the character 26 ends the file.

#include <string_view>

namespace sorabel {

class TextLineReader {
 public:
  explicit TextLineReader(std::string_view bytes) : bytes_(bytes) {}

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

}  // namespace sorabel
