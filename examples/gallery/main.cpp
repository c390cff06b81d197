// The component gallery: shows every feature of the image menu and toolbar
// components, also those the cash book does not use.

#include <QApplication>
#include <QFont>

#include "GalleryWindow.h"
#include "draw/WindowSystem.h"

int main(int argc, char* argv[]) {
  sorabel::draw::preferX11UnderWayland(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorabel Gallery"));
  QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  gallery::GalleryWindow window;
  window.show();
  return app.exec();
}
