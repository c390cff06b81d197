#include "platform/TextFile.h"

#include <gtest/gtest.h>
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

TEST(TextLineReader, CarriageReturnEndsALineAndLineFeedAloneDoesNot) {
  EXPECT_EQ(plainLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(plainLines("a\rb"), (Lines{"a", "b"}));
  EXPECT_EQ(plainLines("a\nb\nc\n"), (Lines{"a\nb\nc\n"}));
  EXPECT_EQ(plainLines(""), Lines{});
  EXPECT_EQ(plainLines("\r\n\r\nx"), (Lines{"", "", "x"}));
}

TEST(TextLineReader, CodeTwentySixEndsTheFile) {
  EXPECT_EQ(plainLines("a\r\nb\x1A" "c\r\nd"), (Lines{"a", "b"}));
  EXPECT_EQ(entryLines("a\r\n  \x1A" "b"), (Lines{"a"}));
}

TEST(TextLineReader, EntryLinesSkipBlankLinesAndLeadingBlanks) {
  EXPECT_EQ(entryLines("\r\n\r\n  \ta\r\n\r\n\x01 b  \r\n \r\n"), (Lines{"a", "b  "}));
  EXPECT_EQ(entryLines(std::string("\0x", 2)), (Lines{"x"}));
}

}  // namespace
}  // namespace sorabel
