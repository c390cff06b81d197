// Undo and redo through the window: keys and menu items, every kind of
// change, the hints, and what starts a fresh history.

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

#include "forms/FormsFixture.h"
#include "forms/UAdd.h"
#include "ledger/BookFile.h"
#include "widgets/GridCellDelegate.h"

namespace sorabel::test {
namespace {

class UndoRedoTest : public OpenBookTest {
 protected:
  void SetUp() override {
    OpenBookTest::SetUp();
    openBook("\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"
             "\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\r\n"
             "\"2001/01/03\",\"c\",\"3\",\"0\",\"6\"\r\n");
  }

  // F3, the dialog filled and OK pressed.
  void addWithDialog(const QDate& date, const QString& description, const QString& income) {
    whenModal([=, this] {
      TAddFm& dialog = *forms->AddFm;
      child<QDateEdit>(&dialog, "DateTimePicker1")->setDate(date);
      child<QComboBox>(&dialog, "ComboBox1")->setEditText(description);
      child<QLineEdit>(&dialog, "Edit3")->setText(income);
      child<QAbstractButton>(&dialog, "OKBtn")->click();
    });
    press(Qt::Key_F3, Qt::NoModifier);
  }
  // F2 on the cell, the text typed over, Enter.
  void editInPlace(int column, int row, const QString& text) {
    grid().setCurrentCell(column, row);
    press(Qt::Key_F2, Qt::NoModifier);
    auto* editor = qobject_cast<QLineEdit*>(grid().cellDelegate()->openEditor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    typeCharacters(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  // The rows selected, F4, Yes.
  void deleteRows(int first, int last) {
    grid().setGridSelection({1, first, first, 0, last, 4});
    dialogs.answers.push_back(Answer::Yes);
    press(Qt::Key_F4, Qt::NoModifier);
  }
};

TEST_F(UndoRedoTest, TenChangesOfEveryKindUndoneAndRedoneGiveBackEachStateByteForByte) {
  std::vector<std::string> states{book()};
  auto done = [&] { states.push_back(book()); };
  addWithDialog({2001, 1, 2}, "added", "100"), done();
  editInPlace(kIncomeColumn, 1, "50"), done();
  editInPlace(kDateColumn, 1, "20010305"), done();  // the entry moves to its date
  deleteRows(2, 3), done();
  action("SortDec")->trigger(), done();
  editInPlace(kDescriptionColumn, 2, "説明"), done();
  addWithDialog({2000, 12, 31}, "first", "7"), done();
  action("SortInc")->trigger(), done();
  deleteRows(1, 1), done();
  editInPlace(kExpenseColumn, 1, "9"), done();
  ASSERT_EQ(states.size(), 11u);
  for (std::size_t n = 1; n < states.size(); ++n) ASSERT_NE(states[n], states[n - 1]) << "change " << n;

  for (std::size_t n = states.size() - 1; n-- > 0;) {
    press(Qt::Key_Z);
    ASSERT_EQ(book(), states[n]) << "after undoing to state " << n;
  }
  EXPECT_FALSE(action("Undo1")->isEnabled());
  EXPECT_FALSE(main().BookChanged());  // back to the book as opened
  for (std::size_t n = 1; n < states.size(); ++n) {
    if (n % 2 == 0) press(Qt::Key_Y);
    else press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(book(), states[n]) << "after redoing to state " << n;
  }
  EXPECT_FALSE(action("Redo1")->isEnabled());
}

TEST_F(UndoRedoTest, UndoPutsTheSelectionBackAndTheHintsSayWhatWouldBeUndone) {
  EXPECT_EQ(action("Undo1")->statusTip(), "元に戻す操作はありません");
  deleteRows(2, 3);
  EXPECT_EQ(action("Undo1")->statusTip(), "データ削除を元に戻します");
  EXPECT_EQ(rows().size(), 1u);
  grid().setCurrentCell(0, 1);
  action("Undo1")->trigger();  // as the menu item does
  EXPECT_EQ(rows().size(), 3u);
  EXPECT_EQ(grid().selectedGridRows(), (std::pair<int, int>{2, 3}));
  EXPECT_EQ(action("Redo1")->statusTip(), "データ削除をやり直します");
  EXPECT_EQ(panel(1), " データ件数 3件");
}

TEST_F(UndoRedoTest, SaveKeepsTheHistoryAndOpenAndNewStartAFreshOne) {
  editInPlace(kDescriptionColumn, 1, "x");
  press(Qt::Key_S);
  EXPECT_FALSE(main().BookChanged());
  EXPECT_TRUE(action("Undo1")->isEnabled());
  press(Qt::Key_Z);
  EXPECT_TRUE(main().BookChanged());  // the saved book had "x"
  press(Qt::Key_Y);
  EXPECT_FALSE(main().BookChanged());

  dialogs.openNames.push_back(bookPath("book.csv"));
  press(Qt::Key_O);
  EXPECT_FALSE(action("Undo1")->isEnabled());
  EXPECT_FALSE(action("Redo1")->isEnabled());
  editInPlace(kDescriptionColumn, 1, "y");
  dialogs.answers.push_back(Answer::No);
  press(Qt::Key_N);
  EXPECT_FALSE(action("Undo1")->isEnabled());
}

}  // namespace
}  // namespace sorabel::test
