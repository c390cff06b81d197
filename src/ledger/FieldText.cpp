#include "ledger/FieldText.h"

#include <array>

#include "platform/TextFile.h"

namespace sorabel {
namespace {

struct Figure {
  std::string_view utf8;
  char ascii;
};

// The full-width figures in UTF-8. The first byte of each only ever starts
// a character in valid UTF-8, so a byte match finds whole characters.
constexpr std::array<Figure, 13> kFigures{{
    {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'},
    {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'}, {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'},
    {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'},  // ０..９
    {"\xEF\xBC\x8C", ','},                         // ，
    {"\xEF\xBF\xA5", '\\'},                        // ￥
    {"\xC2\xA5", '\\'},                            // ¥
}};

// The figure whose full-width form starts text, or nullptr.
const Figure* fullWidthFigure(std::string_view text) {
  if (text.front() != '\xEF' && text.front() != '\xC2') return nullptr;  // the first bytes of them all
  for (const Figure& figure : kFigures)
    if (text.starts_with(figure.utf8)) return &figure;
  return nullptr;
}

}  // namespace

std::string cleanFieldText(std::string_view utf8, FieldText kind) {
  std::string result;
  result.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char c = utf8[i];
    if (c == kEndOfFile) {
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      i += c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n' ? 2 : 1;  // CR LF is one line break
      result += ' ';
      continue;
    }
    const Figure* figure = kind == FieldText::Figures ? fullWidthFigure(utf8.substr(i)) : nullptr;
    if (figure != nullptr) {
      result += figure->ascii;
      i += figure->utf8.size();
      continue;
    }
    result += c;
    ++i;
  }
  return result;
}

}  // namespace sorabel
