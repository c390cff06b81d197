// Adding through the entry dialog, deleting, sorting and editing in place.

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "forms/FormsFixture.h"
#include "forms/UAdd.h"
#include "widgets/ColumnFit.h"
#include "widgets/GridCellDelegate.h"
#include "widgets/StringGridView.h"

namespace sorabel::test {
namespace {

using Rows = std::vector<Utf8Row>;
using Cells = std::vector<std::string>;

class EntryEditingTest : public FormsTest {
 protected:
  // Adds an entry through F3's handler, filling the dialog as a user would.
  void add(const QDate& date, const QString& description, const QString& income, const QString& expense) {
    whenModal([=, this] {
      TAddFm& dialog = *forms->AddFm;
      child<QDateEdit>(&dialog, "DateTimePicker1")->setDate(date);
      child<QComboBox>(&dialog, "ComboBox1")->setEditText(description);
      child<QLineEdit>(&dialog, "Edit3")->setText(income);
      child<QLineEdit>(&dialog, "Edit4")->setText(expense);
      child<QAbstractButton>(&dialog, "OKBtn")->click();
    });
    main().A1Click();
  }
  void load(std::string_view utf8) {
    dialogs.openNames.push_back(writeBook("book.csv", utf8));
    main().Open1Click();
  }
};

TEST_F(EntryEditingTest, AddingToAnEmptyBookFillsThePlaceholderRow) {
  start().show();
  add(QDate(2001, 1, 5), "文具", "", "300");
  EXPECT_EQ(rows(), (Rows{{"2001/01/05", "文具", "0", "300", "-300"}}));
  EXPECT_EQ(panel(1), " データ件数 1件");
  EXPECT_FALSE(forms->AddFm->isVisible());
}

TEST_F(EntryEditingTest, EntriesGoToTheirDatePlaceInEitherOrder) {
  start().show();
  add(QDate(2001, 1, 3), "c", "1,000", "");
  add(QDate(2001, 1, 1), "a", "12.5", "");
  add(QDate(2001, 1, 3), "c2", "", "");
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "125", "0", "125"}, {"2001/01/03", "c", "1,000", "0", "1,125"},
                          {"2001/01/03", "c2", "0", "0", "1,125"}}));
  EXPECT_EQ(child<StringGridView>(&main(), "StringGrid1")->currentGridRow(), 3);

  main().SortDecClick();
  add(QDate(2001, 1, 3), "c3", "1", "");
  EXPECT_EQ(columnOf(main().grid(), 1), (Cells{"c3", "c2", "c", "a"}));
  EXPECT_EQ(child<StringGridView>(&main(), "StringGrid1")->currentGridRow(), 1);
}

TEST_F(EntryEditingTest, DialogFrameOpensAtTheMainWindowsLeftAnd70BelowItsTop) {
  start().move(40, 30);
  main().show();
  QRect dialogFrame;
  whenModal([&] {
    dialogFrame = forms->AddFm->frameGeometry();
    child<QAbstractButton>(forms->AddFm, "CancelBtn")->click();
  });
  main().A1Click();
  EXPECT_NE(dialogFrame, forms->AddFm->geometry());  // the window has a frame
  EXPECT_EQ(dialogFrame.topLeft(), main().frameGeometry().topLeft() + QPoint(0, 70));
  EXPECT_EQ(dialogFrame.width() - forms->AddFm->width(), main().frameGeometry().width() - main().width());
}

TEST_F(EntryEditingTest, DialogLoadsTheRegisteredDescriptionsEveryTime) {
  writeProfile("[Tekiyo]\r\nTekiyo0=給料\r\nTekiyo2=電気代\r\n");
  start().show();
  whenModal([this] {
    TAddFm& dialog = *forms->AddFm;
    EXPECT_EQ(child<QComboBox>(&dialog, "ComboBox1")->count(), 20);
    EXPECT_EQ(child<QComboBox>(&dialog, "ComboBox1")->itemText(0), "給料");
    EXPECT_EQ(child<QComboBox>(&dialog, "ComboBox1")->itemText(1), "");
    EXPECT_EQ(child<QComboBox>(&dialog, "ComboBox1")->itemText(2), "電気代");
    EXPECT_EQ(child<QDateEdit>(&dialog, "DateTimePicker1")->date(), QDate::currentDate());
    EXPECT_EQ(child<QLineEdit>(&dialog, "Edit3")->text(), "");
    child<QAbstractButton>(&dialog, "CancelBtn")->click();
  });
  main().A1Click();
  EXPECT_EQ(rows(), (Rows{{"", "", "", "", ""}}));
}

TEST_F(EntryEditingTest, EnterMovesThroughTheFieldsAndPressesTheButton) {
  start().show();
  whenModal([this] {
    TAddFm& dialog = *forms->AddFm;
    child<QDateEdit>(&dialog, "DateTimePicker1")->setDate(QDate(2002, 2, 2));
    QApplication::setActiveWindow(&dialog);
    child<QComboBox>(&dialog, "ComboBox1")->setFocus();
    QTest::keyClicks(child<QComboBox>(&dialog, "ComboBox1")->lineEdit(), "x");
    QTest::keyClick(child<QComboBox>(&dialog, "ComboBox1")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(&dialog, "Edit3"));
    QTest::keyClicks(child<QLineEdit>(&dialog, "Edit3"), "7");
    QTest::keyClick(child<QLineEdit>(&dialog, "Edit3"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(&dialog, "Edit4"));
    QTest::keyClick(child<QLineEdit>(&dialog, "Edit4"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QAbstractButton>(&dialog, "OKBtn"));
    QTest::keyClick(child<QAbstractButton>(&dialog, "OKBtn"), Qt::Key_Return);
  });
  main().A1Click();
  EXPECT_EQ(rows(), (Rows{{"2002/02/02", "x", "7", "0", "7"}}));
}

TEST_F(EntryEditingTest, DialogTakesFullWidthFiguresAndTurnsPastedLineBreaksIntoSpaces) {
  start().show();
  whenModal([this] {
    TAddFm& dialog = *forms->AddFm;
    QApplication::setActiveWindow(&dialog);
    child<QDateEdit>(&dialog, "DateTimePicker1")->setDate(QDate(2001, 1, 1));
    QLineEdit* description = child<QComboBox>(&dialog, "ComboBox1")->lineEdit();
    paste(description, QStringLiteral("家計\r\n簿\x1a代\n"));
    EXPECT_EQ(description->text(), "家計 簿代 ");
    auto* income = child<QLineEdit>(&dialog, "Edit3");
    typeCharacters(income, "１，２００");
    EXPECT_EQ(income->text(), "1,200");
    auto* expense = child<QLineEdit>(&dialog, "Edit4");
    commitFromInputMethod(expense, "￥３５");
    typeCharacters(expense, "¥");
    EXPECT_EQ(expense->text(), "\\35\\");
    child<QAbstractButton>(&dialog, "OKBtn")->setFocus();
    QTest::keyClick(child<QAbstractButton>(&dialog, "OKBtn"), Qt::Key_Return);
  });
  main().A1Click();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "家計 簿代 ", "1,200", "35", "1,165"}}));
}

TEST_F(EntryEditingTest, AmountBeyondThirtyTwoBitsAddsNothingAndKeepsTheDialogOpen) {
  start().show();
  whenModal([this] {
    TAddFm& dialog = *forms->AddFm;
    child<QDateEdit>(&dialog, "DateTimePicker1")->setDate(QDate(2001, 1, 1));
    child<QLineEdit>(&dialog, "Edit4")->setText("3000000000");
    child<QAbstractButton>(&dialog, "OKBtn")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(child<QLineEdit>(&dialog, "Edit4")->text(), "3000000000");  // the typed values stay
    EXPECT_EQ(rows(), (Rows{{"", "", "", "", ""}}));
    child<QLineEdit>(&dialog, "Edit4")->setText("300");  // corrected: OK adds one entry
    child<QAbstractButton>(&dialog, "OKBtn")->click();
  });
  main().A1Click();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"'3000000000' は整数ではありません"});
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "", "0", "300", "-300"}}));
}

TEST_F(EntryEditingTest, DeleteAsksWithTheCutDescriptionAndRemovesTheSelection) {
  start().show();
  load("\"2001/01/01\",\"あいうえおかきくけこさ\",\"1\",\"0\",\"1\"\r\n\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\r\n"
       "\"2001/01/03\",\"c\",\"3\",\"0\",\"6\"\r\n");
  child<StringGridView>(&main(), "StringGrid1")->setCurrentCell(1, 1);
  child<StringGridView>(&main(), "StringGrid1")->selectionModel()->select(
      QItemSelection(child<StringGridView>(&main(), "StringGrid1")->model()->index(0, 1), child<StringGridView>(&main(), "StringGrid1")->model()->index(1, 1)),
      QItemSelectionModel::ClearAndSelect);

  dialogs.answers.push_back(Answer::No);
  main().D1Click();
  EXPECT_EQ(rows().size(), 3u);

  dialogs.answers.push_back(Answer::Yes);
  main().D1Click();
  EXPECT_EQ(dialogs.texts(), (std::vector<QString>{"あいうえおかきくけこ  削除しますか？", "あいうえおかきくけこ  削除しますか？"}));
  EXPECT_EQ(rows(), (Rows{{"2001/01/03", "c", "3", "0", "3"}}));
  EXPECT_EQ(panel(1), " データ件数 1件");
  EXPECT_TRUE(main().SelectedDescription().empty());
}

TEST_F(EntryEditingTest, DeletingWithNothingSelectedSinceShowsTheBarePrompt) {
  start().show();
  load("\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  child<StringGridView>(&main(), "StringGrid1")->setCurrentCell(0, 1);
  dialogs.answers.push_back(Answer::Yes);
  main().D1Click();
  dialogs.answers.push_back(Answer::Yes);
  main().D1Click();
  EXPECT_EQ(dialogs.texts().back(), "  削除しますか？");
  EXPECT_EQ(rows(), (Rows{{"", "", "0", "0", "0"}}));
  EXPECT_EQ(panel(1), " データ件数 1件");
}

TEST_F(EntryEditingTest, SortCommandsSwitchTheOrderAndTheStatus) {
  start().show();
  load("\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\r\n");
  child<StringGridView>(&main(), "StringGrid1")->setCurrentCell(2, 1);
  main().SortDecClick();
  EXPECT_TRUE(child<QAction>(&main(), "SortDec")->isChecked());
  EXPECT_FALSE(child<QAction>(&main(), "SortInc")->isChecked());
  EXPECT_EQ(columnOf(main().grid(), 1), (Cells{"b", "a"}));
  EXPECT_EQ(panel(2), " 昇順");
  EXPECT_EQ(child<StringGridView>(&main(), "StringGrid1")->currentGridRow(), 1);
  EXPECT_EQ(child<StringGridView>(&main(), "StringGrid1")->currentColumn(), 2);
  main().SortIncClick();
  EXPECT_EQ(columnOf(main().grid(), 1), (Cells{"a", "b"}));
  EXPECT_EQ(panel(2), " 降順");
  EXPECT_EQ(child<StringGridView>(&main(), "StringGrid1")->currentGridRow(), 2);
}

class InPlaceEditTest : public EntryEditingTest {
 protected:
  void SetUp() override {
    EntryEditingTest::SetUp();
    start().show();
    main().activateWindow();
    load("\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\r\n");
  }
  StringGridView& grid() const { return *child<StringGridView>(&main(), "StringGrid1"); }
  // Opens the cell's editor as a user does: the cell is made current, then F2.
  QLineEdit* openWithF2(int column, int row) {
    grid().setCurrentCell(column, row);
    QTest::keyClick(&grid(), Qt::Key_F2);
    return qobject_cast<QLineEdit*>(grid().cellDelegate()->openEditor());
  }
  QLineEdit* editCell(int column, int row) {
    grid().setCurrentCell(column, row);
    grid().edit(grid().currentIndex());
    return grid().findChild<QLineEdit*>();
  }
};

TEST_F(InPlaceEditTest, EnterAfterEditingMovesTheEntryToItsDate) {
  QLineEdit* editor = editCell(0, 1);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->inputMask(), "9999/99/99;_");
  editor->setText("20010303");
  EXPECT_EQ(editor->text(), "2001/03/03");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(rows(), (Rows{{"2001/01/02", "b", "2", "0", "2"}, {"2001/03/03", "a", "1", "0", "3"}}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(InPlaceEditTest, TypedCellsWaitForEnterBeforeTheyAreBalanced) {
  QLineEdit* editor = editCell(2, 1);
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->inputMask().isEmpty());
  editor->setText("1500");
  grid().setCurrentCell(1, 2);  // moving away commits the text, nothing more
  EXPECT_EQ(rows()[0], (Utf8Row{"2001/01/01", "a", "1500", "0", "1"}));
  QTest::keyClick(&grid(), Qt::Key_Return);
  EXPECT_EQ(rows()[0], (Utf8Row{"2001/01/01", "a", "1,500", "0", "1,500"}));
  EXPECT_EQ(rows()[1][4], "1,502");
}

TEST_F(InPlaceEditTest, BalanceColumnIsNeverEditedInPlace) {
  grid().setCurrentCell(4, 1);
  EXPECT_FALSE(grid().editingEnabled());
  const QRect cell = grid().visualRect(grid().currentIndex());
  QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(grid().findChild<QLineEdit*>(), nullptr);
  grid().setCurrentCell(3, 1);
  EXPECT_TRUE(grid().editingEnabled());
}

TEST_F(InPlaceEditTest, SelectingACellRemembersItsDescription) {
  grid().setCurrentCell(3, 2);
  EXPECT_EQ(main().SelectedDescription(), "b");
}

TEST_F(InPlaceEditTest, CellsTakeFullWidthFiguresAsTheyAreTyped) {
  QLineEdit* editor = openWithF2(2, 1);
  ASSERT_NE(editor, nullptr);
  typeCharacters(editor, "１，５００");
  EXPECT_EQ(editor->text(), "1,500");
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_EQ(rows()[0][2], "1,500");

  editor = openWithF2(0, 1);
  ASSERT_NE(editor, nullptr);
  typeCharacters(editor, "２００１０３０３");
  EXPECT_EQ(editor->text(), "2001/03/03");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(rows(), (Rows{{"2001/01/02", "b", "2", "0", "2"}, {"2001/03/03", "a", "1,500", "0", "1,502"}}));
}

TEST_F(InPlaceEditTest, PastedLineBreaksAndCharacter26NeverChangeWhatTheNextOpenReads) {
  QLineEdit* editor = openWithF2(1, 1);
  ASSERT_NE(editor, nullptr);
  paste(editor, QStringLiteral("買物\r\nメモ\x1a\n続き"));
  EXPECT_EQ(editor->text(), "買物 メモ 続き");
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_EQ(rows()[0][1], "買物 メモ 続き");

  const Rows before = rows();
  dialogs.saveNames.push_back(bookPath("pasted.csv"));
  main().SaveAs1Click();
  dialogs.openNames.push_back(bookPath("pasted.csv"));
  main().Open1Click();
  EXPECT_EQ(rows(), before);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(InPlaceEditTest, AmountsTypedIntoCellsAreShownWholeWhetherLeftWithTabOrAClick) {
  auto shownWhole = [this](int column) {
    const QString text = toQString(main().grid().cell(column, 1));
    return grid().columnWidth(column) >= columnWidthForText(grid().fontMetrics().horizontalAdvance(text));
  };
  QLineEdit* editor = openWithF2(2, 1);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "1,859,337,592");
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_EQ(rows()[0][2], "1,859,337,592");
  EXPECT_TRUE(shownWhole(2));

  editor = openWithF2(3, 1);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "-2,000,000,000");
  QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().visualRect(grid().model()->index(1, 1)).center());
  EXPECT_EQ(rows()[0][3], "-2,000,000,000");
  EXPECT_TRUE(shownWhole(3));
  // The description column still takes what the others leave.
  EXPECT_EQ(grid().columnWidth(1), grid().width() - grid().columnWidth(0) - grid().columnWidth(2) -
                                       grid().columnWidth(3) - grid().columnWidth(4) - 25);
}

// How a huge cell is shown and edited is the grid widgets' (tests/widgets);
// here the window's column widths around it.
TEST_F(InPlaceEditTest, HugeCellsLeaveTheColumnWidthsInBounds) {
  const std::string huge(100'000, '7');
  dialogs.openNames.push_back(writeBook("huge.csv", "\"2001/01/01\",\"" + huge + "\",\"1\",\"0\",\"1\"\r\n"));
  main().Open1Click();
  ASSERT_EQ(rows()[0][1].size(), huge.size());
  EXPECT_EQ(grid().columnWidth(1), grid().width() - 4 * 80 - 25);

  // Digits beyond 32 bits stop the order-and-balance pass and stay in their
  // cell; the column grows no wider than the widest amount.
  dialogs.openNames.push_back(writeBook("digits.csv", "\"2001/01/01\",\"a\",\"0\",\"" + huge + "\",\"0\"\r\n"));
  main().Open1Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.endsWith("' は整数ではありません"));
  EXPECT_TRUE(rows()[0][3] == huge);
  const int widestAmount = columnWidthForText(grid().fontMetrics().horizontalAdvance(widestAmountSample(grid().fontMetrics())));
  EXPECT_GT(grid().columnWidth(kExpenseColumn), 80);
  EXPECT_LE(grid().columnWidth(kExpenseColumn), widestAmount);
}

}  // namespace
}  // namespace sorabel::test
