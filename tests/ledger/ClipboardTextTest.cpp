#include "ledger/ClipboardText.h"

#include <gtest/gtest.h>

#include "platform/Locale.h"
#include "support/LedgerFixtures.h"

namespace sorabel {
namespace {

using test::gridOf;

// Entries in UTF-8: date, description, income, expense.
using Entries = std::vector<std::vector<std::string>>;

Entries utf8(const std::vector<NewEntry>& entries) {
  Entries result;
  for (const NewEntry& e : entries)
    result.push_back({cp932ToUtf8(e.date), cp932ToUtf8(e.description), cp932ToUtf8(e.income), cp932ToUtf8(e.expense)});
  return result;
}

Entries tabRows(std::string_view text) { return utf8(pastedEntries(text, '\t')); }
Entries commaRows(std::string_view text) { return utf8(pastedEntries(text, ',')); }

// The message a paste is refused with.
std::string refusal(std::string_view text, char separator = '\t') {
  try {
    pastedEntries(text, separator);
  } catch (const PasteError& error) {
    return error.what();
  }
  return "(accepted)";
}

class ClipboardText : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }

  LedgerGrid grid = gridOf({{"2024/01/05", "コーヒー", "0", "480", "-480"},
                            {"2024/01/06", "給料\t1月分", "250,000", "0", "249,520"},
                            {"2024/01/07", "本 \"上\", 下", "0", "1,200", "248,320"}});
};

TEST_F(ClipboardText, CopiesABlockAsTabSeparatedRowsQuotingWhatASpreadsheetWouldSplit) {
  EXPECT_EQ(tabSeparatedText(grid, {1, 1, 1, 1}), "コーヒー");  // one cell: no line end to paste along
  EXPECT_EQ(tabSeparatedText(grid, {1, 2, 1, 2}), "コーヒー\t0\n\"給料\t1月分\"\t250,000");
  EXPECT_EQ(tabSeparatedText(grid, {3, 3, 0, 4}), "2024/01/07\t\"本 \"\"上\"\", 下\"\t0\t1,200\t248,320");
}

TEST_F(ClipboardText, CopiesABlockAsTheBookFileWritesItsLines) {
  EXPECT_EQ(commaSeparatedText(grid, {2, 3, 1, 2}),
            "\"給料\t1月分\",\"250,000\"\r\n\"本 \"\"上\"\", 下\",\"0\"\r\n");
}

TEST_F(ClipboardText, WholeRowsCopiedEitherWayPasteBackAsTheSameEntriesWithoutTheBalance) {
  const Entries expected{{"2024/01/05", "コーヒー", "0", "480"},
                         {"2024/01/06", "給料\t1月分", "250000", "0"},
                         {"2024/01/07", "本 \"上\", 下", "0", "1200"}};
  const CellBlock rows{1, 3, 0, 4};
  EXPECT_EQ(kindOfPastedText(tabSeparatedText(grid, rows)), PastedText::TabRows);
  EXPECT_EQ(tabRows(tabSeparatedText(grid, rows)), expected);
  EXPECT_EQ(commaRows(commaSeparatedText(grid, rows)), expected);
}

TEST_F(ClipboardText, RowsEndWithCrLfLfOrCrAndBlankRowsAreSkipped) {
  const Entries expected{{"2024/01/01", "a", "1", ""}, {"2024/01/02", "b", "", "2"}, {"2024/01/03", "c", "", ""}};
  EXPECT_EQ(tabRows("2024/01/01\ta\t1\r\n2024/01/02\tb\t\t2\r\n2024/01/03\tc\r\n"), expected);
  EXPECT_EQ(tabRows("\n2024/01/01\ta\t1\n\t\t\t\n2024/01/02\tb\t\t2\r\r2024/01/03\tc"), expected);
  EXPECT_EQ(tabRows(" \r\n\t\n"), Entries{});
}

TEST_F(ClipboardText, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
  EXPECT_EQ(tabRows("2024/01/01\t\"a\tb \"\"c\"\"\r\nd\"\t\"1,000\""),
            (Entries{{"2024/01/01", "a\tb \"c\" d", "1000", ""}}));
  EXPECT_EQ(commaRows("\"2024/01/01\",\"x, \"\"y\"\"\tz\",\"1,000\",\n2024/01/02,plain words,,5"),
            (Entries{{"2024/01/01", "x, \"y\"\tz", "1000", ""}, {"2024/01/02", "plain words", "", "5"}}));
  // Text after a closing quote is kept; a quote that never closes runs to
  // the end.
  EXPECT_EQ(tabRows("2024/01/01\t\"5\" floppy\t\t\"300"), (Entries{{"2024/01/01", "5 floppy", "", "300"}}));
  EXPECT_EQ(tabRows("2024/01/01\t5\" floppy"), (Entries{{"2024/01/01", "5\" floppy", "", ""}}));
}

TEST_F(ClipboardText, AHeaderRowIsSkippedOnlyAsTheFirstRowAndOnlyWithoutDigits) {
  const LedgerRow& header = LedgerGrid::headerRow();
  std::string ownHeader;
  for (const AnsiString& title : header) ownHeader += cp932ToUtf8(title) + "\t";
  EXPECT_EQ(tabRows(ownHeader + "\n2024/01/01\ta\t1"), (Entries{{"2024/01/01", "a", "1", ""}}));
  EXPECT_EQ(tabRows("\r\nDate\tItem\tIn\tOut\r\n2024/01/01\ta\t1"), (Entries{{"2024/01/01", "a", "1", ""}}));
  EXPECT_EQ(commaRows("日付,摘要\n2024/01/01,a"), (Entries{{"2024/01/01", "a", "", ""}}));
  EXPECT_EQ(tabRows("日付\t摘要\t収入\t支出"), Entries{});
  // Not headers: a title row after the first, a first row with a figure or
  // without a date field.
  EXPECT_EQ(refusal("2024/01/01\ta\n日付\t摘要"), "2 行目の日付が正しくありません。");
  EXPECT_EQ(refusal("合計\t\t1,000\t"), "1 行目の日付が正しくありません。");
  EXPECT_EQ(refusal("\tコーヒー\t\t"), "1 行目の日付が正しくありません。");
}

TEST_F(ClipboardText, AmountsTakeYenSignsCommasFullWidthDigitsAndZeroFractions) {
  const std::pair<const char*, const char*> amounts[] = {
      {"¥1,200", "1200"},     {"￥１，２００", "1200"}, {"\\ 300", "300"},       {"1200円", "1200"},
      {"１２００ 円", "1200"}, {"1,234,567", "1234567"}, {"2,147,483,647", "2147483647"},
      {"500.00", "500"},      {"  7 ", "7"},             {"", ""},                 {"  ", ""},
  };
  for (const auto& [typed, stored] : amounts) {
    EXPECT_EQ(tabRows(std::string("2024/01/01\ta\t") + typed + "\t" + typed),
              (Entries{{"2024/01/01", "a", stored, stored}}))
        << typed;
  }
}

TEST_F(ClipboardText, ABadAmountIsRefusedNamingItsRowAndColumn) {
  for (const char* bad :
       {"12.5", "1,20", "12,0000", "1,2,345", "1234,567", ",100", "-500", "(500)", "abc", "1 200", "3,000,000,000"}) {
    EXPECT_EQ(refusal(std::string("2024/01/01\ta\t1\t0\n2024/01/02\tb\t") + bad), "2 行目の収入が正しくありません。")
        << bad;
    EXPECT_EQ(refusal(std::string("2024/01/02\tb\t\t") + bad), "1 行目の支出が正しくありません。") << bad;
  }
}

TEST_F(ClipboardText, AmountsFollowTheUsersThousandsSeparator) {
  setThousandsSeparator('.');
  EXPECT_EQ(tabRows("2024/01/01\ta\t1.200\t3,400"), (Entries{{"2024/01/01", "a", "1200", "3400"}}));
  EXPECT_EQ(refusal("2024/01/01\ta\t500.00"), "1 行目の収入が正しくありません。");
}

TEST_F(ClipboardText, DatesAreReadAsTheBookReadsThemAndWrittenInFull) {
  EXPECT_EQ(tabRows("2024/1/5\ta\n2024-12-31\tb\n２０２４/０２/２９\tc\n 2024/03/01 10:30 \td"),
            (Entries{{"2024/01/05", "a", "", ""},
                     {"2024/12/31", "b", "", ""},
                     {"2024/02/29", "c", "", ""},
                     {"2024/03/01", "d", "", ""}}));
  for (const char* bad : {"2023/02/29", "2024/13/01", "2024年1月5日", "45296", "1/5"})
    EXPECT_EQ(refusal(std::string("2024/01/01\ta\n\n") + bad + "\tb"), "3 行目の日付が正しくありません。") << bad;
}

TEST_F(ClipboardText, DescriptionsBecomeShiftJisOrTheRowIsNamed) {
  EXPECT_EQ(pastedEntries("2024/01/01\t食費 ①\x1a", '\t').front().description, sjis("食費 ①"));
  EXPECT_EQ(refusal("2024/01/01\ta\n2024/01/02\t寿司🍣"), "2 行目の摘要: 「🍣」はShift-JISで扱えない文字です。");
}

TEST_F(ClipboardText, TellsRowsFromASingleValue) {
  EXPECT_EQ(kindOfPastedText(""), PastedText::Nothing);
  EXPECT_EQ(kindOfPastedText(" \r\n\t\n"), PastedText::Nothing);
  EXPECT_EQ(kindOfPastedText("コーヒー"), PastedText::Value);
  EXPECT_EQ(kindOfPastedText("\nコーヒー\r\n"), PastedText::Value);
  EXPECT_EQ(kindOfPastedText("1,200"), PastedText::Value);
  EXPECT_EQ(kindOfPastedText("Tokyo, Japan"), PastedText::Value);
  EXPECT_EQ(kindOfPastedText("\"a\tb\"\n"), PastedText::Value);
  EXPECT_EQ(kindOfPastedText("a\tb"), PastedText::TabRows);
  EXPECT_EQ(kindOfPastedText("2024/01/01\n2024/01/02"), PastedText::TabRows);
  EXPECT_EQ(kindOfPastedText("2024/01/05,コーヒー,,480"), PastedText::CommaRows);
  EXPECT_EQ(kindOfPastedText("a,b\nc,d"), PastedText::CommaRows);
  EXPECT_EQ(pastedValue("\n\"say \"\"hi\"\"\tnow\"\r\n"), "say \"hi\"\tnow");
  EXPECT_EQ(pastedValue("コーヒー\n"), "コーヒー");
}

}  // namespace
}  // namespace sorabel
