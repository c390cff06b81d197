#include "ledger/FieldText.h"

#include <gtest/gtest.h>

namespace sorabel {
namespace {

TEST(CleanFieldText, LineBreaksBecomeOneSpaceEachAndCharacter26Goes) {
  for (FieldText kind : {FieldText::Words, FieldText::Figures}) {
    EXPECT_EQ(cleanFieldText("a\r\nb\nc\rd\x1a" "e", kind), "a b c de");
    EXPECT_EQ(cleanFieldText("\n\r\r\n", kind), "   ");
  }
}

TEST(CleanFieldText, FiguresTakeFullWidthDigitsCommaAndYenSignsAsAscii) {
  EXPECT_EQ(cleanFieldText("￥１，２３４，５６７，８９０", FieldText::Figures), "\\1,234,567,890");
  EXPECT_EQ(cleanFieldText("¥500", FieldText::Figures), "\\500");
  // Words keep them; other full-width characters stay in figures too,
  // among them those whose UTF-8 shares the digits' first two bytes.
  EXPECT_EQ(cleanFieldText("￥１，２", FieldText::Words), "￥１，２");
  EXPECT_EQ(cleanFieldText("ＡＢ／（）ｼ", FieldText::Figures), "ＡＢ／（）ｼ");
}

}  // namespace
}  // namespace sorabel
