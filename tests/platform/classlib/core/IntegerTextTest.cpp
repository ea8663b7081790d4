#include "IntegerText.h"

#include <gtest/gtest.h>

#include "Exception.h"

TEST(IntegerTextTest, IntToStrAndHex) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(std::int64_t{-1}, 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(0x1234, 0), "1234");
}

TEST(IntegerTextTest, StrToIntAcceptsTheNumberSyntax) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("  -42"), -42);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("$ff"), 255);
  EXPECT_EQ(StrToInt("0x1F"), 31);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
}

TEST(IntegerTextTest, StrToIntRaisesWithTheText) {
  try {
    StrToInt("12a");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
  }
  for (const char* bad : {"", " ", "-", "$", "0x", "12 ", "2147483648", "-2147483649", "$100000000", "1e3", "\t1"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
}

TEST(IntegerTextTest, StrToIntDefNeverRaises) {
  for (const char* bad : {"", "abc", "  ", "99999999999", "$", "$G", "--1", "1.5", "\xd6\xd0"})
    EXPECT_EQ(StrToIntDef(bad, -7), -7) << bad;
  EXPECT_EQ(StrToIntDef(AnsiString(1000000, '9'), 3), 3);
  EXPECT_EQ(StrToIntDef(AnsiString("1\0", 2), 3), 3);
  EXPECT_EQ(StrToIntDef("$10", 0), 16);
  EXPECT_EQ(StrToInt64Def("x", 5), 5);
  int v = 9;
  EXPECT_FALSE(TryStrToInt("nope", v));
  EXPECT_EQ(v, 9);
  EXPECT_TRUE(TryStrToInt("-0", v));
  EXPECT_EQ(v, 0);
}
