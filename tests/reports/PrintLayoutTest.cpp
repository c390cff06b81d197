#include "reports/PrintLayout.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "support/LedgerFixtures.h"
#include "ledger/Amount.h"
#include "ledger/SortAndBalance.h"
#include "platform/Locale.h"
#include "support/RecordingPrinter.h"

namespace sorabel {
namespace {

using Text = RecordingPrinter::Text;
using Line = RecordingPrinter::Line;

class PrintLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }

  // A balanced book of n entries, one yen of income each.
  static LedgerGrid book(int n) {
    LedgerGrid grid;
    grid.setRowCount(n + 1);
    for (int r = 1; r <= n; ++r) {
      grid.setCell(kDateColumn, r, "2001/01/01");
      grid.setCell(kDescriptionColumn, r, "e" + std::to_string(r));
      grid.setCell(kIncomeColumn, r, "1");
      grid.setCell(kExpenseColumn, r, "2");
    }
    sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
    return grid;
  }

  RecordingPrinter print(const LedgerGrid& grid) {
    RecordingPrinter printer;
    printBook(printer, grid, {"2026/12/08", sjis("家計簿.csv")});
    return printer;
  }

  static std::vector<Text> textsOn(const RecordingPrinter& printer, int page) {
    std::vector<Text> result;
    std::copy_if(printer.texts.begin(), printer.texts.end(), std::back_inserter(result),
                 [page](const Text& t) { return t.page == page; });
    return result;
  }
  static const Text* find(const std::vector<Text>& texts, std::string_view utf8) {
    const std::string bytes = sjis(utf8);
    auto it = std::find_if(texts.begin(), texts.end(), [&](const Text& t) { return t.text == bytes; });
    return it == texts.end() ? nullptr : &*it;
  }
  // Width rule of the recording printer.
  static int width(std::string_view utf8, int pointSize) { return static_cast<int>(sjis(utf8).size()) * pointSize * 3; }
};

TEST_F(PrintLayoutTest, PageCountIsThirtyFivePerPageRoundedUp) {
  EXPECT_EQ(printPageCount(LedgerGrid()), 1);
  EXPECT_EQ(printPageCount(book(35)), 1);
  EXPECT_EQ(printPageCount(book(36)), 2);
  EXPECT_EQ(printPageCount(book(71)), 3);
}

TEST_F(PrintLayoutTest, OneEntryPageHasEveryHeaderTextAtItsPlace) {
  RecordingPrinter printer = print(book(1));
  EXPECT_EQ(printer.fontName, "ＭＳ 明朝");
  EXPECT_TRUE(printer.portrait);
  EXPECT_TRUE(printer.started && printer.ended && !printer.aborted);
  EXPECT_EQ(printer.pages, 1);
  auto texts = textsOn(printer, 1);

  const Text* title = find(texts, "現金出納帳");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->pointSize, 16);
  EXPECT_EQ(title->x, 200 + (2500 - width("現金出納帳", 16)) / 2);
  EXPECT_EQ(title->y, 150);

  const Text* date = find(texts, "2026/12/08");
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(std::tie(date->x, date->y, date->pointSize), std::make_tuple(2000, 100, 10));

  const Text* label = find(texts, "1 / 1 Page");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->x + width("1 / 1 Page", 10), 2670);
  EXPECT_EQ(label->y, 100);

  const Text* count = find(texts, "Sorabel-簡単出納帳　　データ件数　1件");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(std::tie(count->x, count->y), std::make_tuple(230, 240));

  const Text* file = find(texts, "ﾌｧｲﾙ - 家計簿.csv");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->x + width("ﾌｧｲﾙ - 家計簿.csv", 10), 2670);
  EXPECT_EQ(file->y, 240);

  const int headingLefts[] = {200, 600, 1500, 1900, 2300};
  const int headingRights[] = {600, 1500, 1900, 2300, 2700};
  const char* headings[] = {"日付", "摘要", "収入", "支出", "残高"};
  for (int i = 0; i < 5; ++i) {
    const Text* heading = find(texts, headings[i]);
    ASSERT_NE(heading, nullptr) << headings[i];
    EXPECT_EQ(heading->x, headingLefts[i] + (headingRights[i] - headingLefts[i] - width(headings[i], 11)) / 2);
    EXPECT_EQ(heading->y, 330);
    EXPECT_EQ(heading->pointSize, 11);
  }
}

TEST_F(PrintLayoutTest, FrameAndRulesWithTheirPenWidths) {
  RecordingPrinter printer = print(book(1));
  std::vector<Line> thick;
  std::copy_if(printer.lines.begin(), printer.lines.end(), std::back_inserter(thick),
               [](const Line& l) { return l.penWidth == 5; });
  ASSERT_EQ(thick.size(), 4u);
  EXPECT_EQ(std::tie(thick[0].x1, thick[0].y1, thick[0].x2, thick[0].y2), std::make_tuple(200, 300, 2700, 300));
  EXPECT_EQ(std::tie(thick[1].x1, thick[1].y1, thick[1].x2, thick[1].y2), std::make_tuple(200, 3900, 2700, 3900));
  EXPECT_EQ(std::tie(thick[2].x1, thick[2].y1, thick[2].x2, thick[2].y2), std::make_tuple(200, 300, 200, 3900));
  EXPECT_EQ(std::tie(thick[3].x1, thick[3].y1, thick[3].x2, thick[3].y2), std::make_tuple(2700, 300, 2700, 3900));
  ASSERT_EQ(printer.lines.size(), 4u + 4u + 35u);
  EXPECT_EQ(printer.lines[4].x1, 600);
  EXPECT_EQ(printer.lines[7].x1, 2300);
  EXPECT_EQ(printer.lines[8].y1, 400);
  EXPECT_EQ(printer.lines.back().y1, 3800);
  EXPECT_EQ(printer.lines.back().penWidth, 1);
}

TEST_F(PrintLayoutTest, EntriesAndTotalsLine) {
  LedgerGrid grid = book(2);
  grid.setCell(kDescriptionColumn, 1, sjis("xあいうえおかきくけこさしすせそた"));  // 33 bytes
  RecordingPrinter printer = print(grid);
  auto texts = textsOn(printer, 1);
  const Text* date = find(texts, "2001/01/01");
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(std::tie(date->x, date->y), std::make_tuple(230, 430));
  const Text* cut = find(texts, "xあいうえおかきくけこさしすせ");  // 29 bytes: no half character
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(cut->x, 630);
  const Text* balance = find(texts, "-2");
  ASSERT_NE(balance, nullptr);
  EXPECT_EQ(balance->x + width("-2", 11), 2670);
  EXPECT_EQ(balance->y, 530);

  const Text* total = find(texts, "合計");
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->x, 200 + (400 - width("合計", 11)) / 2);
  EXPECT_EQ(total->y, 630);
  auto onTotalsLine = [&](const Text& t) { return t.y == 630; };
  std::vector<Text> totals;
  std::copy_if(texts.begin(), texts.end(), std::back_inserter(totals), onTotalsLine);
  ASSERT_EQ(totals.size(), 3u);  // no balance total
  EXPECT_EQ(totals[1].text, "2");
  EXPECT_EQ(totals[1].x + width("2", 11), 1870);
  EXPECT_EQ(totals[2].text, "4");
  EXPECT_EQ(totals[2].x + width("4", 11), 2270);
}

TEST_F(PrintLayoutTest, ThirtyFiveEntriesPutTheTotalsBelowTheFrame) {
  RecordingPrinter printer = print(book(35));
  EXPECT_EQ(printer.pages, 1);
  const Text* total = find(printer.texts, "合計");
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->y, 3930);
  EXPECT_NE(find(printer.texts, "e35"), nullptr);
}

TEST_F(PrintLayoutTest, ThirtySixEntriesMakeTwoPagesWithTheTotalsOnTheSecond) {
  RecordingPrinter printer = print(book(36));
  EXPECT_EQ(printer.pages, 2);
  auto first = textsOn(printer, 1);
  auto second = textsOn(printer, 2);
  EXPECT_NE(find(first, "1 / 2 Page"), nullptr);
  EXPECT_NE(find(second, "2 / 2 Page"), nullptr);
  EXPECT_EQ(find(first, "合計"), nullptr);
  const Text* total = find(second, "合計");
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->y, 530);
  EXPECT_NE(find(second, "e36"), nullptr);
  EXPECT_EQ(find(second, "e35"), nullptr);
  // Title, date, count and file name stand on every page.
  for (const char* text : {"現金出納帳", "2026/12/08", "Sorabel-簡単出納帳　　データ件数　36件", "ﾌｧｲﾙ - 家計簿.csv"})
    EXPECT_NE(find(second, text), nullptr) << text;
  EXPECT_EQ(printer.lines.size(), 2u * (4 + 4 + 35));
}

TEST_F(PrintLayoutTest, EmptyBookPrintsItsRowAndZeroTotals) {
  LedgerGrid grid;
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  RecordingPrinter printer = print(grid);
  EXPECT_EQ(printer.pages, 1);
  EXPECT_NE(find(printer.texts, "Sorabel-簡単出納帳　　データ件数　1件"), nullptr);
  std::vector<Text> zeros;
  std::copy_if(printer.texts.begin(), printer.texts.end(), std::back_inserter(zeros),
               [](const Text& t) { return t.text == "0"; });
  ASSERT_EQ(zeros.size(), 5u);  // three on line 1, two on the totals line
  EXPECT_EQ(zeros[3].y, 530);
}

TEST_F(PrintLayoutTest, AmountBeyondThirtyTwoBitsAbortsTheJob) {
  LedgerGrid grid = book(2);
  grid.setCell(kIncomeColumn, 2, "3000000000");
  RecordingPrinter printer;
  EXPECT_THROW(printBook(printer, grid, {"2026/12/08", "x"}), AmountError);
  EXPECT_TRUE(printer.aborted);
  EXPECT_FALSE(printer.ended);
}

}  // namespace
}  // namespace sorabel
