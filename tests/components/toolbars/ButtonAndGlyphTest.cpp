// Toolbar buttons: glyph cells and their shared lists, the glyph layout,
// hot tracking, clicks, latching groups and drop-down menus.

#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "components/toolbars/GlyphLayout.h"
#include "components/toolbars/TButtonGlyph.h"
#include "components/toolbars/TGlyphList.h"
#include "components/toolbars/ToolbarFixture.h"
#include "draw/SysColors.h"

namespace sorabel::test {
namespace {

// A strip of cells, each filled with its own grey and a black dot at (2, 2),
// on an olive background pixel at the bottom left (the transparent colour).
QImage strip(int width, int height, int cells = 0) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkYellow);
  const int cellWidth = cells > 0 ? width / cells : width;
  for (int c = 0; c < std::max(cells, 1); ++c) {
    for (int y = 0; y < height - 1; ++y)
      for (int x = 0; x < cellWidth; ++x) image.setPixel(c * cellWidth + x, y, qRgb(40 * c + 60, 40 * c + 60, 40 * c + 60));
    image.setPixel(c * cellWidth + 2, 2, qRgb(0, 0, 0));
  }
  image.setPixel(0, height - 1, qRgb(128, 128, 0));
  return image;
}

TEST(ButtonGlyph, StripWidthsSetTheCellCountOnlyForWholeMultiplesBelowFive) {
  TButtonGlyph glyph;
  glyph.SetGlyph(strip(64, 16));
  EXPECT_EQ(glyph.NumGlyphs(), 4);
  glyph.SetGlyph(strip(80, 16));
  EXPECT_EQ(glyph.NumGlyphs(), 1);  // five cells are not taken
  glyph.SetNumGlyphs(2);
  glyph.SetGlyph(strip(40, 16));
  EXPECT_EQ(glyph.NumGlyphs(), 2);  // not a whole multiple: kept
  EXPECT_EQ(glyph.TransparentColor(), draw::clOlive);
}

TEST(ButtonGlyph, MissingCellsFallBackAndTheDisabledOneIsEmbossed) {
  TButtonGlyph one;
  QImage dot(16, 16, QImage::Format_RGB32);  // white with one black dot
  dot.fill(Qt::white);
  dot.setPixel(2, 2, qRgb(0, 0, 0));
  dot.setPixel(0, 15, qRgb(128, 128, 0));
  one.SetGlyph(dot);
  const int up = one.PrepareCell(FaceState::Up);
  EXPECT_EQ(one.PrepareCell(FaceState::Down), up);  // pressed shows the up image
  const int latched = one.PrepareCell(FaceState::Exclusive);
  const int disabledCell = one.PrepareCell(FaceState::Disabled);
  const TGlyphList* list = one.CellList();
  EXPECT_EQ(list->image(latched), list->image(up));
  EXPECT_EQ(qAlpha(list->image(up).pixel(0, 15)), 0);  // the olive pixel is transparent
  const QImage disabled = list->image(disabledCell);
  EXPECT_EQ(disabled.pixel(2, 2), draw::resolve(draw::clBtnShadow).rgb());    // the black dot, in shadow
  EXPECT_EQ(disabled.pixel(3, 3), draw::resolve(draw::clBtnHighlight).rgb());  // and its highlight one down-right
  EXPECT_EQ(qAlpha(disabled.pixel(8, 8)), 0);                                   // the face shows through

  TButtonGlyph two;
  two.SetGlyph(strip(32, 16, 2));
  EXPECT_EQ(two.PrepareCell(FaceState::Down), two.PrepareCell(FaceState::Up));
  EXPECT_EQ(qRed(two.CellList()->image(two.PrepareCell(FaceState::Disabled)).pixel(5, 5)), 100);  // its own cell

  TButtonGlyph three;
  three.SetGlyph(strip(48, 16, 3));
  const int down = three.PrepareCell(FaceState::Down);
  EXPECT_NE(down, three.PrepareCell(FaceState::Up));
  EXPECT_EQ(qRed(three.CellList()->image(down).pixel(5, 5)), 140);  // cell 2
}

TEST(ButtonGlyph, ButtonsOfOneCellSizeShareAListThatGoesWithTheLast) {
  {
    TButtonGlyph a;
    TButtonGlyph b;
    a.SetGlyph(strip(16, 16));
    b.SetGlyph(strip(16, 16));
    a.PrepareCell(FaceState::Up);
    b.PrepareCell(FaceState::Up);
    EXPECT_EQ(a.CellList(), b.CellList());
    EXPECT_EQ(a.CellList()->count(), 2);
    TButtonGlyph other;
    other.SetGlyph(strip(20, 20));
    other.PrepareCell(FaceState::Up);
    EXPECT_NE(other.CellList(), a.CellList());
    EXPECT_EQ(TGlyphCache::instance()->listCount(), 2);
  }
  EXPECT_EQ(TGlyphCache::instance(), nullptr);
}

TEST(GlyphList, ReleasedSlotsAreReusedAndTheListNeverShrinks) {
  TGlyphList list(16, 16);
  EXPECT_EQ(list.Allocate(), 0);
  EXPECT_EQ(list.Allocate(), 1);
  EXPECT_EQ(list.Allocate(), 2);
  list.Release(1);
  list.Release(1);  // releasing a free slot changes nothing
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.Allocate(), 1);
  EXPECT_EQ(list.size(), 3);
  EXPECT_EQ(list.count(), 3);
}

GlyphLayoutInput captionInput(TButtonLayout layout, draw::Size glyph) {
  GlyphLayoutInput input;
  input.content = {0, 0, 100, 40};
  input.layout = layout;
  input.glyph = glyph;
  input.caption = QStringLiteral("Caption");
  input.measure = [](const QString&, int, bool) { return draw::Size{30, 13}; };
  return input;
}

TEST(GlyphLayout, AutomaticMarginAndSpacingSplitTheFreeSpaceInThree) {
  GlyphLayoutInput input = captionInput(TButtonLayout::blGlyphLeft, {16, 16});
  input.margin = input.spacing = -1;
  const GlyphLayoutResult result = computeGlyphLayout(input);
  EXPECT_EQ(result.glyph, (draw::Point{18, 12}));  // (100 - 16 - 30) / 3 = 18
  EXPECT_EQ(result.textBounds.left, 18 + 16 + 18);
  EXPECT_EQ(100 - result.textBounds.right, 18);

  input.offset = {1, 1};  // pressed
  EXPECT_EQ(computeGlyphLayout(input).glyph, (draw::Point{19, 13}));

  input.margin = -1;
  input.spacing = 4;  // the margin centres glyph and caption
  EXPECT_EQ(computeGlyphLayout(input).glyph.x - 1, (100 - (4 + 46) + 1) / 2);
}

TEST(GlyphLayout, AGlyphTopLayoutWithoutAGlyphLaysOutAsGlyphLeft) {
  GlyphLayoutInput input = captionInput(TButtonLayout::blGlyphTop, {0, 0});
  input.margin = 2;
  const GlyphLayoutResult result = computeGlyphLayout(input);
  EXPECT_EQ(result.textBounds, (draw::Rect{2, 14, 32, 27}));  // left at the margin, centred vertically
  input.glyph = {16, 16};
  EXPECT_EQ(computeGlyphLayout(input).textBounds.top, 2 + 16 + 4);  // with one: below it
  input.dropdown = true;
  input.layout = TButtonLayout::blGlyphLeft;
  const GlyphLayoutResult arrow = computeGlyphLayout(input);
  EXPECT_EQ(arrow.arrow.x, arrow.textBounds.right);
  EXPECT_EQ(arrow.arrow.y, arrow.glyph.y + (16 - 3) / 2);
}

// Buttons on a toolbar, with the control under the cursor given by the test.
class ButtonTest : public ToolbarTest {
 protected:
  void SetUp() override {
    ToolbarTest::SetUp();
    bar = toolbar({23, 23, 23}, top);
    for (QWidget* control : bar->controls()) buttons.push_back(static_cast<TToolbarButton*>(control));
    TToolbarButton::setControlUnderCursor([this] { return under; });
    form->show();
    form->activateWindow();
    QApplication::processEvents();
  }
  void TearDown() override {
    TToolbarButton::setControlUnderCursor({});
    ToolbarTest::TearDown();
  }

  void send(TToolbarButton* button, QEvent::Type type, QPoint at, Qt::MouseButton which = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(which);
    QMouseEvent event(type, at, button->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : which, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(button, &event);
  }
  void hover(TToolbarButton* button) {
    under = button;
    send(button, QEvent::MouseMove, {5, 5});
  }
  void click(TToolbarButton* button) {
    hover(button);
    send(button, QEvent::MouseButtonPress, {5, 5});
    send(button, QEvent::MouseButtonRelease, {5, 5});
  }

  TToolbar* bar = nullptr;
  std::vector<TToolbarButton*> buttons;
  QWidget* under = nullptr;
};

TEST_F(ButtonTest, OnlyOneButtonIsHotAndTheTimerNoticesTheMouseLeaving) {
  if (QGuiApplication::applicationState() != Qt::ApplicationActive) GTEST_SKIP() << "no active window here";
  hover(buttons[0]);
  EXPECT_TRUE(buttons[0]->Hot());
  EXPECT_EQ(TToolbarButton::HoverButton(), buttons[0]);
  hover(buttons[1]);
  EXPECT_FALSE(buttons[0]->Hot());
  EXPECT_TRUE(buttons[1]->Hot());

  under = nullptr;  // onto the desktop
  EXPECT_TRUE(TToolbarButton::HoverTimer()->isActive());
  QMetaObject::invokeMethod(TToolbarButton::HoverTimer(), "timeout");  // a tick of the timer
  EXPECT_FALSE(buttons[1]->Hot());
  EXPECT_EQ(TToolbarButton::HoverButton(), nullptr);

  hover(buttons[2]);
  send(buttons[2], QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
  EXPECT_FALSE(buttons[2]->Hot());  // a right-button release removes it

  buttons[1]->setEnabled(false);
  hover(buttons[1]);
  EXPECT_FALSE(buttons[1]->Hot());  // disabled buttons never get hot
}

TEST_F(ButtonTest, AClickNeedsTheReleaseOverTheButton) {
  int clicks = 0;
  buttons[0]->OnClick = [&] { ++clicks; };
  hover(buttons[0]);
  send(buttons[0], QEvent::MouseButtonPress, {5, 5});
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Down);
  send(buttons[0], QEvent::MouseMove, {60, 5});
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Up);  // dragged out: pops up
  send(buttons[0], QEvent::MouseButtonRelease, {60, 5});
  EXPECT_EQ(clicks, 0);

  send(buttons[0], QEvent::MouseButtonPress, {5, 5});
  send(buttons[0], QEvent::MouseMove, {60, 5});
  send(buttons[0], QEvent::MouseMove, {6, 6});
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Down);  // back in: pushed again
  send(buttons[0], QEvent::MouseButtonRelease, {6, 6});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Up);
}

TEST_F(ButtonTest, GroupsLatchOneButtonAndAllowAllUpLetsItGo) {
  buttons[0]->setDown(true);
  EXPECT_FALSE(buttons[0]->Down());  // group 0 never latches

  for (TToolbarButton* button : buttons) button->setGroupIndex(1);
  click(buttons[0]);
  EXPECT_TRUE(buttons[0]->Down());
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Exclusive);
  click(buttons[0]);
  EXPECT_TRUE(buttons[0]->Down());  // without AllowAllUp it stays down
  click(buttons[1]);
  EXPECT_FALSE(buttons[0]->Down());
  EXPECT_TRUE(buttons[1]->Down());

  buttons[2]->setAllowAllUp(true);  // told to the whole group
  EXPECT_TRUE(buttons[1]->AllowAllUp());
  click(buttons[1]);
  EXPECT_FALSE(buttons[1]->Down());
}

TEST_F(ButtonTest, ADropdownButtonOpensItsMenuOnThePress) {
  QMenu menu;
  menu.addAction(QStringLiteral("Item"));
  int shown = 0;
  int clicks = 0;
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    ++shown;
    QTimer::singleShot(0, &menu, &QMenu::close);
  });
  buttons[0]->setDropdownMenu(&menu);
  buttons[0]->OnClick = [&] { ++clicks; };
  hover(buttons[0]);
  send(buttons[0], QEvent::MouseButtonPress, {5, 5});
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(clicks, 0);  // the menu is the action
  send(buttons[0], QEvent::MouseButtonRelease, {5, 5});
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Up);
}

TEST_F(ButtonTest, PaintingShowsTheBorderOfTheStateAndNoneWhenDisabled) {
  RecordingCanvas idle;
  buttons[0]->paintOn(idle);
  buttons[0]->MouseEntered();
  RecordingCanvas hot;
  buttons[0]->paintOn(hot);
  EXPECT_EQ(idle.callsStartingWith("edge ").size() + 1, hot.callsStartingWith("edge ").size());
  buttons[0]->setEnabled(false);
  RecordingCanvas disabled;
  buttons[0]->paintOn(disabled);
  EXPECT_EQ(disabled.callsStartingWith("edge ").size(), idle.callsStartingWith("edge ").size());
}

}  // namespace
}  // namespace sorabel::test
