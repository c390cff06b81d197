#include "platform/Locale.h"

#include <gtest/gtest.h>

#include "platform/Cp932.h"

namespace sorabel {
namespace {

TEST(Locale, FormatsThousands) {
  EXPECT_EQ(formatThousands(0, ','), "0");
  EXPECT_EQ(formatThousands(999, ','), "999");
  EXPECT_EQ(formatThousands(1000, ','), "1,000");
  EXPECT_EQ(formatThousands(-1234, ','), "-1,234");
  EXPECT_EQ(formatThousands(-100, ','), "-100");
  EXPECT_EQ(formatThousands(1234567, '.'), "1.234.567");
  EXPECT_EQ(formatThousands(INT64_MIN, ','), "-9,223,372,036,854,775,808");
}

TEST(Locale, RecognisesExactlyTheTextsItFormats) {
  for (std::int64_t value : {0LL, 7LL, 999LL, 1000LL, 12345LL, 100000LL, 2147483647LL, 999999999999999999LL}) {
    for (std::int64_t signedValue : {value, -value}) {
      std::int64_t read = 1;
      EXPECT_TRUE(readThousands(formatThousands(signedValue, ','), ',', read)) << signedValue;
      EXPECT_EQ(read, signedValue);
    }
  }
  std::int64_t read = 0;
  EXPECT_TRUE(readThousands("1.234.567", '.', read));
  EXPECT_EQ(read, 1234567);
  for (const char* other : {"", "-", "-0", "00", "01", "0,123", "1234", ",123", "1,23", "1,2345", "12,34", "1,234,",
                            "1.234", " 1", "1 ", "+1", "1,234,567,890,123,456,789", "１２３", "1,0a0"})
    EXPECT_FALSE(readThousands(other, ',', read)) << other;
}

TEST(Locale, SeparatorFallsBackToCommaUnlessOneAsciiCharacter) {
  EXPECT_EQ(thousandsSeparatorOf("C"), ',');           // no separator at all
  EXPECT_EQ(thousandsSeparatorOf("no_SUCH.locale"), ',');
  setThousandsSeparator('.');
  EXPECT_EQ(thousandsSeparator(), '.');
  setThousandsSeparator(0);
  EXPECT_NE(thousandsSeparator(), '.');
}

TEST(Locale, ReadsDatesWithARealCalendarCheck) {
  EXPECT_EQ(parseDate("2001/01/05"), (Date{2001, 1, 5}));
  EXPECT_EQ(parseDate("2001/1/5"), (Date{2001, 1, 5}));
  EXPECT_EQ(parseDate(" 2004/02/29 "), (Date{2004, 2, 29}));
  EXPECT_EQ(parseDate("2001/01/05 13:45"), (Date{2001, 1, 5}));
  EXPECT_EQ(parseDate("2001/01/05 13:45:10"), (Date{2001, 1, 5}));
  EXPECT_EQ(parseDate("2000/02/29"), (Date{2000, 2, 29}));
  EXPECT_FALSE(parseDate("2001/02/29"));
  EXPECT_FALSE(parseDate("1900/02/29"));
  EXPECT_FALSE(parseDate("2001/13/01"));
  EXPECT_FALSE(parseDate("2001/04/31"));
  EXPECT_FALSE(parseDate("2001/00/10"));
  EXPECT_FALSE(parseDate(""));
  EXPECT_FALSE(parseDate("2001-01-05"));
  EXPECT_FALSE(parseDate("2001/01/05x"));
  EXPECT_FALSE(parseDate("2001/01/05 25:00"));
  EXPECT_EQ(monthText(Date{987, 3, 1}), "0987/03");
  EXPECT_EQ(monthText(Date{2024, 12, 31}), "2024/12");
  EXPECT_EQ(dateText(Date{5, 1, 9}), "0005/01/09");
  EXPECT_EQ(dateText(Date{9999, 10, 31}), "9999/10/31");
  EXPECT_EQ(dateText(Date{12345, 1, 2}), "12345/01/02");
}

TEST(Locale, CaseFoldingTouchesOnlySingleByteLetters) {
  // ア is 0x83 0x41: its second byte is "A" and must stay as it is.
  std::string text = sjis("ABCアz");
  foldCaseInPlace(text);
  EXPECT_EQ(text, sjis("abcアz"));
  EXPECT_EQ(compareIgnoringCase("ABC", "abc"), std::strong_ordering::equal);
  EXPECT_EQ(compareIgnoringCase(sjis("ア"), sjis("ア").substr(0, 1) + "a"), std::strong_ordering::less);
  EXPECT_EQ(compareIgnoringCase("a", "B"), std::strong_ordering::less);
}

}  // namespace
}  // namespace sorabel
