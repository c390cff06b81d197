// The drawing port's rules: edges, text prefixes, masks and patterns; one
// logical pixel at a device pixel ratio; the colours of dark themes.

#include <QPainter>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

#include "draw/Canvas.h"
#include "draw/Edges.h"
#include "draw/ImageList.h"
#include "draw/QtCanvas.h"
#include "draw/SysColors.h"
#include "draw/TextRules.h"
#include "draw/WindowSystem.h"

namespace sorabel::draw {
namespace {

TEST(Edges, SingleRingsLieOnTheBorderWithTheirTwoColours) {
  const EdgePlan raised = planEdge({0, 0, 10, 6}, BDR_RAISEDINNER, BF_RECT);
  EXPECT_EQ(raised.lines, (std::vector<EdgeLine>{{{0, 0}, {0, 5}, clBtnHighlight},
                                                 {{0, 0}, {9, 0}, clBtnHighlight},
                                                 {{9, 0}, {9, 6}, clBtnShadow},
                                                 {{0, 5}, {10, 5}, clBtnShadow}}));
  EXPECT_EQ(raised.middle, (Rect{1, 1, 9, 5}));

  const EdgePlan sunken = planEdge({0, 0, 10, 6}, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM);
  EXPECT_EQ(sunken.lines, (std::vector<EdgeLine>{{{9, 0}, {9, 6}, clBtnHighlight}, {{0, 5}, {10, 5}, clBtnHighlight}}));
}

TEST(Edges, TwoRingsNestAndSoftSwapsTheTopLeftColours) {
  const EdgePlan raised = planEdge({0, 0, 8, 8}, EDGE_RAISED, BF_LEFT | BF_TOP);
  EXPECT_EQ(raised.lines, (std::vector<EdgeLine>{{{0, 0}, {0, 7}, cl3DLight},
                                                 {{0, 0}, {7, 0}, cl3DLight},
                                                 {{1, 1}, {1, 7}, clBtnHighlight},
                                                 {{1, 1}, {7, 1}, clBtnHighlight}}));
  const EdgePlan soft = planEdge({0, 0, 8, 8}, EDGE_RAISED, BF_LEFT | BF_SOFT);
  EXPECT_EQ(soft.lines[0].color, clBtnHighlight);
  EXPECT_EQ(soft.lines[1].color, cl3DLight);
  EXPECT_EQ(planEdge({0, 0, 8, 8}, BDR_SUNKENINNER, BF_TOP | BF_SOFT).lines[0].color, clBtnShadow);
  EXPECT_EQ(planEdge({0, 0, 8, 8}, BDR_SUNKENINNER, BF_TOP).lines[0].color, cl3DDkShadow);
  EXPECT_TRUE(planEdge({0, 0, 8, 8}, EDGE_SUNKEN, BF_RECT | BF_MIDDLE).fillMiddle);
  EXPECT_EQ(planEdge({0, 0, 8, 8}, EDGE_SUNKEN, BF_RECT | BF_MIDDLE).middle, (Rect{2, 2, 6, 6}));
}

TEST(TextRules, AmpersandUnderlinesTheNextCharacterAndDoubledShowsOne) {
  EXPECT_EQ(shownText("印刷(&P)", true).text, "印刷(P)");
  EXPECT_EQ(shownText("印刷(&P)", true).underline, 3);
  EXPECT_EQ(shownText("A&&B", true).text, "A&B");
  EXPECT_EQ(shownText("A&&B", true).underline, -1);
  EXPECT_EQ(shownText("A&B", false).text, "A&B");
  EXPECT_EQ(expandTabs("ab\tc"), "ab      c");
}

TEST(Canvas, EmbossMaskMarksDrawnPixelsAndCheckerAlternates) {
  QImage picture(3, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(0, 0, 0, 0));        // transparent
  picture.setPixel(1, 0, qRgba(255, 255, 255, 255));  // white
  picture.setPixel(2, 0, qRgba(200, 10, 10, 255));    // drawn
  const QImage mask = embossMask(picture);
  EXPECT_EQ(mask.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(mask.pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(mask.pixel(2, 0) & 0xFFFFFF, 0u);

  const QImage checker = checkerPattern(Qt::gray, Qt::white);
  EXPECT_EQ(checker.pixelColor(0, 0), QColor(Qt::white));
  EXPECT_EQ(checker.pixelColor(1, 0), QColor(Qt::gray));
  EXPECT_EQ(checker.pixelColor(1, 1), QColor(Qt::white));
}

TEST(QtCanvas, LinesLeaveOutTheirEndPointAndEdgesPaintPixels) {
  QImage image(6, 4, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  QPalette palette;
  palette.setColor(QPalette::Light, Qt::white);
  palette.setColor(QPalette::Dark, Qt::gray);
  QtCanvas canvas(&painter, palette);
  canvas.setPen(clWhite);
  canvas.line({0, 0}, {4, 0});
  canvas.drawEdge({0, 1, 6, 4}, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
  painter.end();
  EXPECT_EQ(image.pixelColor(3, 0), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(4, 0), QColor(Qt::black));  // the end point
  EXPECT_EQ(image.pixelColor(5, 1), QColor(Qt::gray));   // the right side owns the corner
  EXPECT_EQ(image.pixelColor(0, 3), QColor(Qt::gray));
  EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::black));
}

// Every device pixel of an image at ratio 2 equals the logical pixel it
// belongs to in the same drawing at ratio 1: lines and fills are whole
// device pixels of their own colour, in the same places.
void expectDoubled(const QImage& one, const QImage& two) {
  ASSERT_EQ(two.size(), one.size() * 2);
  for (int y = 0; y < two.height(); ++y)
    for (int x = 0; x < two.width(); ++x)
      ASSERT_EQ(two.pixel(x, y), one.pixel(x / 2, y / 2)) << "device pixel " << x << "," << y;
}

QImage canvasDrawing(qreal ratio, const std::function<void(QtCanvas&)>& draw) {
  QImage image(qRound(24 * ratio), qRound(12 * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::black);
  QPainter painter(&image);
  QPalette palette;
  palette.setColor(QPalette::Light, Qt::white);
  palette.setColor(QPalette::Dark, Qt::gray);
  palette.setColor(QPalette::Shadow, Qt::darkBlue);
  palette.setColor(QPalette::Midlight, Qt::cyan);
  QtCanvas canvas(&painter, palette);
  EXPECT_EQ(canvas.pixelRatio(), ratio);
  draw(canvas);
  return image;
}

TEST(QtCanvas, AtRatioTwoEveryLogicalPixelIsTwoByTwoDevicePixelsOfItsColour) {
  auto lines = [](QtCanvas& canvas) {
    canvas.setPen(clWhite);
    canvas.line({0, 0}, {10, 0});    // across
    canvas.line({11, 9}, {11, 1});   // up
    canvas.line({13, 1}, {19, 7});   // down a slope
    canvas.setPen(clSilver, 1, PenStyle::Dot);
    canvas.line({0, 11}, {9, 11});
    canvas.drawEdge({0, 2, 10, 10}, EDGE_RAISED, BF_RECT);
    canvas.drawFocusRect({14, 8, 22, 12});
    canvas.setPixel({23, 0}, clOlive);
  };
  expectDoubled(canvasDrawing(1, lines), canvasDrawing(2, lines));
}

TEST(QtCanvas, PicturesOfRatioTwoAreLaidInLogicalPixelsWithAllTheirPixels) {
  // A 4 x 4 picture of ratio 2 (2 x 2 logical) with a pixel checker.
  QImage fine(4, 4, QImage::Format_RGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) fine.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
  fine.setDevicePixelRatio(2);
  QImage mask(4, 4, QImage::Format_RGB32);
  mask.fill(Qt::white);
  mask.setPixel(1, 1, qRgb(0, 0, 0));
  mask.setDevicePixelRatio(2);
  const QImage image = canvasDrawing(2, [&](QtCanvas& canvas) {
    canvas.drawImage({3, 1}, fine);
    canvas.drawImagePart({6, 1, 7, 2}, fine, {1, 1, 2, 2});  // the lower right logical pixel
    canvas.fillMask({9, 1}, mask, clWhite);
  });
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.pixel(6 + x, 2 + y), fine.pixel(x, y)) << x << "," << y;
  EXPECT_EQ(image.pixel(10, 2), qRgb(0, 0, 0));  // beside the picture: 2 logical pixels wide
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(image.pixel(12 + x, 2 + y), fine.pixel(2 + x, 2 + y));
  EXPECT_EQ(image.pixel(19, 3), qRgb(255, 255, 255));  // the mask's one device pixel
  EXPECT_EQ(image.pixel(18, 3), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(19, 4), qRgb(0, 0, 0));
}

TEST(QtCanvas, AWidgetRenderedIntoAnImageDrawsAtTheImagesRatio) {
  struct Probe : QWidget {
    qreal seen = 0;
    void paintEvent(QPaintEvent*) override {
      QPainter painter(this);
      seen = QtCanvas(&painter, palette()).pixelRatio();
    }
  } probe;
  probe.resize(4, 4);
  QImage image(12, 12, QImage::Format_RGB32);
  image.setDevicePixelRatio(3);
  probe.render(&image);
  EXPECT_EQ(probe.seen, 3.0);
}

TEST(ImageList, AStripOfRatioTwoIsCutIntoCellsOfTheLogicalSize) {
  QImage strip(3 * 32, 32, QImage::Format_RGB32);
  strip.fill(Qt::red);
  for (int x = 32; x < 64; ++x) strip.setPixel(x, 31, qRgb(0, 0, 255));  // the second cell's last row
  strip.setDevicePixelRatio(2);
  ImageList list(16, 16);
  list.addStrip(strip, clOlive);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.image(1).size(), QSize(32, 32));
  EXPECT_EQ(list.image(1).devicePixelRatio(), 2.0);
  EXPECT_EQ(list.image(1).pixel(0, 31), qRgb(0, 0, 255));
  EXPECT_EQ(list.image(0).pixel(0, 31), qRgb(255, 0, 0));
  // A picture of another logical size is fitted, keeping its ratio.
  QImage large(64, 64, QImage::Format_RGB32);
  large.setDevicePixelRatio(2);
  EXPECT_EQ(list.image(list.add(large)).size(), QSize(32, 32));
  EXPECT_EQ(list.image(list.add(QImage(16, 16, QImage::Format_RGB32))).size(), QSize(16, 16));
}

TEST(SysColors, LightTextOnADarkWindowIsADarkThemeWhoseEmbossedShapeIsTheDisabledText) {
  QPalette dark(QColor(50, 50, 50), QColor(40, 40, 40));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  EXPECT_TRUE(isDarkPalette(dark));
  QPalette light;
  light.setColor(QPalette::Window, QColor(240, 240, 240));
  light.setColor(QPalette::WindowText, Qt::black);
  EXPECT_FALSE(isDarkPalette(light));
  EXPECT_EQ(embossColours(false).shape, clBtnShadow);
  EXPECT_EQ(embossColours(true).shape, clGrayText);
  EXPECT_EQ(embossColours(true).highlight, clBtnHighlight);
  QImage image(1, 1, QImage::Format_RGB32);
  QPainter painter(&image);
  EXPECT_TRUE(QtCanvas(&painter, dark).darkTheme());
  EXPECT_FALSE(QtCanvas(&painter, light).darkTheme());
}

}  // namespace
}  // namespace sorabel::draw

namespace sorabel::draw {
namespace {

TEST(WindowSystem, AWaylandSessionWithX11IsUsedThroughX11UnlessAPlatformIsChosen) {
  EXPECT_TRUE(shouldUseX11({"wayland-0", ":0", nullptr, false}));
  EXPECT_FALSE(shouldUseX11({"wayland-0", nullptr, nullptr, false}));  // no XWayland: Wayland it is
  EXPECT_FALSE(shouldUseX11({"wayland-0", ":0", "wayland", false}));
  EXPECT_FALSE(shouldUseX11({"wayland-0", ":0", nullptr, true}));
  EXPECT_FALSE(shouldUseX11({"", ":0", nullptr, false}));  // plain X11 needs nothing
  EXPECT_TRUE(shouldUseX11({"wayland-0", ":0", "", false}));  // an empty choice is none
}

}  // namespace
}  // namespace sorabel::draw
