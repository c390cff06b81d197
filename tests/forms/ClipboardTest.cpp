// Copy, cut and paste in the main grid through the keys, and the 編集 menu's
// items for them.

#include <QMimeData>

#include "forms/FormsFixture.h"
#include "ledger/BookFile.h"
#include "widgets/GridCellDelegate.h"

namespace sorabel::test {
namespace {

using Rows = std::vector<Utf8Row>;

const char* const kBook =
    "\"2024/01/05\",\"コーヒー\",\"0\",\"480\",\"-480\"\r\n"
    "\"2024/01/06\",\"給料\",\"250,000\",\"0\",\"249,520\"\r\n"
    "\"2024/01/07\",\"本\",\"0\",\"1,200\",\"248,320\"\r\n"
    "\"2024/01/08\",\"食費\",\"0\",\"3,000\",\"245,320\"\r\n";

class ClipboardTest : public OpenBookTest {
 protected:
  void SetUp() override {
    OpenBookTest::SetUp();
    openBook(kBook);
    before = book();
    ASSERT_FALSE(main().BookChanged());
  }
  // The cursor keys to a cell, then Shift with them over more cells.
  void select(int column, int row, int columns = 1, int rows = 1) {
    press(Qt::Key_Home, Qt::ControlModifier);
    for (int n = 0; n < column; ++n) press(Qt::Key_Right, Qt::NoModifier);
    for (int n = 1; n < row; ++n) press(Qt::Key_Down, Qt::NoModifier);
    for (int n = 1; n < columns; ++n) press(Qt::Key_Right, Qt::ShiftModifier);
    for (int n = 1; n < rows; ++n) press(Qt::Key_Down, Qt::ShiftModifier);
  }
  void pasteText(const QString& text) {
    QApplication::clipboard()->setText(text);
    press(Qt::Key_V);
  }
  static QString clipboardText() { return QApplication::clipboard()->text(); }
  static QByteArray clipboardCsv() { return QApplication::clipboard()->mimeData()->data(QStringLiteral("text/csv")); }
  // The entries without their balances, in the grid's order.
  Rows entries() const {
    Rows result = rows();
    for (Utf8Row& row : result) row.pop_back();
    return result;
  }
  QString lastMessage() const { return dialogs.shown.empty() ? QString() : dialogs.shown.back().text; }

  std::string before;
};

TEST_F(ClipboardTest, CopyPutsTheSelectedCellsOnTheClipboardAsTabsAndAsTheBooksLines) {
  select(kDescriptionColumn, 2, 2, 2);
  press(Qt::Key_C);
  EXPECT_EQ(clipboardText(), "給料\t250,000\n本\t0");
  EXPECT_EQ(QString::fromUtf8(clipboardCsv()), "\"給料\",\"250,000\"\r\n\"本\",\"0\"\r\n");
  select(kDescriptionColumn, 4);
  press(Qt::Key_C);
  EXPECT_EQ(clipboardText(), "食費");
  EXPECT_EQ(book(), before);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ClipboardTest, RowsCopiedAndPastedBackAreTheSameEntriesAddedAsOneUndoableStep) {
  const Rows original = entries();
  press(Qt::Key_A);  // every cell
  press(Qt::Key_C);
  press(Qt::Key_V);
  Rows twice;
  for (const Utf8Row& row : original) twice.insert(twice.end(), {row, row});
  EXPECT_EQ(entries(), twice);  // each beside its copy, in date order
  // The newest row's cell alone is selected, though Ctrl was held.
  const StringGridView::Selection s = grid().gridSelection();
  EXPECT_EQ(s.row, 8);
  EXPECT_EQ((std::array{s.top, s.bottom, s.left, s.right}), (std::array{8, 8, s.column, s.column}));
  EXPECT_EQ(rows().back()[kBalanceColumn], "490,640");
  EXPECT_EQ(panel(1), " データ件数 8件");
  EXPECT_TRUE(main().BookChanged());
  EXPECT_EQ(action("Undo1")->statusTip(), "貼り付けを元に戻します");

  press(Qt::Key_Z);
  EXPECT_EQ(book(), before);
  EXPECT_FALSE(action("Undo1")->isEnabled());
  EXPECT_FALSE(main().BookChanged());
  press(Qt::Key_Y);
  EXPECT_EQ(entries(), twice);
}

TEST_F(ClipboardTest, ASpreadsheetsRowsWithTheirHeaderYenSignsAndFullWidthFiguresBecomeEntries) {
  pasteText(QStringLiteral("日付\t摘要\t収入\t支出\r\n2024/01/09\t文具\t\t￥１，２００\r\n2024/1/10\t賞与\t¥50,000\t\r\n"));
  const Rows added = rows();
  ASSERT_EQ(added.size(), 6u);
  EXPECT_EQ(added[4], (Utf8Row{"2024/01/09", "文具", "0", "1,200", "244,120"}));
  EXPECT_EQ(added[5], (Utf8Row{"2024/01/10", "賞与", "50,000", "0", "294,120"}));
  EXPECT_TRUE(dialogs.shown.empty());

  // Only comma-separated lines on offer: they are read.
  auto* data = new QMimeData;
  data->setData(QStringLiteral("text/csv"), QByteArray("\"2024/01/11\",\"x\",\"1\",\"0\"\r\n"));
  QApplication::clipboard()->setMimeData(data);
  press(Qt::Key_V);
  EXPECT_EQ(rows().back(), (Utf8Row{"2024/01/11", "x", "1", "0", "294,121"}));
}

TEST_F(ClipboardTest, ABadRowIsRefusedNamingItAndNothingIsPasted) {
  pasteText(QStringLiteral("2024/01/09\ta\t1\n2024/02/30\tb\t2\n"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "2 行目の日付が正しくありません。");
  EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Error);
  pasteText(QStringLiteral("2024/01/09\ta\t1\n\n2024/01/10\tb\t\t12.5\n"));
  EXPECT_EQ(lastMessage(), "3 行目の支出が正しくありません。");
  EXPECT_EQ(book(), before);
  EXPECT_FALSE(main().BookChanged());
  EXPECT_FALSE(action("Undo1")->isEnabled());
}

TEST_F(ClipboardTest, CutTakesTheSelectedEntriesWholeWithoutAskingAndUndoBringsThemBack) {
  select(kDescriptionColumn, 2, 1, 2);
  press(Qt::Key_X);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(clipboardText(), "2024/01/06\t給料\t250,000\t0\t249,520\n2024/01/07\t本\t0\t1,200\t248,320");
  EXPECT_EQ(entries(), (Rows{{"2024/01/05", "コーヒー", "0", "480"}, {"2024/01/08", "食費", "0", "3,000"}}));
  EXPECT_EQ(action("Undo1")->statusTip(), "切り取りを元に戻します");
  EXPECT_TRUE(main().BookChanged());

  press(Qt::Key_Z);
  EXPECT_EQ(book(), before);
  EXPECT_EQ(grid().selectedGridRows(), (std::pair<int, int>{2, 3}));
  press(Qt::Key_Y);
  EXPECT_EQ(rows().size(), 2u);
  press(Qt::Key_V);  // the cut entries go back where their dates put them
  EXPECT_EQ(book(), before);
}

TEST_F(ClipboardTest, InAnOpenCellEditorTheKeysWorkOnItsText) {
  select(kDescriptionColumn, 2);
  press(Qt::Key_F2, Qt::NoModifier);
  auto* editor = qobject_cast<QLineEdit*>(grid().cellDelegate()->openEditor());
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_End);
  QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboardText(), "料");
  QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(editor->text(), "給");
  QTest::keyClick(editor, Qt::Key_Home);
  QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor->text(), "料給");
  EXPECT_EQ(book(), before);  // nothing of it in the book yet
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(rows()[1][kDescriptionColumn], "料給");
  EXPECT_EQ(rows().size(), 4u);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ClipboardTest, ASingleValueGoesIntoTheCurrentCellAsTypingItAndEnterWould) {
  select(kDescriptionColumn, 2);
  pasteText(QStringLiteral("文具\n"));
  EXPECT_EQ(rows()[1][kDescriptionColumn], "文具");
  EXPECT_EQ(action("Undo1")->statusTip(), "セルの編集を元に戻します");
  select(kExpenseColumn, 1);
  pasteText(QStringLiteral("１，０００"));
  EXPECT_EQ(rows()[0], (Utf8Row{"2024/01/05", "コーヒー", "0", "1,000", "-1,000"}));
  EXPECT_EQ(rows()[3][kBalanceColumn], "244,800");  // balanced again
  const std::string edited = book();
  select(kBalanceColumn, 1);  // takes no typing, and no value either
  pasteText(QStringLiteral("5"));
  EXPECT_EQ(book(), edited);
  EXPECT_TRUE(dialogs.shown.empty());

  // The editor's own refusal, and it stays open with the text.
  select(kDescriptionColumn, 3);
  pasteText(QStringLiteral("寿司🍣"));
  EXPECT_EQ(lastMessage(), "「🍣」はShift-JISで扱えない文字です。");
  auto* editor = qobject_cast<QLineEdit*>(grid().cellDelegate()->openEditor());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "寿司🍣");
  EXPECT_EQ(book(), edited);
}

TEST_F(ClipboardTest, WithNothingToPasteItSaysSoAndCutAndCopyWaitForEntries) {
  QApplication::clipboard()->clear();
  press(Qt::Key_V);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "貼り付けるデータがありません。");
  EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Information);
  pasteText(QStringLiteral("日付\t摘要\r\n"));
  EXPECT_EQ(lastMessage(), "貼り付けるデータがありません。");
  EXPECT_EQ(book(), before);

  EXPECT_TRUE(action("Copy1")->isEnabled());
  press(Qt::Key_N);  // an unchanged book: nothing asked
  EXPECT_FALSE(action("Copy1")->isEnabled());
  EXPECT_FALSE(action("Cut1")->isEnabled());
  EXPECT_TRUE(action("Paste1")->isEnabled());
  pasteText(QStringLiteral("2024/01/09\ta\t1"));
  EXPECT_EQ(rows(), (Rows{{"2024/01/09", "a", "1", "0", "1"}}));
  EXPECT_TRUE(action("Copy1")->isEnabled());
  EXPECT_TRUE(action("Cut1")->isEnabled());
}

TEST_F(ClipboardTest, TheEditMenuListsCutCopyAndPasteWithTheirKeysAfterRedo) {
  QStringList names;
  for (QAction* item : child<QMenu>(&main(), "E5")->actions()) names << item->objectName();
  EXPECT_EQ(names, (QStringList{"Undo1", "Redo1", "Cut1", "Copy1", "Paste1", "N5", "A1", "D1", "N4", "SortInc",
                                "SortDec"}));
  EXPECT_EQ(action("Cut1")->text(), "切り取り(&T)");
  EXPECT_EQ(action("Cut1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
  EXPECT_EQ(action("Copy1")->text(), "コピー(&C)");
  EXPECT_EQ(action("Copy1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
  EXPECT_EQ(action("Paste1")->text(), "貼り付け(&P)");
  EXPECT_EQ(action("Paste1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));

  QMenu* edit = child<QMenu>(&main(), "E5");
  edit->popup(main().mapToGlobal(QPoint(0, 0)));
  for (const auto& [name, hint] : {std::pair{"Cut1", "選択したデータを切り取ります"},
                                   std::pair{"Copy1", "選択したセルをコピーします"},
                                   std::pair{"Paste1", "コピーしたデータを貼り付けます"}}) {
    edit->setActiveAction(action(name));
    EXPECT_EQ(panel(0), hint) << name;
  }
  edit->hide();
}

}  // namespace
}  // namespace sorabel::test
