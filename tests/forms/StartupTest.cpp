// Start-up: profile reading, the password gate, geometry, the start-up book.

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "forms/FormsFixture.h"
#include "forms/UPathWord.h"
#include "qtplatform/WindowOrder.h"
#include "settings/ScrambleText.h"
#include "widgets/ColumnFit.h"

namespace sorabel::test {
namespace {

using Rows = std::vector<Utf8Row>;

TEST_F(FormsTest, FirstStartWithoutProfile) {
  TMainFm& fm = start();
  EXPECT_EQ(fm.windowTitle(), "Sorabel  NewFile");
  EXPECT_EQ(fm.size(), QSize(600, 450));
  EXPECT_TRUE(child<QAction>(&fm, "SortInc")->isChecked());
  EXPECT_FALSE(child<QAction>(&fm, "SortDec")->isChecked());
  EXPECT_TRUE(fm.BookFileName().isEmpty());
  EXPECT_TRUE(forms->passwordAccepted());
  EXPECT_NE(forms->PathWordFm, nullptr);  // never needed, so never destroyed
  EXPECT_EQ(rows(), (Rows{{"", "", "", "", ""}}));
  EXPECT_EQ(child<StatusPanelBar>(&fm, "StatusBar1")->panelWidth(0), 200);
  fm.show();
  EXPECT_EQ(child<StatusPanelBar>(&fm, "StatusBar1")->panelWidth(0), 600 - (150 + 50 + 100 + 30));
  EXPECT_FALSE(std::filesystem::exists(profilePath()));
}

class PasswordTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    writeProfile("[Form]\r\nPathWord=" + cp932ToUtf8(scrambleText("abc", "JUB")) + "\r\n");
  }

  // Answers the password dialog with text, closing it by OK or by its close box.
  bool answer(const QString& text, bool pressOk) {
    start();
    whenModal([this, text, pressOk] {
      child<QLineEdit>(forms->PathWordFm, "Edit1")->setText(text);
      if (pressOk)
        child<QAbstractButton>(forms->PathWordFm, "BitBtn1")->click();
      else
        forms->PathWordFm->reject();
    });
    return forms->passwordAccepted();
  }
};

TEST_F(PasswordTest, RightPasswordOpensAndDestroysTheDialog) {
  EXPECT_TRUE(answer("abc", true));
  EXPECT_EQ(forms->PathWordFm, nullptr);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PasswordTest, WrongPasswordEndsWithTheMessageAndWritesNothing) {
  const std::string before = readBytes(profilePath());
  EXPECT_FALSE(answer("ABC", true));
  ASSERT_EQ(dialogs.texts(), std::vector<QString>{"パスワードが違います。"});
  EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Plain);
  forms.reset();  // the program ends without closing the main window
  EXPECT_EQ(readBytes(profilePath()), before);
}

TEST_F(PasswordTest, ClosedDialogIsComparedAllTheSame) {
  EXPECT_TRUE(answer("abc", false));
  EXPECT_FALSE(answer("", false));
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"パスワードが違います。"});
}

TEST_F(PasswordTest, DialogMasksWithStars) {
  start();
  EXPECT_EQ(forms->PathWordFm->windowTitle(), "パスワード");
  EXPECT_EQ(child<QLineEdit>(forms->PathWordFm, "Edit1")->echoMode(), QLineEdit::Password);
  EXPECT_EQ(child<QLineEdit>(forms->PathWordFm, "Edit1")->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                         child<QLineEdit>(forms->PathWordFm, "Edit1")),
            '*');
}

TEST_F(FormsTest, RestoredGeometryIsClampedAtTheBottomAndRight) {
  writeProfile("[Set]\r\nStartForm=SetForm\r\n[Form]\r\nLeft=5000\r\nTop=900\r\nHeight=0x1F4\r\nWidth=700\r\n");
  TMainFm& fm = start();
  const QSize screen = screenSize();
  EXPECT_EQ(fm.pos(), QPoint(screen.width() - 50, screen.height() - 50));
  EXPECT_EQ(fm.size(), QSize(700, 500));
}

TEST_F(FormsTest, NegativePositionIsTakenAsItIs) {
  writeProfile("[Set]\r\nStartForm=SetForm\r\n[Form]\r\nLeft=-20\r\nTop=-10\r\nHeight=300\r\nWidth=640\r\n");
  EXPECT_EQ(start().pos(), QPoint(-20, -10));
}

TEST_F(FormsTest, WithoutSetFormTheWindowStartsAtTheFixedSize) {
  writeProfile("[Form]\r\nLeft=10\r\nTop=10\r\nHeight=300\r\nWidth=900\r\n");
  EXPECT_EQ(start().size(), QSize(600, 450));
}

TEST_F(FormsTest, CentredAtStartWhenSoSet) {
  writeProfile("[Set]\r\nMainFmPosition=PoCenter\r\n");
  TMainFm& fm = start();
  const QSize screen = screenSize();
  EXPECT_EQ(fm.pos(), QPoint((screen.width() - fm.frameGeometry().width()) / 2,
                             (screen.height() - fm.frameGeometry().height()) / 2));
}

TEST_F(FormsTest, LastBookIsReadSortedAtStart) {
  const QString book = writeBook("last.csv", "\"2001/01/02\",\"b\",\"5\",\"\",\"\"\r\n\"2001/01/01\",\"a\",\"10\",\"\",\"\"\r\n");
  writeProfile("[File]\r\nStartFile=OpenFile\r\nFileName=" + book.toStdString() + "\r\n[Set]\r\nDownUp=SortDown\r\n");
  TMainFm& fm = start();
  EXPECT_EQ(fm.windowTitle(), "Sorabel  " + book);
  EXPECT_TRUE(child<QAction>(&fm, "SortDec")->isChecked());
  EXPECT_EQ(rows(), (Rows{{"2001/01/02", "b", "5", "0", "15"}, {"2001/01/01", "a", "10", "0", "10"}}));
  EXPECT_EQ(panel(1), " データ件数 2件");
  EXPECT_EQ(panel(2), " 昇順");
  EXPECT_EQ(panel(3), QStringLiteral(" %1 byte").arg(std::filesystem::file_size(dir / "last.csv")));
  fm.show();
  EXPECT_EQ(child<StringGridView>(&fm, "StringGrid1")->currentGridRow(), 1);  // the newest entry is current
}

TEST_F(FormsTest, AmountsOfTheBookReadAtStartAreShownWholeAlsoAfterResizing) {
  const QString book = writeBook("big.csv", "\"2001/01/01\",\"給料\",\"1859337592\",\"0\",\"\"\r\n"
                                            "\"2001/01/02\",\"x\",\"0\",\"12\",\"\"\r\n");
  writeProfile("[File]\r\nStartFile=OpenFile\r\nFileName=" + book.toStdString() + "\r\n");
  TMainFm& fm = start();
  fm.show();
  StringGridView& grid = *child<StringGridView>(&fm, "StringGrid1");
  auto shownWhole = [&](int column, int row) {
    const QString text = grid.model()->index(row - 1, column).data().toString();
    return grid.columnWidth(column) >= columnWidthForText(grid.fontMetrics().horizontalAdvance(text));
  };
  for (const QSize size : {QSize(600, 450), QSize(900, 300), QSize(600, 167)}) {
    fm.resize(size);
    QCoreApplication::processEvents();
    EXPECT_EQ(rows()[0][2], "1,859,337,592");
    EXPECT_TRUE(shownWhole(kIncomeColumn, 1)) << size.width();
    EXPECT_TRUE(shownWhole(kBalanceColumn, 1)) << size.width();
    EXPECT_TRUE(shownWhole(kBalanceColumn, 2)) << size.width();
    EXPECT_EQ(grid.columnWidth(kExpenseColumn), 80);  // no wider than its amounts need
    EXPECT_EQ(grid.columnWidth(kDescriptionColumn),
              grid.width() - 80 - 80 - grid.columnWidth(kIncomeColumn) - grid.columnWidth(kBalanceColumn) - 25);
  }
}

TEST_F(FormsTest, MissingLastBookLeavesPlainCaptionAndAsksOnlyAboutTypedEntries) {
  writeProfile("[File]\r\nStartFile=OpenFile\r\nFileName=" + (dir / "gone.csv").string() + "\r\n");
  TMainFm& fm = start();
  EXPECT_EQ(fm.windowTitle(), "Sorabel");
  EXPECT_EQ(rows(), (Rows{{"", "", "", "", ""}}));
  fm.show();
  EXPECT_FALSE(fm.BookChanged());  // nothing typed: closing would not ask

  fm.changeBook([](LedgerGrid& grid) { grid.setCell(kDateColumn, 1, "2001/01/01"); });
  dialogs.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(fm.close());  // typed entries without a file are asked about
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"データは変更されています\r保存しますか？"});
  // Save writes to the remembered name, creating the file again.
  fm.Save1Click();
  EXPECT_TRUE(std::filesystem::exists(dir / "gone.csv"));
  EXPECT_TRUE(fm.close());
}

TEST_F(FormsTest, FailureWhileReadingTheLastBookIsReportedAndTheWindowOpens) {
  const QString book = writeBook("big.csv", "\"2001/01/01\",\"a\",\"9999999999\",\"0\",\"0\"\r\n");
  writeProfile("[File]\r\nStartFile=OpenFile\r\nFileName=" + book.toStdString() + "\r\n");
  TMainFm& fm = start();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"'9999999999' は整数ではありません"});
  EXPECT_EQ(fm.windowTitle(), "Sorabel");
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "9999999999", "0", "0"}}));
}

TEST_F(FormsTest, FolderInPlaceOfTheLastBookCountsAsMissing) {
  std::filesystem::create_directory(dir / "folder.csv");
  writeProfile("[File]\r\nStartFile=OpenFile\r\nFileName=" + (dir / "folder.csv").string() + "\r\n");
  EXPECT_EQ(start().windowTitle(), "Sorabel");
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace sorabel::test
