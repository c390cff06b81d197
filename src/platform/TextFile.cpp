#include "platform/TextFile.h"

namespace sorabel {

bool TextLineReader::atEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == kEndOfFile; }

bool TextLineReader::nextLine(std::string_view& line) {
  if (atEnd()) return false;
  std::size_t start = pos_;
  std::size_t end = bytes_.find('\r', start);
  if (end == std::string_view::npos) end = bytes_.size();
  line = bytes_.substr(start, end - start);
  if (std::size_t eof = line.find(kEndOfFile); eof != std::string_view::npos) {
    line = line.substr(0, eof);
    end = start + eof;
  }
  pos_ = end;
  if (pos_ < bytes_.size() && bytes_[pos_] == '\r') {
    ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
  }
  return true;
}

bool TextLineReader::nextEntryLine(std::string_view& line) {
  while (pos_ < bytes_.size()) {
    auto c = static_cast<unsigned char>(bytes_[pos_]);
    if (c > 32 || c == kEndOfFile) break;
    ++pos_;
  }
  return nextLine(line);
}

}  // namespace sorabel
