#include "DateRoutines.h"

#include <cmath>

#include "Exception.h"

namespace {

constexpr std::int64_t kMSecsPerDay = 86400000;
// Days from 30 December 1899 to 1 January 1970, and the valid range (1 January 1 to
// 31 December 9999).
constexpr std::int64_t kUnixDateDelta = 25569;
constexpr std::int64_t kMinDay = -693593;
constexpr std::int64_t kMaxDay = 2958465;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

// The day (as counted by TDateTime) and the milliseconds into it, rounded; false when the
// value lies outside the years 1 to 9999.
bool split(TDateTime value, std::int64_t& day, std::int64_t& msec) {
  if (!std::isfinite(value) || value < kMinDay - 1 || value > kMaxDay + 1) return false;
  double whole = std::trunc(value);
  day = static_cast<std::int64_t>(whole);
  msec = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * kMSecsPerDay));
  if (msec >= kMSecsPerDay) {  // rounding reached midnight: it is the next day
    msec = 0;
    ++day;
  }
  return day >= kMinDay && day <= kMaxDay;
}

}  // namespace

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysInAMonth(int Year, int Month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  Date = static_cast<double>(daysFromCivil(Year, static_cast<unsigned>(Month), static_cast<unsigned>(Day)) + kUnixDateDelta);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime d;
  if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999) return false;
  Time = static_cast<double>(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / kMSecsPerDay;
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime t;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeDateTime(TDateTime DateTime, int& Year, int& Month, int& Day, int& Hour, int& Min, int& Sec, int& MSec) {
  std::int64_t day, msec;
  if (!split(DateTime, day, msec)) {
    Year = Month = Day = Hour = Min = Sec = MSec = 0;
    return;
  }
  civilFromDays(day - kUnixDateDelta, Year, Month, Day);
  MSec = static_cast<int>(msec % 1000);
  Sec = static_cast<int>(msec / 1000 % 60);
  Min = static_cast<int>(msec / 60000 % 60);
  Hour = static_cast<int>(msec / 3600000);
}

void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day) {
  int h, n, s, ms;
  DecodeDateTime(DateTime, Year, Month, Day, h, n, s, ms);
}

void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec) {
  int y, m, d;
  DecodeDateTime(DateTime, y, m, d, Hour, Min, Sec, MSec);
}

int DayOfWeek(TDateTime DateTime) {
  std::int64_t day, msec;
  if (!split(DateTime, day, msec)) return 0;
  // Day 0, 30 December 1899, was a Saturday.
  return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

TDateTime SystemTimeToDateTime(std::time_t Seconds, long Nanoseconds) {
  std::tm local{};
  localtime_r(&Seconds, &local);
  TDateTime date;
  if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date)) return 0;
  // A leap second (tm_sec 60) is kept within its minute.
  int sec = local.tm_sec > 59 ? 59 : local.tm_sec;
  TDateTime time = EncodeTime(local.tm_hour, local.tm_min, sec, static_cast<int>(Nanoseconds / 1000000));
  return date >= 0 ? date + time : date - time;
}

TDateTime Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return SystemTimeToDateTime(ts.tv_sec, ts.tv_nsec);
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  TDateTime now = Now();
  return now - std::trunc(now);
}

std::int32_t DateTimeToFileDate(TDateTime DateTime) {
  int y, m, d, h, n, s, ms;
  DecodeDateTime(DateTime, y, m, d, h, n, s, ms);
  if (y < 1980 || y > 2107) return 0;
  std::uint32_t date = static_cast<std::uint32_t>(((y - 1980) << 9) | (m << 5) | d);
  std::uint32_t time = static_cast<std::uint32_t>((h << 11) | (n << 5) | (s >> 1));
  return static_cast<std::int32_t>((date << 16) | time);
}

TDateTime FileDateToDateTime(std::int32_t FileDate) {
  const std::uint32_t v = static_cast<std::uint32_t>(FileDate);
  const std::uint32_t date = v >> 16, time = v & 0xFFFF;
  TDateTime d = EncodeDate(static_cast<int>((date >> 9) + 1980), static_cast<int>((date >> 5) & 15),
                           static_cast<int>(date & 31));
  return d + EncodeTime(static_cast<int>(time >> 11), static_cast<int>((time >> 5) & 63),
                        static_cast<int>((time & 31) * 2), 0);
}
