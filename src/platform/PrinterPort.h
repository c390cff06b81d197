#pragma once
// What printing needs of a printer: a drawing surface in device units with
// fonts in points, text and its width, lines with a pen width, and the
// job's start, pages and end. Texts are Shift-JIS bytes.

#include <string_view>

namespace sorabel {

// The font the book is printed in (UTF-8).
inline constexpr std::string_view kPrintFontName = "ＭＳ 明朝";

class PrinterPort {
 public:
  virtual ~PrinterPort() = default;

  // Sets the font for the following texts; the name is UTF-8.
  virtual void setFont(std::string_view name, int pointSize) = 0;
  virtual void setPortrait() = 0;
  virtual void beginDoc() = 0;
  virtual void newPage() = 0;
  virtual void endDoc() = 0;
  // Ends a job that failed halfway, printing nothing of it where possible.
  virtual void abortDoc() = 0;

  virtual int textWidth(std::string_view text) = 0;
  virtual void textOut(int x, int y, std::string_view text) = 0;
  virtual void line(int x1, int y1, int x2, int y2, int penWidth) = 0;
};

}  // namespace sorabel
