#include "platform/FormFont.h"

#include <QVBoxLayout>
#include <QWidget>

namespace sorabel {

void installFontSubstitutions() {
  QFont::insertSubstitutions(kFormFontName, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(kMenuFontName, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(kPrintFontName, {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")});
}

QFont formFont() {
  QFont font(kFormFontName);
  font.setPixelSize(12);
  return font;
}

void applyFormFont(QWidget* window) { window->setFont(formFont()); }

void stackVertically(QWidget* parent, std::initializer_list<StackedWidget> widgets) {
  auto* layout = new QVBoxLayout(parent);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const StackedWidget& item : widgets) layout->addWidget(item.widget, item.stretch);
}

}  // namespace sorabel
