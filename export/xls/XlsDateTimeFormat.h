// The number format of an Excel cell that shows a date or time, made from the export's
// date/time format mask (the letters of FormatDateTime).
//
// The two languages share most letters (y, m, d, h, s, am/pm, a/p); where they differ the mask
// is rewritten so that Excel shows what the mask shows: minutes "n"/"nn" become "m"/"mm",
// "ampm" becomes "AM/PM", milliseconds "z"/"zzz" become "0"/"000", text in single quotes goes in
// double quotes, and "/" and ":" become the date and time separators the export writes with (a
// separator other than "/", ":", "-", ".", "," or a blank is marked as a literal character).
// Other characters are kept; an empty mask stays empty.
#pragma once

#include "System.h"

WideString XlsDateTimeFormat(const AnsiString& Mask, char DateSeparator, char TimeSeparator);
