#include "DateTimeText.h"

#include <gtest/gtest.h>

#include "DateRoutines.h"
#include "Exception.h"

namespace {

// Settings of a Chinese desktop, with the names in GBK.
TFormatSettings chinese() {
  TFormatSettings fs = GetLocaleFormatSettings("zh_CN");
  fs.ShortDateFormat = "yyyy-m-d";
  fs.DateSeparator = '-';
  fs.LongTimeFormat = "h:nn:ss";
  return fs;
}

const TFormatSettings kUs;  // m/d/yyyy, h:mm:ss AMPM
const TDateTime kMoment = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);  // a Tuesday

}  // namespace

TEST(DateTimeTextTest, EveryFormatLetter) {
  struct Case {
    const char* format;
    const char* text;
  } cases[] = {
      {"d dd ddd dddd", "5 05 Tue Tuesday"},
      {"ddddd|dddddd", "3/5/2024|March 5, 2024"},
      {"m mm mmm mmmm", "3 03 Mar March"},
      {"yy yyyy", "24 2024"},
      {"h hh n nn s ss", "14 14 7 07 9 09"},
      {"z zzz", "45 045"},
      {"hh:mm", "14:07"},  // m after h is the minute
      {"h:nn am/pm|h:nn AM/PM|h a/p|h AMPM", "2:07 pm|2:07 PM|2 p|2 PM"},
      {"t|tt", "2:07 PM|2:07:09 PM"},
      {"c", "3/5/2024 2:07:09 PM"},
      {"'d'd \"m\"m", "d5 m3"},
      {"yyyy/mm/dd", "2024/03/05"},
      {"YYYY-MM-DD HH:NN:SS", "2024-03-05 14:07:09"},
      {"x", "x"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, kMoment, kUs), c.text) << c.format;
  EXPECT_EQ(FormatDateTime("", EncodeDate(2024, 3, 5), kUs), "3/5/2024");  // c without a time
  EXPECT_EQ(FormatDateTime("h AMPM", EncodeTime(0, 30, 0, 0), kUs), "12 AM");
}

TEST(DateTimeTextTest, ChineseDateFormatOfTheStatusBar) {
  // DATE_FORMAT "YYYY年MM月DD日" in GBK: 年 = C4 EA, 月 = D4 C2, 日 = C8 D5.
  EXPECT_EQ(FormatDateTime("YYYY\xc4\xea" "MM\xd4\xc2" "DD\xc8\xd5", kMoment, chinese()),
            "2024\xc4\xea" "03\xd4\xc2" "05\xc8\xd5");
  // A double-byte character whose trail byte is "d" (0x64) or "m" (0x6D) is not a letter.
  EXPECT_EQ(FormatDateTime("\x81\x64\x81\x6d", kMoment, kUs), "\x81\x64\x81\x6d");
  TFormatSettings fs = chinese();
  EXPECT_EQ(FormatDateTime("dddd ampm", kMoment, fs), fs.LongDayNames[2] + " " + fs.TimePMString);
  EXPECT_EQ(DateTimeToStr(kMoment, fs), "2024-3-5 14:07:09");
}

TEST(DateTimeTextTest, SelfNamingFormatsDoNotRecurseForever) {
  TFormatSettings fs = kUs;
  fs.ShortDateFormat = "c";
  EXPECT_NO_THROW(FormatDateTime("c", kMoment, fs));
}

TEST(DateTimeTextTest, ReadingDatesInTheSettingsOrder) {
  EXPECT_EQ(StrToDate("3/5/2024", kUs), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate(" 2024-3-5 ", chinese()), EncodeDate(2024, 3, 5));
  TFormatSettings dmy = kUs;
  dmy.ShortDateFormat = "dd.mm.yyyy";
  dmy.DateSeparator = '.';
  EXPECT_EQ(StrToDate("05.03.2024", dmy), EncodeDate(2024, 3, 5));
  int y, m, d;
  DecodeDate(Date(), y, m, d);
  EXPECT_EQ(StrToDate("3/5", kUs), EncodeDate(y, 3, 5));  // this year
  TFormatSettings window = kUs;
  window.TwoDigitYearCenturyWindow = 0;
  EXPECT_EQ(StrToDate("3/5/24", window), EncodeDate(y / 100 * 100 + 24, 3, 5));
}

TEST(DateTimeTextTest, ReadingTimes) {
  EXPECT_DOUBLE_EQ(StrToTime("14:07:09", kUs), EncodeTime(14, 7, 9, 0));
  EXPECT_DOUBLE_EQ(StrToTime("2:07 PM", kUs), EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToTime("12:00 am", kUs), 0);
  EXPECT_DOUBLE_EQ(StrToTime("1:02:03.5", kUs), EncodeTime(1, 2, 3, 500));
  TFormatSettings fs = chinese();
  EXPECT_DOUBLE_EQ(StrToTime(fs.TimePMString + " 2:30", fs), EncodeTime(14, 30, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("2024-3-5 14:07:09", fs), kMoment - EncodeTime(0, 0, 0, 45));
  EXPECT_DOUBLE_EQ(StrToDateTime("10:30", fs), EncodeTime(10, 30, 0, 0));
}

TEST(DateTimeTextTest, BadTextRaises) {
  for (const char* bad : {"", "2024", "13/1/2024", "2/30/2024", "1/2/3/4", "1/2/2024x", "12345/1/1", "a/b/c"})
    EXPECT_THROW(StrToDate(bad, kUs), EConvertError) << bad;
  for (const char* bad : {"", "25:00", "1:60", "13:00 PM", "0:30 AM", "1:2:3:4", "x"})
    EXPECT_THROW(StrToTime(bad, kUs), EConvertError) << bad;
  EXPECT_THROW(StrToDateTime("3/5/2024 10:00 junk", kUs), EConvertError);
  try {
    StrToDate("x", kUs);
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x' is not a valid date");
  }
  TDateTime v = 3;
  EXPECT_FALSE(TryStrToDateTime("nonsense", v, kUs));
  EXPECT_EQ(v, 3);
}
