// The drawing port's rules: edges, text prefixes, masks and patterns.

#include <QPainter>
#include <gtest/gtest.h>

#include "draw/Canvas.h"
#include "draw/Edges.h"
#include "draw/QtCanvas.h"
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
