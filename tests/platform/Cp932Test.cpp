#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"

namespace sorabel {
namespace {

TEST(Cp932, ConvertsKanjiKanaAndAsciiBothWays) {
  // 表, ソ and 能 all end in 0x5C, the byte of "\".
  const std::string utf8 = "表ソ能abc\\ｱｲｳ　";
  AnsiString bytes = utf8ToCp932(utf8);
  EXPECT_EQ(bytes, "\x95\x5C\x83\x5C\x94\x5C" "abc\\\xB1\xB2\xB3\x81\x40");
  EXPECT_EQ(cp932ToUtf8(bytes), utf8);
}

TEST(Cp932, UnconvertibleCharacterIsAnErrorNotAQuestionMark) {
  try {
    utf8ToCp932("家計😀簿");
    FAIL() << "expected ConversionError";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string(e.what()).find("😀"), std::string::npos);
  }
  EXPECT_THROW(cp932ToUtf8("\x81"), ConversionError);  // a lead byte alone
}

TEST(Cp932, LenientDecodingKeepsWhatItCanRead) {
  EXPECT_EQ(cp932ToUtf8Lenient("a\x81"), "a\xEF\xBF\xBD");
  EXPECT_EQ(cp932ToUtf8Lenient("\x95\x5C" "b"), "表b");
}

TEST(Cp932, LeadBytesAndCharacterBoundaries) {
  EXPECT_TRUE(isLeadByte(0x81));
  EXPECT_TRUE(isLeadByte(0x9F));
  EXPECT_TRUE(isLeadByte(0xE0));
  EXPECT_TRUE(isLeadByte(0xFC));
  EXPECT_FALSE(isLeadByte(0x80));
  EXPECT_FALSE(isLeadByte(0xA0));
  EXPECT_FALSE(isLeadByte(0xB1));  // half-width kana is one byte
  EXPECT_FALSE(isLeadByte(0xFD));

  AnsiString text = sjis("ab表ｱ能");  // a b [95 5C] B1 [94 5C]
  EXPECT_EQ(prefixOnCharBoundary(text, 3), "ab");
  EXPECT_EQ(prefixOnCharBoundary(text, 4), sjis("ab表"));
  EXPECT_EQ(prefixOnCharBoundary(text, 6), sjis("ab表ｱ"));
  EXPECT_EQ(prefixOnCharBoundary(text, 100), text);
  EXPECT_TRUE(isCharBoundary(text, 2));
  EXPECT_FALSE(isCharBoundary(text, 3));
  EXPECT_TRUE(isCharBoundary(text, 5));
  EXPECT_FALSE(isCharBoundary(text, 6));
  // A lead byte at the very end stands alone.
  EXPECT_EQ(charLength("a\x81", 1), 1u);
}

TEST(Cp932, LoneLeadByteBeforeAnInvalidSecondByteStandsAlone) {
  EXPECT_EQ(charLength("\x81\"", 0), 1u);  // a quote is no second byte
  EXPECT_EQ(charLength("\x81,", 0), 1u);
  EXPECT_EQ(charLength("\x81\x40", 0), 2u);  // the ideographic space
  EXPECT_EQ(charLength("\x81\xFD", 0), 1u);
}

TEST(Cp932, StoredFormsOfCharactersHeldOnlyAsEquivalents) {
  EXPECT_EQ(storedFormOf("a〜b−c‖¢£¬"), "a～b－c∥￠￡￢");
  EXPECT_EQ(storedFormOf("表ｱ"), "表ｱ");
  EXPECT_TRUE(roundTripsExactly("/home/家計簿.csv"));
  EXPECT_FALSE(roundTripsExactly("/home/a〜b.csv"));
  EXPECT_FALSE(roundTripsExactly("café"));
  EXPECT_EQ(utf8ToCp932Replacing("café.csv", sjis("〓")), sjis("caf〓.csv"));
  EXPECT_EQ(utf8ToCp932Replacing("表😀", "?"), sjis("表?"));
}

}  // namespace
}  // namespace sorabel
