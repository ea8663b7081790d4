#include "FormatSettings.h"

#include <gtest/gtest.h>

#include <thread>

#include "CodePage.h"
#include "FloatText.h"

TEST(FormatSettingsTest, ChineseLocale) {
  TFormatSettings fs = GetLocaleFormatSettings("zh_CN");
  EXPECT_EQ(fs.DecimalSeparator, '.');
  EXPECT_EQ(fs.ShortDateFormat, "yyyy/m/d");
  EXPECT_EQ(fs.LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(AnsiToUtf8(fs.LongDayNames[0]), "星期日");
  EXPECT_EQ(AnsiToUtf8(fs.LongMonthNames[0]), "一月");
  EXPECT_EQ(AnsiToUtf8(fs.TimeAMString), "上午");
  EXPECT_EQ(AnsiToUtf8(fs.CurrencyString), "￥");  // GBK has only the full-width yen sign
}

TEST(FormatSettingsTest, GermanLocaleUsesItsSeparators) {
  TFormatSettings fs = GetLocaleFormatSettings("de_DE");
  EXPECT_EQ(fs.DecimalSeparator, ',');
  EXPECT_EQ(fs.ThousandSeparator, '.');
  EXPECT_EQ(fs.DateSeparator, '.');
  EXPECT_EQ(fs.ListSeparator, ';');
  EXPECT_EQ(fs.ShortDateFormat, "dd/mm/yyyy");  // "/" stands for the date separator
  EXPECT_EQ(fs.CurrencyFormat, 3);
  EXPECT_EQ(FloatToStrF(-1234.5, TFloatFormat::ffCurrency, 15, 2, fs), "-1.234,50 \x80");  // € in cp936 is 0x80
}

TEST(FormatSettingsTest, ProcessWideSetIsReplacedWhole) {
  TFormatSettings saved = GetFormatSettings();
  TFormatSettings comma = saved;
  comma.DecimalSeparator = ',';
  auto before = FormatSettingsSnapshot();
  SetFormatSettings(comma);
  EXPECT_EQ(FloatToStr(1.5), "1,5");
  EXPECT_EQ(before->DecimalSeparator, saved.DecimalSeparator);  // a snapshot taken earlier stays as it was
  // Readers on other threads see either set, never a torn one.
  std::thread reader([] {
    for (int i = 0; i < 1000; ++i) {
      AnsiString s = FloatToStr(0.5);
      ASSERT_TRUE(s == "0.5" || s == "0,5") << s;
    }
  });
  for (int i = 0; i < 1000; ++i) SetFormatSettings(i % 2 ? saved : comma);
  reader.join();
  SetFormatSettings(saved);
  EXPECT_EQ(FloatToStr(1.5), AnsiString("1") + saved.DecimalSeparator + "5");
}
