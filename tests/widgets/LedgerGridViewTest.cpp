// The ledger grid's widgets alone: the model over the grid store, the cell
// delegate's refusals and the view's Enter and Tab handling, set up as the
// main window sets them up.
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "support/LedgerFixtures.h"
#include "support/ScriptedDialogs.h"
#include "widgets/GridCellDelegate.h"
#include "widgets/LedgerTableModel.h"
#include "widgets/ShownText.h"
#include "widgets/StringGridView.h"

namespace sorabel::test {
namespace {

class LedgerGridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid_ = gridOf({{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/02", "b", "2", "0", "3"}});
    model_ = std::make_unique<LedgerTableModel>(grid_);
    view_ = std::make_unique<StringGridView>(&ledgerColumnAlign);
    view_->setModel(model_.get());
    view_->cellDelegate()->setColumnMask(
        [](int column) { return column == kDateColumn ? QStringLiteral("9999/99/99;_") : QString(); });
    view_->cellDelegate()->setColumnText(
        [](int column) { return column == kDescriptionColumn ? FieldText::Words : FieldText::Figures; });
    view_->resize(600, 300);
    view_->show();
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
  }

  StringGridView& grid() const { return *view_; }
  std::vector<Utf8Row> rows() const { return rowsOf(grid_); }
  QLineEdit* editCell(int column, int row) {
    grid().setCurrentCell(column, row);
    grid().edit(grid().currentIndex());
    return grid().findChild<QLineEdit*>();
  }
  // Opens the cell's editor as a user does: the cell is made current, then F2.
  QLineEdit* openWithF2(int column, int row) {
    grid().setCurrentCell(column, row);
    QTest::keyClick(&grid(), Qt::Key_F2);
    return qobject_cast<QLineEdit*>(grid().cellDelegate()->openEditor());
  }

  ScriptedDialogs dialogs;
  LedgerGrid grid_;
  std::unique_ptr<LedgerTableModel> model_;
  std::unique_ptr<StringGridView> view_;
};

// ---------------------------------------------------------------- the model

TEST_F(LedgerGridViewTest, ModelShowsTheStoreWithItsHeaderRowAsHeaders) {
  EXPECT_EQ(model_->rowCount(), 2);
  EXPECT_EQ(model_->columnCount(), kLedgerColumnCount);
  EXPECT_EQ(model_->headerData(kDescriptionColumn, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("　　　　　　　　　　　　　摘要"));
  EXPECT_EQ(model_->index(1, kDescriptionColumn).data().toString(), QStringLiteral("b"));
  // Text Shift-JIS cannot hold never reaches the store.
  EXPECT_FALSE(model_->setData(model_->index(0, kDescriptionColumn), QStringLiteral("家計😀"), Qt::EditRole));
  EXPECT_EQ(rows()[0][1], "a");
}

TEST_F(LedgerGridViewTest, HugeCellIsShownCutAndAnEditorLeftAloneKeepsItsText) {
  const std::string huge(100'000, '7');
  model_->change([&](LedgerGrid& grid) { grid.setCell(kDescriptionColumn, 1, huge); });
  const QString shown = model_->index(0, kDescriptionColumn).data().toString();
  EXPECT_LE(shown.size(), kShownCellLength + 1);
  EXPECT_TRUE(shown.endsWith(QStringLiteral("…")));

  QLineEdit* editor = openWithF2(kDescriptionColumn, 1);
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_TRUE(rows()[0][1] == huge) << "the cell now holds " << rows()[0][1].size() << " characters";
  EXPECT_TRUE(dialogs.shown.empty());
}

// ---------------------------------------------------------------- the delegate's refusals

TEST_F(LedgerGridViewTest, IncompleteDateIsRefusedUntilEscape) {
  QLineEdit* editor = editCell(kDateColumn, 1);
  ASSERT_NE(editor, nullptr);
  editor->setText("2001/0");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"入力値が不正です。ｴｽｹｰﾌﾟｷｰで変更を取り消せます"});
  EXPECT_TRUE(editor->isVisible());
  QTest::keyClick(editor, Qt::Key_Escape);
  QCoreApplication::processEvents();
  EXPECT_EQ(rows()[0][0], "2001/01/01");
}

TEST_F(LedgerGridViewTest, TextShiftJisCannotHoldIsRefused) {
  QLineEdit* editor = editCell(kDescriptionColumn, 1);
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("家計😀"));
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.contains("Shift-JIS"));
  EXPECT_EQ(rows()[0][1], "a");
}

TEST_F(LedgerGridViewTest, RefusedEditorKeepsTheCellWhenTheMouseClicksElsewhere) {
  QLineEdit* editor = editCell(kDateColumn, 1);
  ASSERT_NE(editor, nullptr);
  editor->setText("2001/0");
  QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().visualRect(model_->index(1, 1)).center());
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{GridCellDelegate::invalidInputMessage()});
  EXPECT_EQ(grid().currentGridRow(), 1);
  EXPECT_EQ(grid().currentColumn(), kDateColumn);
}

// ---------------------------------------------------------------- Enter and Tab

TEST_F(LedgerGridViewTest, EnterIsReportedOnceFromTheGridAndOnceAfterAnEditorsTextIsIn) {
  QSignalSpy enter(&grid(), &StringGridView::enterPressed);
  grid().setCurrentCell(kIncomeColumn, 1);
  QTest::keyClick(&grid(), Qt::Key_Return);
  EXPECT_EQ(enter.count(), 1);

  QLineEdit* editor = editCell(kIncomeColumn, 1);
  ASSERT_NE(editor, nullptr);
  editor->setText("1500");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  ASSERT_EQ(enter.count(), 2);
  EXPECT_EQ(rows()[0][2], "1500");  // in the store before the report
}

TEST_F(LedgerGridViewTest, MovingAwayFromAnEditorCommitsItsTextAndReportsNoEnter) {
  QSignalSpy enter(&grid(), &StringGridView::enterPressed);
  QLineEdit* editor = editCell(kIncomeColumn, 1);
  ASSERT_NE(editor, nullptr);
  editor->setText("1500");
  grid().setCurrentCell(kDescriptionColumn, 2);
  EXPECT_EQ(rows()[0], (Utf8Row{"2001/01/01", "a", "1500", "0", "1"}));
  EXPECT_EQ(enter.count(), 0);
}

TEST_F(LedgerGridViewTest, ReadOnlyGridLeavesEnterToTheWindow) {
  QWidget window;
  StringGridView* shown = StringGridView::readOnly(kIncomeColumn, model_.get(), &window);
  QSignalSpy enter(shown, &StringGridView::enterPressed);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(shown, &press);
  EXPECT_EQ(enter.count(), 0);
  EXPECT_FALSE(press.isAccepted());
}

TEST_F(LedgerGridViewTest, TabMovesBetweenCells) {
  grid().setCurrentCell(0, 1);
  QTest::keyClick(&grid(), Qt::Key_Tab);
  EXPECT_EQ(grid().currentColumn(), 1);
  EXPECT_EQ(grid().currentGridRow(), 1);
}

}  // namespace
}  // namespace sorabel::test
