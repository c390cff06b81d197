// The command pictures are 16-colour pictures with black outlines, so that
// the toolbar's embossed disabled glyphs keep their shapes; the exit and
// settings pictures have 20-pixel designs of their own.

#include <QSet>
#include <gtest/gtest.h>

#include "components/toolbars/TButtonGlyph.h"
#include "components/toolbars/TGlyphList.h"
#include "draw/SysColors.h"
#include "widgets/CommandPictures.h"

namespace sorabel::test {
namespace {

const QSet<QRgb> kSixteen = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                             0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                             0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

int blackPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == 0xFF000000 ? 1 : 0;
  return count;
}

TEST(CommandPictures, AreSixteenColourPicturesWithBlackOutlines) {
  for (int i = 0; i < kCommandPictureCount; ++i) {
    const auto picture = static_cast<CommandPicture>(i);
    const bool large = picture == CommandPicture::Exit || picture == CommandPicture::Settings;
    for (int size : large ? std::vector<int>{16, 20} : std::vector<int>{16}) {
      const QImage image = commandPixmap(picture, size).toImage().convertToFormat(QImage::Format_ARGB32);
      ASSERT_EQ(image.size(), QSize(size, size));
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
          const QRgb pixel = image.pixel(x, y);
          EXPECT_TRUE(qAlpha(pixel) == 0 || kSixteen.contains(pixel)) << i << " at " << x << "," << y;
        }
      EXPECT_GE(blackPixels(image), size * 2) << "picture " << i << " at " << size;  // an outline to emboss
    }
  }
}

TEST(CommandPictures, TheDisabledGlyphShowsEachOutlineEmbossed) {
  for (CommandPicture picture : {CommandPicture::Save, CommandPicture::Delete, CommandPicture::Exit}) {
    const int size = picture == CommandPicture::Exit ? 20 : 16;
    QImage glyph = commandPixmap(picture, size).toImage();
    toolbars::TButtonGlyph renderer;
    renderer.SetGlyph(glyph);
    const int index = renderer.PrepareCell(toolbars::FaceState::Disabled);
    ASSERT_GE(index, 0);
    const QImage disabled = renderer.CellList()->image(index);
    int shadows = 0;
    const QColor shadow = draw::resolve(draw::clBtnShadow);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) shadows += disabled.pixel(x, y) == shadow.rgb() ? 1 : 0;
    EXPECT_EQ(shadows, blackPixels(glyph.convertToFormat(QImage::Format_ARGB32))) << static_cast<int>(picture);
  }
}

TEST(CommandPictures, TheLargePicturesAreDrawnAtTheirSizeNotScaled) {
  for (CommandPicture picture : {CommandPicture::Exit, CommandPicture::Settings}) {
    const QImage at20 = commandPixmap(picture, 20).toImage();
    const QImage scaled = commandPixmap(picture, 16).toImage().scaled(20, 20);
    EXPECT_NE(at20, scaled);
    // The design fills its 20 pixels: something is drawn in the last rows
    // and columns.
    bool edge = false;
    for (int i = 0; i < 20; ++i) edge = edge || qAlpha(at20.pixel(19, i)) != 0 || qAlpha(at20.pixel(i, 19)) != 0 ||
                                        qAlpha(at20.pixel(18, i)) != 0 || qAlpha(at20.pixel(i, 18)) != 0;
    EXPECT_TRUE(edge) << static_cast<int>(picture);
  }
}

}  // namespace
}  // namespace sorabel::test
