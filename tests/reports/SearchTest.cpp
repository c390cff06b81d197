#include "reports/Search.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "ledger/Amount.h"
#include "platform/Errors.h"

namespace sorabel {
namespace {

const std::string kBook = sjis(
    "\"2001/01/01\",\"給料\",\"250,000\",\"0\",\"250,000\"\r\n"
    "\"2001/01/05\",\"文具 Pen\",\"0\",\"1,234\",\"248,766\"\r\n"
    "\"2001/02/01\",\"給料 pen\",\"1,000,000\",\"0\",\"1,248,766\"\r\n"
    "\r\n"
    "\"2001/02/11\",\"ソフト\",\"0\",\"5\",\"1,248,761\"\r\n");

std::vector<std::string> descriptions(const SearchResult& result) {
  std::vector<std::string> out;
  for (const auto& row : result.rows) out.push_back(cp932ToUtf8(row[1]));
  return out;
}

TEST(Search, MatchesExactBytesAnywhereInTheStoredLine) {
  SearchResult salary = searchBookText(kBook, sjis("給料"));
  EXPECT_EQ(descriptions(salary), (std::vector<std::string>{"給料", "給料 pen"}));
  EXPECT_EQ(salary.incomeTotal, 1'250'000);
  EXPECT_EQ(salary.expenseTotal, 0);
  EXPECT_EQ(cp932ToUtf8(salary.rows[0][0]), "2001/01/01");
  EXPECT_EQ(cp932ToUtf8(salary.rows[1][2]), "1,000,000");

  EXPECT_EQ(searchBookText(kBook, "Pen").count(), 1);          // case counts
  EXPECT_EQ(searchBookText(kBook, sjis("Ｐｅｎ")).count(), 0);   // so does width
  EXPECT_EQ(searchBookText(kBook, "2,0").count(), 0);
  EXPECT_EQ(searchBookText(kBook, "1,2").count(), 3);          // amounts and balances count too
  EXPECT_EQ(searchBookText(kBook, ",").count(), 4);            // every line, blank ones never
  EXPECT_EQ(searchBookText(kBook, "0").count(), 4);            // several hits in a line count once
  EXPECT_EQ(searchBookText(kBook, "zzz").count(), 0);
}

TEST(Search, NeverMatchesTheSecondHalfOfAKanji) {
  // ソ is 0x83 0x5C; the "\" byte inside it is not a backslash, and
  // 0x5C 0x83 (the end of ソ and the start of the next kana) is no match.
  const std::string book = sjis("\"ソフト\",\"\\\"\r\n");
  EXPECT_TRUE(lineContains(book, "\\"));  // the real backslash in the second field
  EXPECT_FALSE(lineContains(sjis("ソフト"), "\\"));
  EXPECT_FALSE(lineContains(sjis("ソフト"), std::string("\x5C\x83", 2)));
  EXPECT_TRUE(lineContains(sjis("ソフト"), sjis("フ")));
}

TEST(Search, ShortLinesFillWhatTheyHave) {
  SearchResult result = searchBookText("\"2001/01/01\",\"x\",\"7\"\r\nx\r\n", "x");
  ASSERT_EQ(result.count(), 2);
  EXPECT_EQ(result.rows[0], (std::array<AnsiString, 4>{"2001/01/01", "x", "7", ""}));
  EXPECT_EQ(result.rows[1], (std::array<AnsiString, 4>{"x", "", "", ""}));
  EXPECT_EQ(result.incomeTotal, 7);
  EXPECT_EQ(result.expenseTotal, 0);
}

TEST(Search, TotalsBeyondThirtyTwoBitsStayExactButFieldsMayNot) {
  std::string book;
  for (int i = 0; i < 3; ++i) book += "\"2001/01/01\",\"x\",\"2,000,000,000\",\"0\",\"0\"\r\n";
  EXPECT_EQ(searchBookText(book, "x").incomeTotal, 6'000'000'000LL);
  EXPECT_THROW(searchBookText("\"d\",\"x\",\"3000000000\",\"0\"\r\n", "x"), AmountError);
}

TEST(Search, MissingFileIsAnError) {
  test::TempDir dir;
  EXPECT_THROW(searchBookFile(dir / "none.csv", "x"), FileError);
  test::writeBytes(dir / "book.csv", kBook);
  EXPECT_EQ(searchBookFile(dir / "book.csv", sjis("ソフト")).expenseTotal, 5);
}

TEST(Search, ReadsLinesOfEveryEndingAndUtf8BooksAsConverted) {
  std::string lf = kBook;
  for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.replace(at, 2, "\n");
  EXPECT_EQ(searchBookText(lf, sjis("給料")).incomeTotal, 1'250'000);  // not one long line
  EXPECT_EQ(searchBookText(lf, ",").count(), 4);

  test::TempDir dir;
  test::writeBytes(dir / "utf8.csv", "\xEF\xBB\xBF" + cp932ToUtf8(lf));
  const SearchResult found = searchBookFile(dir / "utf8.csv", sjis("給料"));
  EXPECT_EQ(descriptions(found), (std::vector<std::string>{"給料", "給料 pen"}));
  EXPECT_EQ(cp932ToUtf8(found.rows[0][0]), "2001/01/01");  // the mark is not part of the date
}

}  // namespace
}  // namespace sorabel
