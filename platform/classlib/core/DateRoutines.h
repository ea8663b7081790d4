// Dates and times as TDateTime: days since 30 December 1899, the fraction being the time of day
// (0.5 = noon). Before that day the integer part counts back and the fraction still runs
// forward (-1.25 is 29 December 1899, 06:00). Years run from 1 to 9999.
//
// Encoding invalid parts raises EConvertError "Invalid argument to date encode" or
// "Invalid argument to time encode"; the Try forms return false instead. Decoding rounds to the
// millisecond (23:59:59.9996 becomes 00:00:00.000 of the next day); a value outside the years
// 1 to 9999, or not a number, decodes as all zeros.
#pragma once

#include <cstdint>
#include <ctime>

#include "System.h"

TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec);
void DecodeDateTime(TDateTime DateTime, int& Year, int& Month, int& Day, int& Hour, int& Min, int& Sec, int& MSec);

bool IsLeapYear(int Year);
int DaysInAMonth(int Year, int Month);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime DateTime);

// The local date and time now, today's date (time 0), the time of day (date 0).
TDateTime Now();
TDateTime Date();
TDateTime Time();
// A moment of the system clock (seconds and nanoseconds since 1970 UTC) as local date and time.
TDateTime SystemTimeToDateTime(std::time_t Seconds, long Nanoseconds);

// The MS-DOS date-time that file dates are kept in (years 1980 to 2107, two-second steps): the
// date in the high 16 bits, the time in the low ones. A date outside those years gives 0;
// FileDateToDateTime raises EConvertError for a value that is no valid date-time.
std::int32_t DateTimeToFileDate(TDateTime DateTime);
TDateTime FileDateToDateTime(std::int32_t FileDate);
