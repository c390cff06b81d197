#pragma once
// Where a grid draws a cell's text. The three grids of the program draw
// alike: text vertically centred, amount columns right-aligned 5 pixels
// inside the right edge, other columns 5 pixels inside the left edge.

#include <QPoint>
#include <QRect>

namespace sorabel {

enum class CellAlign { Left, Right };

constexpr int kCellTextInset = 5;

// The top-left corner of the text. The vertical division drops the
// remainder (toward zero).
QPoint cellTextOrigin(const QRect& cell, CellAlign align, int textWidth, int textHeight);

// The main grid: income, expense and balance are right-aligned.
CellAlign ledgerColumnAlign(int column);

}  // namespace sorabel
