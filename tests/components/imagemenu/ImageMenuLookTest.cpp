// The image menus on a high-density screen and in a dark theme: drop-downs
// rendered at device pixel ratio 2 keep their logical sizes and draw their
// lines on whole device pixels, the menus' own pictures are made with the
// device's pixels, and with a dark palette text, selection, check marks and
// disabled pictures stand out from their backgrounds.

#include "components/imagemenu/ComponentBitmaps.h"
#include "components/imagemenu/ImageMenuFixture.h"
#include "components/imagemenu/TSysMenu.h"
#include "components/imagemenu/WindowMenu.h"
#include "draw/SysColors.h"
#include "support/Contrast.h"

namespace sorabel::test {
namespace {

TEST(Banner, ItsPictureHasTheDevicesPixelsAndFollowsThePalette) {
  TBanner banner;
  banner.setTopColor(clHighlight);
  banner.setBottomColor(clHighlight);
  const QImage fine = banner.picture(100, 2);
  EXPECT_EQ(fine.size(), QSize(2 * banner.BannerWidth(), 200));
  EXPECT_EQ(fine.deviceIndependentSize(), QSizeF(banner.BannerWidth(), 100));
  EXPECT_EQ(fine.pixelColor(3, 150), QApplication::palette().color(QPalette::Highlight));

  const QPalette saved = QApplication::palette();
  QPalette other = saved;
  other.setColor(QPalette::Highlight, QColor(20, 90, 40));
  QApplication::setPalette(other);
  const QColor after = banner.picture(100, 2).pixelColor(3, 150);
  QApplication::setPalette(saved);
  EXPECT_EQ(after, QColor(20, 90, 40));
}

// A dark palette as a desktop might give it (not the program's own).
QPalette desktopDarkPalette() {
  QPalette dark;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const bool disabled = group == QPalette::Disabled;
    dark.setColor(group, QPalette::Window, QColor(49, 54, 59));
    dark.setColor(group, QPalette::WindowText, disabled ? QColor(150, 152, 154) : QColor(239, 240, 241));
    dark.setColor(group, QPalette::Base, QColor(35, 38, 41));
    dark.setColor(group, QPalette::Text, disabled ? QColor(150, 152, 154) : QColor(239, 240, 241));
    dark.setColor(group, QPalette::Button, QColor(49, 54, 59));
    dark.setColor(group, QPalette::ButtonText, disabled ? QColor(150, 152, 154) : QColor(239, 240, 241));
    dark.setColor(group, QPalette::Light, QColor(80, 86, 92));
    dark.setColor(group, QPalette::Midlight, QColor(64, 70, 76));
    dark.setColor(group, QPalette::Mid, QColor(40, 44, 48));
    dark.setColor(group, QPalette::Dark, QColor(30, 33, 36));
    dark.setColor(group, QPalette::Shadow, QColor(12, 12, 12));
    dark.setColor(group, QPalette::Highlight, QColor(38, 92, 140));
    dark.setColor(group, QPalette::HighlightedText, QColor(252, 252, 252));
  }
  return dark;
}

// The black pixels of a mask, as a logical bounding rectangle.
QRectF logicalBounds(const QImage& mask) {
  QRect bounds;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if ((mask.pixel(x, y) & 0xFFFFFF) == 0) bounds |= QRect(x, y, 1, 1);
  const qreal ratio = mask.devicePixelRatio();
  return QRectF(bounds.left() / ratio, bounds.top() / ratio, bounds.width() / ratio, bounds.height() / ratio);
}

// Neighbouring device columns that differ: a picture enlarged from fewer
// pixels has none within each pair.
int unpairedColumns(const QImage& mask) {
  int count = 0;
  for (int x = 0; x + 1 < mask.width(); x += 2)
    for (int y = 0; y < mask.height(); ++y)
      if (mask.pixel(x, y) != mask.pixel(x + 1, y)) {
        ++count;
        break;
      }
  return count;
}

class ImageMenuLookTest : public ImageMenuTest {
 protected:
  void SetUp() override {
    ImageMenuTest::SetUp();
    menu->setMeasureCanvasFactory(nullptr);  // measured in the real font
  }
  // A drop-down as it shows: polished and at its own size.
  void prepare(QMenu* dropDown) {
    dropDown->ensurePolished();
    dropDown->resize(dropDown->sizeHint());
  }
};

TEST_F(ImageMenuLookTest, AtRatioTwoADropDownKeepsItsSizeAndItsFrameAndSeparatorFillWholeDevicePixels) {
  prepare(file);
  const QSize logical = file->size();
  const QImage one = rendered(file, 1);
  const QImage two = rendered(file, 2);
  EXPECT_EQ(file->size(), logical);
  EXPECT_EQ(file->actionGeometry(separator).height(), 10);
  // The frame's rings and the separator's two lines: each logical pixel is
  // two by two device pixels of the colour it has at ratio 1.
  const QRect item = file->actionGeometry(separator);
  const std::vector<QRect> lines{QRect(0, 0, logical.width(), 2), QRect(0, 0, 2, logical.height()),
                                 QRect(0, logical.height() - 2, logical.width(), 2),
                                 QRect(logical.width() - 2, 0, 2, logical.height()), item};
  for (const QRect& area : lines)
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx)
            ASSERT_EQ(two.pixel(2 * x + dx, 2 * y + dy), one.pixel(x, y)) << "logical pixel " << x << "," << y;
  // The separator's shadow line lies in the middle of its item.
  EXPECT_EQ(QColor(one.pixel(item.center().x(), item.top() + 5)), draw::resolve(clGrayText));
}

TEST_F(ImageMenuLookTest, ChecksAndWindowPicturesAreMadeWithTheDevicesPixels) {
  RecordingCanvas fine;
  fine.ratio = 2;
  menu->drawRequest(fine, bar, statusItem, ODS_CHECKED, {0, 0, 120, 20});
  ASSERT_EQ(fine.masks.size(), 3u);  // highlight, mark and shadow
  RecordingCanvas plain;
  menu->drawRequest(plain, bar, statusItem, ODS_CHECKED, {0, 0, 120, 20});
  ASSERT_EQ(plain.masks.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(fine.masks[i].size(), QSize(32, 32));
    EXPECT_EQ(fine.masks[i].deviceIndependentSize(), QSizeF(16, 16));
    // The same place in logical pixels, within the half pixel of its
    // finer steps.
    const QRectF a = logicalBounds(fine.masks[i]);
    const QRectF b = logicalBounds(plain.masks[i]);
    EXPECT_NEAR(a.left(), b.left(), 0.5);
    EXPECT_NEAR(a.right(), b.right(), 0.5);
    EXPECT_NEAR(a.top(), b.top(), 0.5);
    EXPECT_NEAR(a.bottom(), b.bottom(), 0.5);
  }
  // The slope of the mark in half-pixel steps: not the plain mark enlarged.
  EXPECT_GE(unpairedColumns(fine.masks[1]), 6);
  EXPECT_EQ(unpairedColumns(plain.masks[1].scaled(32, 32)), 0);

  // A large picture place gets a mark made for it, not an enlarged one.
  menu->setLargeImage(true);
  RecordingCanvas large;
  large.ratio = 2;
  menu->drawRequest(large, bar, statusItem, ODS_CHECKED, {0, 0, 120, 40});
  ASSERT_EQ(large.masks.size(), 3u);
  EXPECT_EQ(large.masks[1].deviceIndependentSize(), QSizeF(32, 32));
  EXPECT_EQ(large.masks[1].size(), QSize(64, 64));
  EXPECT_GE(unpairedColumns(large.masks[1]), 12);

  RecordingCanvas close;
  close.ratio = 2;
  menu->SysMenu().DrawSysItem(nullptr, close, 0, {0, 0, 150, 20}, SC_CLOSE, false);
  ASSERT_EQ(close.masks.size(), 1u);
  EXPECT_EQ(close.masks[0].size(), QSize(32, 32));
  EXPECT_GE(unpairedColumns(close.masks[0]), 6);  // the cross's diagonals
}

// The menus made while the application has a dark palette (before the
// event loop runs, Qt hands a new application palette only to widgets made
// after it).
class DarkImageMenuTest : public ImageMenuLookTest {
 protected:
  void SetUp() override {
    saved = QApplication::palette();
    QApplication::setPalette(desktopDarkPalette());
    ImageMenuLookTest::SetUp();
  }
  void TearDown() override {
    ImageMenuLookTest::TearDown();
    QApplication::setPalette(saved);
  }
  QPalette saved;
};

TEST_F(DarkImageMenuTest, TextSelectionChecksAndDisabledPicturesStandOut) {
  const QColor window = QApplication::palette().color(QPalette::Window);
  newItem->setEnabled(false);  // its picture is embossed
  prepare(file);
  file->setActiveAction(print);
  const QImage files = rendered(file, 1);
  const int caption = menu->ItemHeight() + 4;
  auto textArea = [&](QAction* item) {
    const QRect place = file->actionGeometry(item);
    return QRect(place.left() + caption, place.top() + 2, place.width() / 2, place.height() - 4);
  };
  auto backgroundOf = [&](const QImage& image, QMenu* dropDown, QAction* item) {
    const QRect place = dropDown->actionGeometry(item);
    return image.pixelColor(place.right() - 3, place.top() + 2);
  };
  const QColor selected = backgroundOf(files, file, print);
  EXPECT_TRUE(near(selected, QApplication::palette().color(QPalette::Highlight)));
  EXPECT_GE(strongestContrast(files, textArea(print), {selected}), 4.5);
  EXPECT_TRUE(near(backgroundOf(files, file, exitItem), window));
  EXPECT_GE(strongestContrast(files, textArea(exitItem), {window}), 4.5);

  // The embossed picture of the disabled item is seen on the menu.
  const QRect newPlace = file->actionGeometry(newItem);
  const QRect picture(newPlace.left() + 2, newPlace.top() + 2, 16, 16);
  EXPECT_GE(strongestContrast(files, picture, {window}), 3.0);

  // The check mark of a checked item without a picture, on its dithered
  // cell (the menu colour and the 3-D highlight).
  prepare(edit);
  const QImage edits = rendered(edit, 1);
  const QRect statusPlace = edit->actionGeometry(statusItem);
  const QRect cell(statusPlace.left() + 2, statusPlace.top() + 2, 16, 16);
  EXPECT_GE(strongestContrast(edits, cell, {window, QApplication::palette().color(QPalette::Light)}), 3.0);
}

}  // namespace
}  // namespace sorabel::test
