#include "FloatText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Exception.h"

namespace {

const TFormatSettings kUs;

TFormatSettings german() {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  fs.CurrencyString = "EUR";
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  return fs;
}

}  // namespace

TEST(FloatTextTest, FloatToStrIsTheShortestOfFixedAndScientific) {
  EXPECT_EQ(FloatToStr(0, kUs), "0");
  EXPECT_EQ(FloatToStr(-0.0, kUs), "0");
  EXPECT_EQ(FloatToStr(1.5, kUs), "1.5");
  EXPECT_EQ(FloatToStr(0.1, kUs), "0.1");
  EXPECT_EQ(FloatToStr(-123456789.125, kUs), "-123456789.125");
  EXPECT_EQ(FloatToStr(0.0001, kUs), "0.0001");
  EXPECT_EQ(FloatToStr(0.00001, kUs), "1E-5");
  EXPECT_EQ(FloatToStr(1e15, kUs), "1E15");
  EXPECT_EQ(FloatToStr(123456789012345.0, kUs), "123456789012345");
  EXPECT_EQ(FloatToStr(1.0 / 3, kUs), "0.333333333333333");
  EXPECT_EQ(FloatToStr(2.5, german()), "2,5");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN(), kUs), "NAN");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity(), kUs), "-INF");
}

TEST(FloatTextTest, FixedFormsRoundHalfAwayFromZero) {
  EXPECT_EQ(FloatToStrF(0.125, TFloatFormat::ffFixed, 15, 2, kUs), "0.13");
  EXPECT_EQ(FloatToStrF(-0.125, TFloatFormat::ffFixed, 15, 2, kUs), "-0.13");
  EXPECT_EQ(FloatToStrF(-0.001, TFloatFormat::ffFixed, 15, 2, kUs), "0.00");
  EXPECT_EQ(FloatToStrF(9.999, TFloatFormat::ffFixed, 15, 2, kUs), "10.00");
  EXPECT_EQ(FloatToStrF(1234567.5, TFloatFormat::ffNumber, 15, 1, german()), "1.234.567,5");
  EXPECT_EQ(FloatToStrF(1e20, TFloatFormat::ffFixed, 15, 2, kUs), "1E20");
  EXPECT_EQ(FloatToStrF(-1234.5, TFloatFormat::ffCurrency, 15, 2, german()), "-1.234,50 EUR");
  EXPECT_EQ(FloatToStrF(0, TFloatFormat::ffExponent, 4, 2, kUs), "0.000E+00");
}

// The digits rounded are the binary value's, not those of its shortest text: a value written
// "1.15" is a little below it and rounds down; halves and whole numbers are exact.
TEST(FloatTextTest, FixedFormsRoundTheValueItselfNotItsShortestText) {
  EXPECT_EQ(FloatToStrF(1.15, TFloatFormat::ffFixed, 18, 1, kUs), "1.1");
  EXPECT_EQ(FloatToStrF(2.675, TFloatFormat::ffFixed, 18, 2, kUs), "2.67");
  EXPECT_EQ(FloatToStrF(-1.005, TFloatFormat::ffFixed, 18, 2, kUs), "-1.00");
  EXPECT_EQ(FloatToStrF(1234.7, TFloatFormat::ffFixed, 18, 2, kUs), "1234.70");
  EXPECT_EQ(FloatToStrF(1234.75, TFloatFormat::ffFixed, 18, 1, kUs), "1234.8");
  EXPECT_EQ(FloatToStrF(0.1, TFloatFormat::ffFixed, 18, 17, kUs), "0.10000000000000001");
  EXPECT_EQ(FloatToStrF(999999999999999.5, TFloatFormat::ffFixed, 18, 0, kUs), "1000000000000000");
  EXPECT_EQ(FloatToStrF(1000000000000002.0, TFloatFormat::ffFixed, 18, 2, kUs), "1000000000000002.00");
  EXPECT_EQ(FormatFloat("#,##0.00", 1049.5, kUs), "1,049.50");
  EXPECT_EQ(FormatFloat("0.0", 1.15, kUs), "1.1");
}

TEST(FloatTextTest, CurrencyKeepsEveryDigit) {
  Currency big = Currency::FromScaled(INT64_MAX);
  EXPECT_EQ(CurrToStr(big, kUs), "922337203685477.5807");
  EXPECT_EQ(CurrToStr(Currency::FromScaled(INT64_MIN), kUs), "-922337203685477.5808");
  EXPECT_EQ(CurrToStr(Currency::FromDouble(1.5), kUs), "1.5");
  EXPECT_EQ(CurrToStrF(Currency::FromScaled(12345), TFloatFormat::ffFixed, 2, kUs), "1.23");  // 1.2345 -> half up
  EXPECT_EQ(Currency::FromDouble(0.00005).Value, 0);  // ties to even
  EXPECT_EQ(Currency::FromDouble(0.00025).Value, 2);
  EXPECT_EQ(Currency::FromDouble(0.00035).Value, 4);
  EXPECT_THROW(Currency::FromDouble(1e18), EConvertError);
}

TEST(FloatTextTest, FormatFloatMasks) {
  struct Case {
    const char* mask;
    double value;
    const char* text;
  } cases[] = {
      {"#,##0.00", 1234.5, "1,234.50"},   {"#,##0.00", -1234.5, "-1,234.50"}, {"0.00", 0.125, "0.13"},
      {"#.##", 0.5, ".5"},                {"0.###", 2, "2"},                  {"0.###", 2.25, "2.25"},
      {"000", 7, "007"},                  {"#", 0, ""},                       {"0-0", 1234, "123-4"},
      {"0.00E+00", 1234.5, "1.23E+03"},  {"0.0E-0", 0.00125, "1.3E-3"},     {"$#,##0", 1234567, "$1,234,567"},
      {"#,##0.00;(#,##0.00)", -5, "(5.00)"}, {"#,##0;;\"zero\"", 0, "zero"},  {"0.0;-0.0;\"nil\"", -0.01, "nil"},
      {"0.00 'kg'", 3, "3.00 kg"},       {"\"#\"0", 5, "#5"},               {"", 1.5, "1.5"},
      {"#,##0", 1e20, "1E20"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.mask, c.value, kUs), c.text) << c.mask << " " << c.value;
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, german()), "1.234,50");
  // GBK text in the mask: 元 (D4 AA) and 兆 (D5 D7) are copied whole.
  EXPECT_EQ(FormatFloat("0.00\xd4\xaa", 2, kUs), "2.00\xd4\xaa");
  EXPECT_EQ(FormatCurr("#,##0.0000", Currency::FromScaled(INT64_MAX), kUs), "922,337,203,685,477.5807");
}

TEST(FloatTextTest, StrToFloatReadsTheSettingsSeparator) {
  EXPECT_DOUBLE_EQ(StrToFloat("  -1.5e3 ", kUs), -1500);
  EXPECT_DOUBLE_EQ(StrToFloat(".5", kUs), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("5.", kUs), 5);
  EXPECT_DOUBLE_EQ(StrToFloat("2,5", german()), 2.5);
  EXPECT_DOUBLE_EQ(StrToFloat("1e-400", kUs), 0);
  EXPECT_DOUBLE_EQ(StrToFloat("0.1", kUs), 0.1);
  for (const char* bad : {"", "-", ".", "1,5", "1.2.3", "1e", "1e+", "abc", "1e400", "1 000", "INF", "0x10"})
    EXPECT_THROW(StrToFloat(bad, kUs), EConvertError) << bad;
  try {
    StrToFloat("x1", kUs);
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x1' is not a valid floating point value");
  }
  double v = 7;
  EXPECT_FALSE(TryStrToFloat(AnsiString(5000, '9'), v, kUs));
  EXPECT_EQ(v, 7);
}

TEST(FloatTextTest, StrToCurrIsExact) {
  EXPECT_EQ(StrToCurr("922337203685477.5807", kUs).Value, INT64_MAX);
  EXPECT_EQ(StrToCurr("-922337203685477.5808", kUs).Value, INT64_MIN);
  EXPECT_EQ(StrToCurr("0.00005", kUs).Value, 0);
  EXPECT_EQ(StrToCurr("0.000051", kUs).Value, 1);
  EXPECT_EQ(StrToCurr("1.5e2", kUs).Value, 1500000);
  EXPECT_THROW(StrToCurr("922337203685477.5808", kUs), EConvertError);
  EXPECT_THROW(StrToCurr("1e20", kUs), EConvertError);
}

TEST(FloatTextTest, FormatInt64KeepsEveryDigitOfLargeIntegers) {
  // Beyond 2^53 a double would change the last digits.
  EXPECT_EQ(FormatInt64("#,###,##0", 9007199254740993LL, kUs), "9,007,199,254,740,993");
  EXPECT_EQ(FormatInt64("0", INT64_MIN, kUs), "-9223372036854775808");
  EXPECT_EQ(FormatInt64("0000", 42, kUs), "0042");
  EXPECT_EQ(FormatInt64("#,##0.00", -1234, german()), "-1.234,00");
  EXPECT_EQ(FormatInt64("", 7, kUs), "7");
}

TEST(FloatTextTest, DigitOnlyMasksWriteWhatTheSameMaskWithTextWrites) {
  // An empty quoted text adds nothing, but makes the mask one that is written element by
  // element: masks of digits alone take a shorter way, which must give the same text.
  const char* masks[] = {"0",     "#",        "#,##0",     "#,###,##0.00", "0.00",       "#.##",
                         ".00",   "000000",   "0.0#",      "#,##0.###",    ",0",         "00,000.0000#",
                         "#.",    "0.",       "#,#",       "#,##0.0,0",    "0.0.0",      "#,##0;(#,##0)"};
  const double values[] = {0,      0.5,     -0.5,    0.004,   0.005,  1,          -1,       12.345,
                           999.995, 1234.5, -1234.5, 1e6,     123456789.125, 1e15, 9.87654321e17, 1e-7};
  for (const TFormatSettings& fs : {kUs, german()}) {
    for (const char* mask : masks) {
      const AnsiString longWay = AnsiString(mask) + "\"\"";
      for (double v : values) EXPECT_EQ(FormatFloat(mask, v, fs), FormatFloat(longWay, v, fs)) << mask << " " << v;
      for (std::int64_t v : {0LL, 7LL, -42LL, 1234567LL, -9007199254740993LL})
        EXPECT_EQ(FormatInt64(mask, v, fs), FormatInt64(longWay, v, fs)) << mask << " " << v;
    }
  }
}
