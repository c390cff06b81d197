// Runs the widget tests on the offscreen platform with one QApplication.

#include <QApplication>
#include <gtest/gtest.h>

#include "qtplatform/FormFont.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorabel"));
  sorabel::installFontSubstitutions();
  QApplication::setFont(sorabel::formFont());
  return RUN_ALL_TESTS();
}
