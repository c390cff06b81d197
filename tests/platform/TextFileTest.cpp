#include "platform/TextFile.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace sorabel {
namespace {

std::vector<std::string> plainLines(std::string_view bytes) {
  TextLineReader reader(bytes);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.nextLine(line)) lines.emplace_back(line);
  return lines;
}

std::vector<std::string> entryLines(std::string_view bytes) {
  TextLineReader reader(bytes);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.nextEntryLine(line)) lines.emplace_back(line);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(TextLineReader, CarriageReturnLineFeedOrBothEndALine) {
  EXPECT_EQ(plainLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(plainLines("a\rb"), (Lines{"a", "b"}));
  EXPECT_EQ(plainLines("a\nb\nc\n"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(plainLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));  // mixed in one file
  EXPECT_EQ(plainLines("a\n\nb"), (Lines{"a", "", "b"}));             // a blank line stays a line
  EXPECT_EQ(plainLines("a\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(plainLines(""), Lines{});
  EXPECT_EQ(plainLines("\r\n\r\nx"), (Lines{"", "", "x"}));
  EXPECT_EQ(entryLines("\n\n a\nb\n"), (Lines{"a", "b"}));
}

TEST(TextLineReader, LineEndsAreFoundWhereverTheyStandAmongAnyOtherBytes) {
  // Every byte but the three line enders, tabs and Shift-JIS lead bytes
  // among them, before a line end at every distance from the start.
  std::string others;
  for (int code = 0; code < 256; ++code)
    if (code != '\r' && code != '\n' && code != kEndOfFile) others += static_cast<char>(code);
  for (std::size_t length = 0; length < 40; ++length) {
    for (std::size_t shift = 0; shift < others.size(); shift += 37) {
      std::string line;
      for (std::size_t i = 0; i < length; ++i) line += others[(shift + i) % others.size()];
      for (const char* end : {"\n", "\r", "\r\n", "\x1A"}) {
        Lines expected{line, "z"};
        if (std::string_view(end) == "\x1A") expected = line.empty() ? Lines{} : Lines{line};  // the end of the file
        EXPECT_EQ(plainLines(line + end + "z"), expected) << length << " bytes from " << shift;
      }
    }
  }
}

TEST(TextLineReader, AByteOrderMarkAtTheStartIsNoPartOfTheFirstLine) {
  EXPECT_EQ(plainLines("\xEF\xBB\xBF\"a\"\r\nb"), (Lines{"\"a\"", "b"}));
  EXPECT_EQ(entryLines("\xEF\xBB\xBF\r\n\r\n a"), (Lines{"a"}));
  // Only at the very start.
  EXPECT_EQ(plainLines("a\r\n\xEF\xBB\xBF" "b"), (Lines{"a", "\xEF\xBB\xBF" "b"}));
}

TEST(TextEncoding, Utf8TextIsToldFromShiftJis) {
  EXPECT_TRUE(isUtf8Text("\"2001/01/01\",\"\xE7\xB5\xA6\xE6\x96\x99\"\r\n"));  // 給料 in UTF-8
  EXPECT_FALSE(isUtf8Text("\"2001/01/01\",\"\x8B\x8B\x97\xBF\"\r\n"));  // 給料 in Shift-JIS
  EXPECT_FALSE(isUtf8Text("\xC3\xBD\xC4"));                             // ｽﾄ-like bytes: valid start, cut end
  EXPECT_FALSE(isUtf8Text("\xB1\xB2\xB3"));                             // half-width kana
  EXPECT_FALSE(isUtf8Text("\"plain\",\"ascii\"\r\n"));                 // nothing to convert
  EXPECT_TRUE(isUtf8Text("\xEF\xBB\xBF\"plain\"\r\n"));                 // but the mark says so
  EXPECT_FALSE(isUtf8Text("\xC0\xAF"));                                   // overlong
  EXPECT_FALSE(isUtf8Text("\xE0\x80\xAF"));                               // overlong, three bytes
  EXPECT_FALSE(isUtf8Text("\xED\xA0\x80"));                               // a surrogate
  EXPECT_FALSE(isUtf8Text("\xF4\x90\x80\x80"));                           // beyond U+10FFFF
  EXPECT_TRUE(isUtf8Text("\xF0\x9F\x98\x80"));                            // beyond the first plane
}

TEST(TextLineReader, CodeTwentySixEndsTheFile) {
  EXPECT_EQ(plainLines("a\r\nb\x1A" "c\r\nd"), (Lines{"a", "b"}));
  EXPECT_EQ(entryLines("a\r\n  \x1A" "b"), (Lines{"a"}));
}

TEST(TextLineReader, EntryLinesSkipBlankLinesAndLeadingBlanks) {
  EXPECT_EQ(entryLines("\r\n\r\n  \ta\r\n\r\n\x01 b  \r\n \r\n"), (Lines{"a", "b  "}));
  EXPECT_EQ(entryLines(std::string("\0x", 2)), (Lines{"x"}));
}

// A reader split in two gives, the halves read one after the other, the
// lines of the whole: whatever stands at the cut (a CR LF pair, blank
// lines, bytes that look like a byte-order mark, an end-of-file mark
// before or after it).
TEST(TextLineReader, TheTwoHalvesOfASplitReaderGiveTheLinesOfTheWhole) {
  const std::vector<std::string> pieces = {"a", "bc", "\"d\",\"e\"", "\r", "\n", "\r\n", " ", "\t",
                                           "\xEF\xBB\xBF", "\x1A", "\x81\n"};
  std::mt19937 random(7);
  for (int text = 0; text < 4000; ++text) {
    std::string bytes;
    for (unsigned count = random() % 14; count > 0; --count) bytes += pieces[random() % pieces.size()];
    TextLineReader whole(bytes);
    TextLineReader first(bytes);
    TextLineReader second = first.splitAtMiddle();
    Lines expected;
    Lines got;
    std::string_view line;
    // Entry lines and plain lines alike.
    if (text % 2 == 0) {
      while (whole.nextEntryLine(line)) expected.emplace_back(line);
      while (first.nextEntryLine(line)) got.emplace_back(line);
      if (!first.stoppedAtMark())
        while (second.nextEntryLine(line)) got.emplace_back(line);
    } else {
      while (whole.nextLine(line)) expected.emplace_back(line);
      while (first.nextLine(line)) got.emplace_back(line);
      if (!first.stoppedAtMark())
        while (second.nextLine(line)) got.emplace_back(line);
    }
    ASSERT_EQ(got, expected) << testing::PrintToString(bytes);
  }
}

// Reading with the quotes' places gives the same lines; where it gives
// places, they are exactly the quotes of the line.
TEST(TextLineReader, EntryLinesWithTheirQuotesAreTheEntryLines) {
  const std::vector<std::string> pieces = {"\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"", "x", "\"\"", "\r\n", "\n", "\r",
                                           " ", "\t", "\x1A", std::string(70, 'y'), "\x81\""};
  std::mt19937 random(9);
  int withQuotes = 0;
  for (int text = 0; text < 3000; ++text) {
    std::string bytes;
    for (unsigned count = random() % 30; count > 0; --count) bytes += pieces[random() % pieces.size()];
    TextLineReader plain(bytes);
    TextLineReader marked(bytes);
    std::string_view expected;
    std::string_view line;
    std::optional<std::uint64_t> quotes;
    for (;;) {
      const bool more = plain.nextEntryLine(expected);
      ASSERT_EQ(marked.nextEntryLine(line, quotes), more) << testing::PrintToString(bytes);
      if (!more) break;
      ASSERT_EQ(line, expected) << testing::PrintToString(bytes);
      ASSERT_EQ(line.data(), expected.data());
      if (!quotes) continue;
      ++withQuotes;
      std::uint64_t places = 0;
      for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == '"') places |= std::uint64_t{1} << i;
      ASSERT_EQ(*quotes, places) << testing::PrintToString(bytes);
    }
  }
  EXPECT_GT(withQuotes, 1000);  // most short lines came with their quotes
}

}  // namespace
}  // namespace sorabel
