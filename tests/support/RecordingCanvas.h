#pragma once
// A canvas that records every drawing call as a line of text instead of
// drawing, for tests of the components' painting. Text is measured by a
// fixed rule: 7 pixels a character below U+0100, 12 for the others, and the
// font's character height (12 when none is set) a line.
//
//   fill 0,0,100,20 sys4          fillRect with the brush colour
//   fill 0,0,8,8 pattern          fillRect with a pattern brush
//   frame r color / rectangle r pen/brush / focus r
//   line 1,5 99,5 sys17           from, to (not drawn), pen colour
//   pixel 4,5 sys20
//   edge r 4 0x3                  drawEdge rect, edge bits, flags (hex)
//   text "&File" r 0x25 sys7 bold  text, rect, format (hex), colour, style
//   image 2,2 16x16 / imagepart r <- r / mask 3,3 sys20

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "draw/Canvas.h"
#include "draw/TextRules.h"

namespace sorabel::test {

class RecordingCanvas : public draw::Canvas {
 public:
  std::vector<std::string> calls;
  std::vector<QImage> images;  // the images drawn, in order

  static std::string rect(const draw::Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
  }
  static std::string point(draw::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
  static std::string hex(unsigned v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", v);
    return text;
  }

  // The calls that start with prefix.
  std::vector<std::string> callsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls)
      if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
  }
  bool has(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }
  // The index of a call, or -1.
  int indexOf(const std::string& call) const {
    auto it = std::find(calls.begin(), calls.end(), call);
    return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
  }

  static int measure(const QString& text) {
    int width = 0;
    for (QChar c : text) width += c.unicode() < 0x100 ? 7 : 12;
    return width;
  }
  int lineHeight() const { return font().height < 0 ? -font().height : (font().height > 0 ? font().height : 12); }

  void fillRect(const draw::Rect& r) override {
    if (brush().style == draw::BrushStyle::Hollow) return;
    calls.push_back("fill " + rect(r) + " " + brushName());
  }
  void frameRect(const draw::Rect& r) override { calls.push_back("frame " + rect(r) + " " + brushName()); }
  void rectangle(const draw::Rect& r) override {
    calls.push_back("rectangle " + rect(r) + " " + draw::colorName(pen().color) + "/" + brushName());
  }
  void drawFocusRect(const draw::Rect& r) override { calls.push_back("focus " + rect(r)); }
  void line(draw::Point from, draw::Point to) override {
    calls.push_back("line " + point(from) + " " + point(to) + " " + draw::colorName(pen().color));
  }
  void setPixel(draw::Point at, draw::Color color) override {
    calls.push_back("pixel " + point(at) + " " + draw::colorName(color));
  }
  draw::Rect drawEdge(const draw::Rect& r, unsigned edge, unsigned flags) override {
    calls.push_back("edge " + rect(r) + " " + std::to_string(edge) + " " + hex(flags));
    return r;
  }
  draw::Rect drawText(const QString& text, const draw::Rect& r, unsigned format) override {
    QString shown = draw::shownText(text, !(format & draw::DT_NOPREFIX)).text;
    if (format & draw::DT_EXPANDTABS) shown = draw::expandTabs(shown);
    if (format & draw::DT_CALCRECT) return {r.left, r.top, r.left + measure(shown), r.top + lineHeight()};
    std::string style = font().bold ? " bold" : "";
    if (font().italic) style += " italic";
    calls.push_back("text \"" + text.toStdString() + "\" " + rect(r) + " " + hex(format) + " " +
                    draw::colorName(font().color) + style);
    return r;
  }
  draw::Size textExtent(const QString& text) override { return {measure(text), lineHeight()}; }
  void drawImage(draw::Point at, const QImage& image) override {
    images.push_back(image);
    calls.push_back("image " + point(at) + " " + std::to_string(image.width()) + "x" + std::to_string(image.height()));
  }
  void drawImagePart(const draw::Rect& dest, const QImage& image, const draw::Rect& source) override {
    images.push_back(image);
    calls.push_back("imagepart " + rect(dest) + " <- " + rect(source));
  }
  void fillMask(draw::Point at, const QImage&, draw::Color color) override {
    calls.push_back("mask " + point(at) + " " + draw::colorName(color));
  }

 private:
  std::string brushName() const {
    if (brush().style == draw::BrushStyle::Pattern) return "pattern";
    return draw::colorName(brush().color);
  }
};

}  // namespace sorabel::test
