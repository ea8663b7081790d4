#include "TExportFormats.h"

#include <gtest/gtest.h>

#include "ExportDefaultFormats.h"
#include "ExportFixture.h"
#include "FormatSettings.h"
#include "TypInfo.h"

TEST(TExportFormatsTest, DefaultsComeFromTheProcessAndTheLibrary) {
  const TFormatSettings process = GetFormatSettings();
  TExportFormats f;
  EXPECT_EQ(f.DecimalSeparator(), process.DecimalSeparator);
  EXPECT_EQ(f.ThousandSeparator(), process.ThousandSeparator);
  EXPECT_EQ(f.IntegerFormat(), "#,###,##0");
  EXPECT_EQ(f.FloatFormat(), "#,###,##0.00");
  EXPECT_EQ(f.DateFormat(), process.ShortDateFormat);
  EXPECT_EQ(f.DateTimeFormat(), process.ShortDateFormat + " " + process.ShortTimeFormat);
  EXPECT_EQ(f.BooleanTrue(), u"true");
  EXPECT_TRUE(f.NULLString().empty());
  EXPECT_FALSE(f.KeepOriginalFormat());
}

TEST(TExportFormatsTest, EmptyValuesGiveTheDefaultsBackExceptTheFloatFormat) {
  TExportFormats f;
  f.SetIntegerFormat("0");
  f.SetIntegerFormat("");
  EXPECT_EQ(f.IntegerFormat(), "#,###,##0");
  f.SetFloatFormat("");
  EXPECT_EQ(f.FloatFormat(), "");
  f.SetDateFormat("yyyy");
  f.SetDateFormat("");
  EXPECT_EQ(f.DateFormat(), ExportDefaultFormats().DateFormat);
  f.SetBooleanFalse(u"");
  EXPECT_EQ(f.BooleanFalse(), u"false");
  f.SetNULLString(u"  n/a \t");
  EXPECT_EQ(f.NULLString(), u"n/a");
}

TEST(TExportFormatsTest, TheCurrencyFormatFollowsTheCurrencyPosition) {
  TFormatSettings fs;
  fs.CurrencyString = "$";
  const char* expected[] = {"$#,###,##0.00", "#,###,##0.00$", "$ #,###,##0.00", "#,###,##0.00 $", ""};
  for (int position = 0; position < 5; ++position) {
    fs.CurrencyFormat = static_cast<std::uint8_t>(position);
    EXPECT_EQ(MakeExportDefaultFormats(fs).CurrencyFormat, expected[position]) << position;
  }
  fs.ShortDateFormat = "yyyy-mm-dd";
  fs.ShortTimeFormat = "hh:nn";
  EXPECT_EQ(MakeExportDefaultFormats(fs).DateTimeFormat, "yyyy-mm-dd hh:nn");
}

TEST(TExportFormatsTest, AssignCopiesEverythingAndTheTableReachesEveryFormat) {
  TExportFormats a, b;
  a.SetDecimalSeparator(',');
  a.SetThousandSeparator(' ');
  a.SetCurrencyFormat("0.00 EUR");
  a.SetNULLString(u"-");
  a.SetKeepOriginalFormat(true);
  b.Assign(&a);
  EXPECT_EQ(b.DecimalSeparator(), ',');
  EXPECT_EQ(b.ThousandSeparator(), ' ');
  EXPECT_EQ(b.CurrencyFormat(), "0.00 EUR");
  EXPECT_EQ(b.NULLString(), u"-");
  EXPECT_TRUE(b.KeepOriginalFormat());
  SetStrProp(&b, "FloatFormat", "0.000");
  SetOrdProp(&b, "DateSeparator", '.');
  SetWideStrProp(&b, "BooleanTrue", u"是");
  EXPECT_EQ(b.FloatFormat(), "0.000");
  EXPECT_EQ(b.DateSeparator(), '.');
  EXPECT_EQ(b.BooleanTrue(), u"是");
  EXPECT_EQ(GetPropInfo(&b, "KeepOriginalFormat"), nullptr);
  TFormatSettings fs;
  b.ApplySeparators(fs);
  EXPECT_EQ(fs.DecimalSeparator, ',');
  EXPECT_EQ(fs.DateSeparator, '.');
}
