#pragma once
// The value types of the drawing port, with the rules of the desktop the
// components were designed for: rectangles whose right and bottom edges are
// exclusive, colours that are either RGB values or references to system
// colours (resolved from the current palette when drawn), and the flags of
// edges and text drawing.

#include <cstdint>
#include <string>

namespace sorabel::draw {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// Right and bottom are exclusive: (0, 0, 10, 5) covers ten by five pixels.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool intersects(const Rect& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Rect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  Point topLeft() const { return {left, top}; }
  bool operator==(const Rect&) const = default;
};

// A colour: 0x00BBGGRR, or a system colour (kSystemColor | COLOR_* index).
using Color = std::uint32_t;
constexpr Color kSystemColor = 0xFF000000u;

constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>(r & 255) | (static_cast<Color>(g & 255) << 8) | (static_cast<Color>(b & 255) << 16);
}
constexpr bool isSystemColor(Color c) { return (c & kSystemColor) == kSystemColor; }
constexpr int systemColorIndex(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int redOf(Color c) { return static_cast<int>(c & 255); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 255); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 255); }

// The system colour indexes.
enum SystemColorIndex : int {
  COLOR_SCROLLBAR = 0,
  COLOR_BACKGROUND = 1,
  COLOR_ACTIVECAPTION = 2,
  COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4,
  COLOR_WINDOW = 5,
  COLOR_WINDOWFRAME = 6,
  COLOR_MENUTEXT = 7,
  COLOR_WINDOWTEXT = 8,
  COLOR_CAPTIONTEXT = 9,
  COLOR_ACTIVEBORDER = 10,
  COLOR_INACTIVEBORDER = 11,
  COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13,
  COLOR_HIGHLIGHTTEXT = 14,
  COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17,
  COLOR_BTNTEXT = 18,
  COLOR_INACTIVECAPTIONTEXT = 19,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21,
  COLOR_3DLIGHT = 22,
  COLOR_INFOTEXT = 23,
  COLOR_INFOBK = 24,
};

constexpr Color sysColor(int index) { return kSystemColor | static_cast<Color>(index); }

constexpr Color clBtnFace = sysColor(COLOR_BTNFACE);
constexpr Color clBtnShadow = sysColor(COLOR_BTNSHADOW);
constexpr Color clBtnHighlight = sysColor(COLOR_BTNHIGHLIGHT);
constexpr Color clBtnText = sysColor(COLOR_BTNTEXT);
constexpr Color cl3DDkShadow = sysColor(COLOR_3DDKSHADOW);
constexpr Color cl3DLight = sysColor(COLOR_3DLIGHT);
constexpr Color clMenu = sysColor(COLOR_MENU);
constexpr Color clMenuText = sysColor(COLOR_MENUTEXT);
constexpr Color clHighlight = sysColor(COLOR_HIGHLIGHT);
constexpr Color clHighlightText = sysColor(COLOR_HIGHLIGHTTEXT);
constexpr Color clGrayText = sysColor(COLOR_GRAYTEXT);
constexpr Color clWindow = sysColor(COLOR_WINDOW);
constexpr Color clWindowText = sysColor(COLOR_WINDOWTEXT);
constexpr Color clWindowFrame = sysColor(COLOR_WINDOWFRAME);
constexpr Color clActiveCaption = sysColor(COLOR_ACTIVECAPTION);
constexpr Color clCaptionText = sysColor(COLOR_CAPTIONTEXT);
constexpr Color clInfoBk = sysColor(COLOR_INFOBK);
constexpr Color clInfoText = sysColor(COLOR_INFOTEXT);
constexpr Color clBlack = rgb(0, 0, 0);
constexpr Color clWhite = rgb(255, 255, 255);
constexpr Color clOlive = rgb(128, 128, 0);
constexpr Color clGray = rgb(128, 128, 128);
constexpr Color clSilver = rgb(192, 192, 192);

// "#RRGGBB" or "sys13", for messages and recorded drawing.
std::string colorName(Color c);

// DrawEdge: the two one-pixel rings and which sides are drawn.
enum EdgeBits : unsigned {
  BDR_RAISEDOUTER = 0x1,
  BDR_SUNKENOUTER = 0x2,
  BDR_RAISEDINNER = 0x4,
  BDR_SUNKENINNER = 0x8,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
  EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
  EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
  EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum EdgeFlags : unsigned {
  BF_LEFT = 0x1,
  BF_TOP = 0x2,
  BF_RIGHT = 0x4,
  BF_BOTTOM = 0x8,
  BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
  BF_MIDDLE = 0x800,
  BF_SOFT = 0x1000,
  BF_ADJUST = 0x2000,
  BF_FLAT = 0x4000,
  BF_MONO = 0x8000,
};

// DrawText formats.
enum TextFormat : unsigned {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_NOCLIP = 0x100,
  DT_EXTERNALLEADING = 0x200,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_END_ELLIPSIS = 0x8000,
};

}  // namespace sorabel::draw
