// New, Open, Save, Save As, closing with unsaved changes, recent files.

#include <QMenu>

#include "forms/FormsFixture.h"

namespace sorabel::test {
namespace {

using Rows = std::vector<Utf8Row>;

const char* const kChanged = "データは変更されています\r保存しますか？";

class BookCommandsTest : public FormsTest {
 protected:
  // Opens a book through the Open command.
  void open(const QString& path) {
    dialogs.openNames.push_back(path);
    main().Open1Click();
  }
  void typeDescription(int row, const char* text) {
    main().changeBook([&](LedgerGrid& grid) { grid.setCell(kDescriptionColumn, row, sjis(text)); });
  }
};

TEST_F(BookCommandsTest, OpenAndSaveRoundTripThroughTheWindow) {
  start();
  const QString book =
      writeBook("book.csv", "2001/01/05, 文具 ,300\r\n\r\n  \"2001/01/01\",\"給料\",\"250000\"\r\n");
  open(book);
  EXPECT_EQ(dialogs.lastOptions.filter, "csv files (*.csv)|*.csv|Text files (*.txt)|*.TXT|All Files (*.*)|*.*|");
  EXPECT_EQ(dialogs.lastOptions.defaultExtension, "csv");
  EXPECT_EQ(main().windowTitle(), QStringLiteral("Sorabel\u3000") + book);
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "給料", "250,000", "0", "250,000"}, {"2001/01/05", "文具", "300", "0", "250,300"}}));
  EXPECT_EQ(panel(1), " データ件数 2件");
  EXPECT_TRUE(main().BookChanged());  // the file was not in the stored form

  main().Save1Click();
  EXPECT_EQ(bookText("book.csv"),
            "\"2001/01/01\",\"給料\",\"250,000\",\"0\",\"250,000\"\r\n\"2001/01/05\",\"文具\",\"300\",\"0\",\"250,300\"\r\n");
  EXPECT_FALSE(main().BookChanged());
  EXPECT_EQ(main().windowTitle(), QStringLiteral("Sorabel\u3000") + book);
}

TEST_F(BookCommandsTest, SaveOnANewBookTurnsIntoSaveAs) {
  start();
  dialogs.saveNames.push_back(bookPath("new.csv"));
  main().Save1Click();
  EXPECT_EQ(dialogs.lastOptions.filter, "csv files (*.csv)|*.csv|All Files (*.*)|*.*|");
  EXPECT_EQ(bookText("new.csv"), "\"\",\"\",\"0\",\"0\",\"0\"\r\n");
  EXPECT_EQ(main().windowTitle(), QStringLiteral("Sorabel\u3000") + bookPath("new.csv"));
  EXPECT_EQ(main().BookFileName(), bookPath("new.csv"));
  EXPECT_EQ(panel(1), "");  // Save As leaves the status bar alone
}

TEST_F(BookCommandsTest, SaveWithoutANameAsksForOne) {
  writeProfile("[File]\r\nStartFile=OpenFile\r\n");  // open the last book, but none is remembered
  start();
  EXPECT_EQ(main().windowTitle(), "Sorabel");
  dialogs.saveNames.push_back(bookPath("named.csv"));
  main().Save1Click();
  EXPECT_TRUE(std::filesystem::exists(dir / "named.csv"));
}

TEST_F(BookCommandsTest, CancelledSaveAsSavesNothing) {
  start();
  dialogs.saveNames.push_back("");
  main().SaveAs1Click();
  EXPECT_EQ(main().windowTitle(), "Sorabel  NewFile");
  EXPECT_TRUE(main().BookFileName().isEmpty());
}

TEST_F(BookCommandsTest, FailedSaveIsReportedAndKeepsTheOldFileAndName) {
  start();
  open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
  dialogs.saveNames.push_back(QString::fromStdString((dir / "no-folder" / "x.csv").string()));
  main().SaveAs1Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.contains("に保存できません"));
  EXPECT_EQ(main().BookFileName(), bookPath("book.csv"));
}

TEST_F(BookCommandsTest, NewKeepsTheNameAndTheStatusUntilTheNextRefresh) {
  start();
  open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n\"2001/01/02\",\"b\",\"1\",\"0\",\"2\"\r\n"));
  main().New1Click();
  EXPECT_EQ(main().windowTitle(), "Sorabel  NewFile");
  EXPECT_EQ(main().BookFileName(), bookPath("book.csv"));
  EXPECT_EQ(rows(), (Rows{{"", "", "", "", ""}}));
  EXPECT_EQ(panel(1), " データ件数 2件");
  EXPECT_TRUE(main().BookChanged());  // compared with the previous book's file
}

TEST_F(BookCommandsTest, OpenAsksAboutChangesAndGoesOnWhateverTheAnswer) {
  start();
  const QString first = writeBook("first.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  const QString second = writeBook("second.csv", "\"2002/01/01\",\"z\",\"9\",\"0\",\"9\"\r\n");
  open(first);
  typeDescription(1, "changed");

  dialogs.answers.push_back(Answer::Cancel);
  open(second);
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{kChanged});
  EXPECT_EQ(rows(), (Rows{{"2002/01/01", "z", "9", "0", "9"}}));
  EXPECT_EQ(bookText("first.csv"), "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");

  typeDescription(1, "again");
  dialogs.answers.push_back(Answer::Yes);
  open(first);
  EXPECT_EQ(bookText("second.csv"), "\"2002/01/01\",\"again\",\"9\",\"0\",\"9\"\r\n");
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));
}

TEST_F(BookCommandsTest, CancelledOpenDialogChangesNothing) {
  start();
  open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
  open("");
  EXPECT_EQ(main().BookFileName(), bookPath("book.csv"));
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));
}

TEST_F(BookCommandsTest, OpeningANameThatDoesNotExistKeepsTheBookUnderTheNewName) {
  start();
  open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
  open(bookPath("typed.csv"));
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));
  EXPECT_EQ(main().windowTitle(), QStringLiteral("Sorabel\u3000") + bookPath("typed.csv"));
  EXPECT_EQ(panel(3), "");
  main().Save1Click();
  EXPECT_EQ(bookText("typed.csv"), "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
}

class CloseTest : public BookCommandsTest {
 protected:
  // Opens a book, changes it and shows the window.
  void startChanged() {
    start();
    open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
    typeDescription(1, "changed");
    main().show();
  }
};

TEST_F(CloseTest, YesSavesAndCloses) {
  startChanged();
  dialogs.answers.push_back(Answer::Yes);
  EXPECT_TRUE(main().close());
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{kChanged});
  EXPECT_EQ(bookText("book.csv"), "\"2001/01/01\",\"changed\",\"1\",\"0\",\"1\"\r\n");
  EXPECT_NE(profileText().find("FileName=" + bookPath("book.csv").toStdString()), std::string::npos);
}

TEST_F(CloseTest, NoClosesWithoutSaving) {
  startChanged();
  dialogs.answers.push_back(Answer::No);
  EXPECT_TRUE(main().close());
  EXPECT_EQ(bookText("book.csv"), "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  EXPECT_TRUE(std::filesystem::exists(profilePath()));
}

TEST_F(CloseTest, CancelKeepsTheWindowAndWritesNothing) {
  startChanged();
  dialogs.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(main().close());
  EXPECT_TRUE(main().isVisible());
  EXPECT_FALSE(std::filesystem::exists(profilePath()));
  EXPECT_EQ(rows()[0][1], "changed");
}

TEST_F(CloseTest, CancelledSaveAsAfterYesKeepsTheBookOpen) {
  start();
  main().changeBook([](LedgerGrid& grid) { grid.setCell(kDateColumn, 1, "2001/01/01"); });
  dialogs.answers.push_back(Answer::No);
  main().New1Click();  // typed entries without a file are asked about
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{kChanged});
  main().show();
  EXPECT_TRUE(main().close());  // an empty new book: nothing to ask
  EXPECT_EQ(dialogs.shown.size(), 1u);

  startChanged();
  dialogs.answers.push_back(Answer::No);
  main().New1Click();
  typeDescription(1, "unsaved");
  dialogs.answers.push_back(Answer::Yes);
  dialogs.saveNames.push_back("");
  EXPECT_FALSE(main().close());
  EXPECT_EQ(rows()[0][1], "unsaved");
}

TEST_F(CloseTest, CloseWritesTheWindowBookAndOrderKeys) {
  start();
  open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
  main().SortDecClick();
  main().Save1Click();
  main().move(30, 40);
  main().resize(700, 500);
  main().show();
  EXPECT_TRUE(main().close());
  SettingsProfile profile(profilePath());
  const QRect frame = main().frameGeometry();
  EXPECT_EQ(profile.windowPlacement(), (WindowPlacement{frame.top(), frame.left(), 500, 700}));
  EXPECT_EQ(profile.lastBook(), toAnsi(bookPath("book.csv")));
  EXPECT_EQ(profile.bookOrder(), BookOrder::NewestFirst);
  EXPECT_EQ(profile.historyEntry(0), toAnsi(bookPath("book.csv")));
}

TEST_F(CloseTest, HistoryTakesTheCurrentBookFirstAtClose) {
  writeProfile("[History]\r\nFile0=A\r\nFile1=" + bookPath("book.csv").toStdString() + "\r\nFile2=B\r\n");
  start();
  open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
  main().show();
  main().close();
  SettingsProfile profile(profilePath());
  EXPECT_EQ(profile.history(),
            (std::array<AnsiString, 5>{toAnsi(bookPath("book.csv")), "A", "B", "", ""}));
}

class RecentFilesTest : public BookCommandsTest {};

TEST_F(RecentFilesTest, MenuShowsTheListAndHidesFreePlaces) {
  start();
  main().ShowHistoryMenu();
  EXPECT_FALSE(child<QMenu>(&main(), "N2")->isEnabled());
  for (int n = 0; n < 5; ++n) EXPECT_FALSE(child<QAction>(&main(), ("Histry" + std::to_string(n)).c_str())->isVisible());

  writeProfile("[History]\r\nFile0=/b&c/家計簿.csv\r\nFile1=/x.csv\r\n");
  child<QMenu>(&main(), "F1")->popup({0, 0});  // opening the File menu fills the list
  child<QMenu>(&main(), "F1")->hide();
  EXPECT_TRUE(child<QMenu>(&main(), "N2")->isEnabled());
  EXPECT_EQ(child<QAction>(&main(), "Histry0")->text(), "/b&&c/家計簿.csv");
  EXPECT_EQ(child<QAction>(&main(), "Histry0")->data().toString(), "/b&c/家計簿.csv");
  EXPECT_TRUE(child<QAction>(&main(), "Histry1")->isVisible());
  EXPECT_FALSE(child<QAction>(&main(), "Histry2")->isVisible());
}

TEST_F(RecentFilesTest, ReopenKeepsTheFileOrderWithoutAPass) {
  const QString book = writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n\"2001/01/03\",\"c\",\"3\",\"0\",\"x\"\r\n");
  writeProfile("[History]\r\nFile0=" + book.toStdString() + "\r\n[Set]\r\nDownUp=SortDown\r\n");
  start();
  main().show();
  main().ShowHistoryMenu();
  child<StringGridView>(&main(), "StringGrid1")->setCurrentCell(1, 1);
  child<QAction>(&main(), "Histry0")->trigger();
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/03", "c", "3", "0", "x"}}));
  EXPECT_EQ(main().windowTitle(), QStringLiteral("Sorabel\u3000") + book);
  EXPECT_EQ(child<StringGridView>(&main(), "StringGrid1")->currentGridRow(), 2);
  EXPECT_EQ(child<StringGridView>(&main(), "StringGrid1")->currentColumn(), 1);
  EXPECT_EQ(panel(1), " データ件数 2件");
}

TEST_F(RecentFilesTest, ReopenAsksYesOrNoAboutChanges) {
  const QString other = writeBook("other.csv", "\"2003/01/01\",\"o\",\"1\",\"0\",\"1\"\r\n");
  writeProfile("[History]\r\nFile0=" + other.toStdString() + "\r\n");
  start();
  open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
  typeDescription(1, "changed");
  main().ShowHistoryMenu();
  dialogs.answers.push_back(Answer::Yes);
  main().HistryClick(0);
  EXPECT_EQ(bookText("book.csv"), "\"2001/01/01\",\"changed\",\"1\",\"0\",\"1\"\r\n");
  EXPECT_EQ(rows()[0][1], "o");
}

TEST_F(RecentFilesTest, MissingRecentBookIsReportedAndLeavesTheBookAlone) {
  writeProfile("[History]\r\nFile0=" + (dir / "gone.csv").string() + "\r\n");
  start();
  open(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
  main().ShowHistoryMenu();
  main().HistryClick(0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.contains("gone.csv を読み込めません"));
  EXPECT_EQ(main().BookFileName(), bookPath("book.csv"));
  EXPECT_EQ(main().windowTitle(), QStringLiteral("Sorabel\u3000") + bookPath("book.csv"));
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));
  EXPECT_EQ(panel(1), " データ件数 1件");
  main().Save1Click();  // still saves the book to its own file
  EXPECT_FALSE(std::filesystem::exists(dir / "gone.csv"));
}

}  // namespace
}  // namespace sorabel::test
