// The dark theme the program offers (--dark): its palette reads well, and
// the grids drawn with it show their text and selection.

#include <QHeaderView>
#include <QStandardItemModel>
#include <memory>
#include <gtest/gtest.h>

#include "qtplatform/DarkTheme.h"
#include "support/Contrast.h"
#include "widgets/StringGridView.h"

namespace sorabel::test {
namespace {

TEST(DarkTheme, IsAskedForByItsOptionAndItsTextSelectionAndDisabledTextRead) {
  EXPECT_TRUE(wantsDarkTheme({QStringLiteral("sorabel"), QStringLiteral("--dark")}));
  EXPECT_FALSE(wantsDarkTheme({QStringLiteral("sorabel")}));
  EXPECT_FALSE(wantsDarkTheme({QStringLiteral("sorabel"), QStringLiteral("dark.csv")}));

  const QPalette dark = darkPalette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    EXPECT_GE(contrast(dark.color(group, QPalette::Text), dark.color(group, QPalette::Base)), 4.5);
    EXPECT_GE(contrast(dark.color(group, QPalette::WindowText), dark.color(group, QPalette::Window)), 4.5);
    EXPECT_GE(contrast(dark.color(group, QPalette::ButtonText), dark.color(group, QPalette::Button)), 4.5);
    EXPECT_GE(contrast(dark.color(group, QPalette::HighlightedText), dark.color(group, QPalette::Highlight)), 4.5);
    EXPECT_GE(contrast(dark.color(group, QPalette::ToolTipText), dark.color(group, QPalette::ToolTipBase)), 4.5);
    EXPECT_GE(contrast(dark.color(group, QPalette::Link), dark.color(group, QPalette::Window)), 4.5);
  }
  // Disabled text (also the shape of embossed pictures) is seen on the window.
  EXPECT_GE(contrast(dark.color(QPalette::Disabled, QPalette::WindowText), dark.color(QPalette::Window)), 3.0);
  // The 3-D highlight and shadow lie on either side of the face.
  const double face = relativeLuminance(dark.color(QPalette::Button));
  EXPECT_GT(relativeLuminance(dark.color(QPalette::Light)), face);
  EXPECT_LT(relativeLuminance(dark.color(QPalette::Dark)), face);
}

TEST(DarkTheme, TheGridsTextAndSelectedCellsReadOnTheirCells) {
  QStandardItemModel model(3, 3);
  model.setHorizontalHeaderLabels({QStringLiteral("日付"), QStringLiteral("摘要"), QStringLiteral("収入")});
  for (int row = 0; row < 3; ++row) {
    model.setItem(row, 0, new QStandardItem(QStringLiteral("2024/06/2%1").arg(row)));
    model.setItem(row, 1, new QStandardItem(QStringLiteral("給料と賞与")));
    model.setItem(row, 2, new QStandardItem(QStringLiteral("285,000")));
  }
  std::unique_ptr<StringGridView> grid(StringGridView::readOnly(2, &model, nullptr));
  grid->setPalette(darkPalette());
  grid->resize(420, 160);
  grid->selectRow(1);
  const QImage image = rendered(grid.get(), 1);

  const QPalette dark = darkPalette();
  const QPoint offset = grid->viewport()->mapTo(grid.get(), QPoint(0, 0));
  for (int row : {0, 1}) {
    const QRect cell = grid->visualRect(model.index(row, 1)).translated(offset);
    const QColor background = image.pixelColor(cell.right() - 3, cell.center().y());
    const QColor expected = dark.color(QPalette::Inactive, row == 1 ? QPalette::Highlight : QPalette::Base);
    EXPECT_EQ(background, expected) << row;
    EXPECT_GE(strongestContrast(image, cell.adjusted(2, 2, -cell.width() / 2, -2), {background}), 4.5) << row;
  }
  // The header's captions read on the header.
  const QRect header = grid->horizontalHeader()->geometry();
  const QColor headerFace = image.pixelColor(header.left() + 3, header.center().y());
  EXPECT_GE(strongestContrast(image, header.adjusted(2, 2, -2, -2), {headerFace}), 4.5);
}

}  // namespace
}  // namespace sorabel::test
