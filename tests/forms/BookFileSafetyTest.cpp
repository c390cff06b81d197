// Books the user meets outside this program, and saves that stop halfway:
// line ends of other systems, UTF-8 books, FIFOs and devices, cells the
// reader would read differently, huge fields, the copy an unfinished
// in-place save leaves, and the mode of printed PDF files.

#include <QPrinter>
#include <QTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "forms/FormsFixture.h"
#include "forms/UKensakuFm.h"
#include "ledger/BookFile.h"

namespace sorabel::test {
namespace {

using Rows = std::vector<Utf8Row>;

const char* const kUtf8Question = "このファイルは UTF-8 で書かれています。Shift-JIS に変換して開きますか？";
const char* const kChanged = "データは変更されています\r保存しますか？";

// Ends the test process when a call blocks: a hang fails instead of
// waiting for ever.
class HangGuard {
 public:
  HangGuard() { ::alarm(30); }
  ~HangGuard() { ::alarm(0); }
};

class BookFileSafetyTest : public FormsTest {
 protected:
  StringGridView& grid() const { return *child<StringGridView>(&main(), "StringGrid1"); }
  QAction* action(const char* name) const { return child<QAction>(&main(), name); }

  // The menu command File > Open, answered with name.
  void openThroughMenu(const QString& name) {
    dialogs.openNames.push_back(name);
    action("Open1")->trigger();
  }
  // Types text into a cell's editor key by key and leaves it with Return.
  void typeIntoCell(int column, int row, const QString& text) {
    grid().setCurrentCell(column, row);
    grid().edit(grid().currentIndex());
    auto* editor = grid().findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  std::string raw(const std::string& name) const { return readBytes(dir / name); }
};

TEST_F(BookFileSafetyTest, AnLfBookOpenedChangedAndSavedKeepsAllItsEntries) {
  start().show();
  const QString book = writeBook("lf.csv",
                                 "\"2001/01/01\",\"給料\",\"250,000\",\"0\",\"250,000\"\n"
                                 "\"2001/01/02\",\"食費\",\"0\",\"3,000\",\"247,000\"\n"
                                 "\"2001/01/03\",\"交通費\",\"0\",\"500\",\"246,500\"\n");
  openThroughMenu(book);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(panel(1), " データ件数 3件");
  typeIntoCell(kExpenseColumn, 2, "3200");
  action("Save1")->trigger();
  EXPECT_EQ(bookText("lf.csv"),
            "\"2001/01/01\",\"給料\",\"250,000\",\"0\",\"250,000\"\r\n"
            "\"2001/01/02\",\"食費\",\"0\",\"3,200\",\"246,800\"\r\n"
            "\"2001/01/03\",\"交通費\",\"0\",\"500\",\"246,300\"\r\n");
  EXPECT_FALSE(main().BookChanged());
}

TEST_F(BookFileSafetyTest, AUtf8BookIsAskedAboutAndOpenedOnlyConverted) {
  start().show();
  const QString first = writeBook("sjis.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  openThroughMenu(first);
  const std::string utf8Book = "\xEF\xBB\xBF\"2001/01/05\",\"文具\",\"0\",\"300\",\"-300\"\r\n";
  writeBytes(dir / "utf8.csv", utf8Book);

  dialogs.answers.push_back(Answer::No);
  openThroughMenu(bookPath("utf8.csv"));
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{kUtf8Question});
  EXPECT_EQ(main().BookFileName(), first);  // nothing opened
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));

  dialogs.answers.push_back(Answer::Yes);
  openThroughMenu(bookPath("utf8.csv"));
  EXPECT_EQ(main().windowTitle(), QStringLiteral("Sorabel\u3000") + bookPath("utf8.csv"));
  EXPECT_EQ(rows(), (Rows{{"2001/01/05", "文具", "0", "300", "-300"}}));
  EXPECT_EQ(raw("utf8.csv"), utf8Book);  // converted in the book only, until saved

  dialogs.answers.push_back(Answer::Cancel);  // the converted book counts as changed
  EXPECT_FALSE(main().close());
  EXPECT_EQ(dialogs.texts().back(), kChanged);
  action("Save1")->trigger();
  EXPECT_EQ(raw("utf8.csv"), sjis("\"2001/01/05\",\"文具\",\"0\",\"300\",\"-300\"\r\n"));

  // A character Shift-JIS lacks: the usual message naming it, nothing opened.
  writeBytes(dir / "emoji.csv", "\"2001/01/06\",\"お祝い\xF0\x9F\x8E\x89\",\"0\",\"1\",\"\"\r\n");
  dialogs.answers.push_back(Answer::Yes);
  openThroughMenu(bookPath("emoji.csv"));
  EXPECT_EQ(dialogs.texts().back(), "「\xF0\x9F\x8E\x89」はShift-JISで扱えない文字です。");
  EXPECT_EQ(main().BookFileName(), bookPath("utf8.csv"));
}

TEST_F(BookFileSafetyTest, AnInPlaceSaveThatStoppedHalfwayIsOfferedBackAtTheNextOpen) {
  start().show();
  const std::string oldBook = "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\r\n"
                              "\"2001/01/03\",\"c\",\"3\",\"0\",\"6\"\r\n";
  const QString book = writeBook("book.csv", oldBook);
  std::filesystem::create_hard_link(dir / "book.csv", dir / "link.csv");  // saved in place
  openThroughMenu(book);
  typeIntoCell(kDescriptionColumn, 1, "Apple pie and cream");
  {
    // The program ends while the file is half written over.
    SaveStopper crash(SaveStep::CopyWritten, "\"2001/01/01\",\"Apple pie");
    action("Save1")->trigger();
  }
  EXPECT_EQ(raw("book.csv"), "\"2001/01/01\",\"Apple pie" + oldBook.substr(23));

  dialogs.answers.push_back(Answer::No);      // the unsaved change: not saved
  dialogs.answers.push_back(Answer::Cancel);  // the copy: open nothing
  openThroughMenu(book);
  const QString question = book + " の前回の保存は途中で終わっています。\n保存する前の内容の控えが残っています。\n\n"
                                  "はい: 控えの内容で開きます（上書き保存すると控えは削除されます）\n"
                                  "いいえ: ファイルの今の内容で開き、控えを削除します\n"
                                  "キャンセル: 開きません";
  EXPECT_EQ(dialogs.texts().back(), question);
  EXPECT_EQ(rows()[0][1], "Apple pie and cream");  // the book as it was

  dialogs.answers.push_back(Answer::No);
  dialogs.answers.push_back(Answer::Yes);  // the copy
  openThroughMenu(book);
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/02", "b", "2", "0", "3"},
                          {"2001/01/03", "c", "3", "0", "6"}}));
  EXPECT_TRUE(main().BookChanged());
  action("Save1")->trigger();
  EXPECT_EQ(raw("book.csv"), oldBook);
  EXPECT_EQ(raw("link.csv"), oldBook);
  EXPECT_FALSE(unfinishedSaveCopy(dir / "book.csv").has_value());
  const std::size_t asked = dialogs.texts().size();
  openThroughMenu(book);  // nothing left to offer
  EXPECT_EQ(dialogs.texts().size(), asked);
}

TEST_F(BookFileSafetyTest, FifosAndDevicesAreRefusedWithoutBlockingOrBeingReplaced) {
  HangGuard guard;
  const std::filesystem::path fifo = dir / "fifo.csv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const QString fifoName = QString::fromStdString(fifo.string());
  const QString refused = fifoName + " は通常のファイルではありません";

  // As the last book of the profile.
  writeProfile("[File]\r\nStartFile=OpenFile\r\nFileName=" + fifo.string() + "\r\n[History]\r\nFile0=" +
               fifo.string() + "\r\n");
  start().show();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{refused});
  EXPECT_EQ(main().windowTitle(), "Sorabel");
  EXPECT_TRUE(main().BookFileName().isEmpty());

  // Opened, and from the recent list.
  const QString book = writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  openThroughMenu(book);
  openThroughMenu(fifoName);
  main().ShowHistoryMenu();
  action("Histry0")->trigger();
  EXPECT_EQ(dialogs.texts(), (std::vector<QString>{refused, refused, refused}));
  EXPECT_EQ(main().BookFileName(), book);
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));

  // The book replaced by a FIFO behind the program's back: the status
  // bar's size and the search give up at once.
  std::filesystem::remove(dir / "book.csv");
  ASSERT_EQ(::mkfifo((dir / "book.csv").c_str(), 0644), 0);
  action("SortDec")->trigger();
  EXPECT_EQ(panel(3), "");
  whenModal([this] {
    child<QLineEdit>(forms->KensakuFm, "MojiEdit")->setText("a");
    child<QAbstractButton>(forms->KensakuFm, "FindBtn")->click();
    forms->KensakuFm->reject();
  });
  action("Find2")->trigger();
  EXPECT_EQ(dialogs.texts().back(), book + " は通常のファイルではありません");

  // Save through a link to a device never puts a file in the device's place.
  std::filesystem::path device = "/dev/null";
  if (::mknod((dir / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) device = dir / "null";
  std::filesystem::create_symlink(device, dir / "device.csv");
  dialogs.saveNames.push_back(bookPath("device.csv"));
  action("SaveAs1")->trigger();
  EXPECT_EQ(dialogs.texts().back(), bookPath("device.csv") + " は通常のファイルではありません");
  EXPECT_TRUE(std::filesystem::is_character_file(device));
  EXPECT_EQ(main().BookFileName(), book);
}

TEST_F(BookFileSafetyTest, ACellTheReaderWouldReadDifferentlyIsRefusedWithItsRow) {
  start().show();
  const std::string saved = "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\r\n";
  openThroughMenu(writeBook("book.csv", saved));
  // A Ctrl+Z that came into the book some other way than the cell editor.
  main().changeBook([](LedgerGrid& grid) { grid.setCell(kDescriptionColumn, 2, "b\x1A" "after"); });
  action("Save1")->trigger();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"2 行目の摘要「b after」に改行または文字コード 26 の文字が含まれているため、"
                                                  "保存できません。\nその文字を取り除いてから保存して下さい。"});
  EXPECT_EQ(raw("book.csv"), saved);
}

TEST_F(BookFileSafetyTest, AHugeAmountIsQuotedCutInItsMessage) {
  const std::string digits(100'000, '9');
  const QString book = writeBook("huge.csv", "\"2001/01/01\",\"a\",\"" + digits + "\",\"0\",\"\"\r\n");
  writeProfile("[File]\r\nStartFile=OpenFile\r\nFileName=" + book.toStdString() + "\r\n");
  start();
  ASSERT_EQ(dialogs.texts().size(), 1u);
  EXPECT_EQ(dialogs.texts()[0], QString::fromStdString("'" + std::string(40, '9') + "…' は整数ではありません"));
  EXPECT_EQ(grid().model()->rowCount(), 1);
  EXPECT_EQ(main().grid().cell(kIncomeColumn, 1), digits);  // the text itself is kept
}

TEST_F(BookFileSafetyTest, APrintedPdfGetsTheModeOfANewFileOfTheUser) {
  start();
  openThroughMenu(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
  const mode_t saved = ::umask(027);
  auto printTo = [this](const std::filesystem::path& pdf) {
    main().printer()->setOutputFormat(QPrinter::PdfFormat);
    main().printer()->setOutputFileName(QString::fromStdString(pdf.string()));
    dialogs.answers.push_back(Answer::Yes);
    action("Print1")->trigger();
  };
  printTo(dir / "new.pdf");
  EXPECT_EQ(std::filesystem::status(dir / "new.pdf").permissions(), std::filesystem::perms(0640));
  writeBytes(dir / "old.pdf", "old");
  std::filesystem::permissions(dir / "old.pdf", std::filesystem::perms(0604));
  printTo(dir / "old.pdf");  // a file printed over keeps its mode
  ::umask(saved);
  EXPECT_EQ(std::filesystem::status(dir / "old.pdf").permissions(), std::filesystem::perms(0604));
  EXPECT_NE(raw("old.pdf"), "old");
}

}  // namespace
}  // namespace sorabel::test
