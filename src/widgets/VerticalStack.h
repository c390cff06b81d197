#pragma once
// Lays widgets out top to bottom over the whole of a parent, without
// margins: the panels and grids of the program's windows.

#include <initializer_list>

class QWidget;

namespace sorabel {

struct StackedWidget {
  QWidget* widget;
  int stretch = 0;
};

void stackVertically(QWidget* parent, std::initializer_list<StackedWidget> widgets);

}  // namespace sorabel
