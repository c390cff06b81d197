#include "ledger/RowText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/LedgerFixtures.h"

namespace sorabel {
namespace {

using Fields = std::vector<std::string>;

Fields utf8Fields(std::string_view line) {
  Fields out;
  for (const AnsiString& f : splitFields(sjis(line))) out.push_back(cp932ToUtf8(f));
  return out;
}

TEST(RowText, JoinsCellsQuotingOnlyWhereNeeded) {
  EXPECT_EQ(rowText(LedgerRow{}), ",,,,");
  EXPECT_EQ(cp932ToUtf8(rowText(LedgerRow{sjis("2001/01/01"), sjis("給料"), "250,000", "0", "250,000"})),
            "2001/01/01,給料,\"250,000\",0,\"250,000\"");
  EXPECT_EQ(rowText(LedgerRow{"a b", "say \"hi\"", "", "\t", "x"}), "\"a b\",\"say \"\"hi\"\"\",,\"\t\",x");
  // 表 ends in 0x5C and ポ in 0x7C: neither needs quotes.
  EXPECT_EQ(rowText(LedgerRow{sjis("表ポ"), "", "", "", ""}), sjis("表ポ") + ",,,,");
}

TEST(SplitFields, ReadsQuotedUnquotedAndBlankSeparatedFields) {
  EXPECT_EQ(utf8Fields("\"2001/01/01\",\"給料\",\"250,000\",\"0\",\"250,000\""),
            (Fields{"2001/01/01", "給料", "250,000", "0", "250,000"}));
  EXPECT_EQ(utf8Fields("2001/01/05, 文具 ,300"), (Fields{"2001/01/05", "文具", "300"}));
  EXPECT_EQ(utf8Fields("\"a \"\"b\"\" c\""), (Fields{"a \"b\" c"}));
  EXPECT_EQ(utf8Fields("a b"), (Fields{"a", "b"}));           // an unquoted field ends at a blank
  EXPECT_EQ(utf8Fields("\"ab\"cd"), (Fields{"ab", "cd"}));    // text after a closing quote starts a field
  EXPECT_EQ(utf8Fields("\"open field"), (Fields{"open field"}));
}

TEST(SplitFields, CommasMakeEmptyFieldsExceptAtTheEnd) {
  EXPECT_EQ(utf8Fields("a,,b"), (Fields{"a", "", "b"}));
  EXPECT_EQ(utf8Fields(",a"), (Fields{"", "a"}));
  EXPECT_EQ(utf8Fields("a,"), (Fields{"a"}));
  EXPECT_EQ(utf8Fields(",,,,"), (Fields{"", "", "", ""}));
  EXPECT_EQ(utf8Fields(""), Fields{});
  EXPECT_EQ(utf8Fields("   "), Fields{});
}

TEST(SplitFields, SecondBytesOfKanjiAreNeverSeparators) {
  // ポ is 0x83 0x7C, ソ 0x83 0x5C; 0x81 0x40 is the ideographic space whose
  // second byte is "@". None of them splits a field.
  EXPECT_EQ(utf8Fields("ソポ　表,x"), (Fields{"ソポ　表", "x"}));
  // A lead byte is double-byte only with a valid second byte after it: a
  // lone one before a quote or a comma never swallows it.
  AnsiString line = "\"a\x81\",b\"";
  EXPECT_EQ(splitFields(line), (std::vector<AnsiString>{"a\x81", "b\""}));
  AnsiString plain = "a\x81,b";
  EXPECT_EQ(splitFields(plain), (std::vector<AnsiString>{"a\x81", "b"}));
}

TEST(RowText, SplitAndJoinAreInverseForRowsEndingInACell) {
  for (LedgerRow row : {LedgerRow{sjis("2001/01/01"), sjis("a, \"b\" c"), "1,000", "0", "1,000"},
                        LedgerRow{"", "", "0", "0", "0"}, LedgerRow{sjis("日付"), sjis("表ソ ポ"), "", "", "x"}}) {
    AnsiString text = rowText(row);
    EXPECT_EQ(joinRowText(splitFields(text)), text);
  }
}

// A line split in place with its quotes' places given comes out as one
// split without them: lines as the writer writes them and lines that only
// look so (a quote too many or too few, a blank or a semicolon between
// fields, a field left out, a doubled quote in the last field), and cells
// of every length.
TEST(SplitFields, InPlaceWithTheQuotesKnownAsWithout) {
  const std::vector<std::string> lines = {
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"",     "\"\",\"\",\"\",\"\",\"\"",
      "\"2001/01/01\",\"a\",\"1\",\"0\"",         "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\",\"6\"",
      "\"2001/01/01\",\"say \"\"hi\"\"\",\"1\",\"0\"", "\"2001/01/01\" ,\"a\",\"1\",\"0\",\"1\"",
      "\"2001/01/01\";\"a\",\"1\",\"0\",\"1\"",     "\"2001/01/01\",,\"1\",\"0\",\"1\"",
      "\"2001/01/01\"\"a\",\"1\",\"0\",\"1\",\"x\"", "\"\x81\",\"\x83|\",\"1\",\"0\",\"\x81\"",
      "2001/01/01,a,1,0,1",                       "\"",
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\"x\"",   // the last field goes on after a doubled quote
      "\"2001/01/01\",\"seventeen bytes..\",\"1\",\"0\",\"1\"",  // cells longer than sixteen bytes
      "\"2001/01/01\",\"a\",\"1\",\"0\",\"1234567890123456789\"",
  };
  for (const std::string& line : lines) {
    std::uint64_t quotes = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
      if (line[i] == '"') quotes |= std::uint64_t{1} << i;
    std::string plain = line;
    std::string marked = line + std::string(64, '"');  // the block after the line may be read
    CellEnds plainEnds{};
    CellEnds markedEnds{};
    EXPECT_EQ(splitFieldsInPlace(marked.data(), line.size(), quotes, markedEnds),
              splitFieldsInPlace(plain.data(), plain.size(), plainEnds))
        << line;
    EXPECT_EQ(markedEnds, plainEnds) << line;
    EXPECT_EQ(marked.substr(0, markedEnds.back()), plain.substr(0, plainEnds.back())) << line;
  }
}

}  // namespace
}  // namespace sorabel
