#pragma once
// A printer that records every call instead of printing: for tests and for
// measuring the print layout. A text is as wide as its bytes times the font
// size times 3 device units.

#include <string>
#include <vector>

#include "platform/PrinterPort.h"

namespace sorabel {

class RecordingPrinter : public PrinterPort {
 public:
  struct Text {
    int page;
    int x;
    int y;
    int pointSize;
    std::string text;  // Shift-JIS
  };
  struct Line {
    int page;
    int x1, y1, x2, y2;
    int penWidth;
  };

  void setFont(std::string_view name, int pointSize) override {
    fontName = std::string(name);
    pointSize_ = pointSize;
  }
  void setPortrait() override { portrait = true; }
  void beginDoc() override {
    started = true;
    pages = 1;
  }
  void newPage() override { ++pages; }
  void endDoc() override { ended = true; }
  void abortDoc() override { aborted = true; }
  int textWidth(std::string_view text) override { return static_cast<int>(text.size()) * pointSize_ * 3; }
  void textOut(int x, int y, std::string_view text) override {
    texts.push_back({pages, x, y, pointSize_, std::string(text)});
  }
  void line(int x1, int y1, int x2, int y2, int penWidth) override {
    lines.push_back({pages, x1, y1, x2, y2, penWidth});
  }

  std::string fontName;
  bool portrait = false;
  bool started = false;
  bool ended = false;
  bool aborted = false;
  int pages = 0;
  std::vector<Text> texts;
  std::vector<Line> lines;

 private:
  int pointSize_ = 0;
};

}  // namespace sorabel
