#pragma once
// Where a grid draws a cell's text. The three grids of the program draw
// alike: text vertically centred, amount columns right-aligned 5 pixels
// inside the right edge, other columns 5 pixels inside the left edge.

namespace sorabel {

// A cell rectangle; right and bottom are exclusive.
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct TextOrigin {
  int x = 0;
  int y = 0;
  bool operator==(const TextOrigin&) const = default;
};

enum class CellAlign { Left, Right };

constexpr int kCellTextInset = 5;

// The top-left corner of the text. The vertical division drops the
// remainder (toward zero).
TextOrigin cellTextOrigin(const CellRect& cell, CellAlign align, int textWidth, int textHeight);

// The main grid: income, expense and balance are right-aligned.
CellAlign ledgerColumnAlign(int column);

}  // namespace sorabel
