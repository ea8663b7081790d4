// Dates and times as text.
//
// FormatDateTime letters (upper or lower case alike; a run of the same letter counts):
//   c       ShortDateFormat, then a blank and LongTimeFormat unless the time is midnight
//   d dd    day (1..31, 01..31)        ddd dddd  ShortDayNames / LongDayNames
//   ddddd   ShortDateFormat            dddddd    LongDateFormat
//   m mm    month (1..12, 01..12)      mmm mmmm  ShortMonthNames / LongMonthNames
//           (right after an h or hh, m and mm are minutes)
//   yy      two-digit year             yyyy      four-digit year
//   h hh    hour (0..23, 00..23; 1..12 when an am/pm specifier follows)
//   n nn    minute                     s ss      second
//   z zzz   millisecond (0..999, 000..999)
//   t tt    ShortTimeFormat / LongTimeFormat
//   am/pm   "am" or "pm" in the case written    a/p   "a" or "p"
//   ampm    TimeAMString / TimePMString
//   /       DateSeparator              :         TimeSeparator
//   '...' "..."  copied as they are; any other character stands for itself.
// An empty format is "c". Text in the ANSI code page may hold double-byte characters
// ("YYYY年MM月DD日"); their bytes are never read as letters.
//
// Reading (StrToDate and the others): numbers in the order of ShortDateFormat separated by
// DateSeparator (the year may be left out: this year; two digits: see
// TwoDigitYearCenturyWindow), then for a time hour[:min[:sec[.fraction]]] with an optional
// AM/PM marker (TimeAMString/TimePMString or "AM"/"PM") before or after it; blanks around the
// parts are allowed. Other text raises EConvertError "'text' is not a valid date",
// "... valid time" or "... valid date and time".
#pragma once

#include <string_view>

#include "FormatSettings.h"

AnsiString FormatDateTime(std::string_view Format, TDateTime DateTime);
AnsiString FormatDateTime(std::string_view Format, TDateTime DateTime, const TFormatSettings& Settings);
AnsiString DateToStr(TDateTime Date);
AnsiString DateToStr(TDateTime Date, const TFormatSettings& Settings);
AnsiString TimeToStr(TDateTime Time);
AnsiString TimeToStr(TDateTime Time, const TFormatSettings& Settings);
AnsiString DateTimeToStr(TDateTime DateTime);
AnsiString DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings);

TDateTime StrToDate(std::string_view S);
TDateTime StrToDate(std::string_view S, const TFormatSettings& Settings);
bool TryStrToDate(std::string_view S, TDateTime& Value);
bool TryStrToDate(std::string_view S, TDateTime& Value, const TFormatSettings& Settings);
TDateTime StrToTime(std::string_view S);
TDateTime StrToTime(std::string_view S, const TFormatSettings& Settings);
bool TryStrToTime(std::string_view S, TDateTime& Value);
bool TryStrToTime(std::string_view S, TDateTime& Value, const TFormatSettings& Settings);
// A date, a date followed by a time, or a time alone (on day 0).
TDateTime StrToDateTime(std::string_view S);
TDateTime StrToDateTime(std::string_view S, const TFormatSettings& Settings);
bool TryStrToDateTime(std::string_view S, TDateTime& Value);
bool TryStrToDateTime(std::string_view S, TDateTime& Value, const TFormatSettings& Settings);
