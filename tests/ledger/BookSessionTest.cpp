// The book session: captions by state, which book-file operation each
// command runs, and when Save needs a name.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sorabel::test
