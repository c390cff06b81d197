#include "ledger/Amount.h"

#include <gtest/gtest.h>

#include "platform/Locale.h"

namespace sorabel {
namespace {

TEST(ParseAmount, KeepsOnlyAsciiDigits) {
  EXPECT_EQ(parseAmount("1,234"), 1234);
  EXPECT_EQ(parseAmount("-500"), 500);
  EXPECT_EQ(parseAmount("12.5"), 125);
  EXPECT_EQ(parseAmount(""), 0);
  EXPECT_EQ(parseAmount("abc"), 0);
  EXPECT_EQ(parseAmount("1000"), 1000);
  EXPECT_EQ(parseAmount(sjis("1000円")), 1000);
  EXPECT_EQ(parseAmount(sjis("△500")), 500);
  EXPECT_EQ(parseAmount(sjis("１２３")), 0);
  EXPECT_EQ(parseAmount("2,147,483,647"), 2147483647);
  EXPECT_EQ(parseAmount("000000000000000042"), 42);
}

TEST(ParseAmount, DigitsBeyondThirtyTwoBitsAreNotAnInteger) {
  try {
    parseAmount("2,147,483,648");
    FAIL();
  } catch (const AmountError& e) {
    EXPECT_STREQ(e.what(), "'2147483648' は整数ではありません");
  }
  EXPECT_THROW(parseAmount("99999999999999999999999"), AmountError);
  // A pasted wall of digits is quoted cut.
  try {
    parseAmount("1," + std::string(100'000, '2'));
    FAIL();
  } catch (const AmountError& e) {
    EXPECT_EQ(std::string(e.what()), "'1" + std::string(39, '2') + "…' は整数ではありません");
  }
}

TEST(AmountText, UsesThousandsSeparators) {
  setThousandsSeparator(',');
  EXPECT_EQ(amountText(0), "0");
  EXPECT_EQ(amountText(-1234), "-1,234");
  EXPECT_EQ(amountText(250000), "250,000");
  EXPECT_EQ(amountText(4294967294LL), "4,294,967,294");
  setThousandsSeparator(0);
}

}  // namespace
}  // namespace sorabel
