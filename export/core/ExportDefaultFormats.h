// The library's default date, time, date-time and currency formats, taken once from the
// process's locale settings when the library's unit is initialised (DataExportUnit.h) and
// given to every TExportFormats as its defaults:
//   date       the short date format
//   time       the short time format
//   date-time  the date format, one blank, the time format
//   currency   "#,###,##0.00" with the currency string S placed as the locale's currency
//              position says: 0 S + number, 1 number + S, 2 S + " " + number, 3 number + " " + S;
//              empty for any other position.
#pragma once

#include "System.h"

struct TFormatSettings;

struct TExportDefaultFormats {
  AnsiString DateFormat;
  AnsiString TimeFormat;
  AnsiString DateTimeFormat;
  AnsiString CurrencyFormat;
};

// The defaults worked out from a set of format settings.
TExportDefaultFormats MakeExportDefaultFormats(const TFormatSettings& Settings);

// The library's defaults; all empty before the unit's initialisation and after its end.
const TExportDefaultFormats& ExportDefaultFormats();
void SetExportDefaultFormats(const TExportDefaultFormats& Formats);
