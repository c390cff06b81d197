// The book session: captions by state, which book-file operation each
// command runs, and when Save needs a name.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ledger/BookFile.h"
#include "ledger/BookSession.h"
#include "platform/Locale.h"
#include "support/LedgerFixtures.h"
#include "support/TestFiles.h"

namespace sorabel::test {
namespace {

class BookSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }
  std::string path(const char* name) const { return (dir / name).string(); }
  TempDir dir;
  BookSession session;
};

TEST_F(BookSessionTest, CaptionFollowsTheState) {
  EXPECT_EQ(session.caption(), "Sorabel");  // before anything: the last book was missing
  session.startWithNewBook();
  EXPECT_EQ(session.caption(), "Sorabel  NewFile");
  EXPECT_TRUE(session.saveNeedsName());

  writeBytes(dir / "a.csv", "\"2001/01/01\",\"x\",\"5\",\"0\",\"5\"\r\n");
  session.setFileName(path("a.csv"));
  ASSERT_TRUE(session.readLastBook(BookOrder::OldestFirst));
  EXPECT_EQ(session.caption(), "Sorabel  " + path("a.csv"));
  EXPECT_FALSE(session.saveNeedsName());

  session.newBook();
  EXPECT_EQ(session.caption(), "Sorabel  NewFile");
  EXPECT_EQ(session.fileName(), path("a.csv"));  // New keeps the name
  EXPECT_TRUE(session.saveNeedsName());

  session.open(path("a.csv"), BookOrder::OldestFirst);
  EXPECT_EQ(session.caption(), "Sorabel\u3000" + path("a.csv"));
}

TEST_F(BookSessionTest, MissingLastBookKeepsTheEmptyBookAndTheName) {
  session.setFileName(path("gone.csv"));
  EXPECT_FALSE(session.readLastBook(BookOrder::OldestFirst));
  EXPECT_EQ(session.state(), BookState::LastBookMissing);
  EXPECT_FALSE(session.saveNeedsName());  // Save writes to the remembered name
  session.save(BookOrder::OldestFirst);
  EXPECT_EQ(readBytes(dir / "gone.csv"), "\"\",\"\",\"0\",\"0\",\"0\"\r\n");
}

TEST_F(BookSessionTest, OpenRunsThePassAndReopenDoesNot) {
  writeBytes(dir / "b.csv", "\"2001/01/02\",\"b\",\"1000\",\"0\",\"\"\r\n\"2001/01/01\",\"a\",\"1\",\"0\",\"\"\r\n");
  session.open(path("b.csv"), BookOrder::OldestFirst);
  EXPECT_EQ(rowsOf(session.grid()), (std::vector<Utf8Row>{{"2001/01/01", "a", "1", "0", "1"},
                                                           {"2001/01/02", "b", "1,000", "0", "1,001"}}));
  EXPECT_TRUE(session.changed());  // the file is not in the stored form yet

  session.reopen(path("b.csv"));
  EXPECT_EQ(rowsOf(session.grid()), (std::vector<Utf8Row>{{"2001/01/02", "b", "1000", "0", ""},
                                                           {"2001/01/01", "a", "1", "0", ""}}));
}

TEST_F(BookSessionTest, SaveAsNamesTheBookOnlyWhenTheFileIsWritten) {
  session.startWithNewBook();
  EXPECT_THROW(session.saveAs(path("no-folder/x.csv"), BookOrder::OldestFirst), FileError);
  EXPECT_EQ(session.state(), BookState::NewBook);
  EXPECT_TRUE(session.fileName().empty());

  session.saveAs(path("x.csv"), BookOrder::OldestFirst);
  EXPECT_EQ(session.fileName(), path("x.csv"));
  EXPECT_EQ(session.state(), BookState::Opened);
  EXPECT_FALSE(session.changed());
}

TEST_F(BookSessionTest, AFileThatCannotBeReadLeavesBookNameAndStateAlone) {
  writeBytes(dir / "a.csv", "\"2001/01/01\",\"x\",\"5\",\"0\",\"5\"\r\n");
  session.open(path("a.csv"), BookOrder::OldestFirst);
  const auto before = rowsOf(session.grid());
  // A regular file that exists but cannot be read.
  EXPECT_THROW(session.open("/proc/self/mem", BookOrder::OldestFirst), FileError);
  EXPECT_THROW(session.reopen(path("gone.csv")), FileError);
  EXPECT_EQ(rowsOf(session.grid()), before);
  EXPECT_EQ(session.fileName(), path("a.csv"));
  EXPECT_EQ(session.state(), BookState::Opened);
}

TEST_F(BookSessionTest, AnotherWriterSinceTheLastReadOrSaveIsNoticed) {
  writeBytes(dir / "a.csv", "\"2001/01/01\",\"x\",\"5\",\"0\",\"5\"\r\n");
  session.open(path("a.csv"), BookOrder::OldestFirst);
  EXPECT_FALSE(session.changedOnDisk());
  session.save(BookOrder::OldestFirst);
  EXPECT_FALSE(session.changedOnDisk());  // our own save
  writeBytes(dir / "a.csv", "\"2002/02/02\",\"other\",\"1\",\"0\",\"1\"\r\n");
  EXPECT_TRUE(session.changedOnDisk());
  std::filesystem::remove(dir / "a.csv");
  EXPECT_FALSE(session.changedOnDisk());  // gone: saving makes it again

  session.setFileName(path("later.csv"));  // a remembered book that was missing
  writeBytes(dir / "later.csv", "x\r\n");
  EXPECT_TRUE(session.changedOnDisk());
}

TEST_F(BookSessionTest, WithoutAFileTheBookCountsAsChangedOnceItHoldsAnything) {
  session.startWithNewBook();
  EXPECT_FALSE(session.changed());
  session.grid().setCell(kDescriptionColumn, 1, "typed");
  EXPECT_TRUE(session.changed());
}

// Answers to the open questions, counting how often each was asked.
struct Answers {
  bool convert = false;
  UnfinishedSaveChoice unfinished = UnfinishedSaveChoice::OpenNothing;
  int convertAsked = 0;
  int unfinishedAsked = 0;
  OpenQuestions questions() {
    return {[this] {
              ++convertAsked;
              return convert;
            },
            [this] {
              ++unfinishedAsked;
              return unfinished;
            }};
  }
};

using Rows = std::vector<Utf8Row>;

TEST_F(BookSessionTest, AUtf8BookIsConvertedOnlyWhenTheUserAgreesAndThenCountsAsChanged) {
  writeBytes(dir / "a.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  session.open(path("a.csv"), BookOrder::OldestFirst);
  writeBytes(dir / "u.csv", "\"2001/01/01\",\"給料\",\"250,000\",\"0\",\"250,000\"\n");  // UTF-8, LF

  Answers answers;
  EXPECT_FALSE(session.open(path("u.csv"), BookOrder::OldestFirst, answers.questions()));  // No
  EXPECT_EQ(answers.convertAsked, 1);
  EXPECT_EQ(session.fileName(), path("a.csv"));
  EXPECT_EQ(rowsOf(session.grid()), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));

  answers.convert = true;
  EXPECT_TRUE(session.reopen(path("u.csv"), answers.questions()));
  EXPECT_EQ(rowsOf(session.grid()), (Rows{{"2001/01/01", "給料", "250,000", "0", "250,000"}}));
  EXPECT_TRUE(session.changed());  // the rows equal the file's, but the file is not Shift-JIS yet
  session.save(BookOrder::OldestFirst);
  EXPECT_EQ(readBytes(dir / "u.csv"), sjis("\"2001/01/01\",\"給料\",\"250,000\",\"0\",\"250,000\"\r\n"));
  EXPECT_FALSE(session.changed());

  // Only a byte-order mark tells this one; a character Shift-JIS lacks
  // refuses the whole book.
  writeBytes(dir / "m.csv", "\xEF\xBB\xBF\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  EXPECT_TRUE(session.open(path("m.csv"), BookOrder::OldestFirst, answers.questions()));
  EXPECT_TRUE(session.changed());
  writeBytes(dir / "e.csv", "\"2001/01/01\",\"caf\xC3\xA9\",\"1\",\"0\",\"1\"\r\n");
  EXPECT_THROW(session.open(path("e.csv"), BookOrder::OldestFirst, answers.questions()), ConversionError);
  EXPECT_EQ(session.fileName(), path("m.csv"));
  EXPECT_EQ(answers.convertAsked, 4);
}

TEST_F(BookSessionTest, AUtf8LastBookDeclinedAtStartUpIsForgotten) {
  writeBytes(dir / "u.csv", "\"2001/01/01\",\"給料\",\"1\",\"0\",\"1\"\r\n");
  session.setFileName(path("u.csv"));
  Answers answers;
  EXPECT_FALSE(session.readLastBook(BookOrder::OldestFirst, answers.questions()));
  EXPECT_EQ(session.state(), BookState::LastBookMissing);
  EXPECT_TRUE(session.saveNeedsName());  // no Save can write over the file
  EXPECT_EQ(readBytes(dir / "u.csv"), "\"2001/01/01\",\"給料\",\"1\",\"0\",\"1\"\r\n");
}

TEST_F(BookSessionTest, TheCopyOfAnInPlaceSaveKilledHalfwayIsOfferedAtTheNextOpen) {
  const std::string oldBook =
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\r\n\"2001/01/03\",\"c\",\"3\",\"0\",\"6\"\r\n";
  const std::string newBook = "\"2001/01/01\",\"A\",\"1\",\"0\",\"1\"\r\n";
  writeBytes(dir / "book.csv", oldBook);
  std::filesystem::create_hard_link(dir / "book.csv", dir / "other-name.csv");  // saved in place
  ASSERT_TRUE(saveKilledAt(dir / "book.csv", newBook, SaveStep::CopyWritten, newBook));
  const Rows oldRows{{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/02", "b", "2", "0", "3"}, {"2001/01/03", "c", "3", "0", "6"}};

  Answers answers;  // Cancel: nothing opened, the copy kept
  EXPECT_FALSE(session.open(path("book.csv"), BookOrder::OldestFirst, answers.questions()));
  EXPECT_EQ(answers.unfinishedAsked, 1);
  EXPECT_TRUE(unfinishedSaveCopy(dir / "book.csv").has_value());

  answers.unfinished = UnfinishedSaveChoice::OpenCopy;
  EXPECT_TRUE(session.open(path("book.csv"), BookOrder::OldestFirst, answers.questions()));
  EXPECT_EQ(rowsOf(session.grid()), oldRows);
  EXPECT_TRUE(session.changed());
  EXPECT_FALSE(session.changedOnDisk());
  session.save(BookOrder::OldestFirst);
  EXPECT_EQ(readBytes(dir / "book.csv"), oldBook);
  EXPECT_EQ(readBytes(dir / "other-name.csv"), oldBook);
  EXPECT_FALSE(unfinishedSaveCopy(dir / "book.csv").has_value());
  EXPECT_FALSE(session.changed());

  // Killed after the whole new book was written: "the file as it is".
  ASSERT_TRUE(saveKilledAt(dir / "book.csv", newBook, SaveStep::WrittenInPlace));
  answers.unfinished = UnfinishedSaveChoice::OpenFile;
  EXPECT_TRUE(session.reopen(path("book.csv"), answers.questions()));
  EXPECT_EQ(rowsOf(session.grid()), (Rows{{"2001/01/01", "A", "1", "0", "1"}}));
  EXPECT_FALSE(unfinishedSaveCopy(dir / "book.csv").has_value());
  EXPECT_FALSE(session.changed());

  // Killed before the file was touched: the copy equals the file and goes
  // without a question.
  ASSERT_TRUE(saveKilledAt(dir / "book.csv", oldBook, SaveStep::CopyWritten));
  EXPECT_TRUE(session.open(path("book.csv"), BookOrder::OldestFirst, answers.questions()));
  EXPECT_EQ(answers.unfinishedAsked, 3);
  EXPECT_FALSE(unfinishedSaveCopy(dir / "book.csv").has_value());
}

TEST_F(BookSessionTest, OnlyRegularFilesAreOpenedOrSaved) {
  writeBytes(dir / "a.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  session.open(path("a.csv"), BookOrder::OldestFirst);
  ASSERT_EQ(::mkfifo(path("fifo.csv").c_str(), 0644), 0);
  try {
    session.open(path("fifo.csv"), BookOrder::OldestFirst);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), path("fifo.csv") + " は通常のファイルではありません");
  }
  EXPECT_THROW(session.open(dir.path().string(), BookOrder::OldestFirst), FileError);  // a folder neither
  EXPECT_EQ(session.fileName(), path("a.csv"));
  EXPECT_THROW(session.saveAs(path("fifo.csv"), BookOrder::OldestFirst), FileError);
  EXPECT_EQ(session.fileName(), path("a.csv"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo.csv"));

  BookSession startup;
  startup.setFileName(path("fifo.csv"));
  EXPECT_THROW(startup.readLastBook(BookOrder::OldestFirst), FileError);
  EXPECT_TRUE(startup.fileName().empty());  // no Save writes there
}

}  // namespace
}  // namespace sorabel::test
