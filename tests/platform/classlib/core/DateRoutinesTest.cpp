#include "DateRoutines.h"

#include <gtest/gtest.h>

#include <cmath>

#include "Exception.h"

TEST(DateRoutinesTest, DaysCountFromThe30thOfDecember1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST(DateRoutinesTest, InvalidPartsRaise) {
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  try {
    EncodeTime(1, 60, 0, 0);
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid argument to time encode");
  }
  TDateTime d = 7;
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));  // 1900 was no leap year
  EXPECT_EQ(d, 7);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
}

TEST(DateRoutinesTest, DecodingRoundsToTheMillisecondAndCarries) {
  int y, m, d, h, n, s, ms;
  DecodeDateTime(EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 59, 999) + 0.4 / 86400000, y, m, d, h, n, s, ms);
  EXPECT_EQ(ms, 999);
  DecodeDateTime(EncodeDate(2024, 12, 31) + (86400000 - 0.4) / 86400000, y, m, d, h, n, s, ms);
  EXPECT_EQ(y, 2025);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(d, 1);
  EXPECT_EQ(h, 0);  // never hour 24
  // Before 1899-12-30 the fraction still runs forward: -1.25 is the 29th, 06:00.
  DecodeDateTime(-1.25, y, m, d, h, n, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
  DecodeDate(NAN, y, m, d);
  EXPECT_EQ(y, 0);
  DecodeDate(1e9, y, m, d);
  EXPECT_EQ(y, 0);
}

TEST(DateRoutinesTest, DayOfWeekStartsOnSunday) {
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 2)), 1);  // a Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 8) + 0.9), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(1850, 1, 1)), 3);  // a Tuesday
}

TEST(DateRoutinesTest, NowDateAndTime) {
  TDateTime now = Now();
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
  EXPECT_EQ(Date(), std::trunc(Date()));
  EXPECT_LT(Time(), 1.0);
  std::time_t epoch = 0;
  std::tm local{};
  localtime_r(&epoch, &local);
  EXPECT_NEAR(SystemTimeToDateTime(0, 500000000), 25569 + (local.tm_gmtoff + 0.5) / 86400.0, 1e-9);
}

TEST(DateRoutinesTest, FileDates) {
  TDateTime t = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 31, 0);
  std::int32_t dos = DateTimeToFileDate(t);
  EXPECT_EQ(static_cast<std::uint32_t>(dos), (44u << 25 | 2u << 21 | 29u << 16 | 13u << 11 | 45u << 5 | 15u));
  EXPECT_DOUBLE_EQ(FileDateToDateTime(dos), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0));
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), 0);
  EXPECT_THROW(FileDateToDateTime(0), EConvertError);
}
