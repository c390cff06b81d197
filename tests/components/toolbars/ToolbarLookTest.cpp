// Toolbar buttons on a high-density screen and in a dark theme: the hot
// frame on whole device pixels, a glyph made for ratio 2 shown with all its
// pixels at its logical size, and the embossed disabled glyph in the
// colours of the button's palette, made again when the palette changes.

#include "components/toolbars/ToolbarFixture.h"
#include "draw/SysColors.h"
#include "support/Contrast.h"

namespace sorabel::test {
namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;

int pixelsOf(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour ? 1 : 0;
  return count;
}

class ToolbarLookTest : public ToolbarTest {
 protected:
  void SetUp() override {
    ToolbarTest::SetUp();
    bar = toolbar({23}, top);
    button = static_cast<TToolbarButton*>(bar->controls().front());
  }
  QRgb colour(draw::Color c) const { return draw::resolve(c, button->palette()).rgb(); }

  TToolbar* bar = nullptr;
  TToolbarButton* button = nullptr;
};

TEST_F(ToolbarLookTest, AtRatioTwoTheHotFrameFillsWholeDevicePixelsAndAFineGlyphKeepsItsPixels) {
  // 16 x 16 logical pixels made of 32 x 32: red and blue device pixels in
  // turn, the bottom-left one olive (the transparent colour).
  QImage glyph(32, 32, QImage::Format_RGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) glyph.setPixel(x, y, (x + y) % 2 ? kRed : kBlue);
  glyph.setPixel(0, 31, qRgb(128, 128, 0));
  glyph.setDevicePixelRatio(2);
  button->setGlyph(glyph);
  button->MouseEntered();
  const QImage image = rendered(button, 2);
  ASSERT_EQ(image.size(), QSize(46, 44));

  // The raised frame: highlight left and top, shadow right and bottom, two
  // device pixels each, and the face right inside.
  const QRgb light = colour(draw::clBtnHighlight);
  const QRgb shadow = colour(draw::clBtnShadow);
  for (int x = 0; x < 44; ++x)
    for (int y : {0, 1}) EXPECT_EQ(image.pixel(x, y), light) << x << "," << y;
  for (int x = 0; x < 46; ++x)
    for (int y : {42, 43}) EXPECT_EQ(image.pixel(x, y), shadow) << x << "," << y;
  for (int y = 0; y < 42; ++y) {
    EXPECT_EQ(image.pixel(1, y), light) << y;
    EXPECT_EQ(image.pixel(44, y), shadow) << y;
  }
  EXPECT_EQ(image.pixel(2, 2), colour(draw::clBtnFace));

  // The glyph covers 16 logical pixels and every device pixel of it
  // alternates, as in the picture.
  QRect painted;
  int alternations = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (pixel != kRed && pixel != kBlue) continue;
      painted |= QRect(x, y, 1, 1);
      if (x + 1 < image.width() && image.pixel(x + 1, y) == (pixel == kRed ? kBlue : kRed)) ++alternations;
    }
  EXPECT_EQ(painted.size(), QSize(32, 32));
  EXPECT_GE(alternations, 31 * 31);
}

TEST_F(ToolbarLookTest, TheDisabledGlyphTakesTheButtonsPaletteAndStandsOutOnADarkFace) {
  // A black square on white, the bottom-left pixel olive.
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(Qt::white);
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) glyph.setPixel(x, y, qRgb(0, 0, 0));
  glyph.setPixel(0, 15, qRgb(128, 128, 0));
  button->setGlyph(glyph);
  button->setEnabled(false);
  const QRgb lightShadow = colour(draw::clBtnShadow);
  EXPECT_GE(pixelsOf(rendered(button, 1), lightShadow), 49);  // the square in the button shadow

  QPalette dark;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    dark.setColor(group, QPalette::Window, QColor(45, 45, 48));
    dark.setColor(group, QPalette::Button, QColor(45, 45, 48));
    dark.setColor(group, QPalette::WindowText, group == QPalette::Disabled ? QColor(150, 150, 150) : Qt::white);
    dark.setColor(group, QPalette::ButtonText, Qt::white);
    dark.setColor(group, QPalette::Light, QColor(90, 90, 95));
    dark.setColor(group, QPalette::Dark, QColor(25, 25, 27));
  }
  button->setPalette(dark);  // a palette change reaches the cached cells
  const QImage image = rendered(button, 1);
  const QRgb shape = colour(draw::clGrayText);
  EXPECT_EQ(pixelsOf(image, lightShadow), 0);
  EXPECT_GE(pixelsOf(image, shape), 49);
  EXPECT_GE(contrast(QColor(shape), QColor(colour(draw::clBtnFace))), 3.0);
}

}  // namespace
}  // namespace sorabel::test
