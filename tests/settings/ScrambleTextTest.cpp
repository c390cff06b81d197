#include "settings/ScrambleText.h"

#include <gtest/gtest.h>

namespace sorabel {
namespace {

TEST(ScrambleText, UsesTheKeyFromItsSecondByteOnward) {
  // Key "JUB": low five bits 10, 21, 2. Text byte 1 uses "U", 2 uses "B", 3 uses "J".
  EXPECT_EQ(scrambleText("aaa", "JUB"), std::string({'a' ^ 21, 'a' ^ 2, 'a' ^ 10}));
  EXPECT_EQ(scrambleText("", "JUB"), "");
  // One-byte key: every byte uses it.
  EXPECT_EQ(scrambleText("AB", "!"), std::string({'A' ^ 1, 'B' ^ 1}));
}

TEST(ScrambleText, EmptyKeyMeansQuillbox) {
  EXPECT_EQ(scrambleText("secret12", ""), scrambleText("secret12", "Quillbox"));
  EXPECT_NE(scrambleText("secret12", ""), "secret12");
}

TEST(ScrambleText, TwiceGivesTheTextBackAndOnlyLowBitsChange) {
  for (std::string text : {std::string("pass"), sjis("パスワード表"), std::string("\x01\xff\x80 ", 4)}) {
    AnsiString once = scrambleText(text, kPasswordKey);
    EXPECT_EQ(scrambleText(once, kPasswordKey), text);
    ASSERT_EQ(once.size(), text.size());
    for (size_t i = 0; i < text.size(); ++i) EXPECT_EQ(once[i] & 0xE0, text[i] & 0xE0);
  }
}

}  // namespace
}  // namespace sorabel
