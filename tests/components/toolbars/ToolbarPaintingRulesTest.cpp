// The painting rules of docks, toolbars, separators and buttons, as the
// recording canvas sees them: which lines, pixels, edges and fills, in which
// colours and rectangles.

#include <QPainter>

#include "components/toolbars/FloatingFrame.h"
#include "components/toolbars/TButtonGlyph.h"
#include "components/toolbars/TGlyphList.h"
#include "components/toolbars/ToolbarFixture.h"
#include "draw/SysColors.h"

namespace sorabel::test {
namespace {

const std::string kShadow = draw::colorName(draw::clBtnShadow);
const std::string kHighlight = draw::colorName(draw::clBtnHighlight);

// Also records the clip as it changes.
class ClipRecordingCanvas : public RecordingCanvas {
 protected:
  void clipChanged() override { calls.push_back(state().clipped ? "clip " + rect(state().clip) : "clip none"); }
};

// The lines a canvas recorded.
std::vector<std::string> lines(const RecordingCanvas& canvas) { return canvas.callsStartingWith("line "); }

TEST_F(ToolbarTest, BoundLinesAreDrawnOnTheirEdgesInShadowAndHighlight) {
  form->show();
  TToolbar* bar = toolbar({23, 23}, top);
  top->setBoundLines(blTop | blBottom | blLeft | blRight);
  QApplication::processEvents();
  const int w = top->width();
  const int h = top->height();
  EXPECT_EQ(h, bar->height() + 2);
  EXPECT_EQ(bar->geometry().topLeft(), QPoint(1, 1));  // inside the lines
  RecordingCanvas all;
  top->paintDock(all);
  const std::string W = std::to_string(w);
  const std::string H = std::to_string(h);
  EXPECT_EQ(lines(all), (std::vector<std::string>{"line 0,0 " + W + ",0 " + kShadow,
                                                  "line 0," + std::to_string(h - 1) + " " + W + "," + std::to_string(h - 1) + " " + kHighlight,
                                                  "line 0,0 0," + H + " " + kShadow,
                                                  "line " + std::to_string(w - 1) + ",0 " + std::to_string(w - 1) + "," + H + " " + kHighlight}));

  top->setBoundLines(blBottom);
  RecordingCanvas one;
  top->paintDock(one);
  EXPECT_EQ(lines(one).size(), 1u);
  EXPECT_EQ(top->height(), bar->height() + 1);
  EXPECT_EQ(bar->y(), 0);

  // An empty dock is 0 high: no line at all.
  bar->SetDockedTo(bottom);
  EXPECT_EQ(top->height(), 0);
  RecordingCanvas empty;
  top->paintDock(empty);
  EXPECT_TRUE(lines(empty).empty());
}

TEST_F(ToolbarTest, TheHandleIsTwoRaisedBarsWithAHighlightPixelEach) {
  TToolbar* bar = toolbar({23, 23}, top);
  form->show();
  RecordingCanvas horizontal;
  bar->paintOn(horizontal);
  const int h = bar->height();
  EXPECT_TRUE(horizontal.has("edge 0,0," + std::to_string(bar->width()) + "," + std::to_string(h) + " 4 0xF"));
  EXPECT_TRUE(horizontal.has("edge 4,2,7," + std::to_string(h - 2) + " 4 0x80F"));
  EXPECT_TRUE(horizontal.has("edge 7,2,10," + std::to_string(h - 2) + " 4 0x80F"));
  EXPECT_EQ(horizontal.callsStartingWith("pixel "),
            (std::vector<std::string>{"pixel 4," + std::to_string(h - 3) + " " + kHighlight,
                                      "pixel 7," + std::to_string(h - 3) + " " + kHighlight}));

  bar->SetDockedTo(right);
  RecordingCanvas vertical;
  bar->paintOn(vertical);
  const int w = bar->width();
  EXPECT_TRUE(vertical.has("edge 2,4," + std::to_string(w - 2) + ",7 4 0x80F"));
  EXPECT_TRUE(vertical.has("edge 2,7," + std::to_string(w - 2) + ",10 4 0x80F"));
  EXPECT_EQ(vertical.callsStartingWith("pixel "),
            (std::vector<std::string>{"pixel " + std::to_string(w - 3) + ",4 " + kHighlight,
                                      "pixel " + std::to_string(w - 3) + ",7 " + kHighlight}));
}

TEST_F(ToolbarTest, WrappedLinesGetARulePairAndTheirEndingSeparatorIsNotDrawn) {
  TToolbar* bar = toolbar({23, 23, 0, 23, 23}, top);
  form->show();
  bar->SetDockedTo(nullptr);
  ToolbarInternals::setFloatingShape(*bar, 4 + 46 + 4, {50, 50, 150, 150});
  ASSERT_EQ(bar->LineBreaks().size(), 1u);
  const int y = bar->LineBreaks()[0];
  EXPECT_EQ(y, 2 + 22 + 6);
  auto* separator = bar->findChild<TToolbarSep*>();
  EXPECT_TRUE(separator->Suppressed());
  RecordingCanvas sep;
  separator->paintOn(sep);
  EXPECT_TRUE(sep.calls.empty());

  RecordingCanvas canvas;
  bar->paintOn(canvas);
  const FrameMetrics m = bar->frameMetrics();
  const int cw = bar->width() - 2 * m.frameWidth;
  const int top = m.frameWidth + m.captionHeight;
  const auto at = [&](int dy, const std::string& colour) {
    return "line " + std::to_string(m.frameWidth + 1) + "," + std::to_string(top + y + dy) + " " +
           std::to_string(m.frameWidth + cw - 1) + "," + std::to_string(top + y + dy) + " " + colour;
  };
  EXPECT_TRUE(canvas.has(at(-4, kShadow)));
  EXPECT_TRUE(canvas.has(at(-3, kHighlight)));

  // A single group that wraps inside itself gets no rule.
  TToolbar* single = toolbar({23, 23, 23}, bottom);
  single->SetDockedTo(nullptr);
  ToolbarInternals::setFloatingShape(*single, 4 + 46 + 4, {200, 50, 300, 150});
  EXPECT_TRUE(single->LineBreaks().empty());
  EXPECT_EQ(single->controls()[2]->y() - single->controls()[0]->y(), 22);  // the content height, no 6 pixels more
}

TEST_F(ToolbarTest, SeparatorsDrawTheirRuleAcrossTheLineAtTheirMiddle) {
  TToolbar* bar = toolbar({23, 0, 23}, top);
  form->show();
  auto* separator = bar->findChild<TToolbarSep*>();
  RecordingCanvas across;
  separator->paintOn(across);
  EXPECT_EQ(lines(across), (std::vector<std::string>{"line 2,0 2,22 " + kShadow, "line 3,0 3,22 " + kHighlight}));
  EXPECT_EQ(separator->geometry(), QRect(11 + 23, 2, 6, 22));

  bar->SetDockedTo(left);
  RecordingCanvas along;
  separator->paintOn(along);
  // Four high and as wide as the row's content (the buttons are 23 wide).
  EXPECT_EQ(lines(along), (std::vector<std::string>{"line 0,1 23,1 " + kShadow, "line 0,2 23,2 " + kHighlight}));
}

TEST_F(ToolbarTest, TilesStartAtTheFormsOriginAndStayInsideTheClip) {
  QImage tile(10, 8, QImage::Format_RGB32);
  tile.fill(Qt::blue);
  top->setBackground(tile);
  ClipRecordingCanvas canvas;
  top->DrawBackgroundTiles(canvas, {3, 2, 25, 15}, {-4, -3, 25, 15});
  const int clip = canvas.indexOf("clip 3,2,25,15");
  ASSERT_GE(clip, 0);
  EXPECT_LT(clip, canvas.indexOf("image -4,-3 10x8"));
  EXPECT_EQ(canvas.calls.back(), "clip none");
  EXPECT_EQ(canvas.callsStartingWith("image "),
            (std::vector<std::string>{"image -4,-3 10x8", "image -4,5 10x8", "image -4,13 10x8", "image 6,-3 10x8",
                                      "image 6,5 10x8", "image 6,13 10x8", "image 16,-3 10x8", "image 16,5 10x8",
                                      "image 16,13 10x8"}));

  // A docked toolbar continues the dock's pattern: its tiles start at the
  // client origin of the dock's parent.
  TToolbar* bar = toolbar({23}, top, 0, 40);
  form->show();
  QApplication::processEvents();
  ClipRecordingCanvas onBar;
  bar->paintOn(onBar);
  const QPoint origin = bar->mapFrom(form.get(), QPoint(0, 0));
  EXPECT_TRUE(onBar.has("clip 1,1," + std::to_string(bar->width() - 1) + "," + std::to_string(bar->height() - 1)));
  EXPECT_TRUE(onBar.has("image " + std::to_string(origin.x()) + "," + std::to_string(origin.y()) + " 10x8"));

  top->setBackground(QImage());
  RecordingCanvas none;
  top->DrawBackgroundTiles(none, {0, 0, 20, 20}, {0, 0, 20, 20});
  EXPECT_TRUE(none.calls.empty());
}

TEST_F(ToolbarTest, ButtonsShowTheirStateInBorderOffsetAndDither) {
  TToolbar* bar = toolbar({23, 23}, top);
  auto* button = static_cast<TToolbarButton*>(bar->controls()[0]);
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(Qt::black);
  button->setGlyph(glyph);
  form->show();

  RecordingCanvas idle;
  button->paintOn(idle);
  EXPECT_EQ(idle.calls.front(), "fill 0,0,23,22 " + draw::colorName(bar->Color()));
  EXPECT_TRUE(idle.callsStartingWith("edge ").empty());
  EXPECT_TRUE(idle.has("image 4,3 16x16"));  // centred in the content rectangle

  button->MouseEntered();
  RecordingCanvas hot;
  button->paintOn(hot);
  EXPECT_EQ(hot.callsStartingWith("edge "), std::vector<std::string>{"edge 0,0,23,22 4 0xF"});

  button->setGroupIndex(1);
  button->setDown(true);
  RecordingCanvas latchedHot;
  button->paintOn(latchedHot);
  EXPECT_EQ(latchedHot.callsStartingWith("edge "), std::vector<std::string>{"edge 0,0,23,22 2 0xF"});
  EXPECT_TRUE(latchedHot.has("image 5,4 16x16"));  // pressed in by a pixel
  EXPECT_TRUE(latchedHot.callsStartingWith("fill 1,1,22,21 pattern").empty());

  button->MouseLeft();
  RecordingCanvas latched;
  button->paintOn(latched);
  EXPECT_TRUE(latched.has("fill 1,1,22,21 pattern"));  // the dither of a latched button
  const QImage& dither = TToolbarButton::DitherBitmap();
  EXPECT_EQ(dither.pixelColor(0, 0), draw::resolve(draw::clBtnHighlight));
  EXPECT_EQ(dither.pixelColor(1, 0), draw::resolve(draw::clBtnFace));
  EXPECT_EQ(dither.pixelColor(1, 1), draw::resolve(draw::clBtnHighlight));

  // Painting changes nothing: a disabled button paints disabled, and its
  // state stays what it was until the enabled state really changes.
  const FaceState before = button->faceState();
  RecordingCanvas again;
  button->paintOn(again);
  EXPECT_EQ(button->faceState(), before);
}

TEST_F(ToolbarTest, AButtonOnAnyContainerTakesItsParentsColour) {
  QWidget panel(form.get());
  QPalette palette = panel.palette();
  palette.setColor(QPalette::Window, QColor(10, 20, 30));
  panel.setPalette(palette);
  auto* button = new TToolbarButton(&panel);
  RecordingCanvas canvas;
  button->paintOn(canvas);
  EXPECT_EQ(canvas.calls.front(), "fill 0,0,23,22 #0A141E");

  auto* onDock = new TToolbarButton(top);
  top->setColor(draw::rgb(1, 2, 3));
  RecordingCanvas dockCanvas;
  onDock->paintOn(dockCanvas);
  EXPECT_EQ(dockCanvas.calls.front(), "fill 0,0,23,22 #010203");
  delete onDock;
}

TEST(ButtonGlyph, TheDisabledEmbossKeepsTheBlackPixelsOnly) {
  // A red square with a black outline on an olive background.
  QImage glyph(8, 8, QImage::Format_RGB32);
  glyph.fill(QColor(128, 128, 0));
  for (int y = 1; y < 7; ++y)
    for (int x = 1; x < 7; ++x) glyph.setPixel(x, y, (x == 1 || y == 1 || x == 6 || y == 6) ? qRgb(0, 0, 0) : qRgb(255, 0, 0));
  TButtonGlyph renderer;
  renderer.SetGlyph(glyph);
  const int index = renderer.PrepareCell(FaceState::Disabled);
  ASSERT_GE(index, 0);
  const QImage image = renderer.CellList()->image(index);
  const QColor shadow = draw::resolve(draw::clBtnShadow);
  const QColor highlight = draw::resolve(draw::clBtnHighlight);
  int shadows = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool black = qRgb(0, 0, 0) == (glyph.pixel(x, y) | 0xFF000000u);
      const QColor pixel = image.pixelColor(x, y);
      if (black) {
        EXPECT_EQ(pixel.rgb(), shadow.rgb()) << x << "," << y;
        ++shadows;
      } else if (pixel.alpha() != 0) {
        EXPECT_EQ(pixel.rgb(), highlight.rgb()) << x << "," << y;  // only the highlight below and right of a line
      }
    }
  EXPECT_EQ(shadows, 20);
  EXPECT_EQ(image.pixelColor(3, 3).alpha(), 0);  // the red inside is not part of the picture
  EXPECT_EQ(image.pixelColor(7, 7).rgb(), highlight.rgb());  // below and right of the outline's corner
}

TEST(ButtonGlyph, NotTransparentTheGlyphSitsOnTheButtonFace) {
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(Qt::black);
  TButtonGlyph renderer;
  renderer.SetGlyph(glyph);
  TButtonGlyph::DrawOptions options;
  options.transparent = false;
  RecordingCanvas opaque;
  renderer.Draw(opaque, {0, 0, 20, 20}, options);
  const int fill = opaque.indexOf("fill 2,2,18,18 " + draw::colorName(draw::clBtnFace));
  ASSERT_GE(fill, 0);
  EXPECT_EQ(opaque.indexOf("image 2,2 16x16"), fill + 1);

  options.state = FaceState::Exclusive;  // a latched glyph always goes through its mask
  RecordingCanvas latched;
  renderer.Draw(latched, {0, 0, 20, 20}, options);
  EXPECT_TRUE(latched.callsStartingWith("fill ").empty());
  options.state = FaceState::Up;
  options.transparent = true;
  RecordingCanvas transparent;
  renderer.Draw(transparent, {0, 0, 20, 20}, options);
  EXPECT_TRUE(transparent.callsStartingWith("fill ").empty());
}

TEST(ButtonGlyph, TheArrowIsASmallFilledTriangleUnderTheGlyph) {
  TButtonGlyph renderer;
  TButtonGlyph::DrawOptions options;
  options.dropdown = true;
  RecordingCanvas canvas;
  canvas.setFont(draw::CanvasFont{});
  canvas.setFontColor(draw::clBtnText);
  renderer.Draw(canvas, {0, 0, 21, 20}, options);
  // No glyph, no caption: the arrow sits at the margin (21 - 9 + 1) / 2 = 6
  // and 10 - 3 / 2 = 9 down; corners (x + 4, y), (x + 8, y), (x + 6, y + 2).
  const std::string text = draw::colorName(draw::clBtnText);
  EXPECT_EQ(lines(canvas), (std::vector<std::string>{"line 10,9 15,9 " + text, "line 11,10 14,10 " + text,
                                                     "line 12,11 13,11 " + text}));
}

}  // namespace
}  // namespace sorabel::test
