// The dock's rows and the toolbar's lines, as plain layouts and through the
// widgets.

#include "components/toolbars/DockLayout.h"
#include "components/toolbars/ToolbarDrag.h"
#include "components/toolbars/ToolbarLayout.h"
#include "components/toolbars/ToolbarFixture.h"

namespace sorabel::test {
namespace {

// The cash book's toolbar: 11 buttons of 23, the exit button of 25, and
// six separators in its places.
std::vector<ToolbarControl> cashBookControls() {
  std::vector<ToolbarControl> controls;
  int x = 0;
  for (int width : {23, 23, 23, 0, 23, 0, 23, 23, 0, 23, 23, 0, 23, 0, 23, 23, 0, 25}) {
    controls.push_back({x, 0, width == 0 ? 6 : width, 22, true, width == 0});
    x += width == 0 ? 6 : width;
  }
  return controls;
}

TEST(ToolbarLayout, TheCashBookToolbarIs327By26WithItsFirstButtonAt11) {
  ToolbarLayoutInput input;
  input.controls = cashBookControls();
  const ToolbarLayoutResult result = layoutControls(input);
  EXPECT_EQ(result.size, (Size{327, 26}));
  EXPECT_EQ(result.bounds[0], (Rect{11, 2, 34, 24}));
  EXPECT_EQ(result.bounds[3], (Rect{80, 2, 86, 24}));  // a separator: 6 wide, as high as the content
  EXPECT_EQ(result.bounds[17].left, 300);
  EXPECT_EQ(result.groups.size(), 7u);
  EXPECT_EQ(buildRowExtents({{0, 0, 327, 26, result.contentHeight, result.contentWidth}})[0].dockedHeight, 26);
}

TEST(ToolbarLayout, AnEmptyToolbarIs21LongDockedAndControlsFollowTheirPlaces) {
  ToolbarLayoutInput empty;
  EXPECT_EQ(layoutControls(empty).size.width, 21);
  empty.target = ToolbarState::Floating;
  EXPECT_EQ(layoutControls(empty).size, (Size{16, 11}));

  ToolbarLayoutInput swapped;
  swapped.controls = {{50, 0, 23, 22}, {10, 0, 30, 22}};
  const ToolbarLayoutResult result = layoutControls(swapped);
  EXPECT_EQ(result.order, (std::vector<int>{1, 0}));
  EXPECT_EQ(result.bounds[1].left, 11);
  EXPECT_EQ(result.bounds[0].left, 41);
}

TEST(ToolbarLayout, WrappedGroupsStartLinesWithARuleAndSuppressTheirSeparator) {
  ToolbarLayoutInput input;
  input.controls = {{0, 0, 23, 22}, {23, 0, 23, 22}, {46, 0, 6, 22, true, true}, {52, 0, 23, 22}, {75, 0, 23, 22}};
  input.target = input.current = ToolbarState::Floating;
  input.wrapLimit = 60;  // only the first group fits
  const ToolbarLayoutResult result = layoutControls(input);
  EXPECT_EQ(result.lineBreaks, std::vector<int>{2 + 22 + 6});
  EXPECT_TRUE(result.suppressed[2]);
  EXPECT_EQ(result.bounds[3].top, 30);
  EXPECT_EQ(result.size, (Size{4 + 46 + 4, 30 + 22 + 1}));  // the suppressed separator adds no length

  input.controls = {{0, 0, 23, 22}, {23, 0, 23, 22}, {46, 0, 23, 22}};
  input.wrapLimit = 60;  // one group longer than the limit wraps inside itself
  const ToolbarLayoutResult inside = layoutControls(input);
  EXPECT_TRUE(inside.lineBreaks.empty());
  EXPECT_EQ(inside.bounds[2].top, 2 + 22);  // no rule, no extra 6 pixels
}

TEST(ToolbarLayout, AVerticalDockTurnsSeparatorsAndCentresControlsAcross) {
  ToolbarLayoutInput input;
  input.controls = {{0, 0, 23, 22}, {23, 0, 6, 22, true, true}, {29, 0, 19, 22}};
  input.target = ToolbarState::VerticalDock;
  const RowExtent row{22, 23, 26, 27};
  input.row = &row;
  const ToolbarLayoutResult result = layoutControls(input);
  EXPECT_EQ(result.bounds[1], (Rect{2, 33, 25, 37}));  // 4 high, as wide as the row's content
  EXPECT_EQ(result.bounds[2].left, 2 + (23 - 19) / 2);
  EXPECT_EQ(result.bounds[0].top, 11);  // the drag handle is at the top
  EXPECT_EQ(result.size, (Size{27, 11 + 22 + 4 + 22 + 2}));
}

TEST(ToolbarLayout, ControlsAreCentredOnTheirLineAndOnTheirDockRow) {
  ToolbarLayoutInput input;
  input.controls = {{0, 0, 23, 22}, {23, 0, 23, 16}, {46, 0, 6, 22, true, true}};
  const ToolbarLayoutResult own = layoutControls(input);
  EXPECT_EQ(own.bounds[0].top, 2);
  EXPECT_EQ(own.bounds[1].top, 2 + (22 - 16) / 2);
  EXPECT_EQ(own.bounds[2].height(), 22);

  const RowExtent row{30, 23, 34, 27};  // a taller toolbar shares the row
  input.row = &row;
  const ToolbarLayoutResult shared = layoutControls(input);
  EXPECT_EQ(shared.bounds[0].top, 2 + (30 - 22) / 2);
  EXPECT_EQ(shared.bounds[1].top, 2 + (30 - 16) / 2);
  EXPECT_EQ(shared.bounds[2].height(), 30);  // separators as high as the row's content
  EXPECT_EQ(shared.size.height, 34);         // at least the row's thickness
}

TEST(DockLayout, DropsWithinFivePixelsOfARowsStartOpenANewRow) {
  const std::vector<RowExtent> rows{{22, 23, 26, 27}, {22, 23, 26, 27}};
  EXPECT_EQ(dropRowAt(rows, false, 5), (RowDrop{0, true}));
  EXPECT_EQ(dropRowAt(rows, false, 6), (RowDrop{0, false}));
  EXPECT_EQ(dropRowAt(rows, false, 21), (RowDrop{0, false}));  // End - 5
  EXPECT_EQ(dropRowAt(rows, false, 22), (RowDrop{1, true}));   // beyond it: the next row's start
  EXPECT_EQ(dropRowAt(rows, false, 31), (RowDrop{1, true}));
  EXPECT_EQ(dropRowAt(rows, false, 32), (RowDrop{1, false}));
  EXPECT_EQ(dropRowAt(rows, false, 48), (RowDrop{2, true}));   // the end of the last row
  EXPECT_EQ(dropRowAt(rows, false, 57), (RowDrop{2, true}));
  EXPECT_EQ(dropRowAt(rows, false, 58), (RowDrop{2, false}));
  EXPECT_EQ(dropRowAt(rows, true, 28), (RowDrop{1, true}));    // vertical docks count widths
  EXPECT_EQ(rowAtPosition(rows, true, 26), 0);
  EXPECT_EQ(rowAtPosition(rows, true, 27), 1);
}

TEST(DockLayout, RowsCloseUpOverhangShiftsBackAndDropsFindRows) {
  std::vector<DockedBar> bars{{0, 0, 50, 26, 22, 23, 0}, {3, 10, 80, 26, 22, 23, 1}, {0, 120, 80, 26, 22, 23, 2}};
  DockLayoutResult result = relayoutBars(bars, false, 150, false);
  EXPECT_EQ(result.bars[2].dockRow, 1);   // rows 0 and 3 become 0 and 1
  EXPECT_EQ(result.bars[1].dockPos, 70);  // 120 + 80 > 150: shifted back to end at the edge
  EXPECT_EQ(result.bars[0].dockPos, 0);   // the one before it never moves before 0
  EXPECT_EQ(result.thickness, 52);

  const std::vector<RowExtent> rows = result.rowExtents;
  EXPECT_EQ(dropRowAt(rows, false, 3), (RowDrop{0, true}));    // the upper 5 pixels open a new row
  EXPECT_EQ(dropRowAt(rows, false, 13), (RowDrop{0, false}));  // the middle joins it
  EXPECT_EQ(dropRowAt(rows, false, 60), (RowDrop{2, false}));  // below the last row: a new last row
  EXPECT_EQ(rowAtPosition(rows, false, 25), 0);
  EXPECT_EQ(rowAtPosition(rows, false, 26), 1);
  EXPECT_EQ(rowAtPosition(rows, false, 99), 2);
  EXPECT_EQ(emptyDockThickness(false), 0);
  EXPECT_EQ(emptyDockThickness(true), 1);
  EXPECT_EQ(thicknessBounds(DockAlign::Bottom, {0, 400, 640, 430}, 640, 60), (Rect{0, 370, 640, 430}));
  EXPECT_EQ(thicknessBounds(DockAlign::Right, {600, 0, 630, 480}, 50, 480), (Rect{580, 0, 630, 480}));
}

TEST_F(ToolbarTest, DocksPlaceTheirToolbarsAndKeepRowsWhileHidden) {
  top->setBoundLines(blTop | blBottom);
  TToolbar* first = toolbar({23, 23, 0, 23}, top);
  TToolbar* second = toolbar({23}, top, 0, -1);
  form->show();
  EXPECT_EQ(top->height(), 26 + 2);
  EXPECT_EQ(second->x(), 0);  // DockPos -1 sorts before the one at 0
  EXPECT_EQ(first->x(), second->width());
  EXPECT_EQ(first->y(), 1);

  int inserted = 0, removed = 0;
  top->OnInsertRemoveBar = [&](TDock*, bool inserting, TToolbar*) { ++(inserting ? inserted : removed); };
  first->setVisible(false);
  EXPECT_EQ(top->BarList().size(), 1u);
  EXPECT_EQ(removed, 1);
  first->setVisible(true);
  EXPECT_EQ(inserted, 1);
  EXPECT_EQ(first->DockRow(), 0);
  EXPECT_EQ(first->x(), second->width());  // back in its place behind the other

  EXPECT_THROW(top->setVisible(false), EInvalidOperation);
  EXPECT_THROW(top->setPosition(TDockPosition::dpLeft), EInvalidOperation);
  EXPECT_THROW({ TDock inner(first); }, EInvalidOperation);
  QWidget* notAForm = new QWidget(form.get());
  try {
    TToolbar orphan(notAForm);
    FAIL();
  } catch (const EInvalidOperation& error) {
    EXPECT_STREQ(error.what(), "TToolbar must be owned by a form");
  }
}

TEST_F(ToolbarTest, MovingIntoALeftDockTurnsTheLayout) {
  TToolbar* bar = toolbar({23, 0, 19}, top);
  form->show();
  bar->SetDockedTo(left);
  const auto separators = bar->findChildren<TToolbarSep*>();
  ASSERT_EQ(separators.size(), 1);
  EXPECT_EQ(separators[0]->height(), 4);
  EXPECT_EQ(separators[0]->width(), 23);
  EXPECT_EQ(left->width(), 27);
  EXPECT_EQ(bar->findChildren<TToolbarButton*>()[0]->y(), 11);
}

TEST_F(ToolbarTest, DockingToTheSameDockKeepsTheToolbarShown) {
  TToolbar* bar = toolbar({23}, top);
  form->show();
  int hides = 0;
  struct HideCounter : QObject {
    int& count;
    explicit HideCounter(int& c) : count(c) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Hide) ++count;
      return false;
    }
  } counter(hides);
  bar->installEventFilter(&counter);
  bar->SetDockedTo(top);
  EXPECT_EQ(hides, 0);
}

TEST_F(ToolbarTest, FloatingAndDroppingAgainKeepsTheWindowShown) {
  TToolbar* bar = toolbar({23, 23}, top);
  form->show();
  bar->SetDockedTo(nullptr);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(bar->isWindow());
  EXPECT_EQ(bar->windowTitle(), bar->Caption());
  ToolbarDrag::MoveState state;
  state.outline = {200, 150, 200 + bar->width(), 150 + bar->height()};
  ToolbarInternals::setFloatingRect(*bar, state.outline);
  ToolbarDrag::drop(*bar, state);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->pos(), QPoint(200, 150));
}

}  // namespace
}  // namespace sorabel::test
