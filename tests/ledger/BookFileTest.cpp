#include "ledger/BookFile.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <random>

#include "ledger/BookSession.h"
#include "ledger/RowText.h"
#include "support/LedgerFixtures.h"
#include "support/TestFiles.h"
#include "platform/Errors.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

using test::columnOf;
using test::gridOf;
using test::readBytes;
using test::rowsOf;
using test::TempDir;
using test::writeBytes;
using Rows = std::vector<test::Utf8Row>;

class BookFileTest : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }

  // Reads UTF-8 text as a Shift-JIS book file.
  static LedgerGrid read(std::string_view utf8) {
    LedgerGrid grid;
    readBookText(grid, sjis(utf8));
    return grid;
  }

  // Opens a book as the program does (read, then the order-and-balance pass)
  // into a session whose grid held rows before.
  static BookSession openedOver(LedgerGrid previous, const std::filesystem::path& file, BookOrder order) {
    BookSession session;
    session.grid() = std::move(previous);
    EXPECT_TRUE(session.open(file.string(), order));
    return session;
  }

  TempDir dir;
};

TEST_F(BookFileTest, WritesTheExactFormat) {
  LedgerGrid grid = gridOf({{"2001/01/01", "給料", "250000", ""}});
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  writeBookFile(grid, dir / "book.csv");
  EXPECT_EQ(readBytes(dir / "book.csv"), sjis("\"2001/01/01\",\"給料\",\"250,000\",\"0\",\"250,000\"\r\n"));

  LedgerGrid empty;
  sortAndBalance(empty, kDateColumn, BookOrder::OldestFirst);
  EXPECT_EQ(bookFileText(empty), "\"\",\"\",\"0\",\"0\",\"0\"\r\n");
}

TEST_F(BookFileTest, RoundTripKeepsRowsOrderAndShiftJisText) {
  // 表/ソ/能 end in 0x5C ("\"), ポ/－ in 0x7C ("|"); half-width kana are single bytes.
  LedgerGrid grid = gridOf({{"2001/03/01", "表ソ能 ﾃｽﾄ", "1,000"}, {"2001/02/01", "ポ－, \"引用\"", "", "300"},
                            {"2001/01/01", "", "50"}});
  sortAndBalance(grid, kDateColumn, BookOrder::NewestFirst);
  const Rows saved = rowsOf(grid);
  writeBookFile(grid, dir / "book.csv");
  EXPECT_FALSE(bookChanged(grid, dir / "book.csv"));

  const BookSession reopened =
      openedOver(gridOf({{"old"}, {"rows"}, {"more"}, {"than"}, {"the file"}}), dir / "book.csv", BookOrder::NewestFirst);
  EXPECT_EQ(rowsOf(reopened.grid()), saved);
  EXPECT_FALSE(bookChanged(reopened.grid(), dir / "book.csv"));
}

TEST_F(BookFileTest, ReadsLenientLines) {
  EXPECT_EQ(rowsOf(read("2001/01/05, 文具 ,300\r\n")), (Rows{{"2001/01/05", "文具", "300", "", ""}}));
  EXPECT_EQ(rowsOf(read("\r\n\r\n  \"a\"\r\n\r\n\t\"b\"\r\n")),
            (Rows{{"a", "", "", "", ""}, {"b", "", "", "", ""}}));
  EXPECT_EQ(rowsOf(read("\"q\"\"q\",1,2,3,4,5,6\r\n")), (Rows{{"q\"q", "1", "2", "3", "4"}}));
}

TEST_F(BookFileTest, LinesEndedByLineFeedsOrCarriageReturnsAloneAreEntriesToo) {
  const Rows three{{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/02", "b", "2", "0", "3"}, {"2001/01/03", "c", "3", "0", "6"}};
  const std::string lf = "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\n\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\n"
                         "\"2001/01/03\",\"c\",\"3\",\"0\",\"6\"\n";
  EXPECT_EQ(rowsOf(read(lf)), three);
  std::string cr = lf;
  std::replace(cr.begin(), cr.end(), '\n', '\r');
  EXPECT_EQ(rowsOf(read(cr)), three);
  LedgerGrid marked;
  readBookText(marked, "\xEF\xBB\xBF" + lf);
  EXPECT_EQ(rowsOf(marked), three);  // the mark is not part of the first date

  // Unchanged right after opening; saving writes CR LF.
  const auto file = dir / "book.csv";
  writeBytes(file, lf);
  LedgerGrid grid = openedOver({}, file, BookOrder::OldestFirst).grid();
  EXPECT_FALSE(bookChanged(grid, file));
  grid.deleteRows(3, 3);
  EXPECT_TRUE(bookChanged(grid, file));  // an entry line after the last row
  writeBookFile(grid, file);
  EXPECT_EQ(readBytes(file), "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n\"2001/01/02\",\"b\",\"2\",\"0\",\"3\"\r\n");
}

TEST_F(BookFileTest, TheWriterRefusesEveryCellTheReaderWouldReadDifferently) {
  // Every byte at the start, in the middle and at the end of a cell, alone
  // and as the second byte after a Shift-JIS lead byte: what the writer
  // accepts reads back exactly.
  int refused = 0;
  for (int code = 0; code < 256; ++code) {
    const char c = static_cast<char>(code);
    for (const std::string& cell : {std::string(1, c), "x" + std::string(1, c), std::string(1, c) + "y",
                                    "\x81" + std::string(1, c) + "z", "\"" + std::string(1, c) + "\""}) {
      LedgerGrid grid = gridOf({{"2001/01/01", "", "1", "0", "1"}, {"2001/01/02", "", "1", "0", "2"}});
      grid.setCell(kDescriptionColumn, 1, cell);
      grid.setCell(kBalanceColumn, 2, cell);
      std::string text;
      try {
        text = bookFileText(grid);
      } catch (const UnsavableCellError&) {
        EXPECT_FALSE(cellReadsBack(cell));
        ++refused;
        continue;
      }
      LedgerGrid again;
      readBookText(again, text);
      ASSERT_EQ(again.rowCount(), 3) << "byte " << code;
      EXPECT_EQ(again.row(1), grid.row(1)) << "byte " << code;
      EXPECT_EQ(again.row(2), grid.row(2)) << "byte " << code;
      EXPECT_FALSE(bookDiffers(grid, text)) << "byte " << code;
    }
  }
  EXPECT_EQ(refused, 3 * 5);  // CR, LF and 26, wherever they stand
}

// A large book goes to the disk in pieces as its text is made: the file
// holds exactly the book's text, and a cell refused near the end, after
// pieces were written, leaves the old file and no other.
TEST_F(BookFileTest, ALargeBookIsSavedExactlyOrNotAtAll) {
  const auto file = dir / "book.csv";
  const int n = 40'000;
  LedgerGrid grid;
  grid.setRowCount(n + 1);
  for (int r = 1; r <= n; ++r) grid.setRow(r, {"2001/01/01", "row " + std::to_string(r), "1", "0", std::to_string(r)});
  grid.setCell(kDescriptionColumn, 7, "say \"hi\"");  // a line longer than its cells and sixteen bytes
  writeBookFile(grid, file);
  EXPECT_TRUE(readBytes(file) == bookFileText(grid));

  writeBytes(file, "previous");
  grid.setCell(kDescriptionColumn, n - 1, "line\nbreak");
  EXPECT_THROW(writeBookFile(grid, file), UnsavableCellError);
  EXPECT_EQ(readBytes(file), "previous");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u);
}

TEST_F(BookFileTest, ARefusedCellNamesItsRowAndColumnAndWritesNothing) {
  const auto file = dir / "book.csv";
  writeBytes(file, "previous");
  LedgerGrid grid = gridOf({{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/02", "", "2", "0", "3"}});
  grid.setCell(kDescriptionColumn, 2, sjis("貼り付け") + "\x1A" + std::string(100, 'z'));
  try {
    writeBookFile(grid, file);
    FAIL();
  } catch (const UnsavableCellError& e) {
    EXPECT_EQ(std::string(e.what()),
              "2 行目の摘要「貼り付け zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz…」に改行または文字コード 26 の文字が含まれているため、"
              "保存できません。\nその文字を取り除いてから保存して下さい。");
  }
  EXPECT_EQ(readBytes(file), "previous");
}

TEST_F(BookFileTest, Utf8BooksAreToldApartAndConvertedWhole) {
  EXPECT_TRUE(isUtf8Book("\"2001/01/01\",\"給料\"\r\n"));  // the source text is UTF-8
  EXPECT_FALSE(isUtf8Book(sjis("\"2001/01/01\",\"給料\"\r\n")));
  EXPECT_EQ(utf8BookInShiftJis("\xEF\xBB\xBF\"給料\",\"ｶﾅ\"\n"), sjis("\"給料\",\"ｶﾅ\"\n"));
  try {
    utf8BookInShiftJis("\"a\",\"caf\xC3\xA9 \xF0\x9F\x98\x80\"\r\n");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_EQ(std::string(e.what()), "「é」はShift-JISで扱えない文字です。");  // the first one
  }
}

TEST_F(BookFileTest, ReadingRefusesAFileAboveTheBookLimitAndAnythingButAFile) {
  const auto file = dir / "book.csv";
  std::filesystem::resize_file((writeBytes(file, ""), file), kMaxBookFileBytes + 1);  // sparse: no disk used
  try {
    readBookBytes(file);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("256 MB"), std::string::npos);
  }
  LedgerGrid grid = gridOf({{"2001/01/01", "x"}});
  EXPECT_THROW(readBookFile(grid, file), FileError);
  EXPECT_EQ(columnOf(grid, 1), std::vector<std::string>{"x"});
}

TEST_F(BookFileTest, LoadingAFileWithoutLinesGivesAnEmptyBook) {
  writeBytes(dir / "empty.csv", "");
  const BookSession session =
      openedOver(gridOf({{"2001/01/01", "x", "1"}, {"2001/01/02", "y", "2"}}), dir / "empty.csv", BookOrder::OldestFirst);
  EXPECT_EQ(rowsOf(session.grid()), (Rows{{"", "", "0", "0", "0"}}));
}

TEST_F(BookFileTest, OpeningAMissingFileKeepsTheRows) {
  const BookSession session = openedOver(gridOf({{"2001/01/01", "x"}}), dir / "none.csv", BookOrder::OldestFirst);
  EXPECT_EQ(columnOf(session.grid(), 1), std::vector<std::string>{"x"});
}

TEST_F(BookFileTest, UnreadableFileIsAnErrorAndLeavesTheBook) {
  LedgerGrid grid = gridOf({{"2001/01/01", "x"}});
  std::filesystem::create_directory(dir / "folder.csv");
  EXPECT_THROW(readBookFile(grid, dir / "folder.csv"), FileError);
  EXPECT_EQ(columnOf(grid, 1), std::vector<std::string>{"x"});
}

TEST_F(BookFileTest, FailedSaveKeepsThePreviousFile) {
  writeBytes(dir / "book.csv", "previous");
  std::filesystem::create_directory(dir / "book.csv.d");
  LedgerGrid grid = gridOf({{"2001/01/01"}});
  EXPECT_THROW(writeBookFile(grid, dir / "missing-folder" / "book.csv"), FileError);
  // A folder in the way of the target cannot be replaced.
  writeBytes(dir / "book.csv.d" / "inside", "x");
  EXPECT_THROW(writeBookFile(grid, dir / "book.csv.d"), FileError);
  EXPECT_EQ(readBytes(dir / "book.csv"), "previous");
}

TEST_F(BookFileTest, BookChangedComparesEveryRowWithItsLine) {
  const auto file = dir / "book.csv";
  LedgerGrid grid = gridOf({{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/02", "b", "2", "0", "3"}});
  EXPECT_TRUE(bookChanged(grid, file));  // no file yet, but entries: changed
  EXPECT_FALSE(bookChanged(LedgerGrid(), file));  // an empty book without a file: unchanged
  writeBookFile(grid, file);
  EXPECT_FALSE(bookChanged(grid, file));

  grid.setCell(kDescriptionColumn, 2, "B");
  EXPECT_TRUE(bookChanged(grid, file));
  grid.setCell(kDescriptionColumn, 2, "b");

  grid.deleteRows(2, 2);  // the file has more entry lines than the grid: deleted, changed
  EXPECT_TRUE(bookChanged(grid, file));
  writeBytes(file, readBytes(file).substr(0, readBytes(file).find("\r\n") + 2) + "\r\n  \r\n");
  EXPECT_FALSE(bookChanged(grid, file));  // blank lines after the rows are no entries

  LedgerGrid longer = gridOf({{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/02", "b", "2", "0", "3"}, {"x"}});
  EXPECT_TRUE(bookChanged(longer, file));  // a missing line counts as empty

  // Same cells written differently (unquoted, blanks) count as the same.
  writeBytes(file, " 2001/01/01 , a ,1,0,1\r\n2001/01/02,b,2,0,3\r\n");
  EXPECT_FALSE(bookChanged(gridOf({{"2001/01/01", "a", "1", "0", "1"}, {"2001/01/02", "b", "2", "0", "3"}}), file));

  // Blank lines are compared as lines here, unlike when reading.
  writeBytes(file, "\r\n2001/01/01,a,1,0,1\r\n");
  EXPECT_TRUE(bookChanged(gridOf({{"2001/01/01", "a", "1", "0", "1"}}), file));
}

TEST_F(BookFileTest, OtherOrderOrUnformattedAmountsCountAsChangedAfterLoading) {
  const auto file = dir / "book.csv";
  writeBytes(file, "\"2001/01/02\",\"b\",\"2000\",\"0\",\"2000\"\r\n\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  EXPECT_TRUE(bookChanged(openedOver({}, file, BookOrder::OldestFirst).grid(), file));
}

TEST_F(BookFileTest, NulBytesAndLoneLeadBytesComeBackExactly) {
  const auto file = dir / "book.csv";
  LedgerGrid grid = gridOf({{"2001/01/01", "", "250,000", "0", "250,000"}, {"2001/01/02", "", "1", "0", "250,001"}});
  grid.setCell(kDescriptionColumn, 1, sjis("給料") + std::string("\0memo", 5));  // a NUL inside a line
  grid.setCell(kDescriptionColumn, 2, sjis("文具") + "\x81");                      // ends in a lone lead byte
  writeBookFile(grid, file);
  EXPECT_FALSE(bookChanged(grid, file));
  LedgerGrid again;
  readBookFile(again, file);
  for (int r = 1; r <= 2; ++r) EXPECT_EQ(again.row(r), grid.row(r));
  EXPECT_EQ(again.cell(kIncomeColumn, 1), "250,000");
  EXPECT_EQ(again.cell(kBalanceColumn, 2), "250,001");
}

// Lines written as the writer writes them and lines that only look alike:
// the reader, which splits written lines by a quicker path, and the
// unsaved-changes test, which compares written lines by one, must agree
// with splitting each line into fields and joining them again.
std::vector<std::string> lookalikeLines() {
  return {
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"",
      "\"2001/01/01\",\"a b\",\"1,000\",\"0\",\"1,000\"",
      "\"\",\"\",\"\",\"\",\"\"",
      "\"2001/01/01\",\"a\",\"1\",\"0\"",
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\",\"6\"",
      "\"2001/01/01\",\"say \"\"hi\"\"\",\"1\",\"0\",\"1\"",
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\" ",
      "\"2001/01/01\" ,\"a\",\"1\",\"0\",\"1\"",
      "\"2001/01/01\"\"a\",\"1\",\"0\",\"1\",\"x\"",
      "\"2001/01/01\",x\"a\",\"1\",\"0\",\"1\"",
      "\"2001/01/01\";\"a\",\"1\",\"0\",\"1\"",
      "\"2001/01/01\",,\"1\",\"0\",\"1\"",
      "\"2001/01/01\",\"a\t\x01\",\"1\",\"0\",\"1\"",
      "\"\x81\",\"\x83|\",\"1\",\"0\",\"\x81\"",
      "2001/01/01,a,1,0,1",
      " 2001/01/01 , a ,1,0,1",
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1",
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\"\"",
      "\"",
      "\"\"",
      "x",
  };
}

LedgerRow referenceRow(std::string_view line) {
  LedgerRow row;
  const std::vector<AnsiString> fields = splitFields(line);
  for (std::size_t c = 0; c < row.size() && c < fields.size(); ++c) row[c] = fields[c];
  return row;
}

TEST_F(BookFileTest, WrittenLinesAndLinesThatOnlyLookWrittenReadAsTheirFields) {
  for (const std::string& line : lookalikeLines()) {
    LedgerGrid grid;
    readBookText(grid, line + "\r\n" + line + "\n");
    ASSERT_EQ(grid.dataRowCount(), 2) << line;
    const LedgerRow expected = referenceRow(line);
    for (int r = 1; r <= 2; ++r)
      for (int c = 0; c < kLedgerColumnCount; ++c) EXPECT_EQ(grid.cell(c, r), expected[static_cast<std::size_t>(c)]) << line;
  }
}

TEST_F(BookFileTest, TheUnsavedChangesTestAgreesWithComparingRowTexts) {
  const std::vector<std::string> lines = lookalikeLines();
  for (const std::string& rowLine : lines) {
    const LedgerRow row = referenceRow(rowLine);
    LedgerGrid grid;
    for (int c = 0; c < kLedgerColumnCount; ++c) grid.setCell(c, 1, row[static_cast<std::size_t>(c)]);
    for (const std::string& fileLine : lines) {
      const bool differs = joinRowText(splitFields(fileLine)) != rowText(row);
      EXPECT_EQ(bookDiffers(grid, fileLine + "\r\n"), differs) << rowLine << " against " << fileLine;
    }
  }
}

// A large book is read in two halves at the same time: its rows are still
// those of its lines read one by one, in order, with lines of every kind
// and every line end around the cut, and nothing after an end-of-file mark
// in either half.
TEST_F(BookFileTest, ALargeBookReadsAsItsLinesOneByOne) {
  std::vector<std::string> kinds = lookalikeLines();
  kinds.push_back("\xEF\xBB\xBF\"2001/01/01\"");  // looks like a byte-order mark, but is no file start
  // Written lines with cells of every length, long lines among them.
  const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMN";
  for (std::size_t length = 0; length <= 40; length += 3)
    kinds.push_back("\"2001/01/01\",\"" + letters.substr(0, length) + "\",\"1,000\",\"0\",\"" +
                    letters.substr(10, length / 2) + "\"");
  const std::vector<std::string> ends = {"\r\n", "\n", "\r", "\r\n\r\n \t", "\n\r"};
  std::mt19937 random(3);
  std::vector<std::string> lines;
  std::string text;
  std::vector<std::size_t> lineEnds;  // where each line's end bytes stop
  while (text.size() < 1'500'000) {
    lines.push_back(kinds[random() % kinds.size()]);
    text += lines.back() + ends[random() % ends.size()];
    lineEnds.push_back(text.size());
  }
  std::vector<LedgerRow> rows;
  for (const std::string& line : lines) rows.push_back(referenceRow(line));
  const auto expectRows = [&](const std::string& bytes, std::size_t count) {
    LedgerGrid grid;
    readBookText(grid, bytes);
    ASSERT_EQ(grid.dataRowCount(), static_cast<int>(count));
    for (std::size_t k = 0; k < count; ++k)
      for (int c = 0; c < kLedgerColumnCount; ++c)
        ASSERT_EQ(grid.cell(c, static_cast<int>(k) + 1), rows[k][static_cast<std::size_t>(c)]) << "line " << k;
  };
  expectRows(text, lines.size());
  // Every cut that lands near the middle: the text grows a byte at a time.
  for (std::string extra = "x"; extra.size() <= 60; extra += 'x') {
    rows.push_back(referenceRow(extra));
    expectRows(text + extra, rows.size());
    rows.pop_back();
  }
  for (const std::size_t line : {lines.size() / 4, lines.size() * 3 / 4}) {
    std::string marked = text;
    marked.insert(lineEnds[line - 1], "\x1A");
    expectRows(marked, line);
  }
}

// A large book is compared with its file in two halves at the same time,
// the second starting where the writer would have put its first line.
// Whatever the file's lines look like before the middle, the test says
// what comparing row by row says.
TEST_F(BookFileTest, TheUnsavedChangesTestOfALargeBookComparesEveryRowWithItsLine) {
  const int n = 20'000;
  LedgerGrid grid;
  grid.setRowCount(n + 1);
  for (int r = 1; r <= n; ++r) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", 2000 + r / 336, 1 + r / 28 % 12, 1 + r % 28);
    grid.setRow(r, {date, "entry " + std::to_string(r), std::to_string(r % 7 * 1000), "0", ""});
  }
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  const std::string written = bookFileText(grid);
  const auto lineStart = [&](int row) {
    std::size_t at = 0;
    for (int r = 1; r < row; ++r) at = written.find('\n', at) + 1;
    return at;
  };
  const auto replaced = [&](std::size_t at, std::size_t length, const std::string& with) {
    std::string text = written;
    return text.replace(at, length, with);
  };
  const std::size_t early = lineStart(10);
  const std::size_t late = lineStart(n - 10);
  const std::size_t middle = lineStart(n / 2 + 1);
  EXPECT_FALSE(bookDiffers(grid, written));
  // The same rows with the lines before the middle laid out otherwise.
  std::string lineFeeds = written;
  std::erase(lineFeeds, '\r');
  EXPECT_FALSE(bookDiffers(grid, lineFeeds));
  EXPECT_FALSE(bookDiffers(grid, replaced(lineStart(11) - 2, 0, "  ")));  // blanks after the last field
  EXPECT_TRUE(bookDiffers(grid, replaced(early, 0, "\r\n")));         // a blank line is a row of its own
  // A difference anywhere, also after lines laid out otherwise.
  EXPECT_TRUE(bookDiffers(grid, replaced(early + 1, 1, "1")));
  EXPECT_TRUE(bookDiffers(grid, replaced(late + 1, 1, "1")));
  EXPECT_TRUE(bookDiffers(grid, replaced(middle + 1, 1, "1")));
  std::string shiftedAndChanged = replaced(late + 1, 1, "1");
  shiftedAndChanged.insert(early, "\r\n");
  EXPECT_TRUE(bookDiffers(grid, shiftedAndChanged));
  // Entries added or removed at the end.
  EXPECT_TRUE(bookDiffers(grid, written + "\"x\"\r\n"));
  EXPECT_FALSE(bookDiffers(grid, written + "\r\n \r\n"));
  EXPECT_TRUE(bookDiffers(grid, written.substr(0, lineStart(n))));
  // A file shorter than its first half.
  EXPECT_TRUE(bookDiffers(grid, written.substr(0, early)));
}

}  // namespace
}  // namespace sorabel
