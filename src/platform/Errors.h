#pragma once
// Errors that end the current operation and are shown to the user as they
// stand. Every message is UTF-8 Japanese text.

#include <stdexcept>
#include <string>
#include <string_view>

namespace sorabel {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that cannot be converted between Unicode and code page 932.
class ConversionError : public Error {
 public:
  using Error::Error;
};

// A file that cannot be opened, read or written.
class FileError : public Error {
 public:
  using Error::Error;
};

// Replaces the first "%s" of a message pattern with an argument.
inline std::string formatMessage(std::string_view pattern, std::string_view arg) {
  std::string result(pattern);
  if (auto at = result.find("%s"); at != std::string::npos) result.replace(at, 2, arg);
  return result;
}

}  // namespace sorabel
