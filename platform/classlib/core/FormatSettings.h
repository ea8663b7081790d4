// Format settings: how numbers, amounts and dates are written and read.
//
// A TFormatSettings holds one set; the routines of Format, FloatText and DateTimeText take one
// as their last argument or, without it, use the process-wide set. The process-wide set starts
// from the user's locale and may be replaced at any time from any thread (the export library
// installs its own separators while it formats values and puts the old ones back); a routine
// that is running keeps the set it started with.
//
// Date and time formats use the letters of FormatDateTime ("yyyy/m/d", "h:mm:ss AMPM"), in
// which "/" stands for DateSeparator and ":" for TimeSeparator.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "System.h"

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ',';
  AnsiString CurrencyString = "$";
  // Where the currency string goes: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  std::uint8_t CurrencyFormat = 0;
  // Negative amounts: 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$", 7 "1$-",
  // 8 "-1 $", 9 "-$ 1", 10 "1 $-", 11 "$ 1-", 12 "$ -1", 13 "1- $", 14 "($ 1)", 15 "(1 $)".
  std::uint8_t NegCurrFormat = 1;
  std::uint8_t CurrencyDecimals = 2;
  AnsiString ShortDateFormat = "m/d/yyyy";
  AnsiString LongDateFormat = "mmmm d, yyyy";
  AnsiString ShortTimeFormat = "h:mm AMPM";
  AnsiString LongTimeFormat = "h:mm:ss AMPM";
  AnsiString TimeAMString = "AM";
  AnsiString TimePMString = "PM";
  std::array<AnsiString, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<AnsiString, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                            "July",    "August",   "September", "October", "November", "December"};
  // Sunday first.
  std::array<AnsiString, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<AnsiString, 7> LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  // A two-digit year read from text lies within this many years before the current year and
  // the years after it (50: in 2025, "30" is 2030 and "80" is 1980); 0 puts it in the current
  // century.
  int TwoDigitYearCenturyWindow = 50;
};

// The settings of a locale ("zh_CN", "de_DE"; empty: the user's default locale), texts in the
// ANSI code page. A locale that is not known gives the common (root) settings.
TFormatSettings GetLocaleFormatSettings(std::string_view LocaleName = {});

// The process-wide settings: a copy to change and give back, or a shared read-only snapshot.
TFormatSettings GetFormatSettings();
std::shared_ptr<const TFormatSettings> FormatSettingsSnapshot();
void SetFormatSettings(const TFormatSettings& Settings);
