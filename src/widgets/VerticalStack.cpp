#include "widgets/VerticalStack.h"

#include <QVBoxLayout>
#include <QWidget>

namespace sorabel {

void stackVertically(QWidget* parent, std::initializer_list<StackedWidget> widgets) {
  auto* layout = new QVBoxLayout(parent);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const StackedWidget& item : widgets) layout->addWidget(item.widget, item.stretch);
}

}  // namespace sorabel
