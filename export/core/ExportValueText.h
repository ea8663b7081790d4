// The text of one value of the current record, and the column type a text suggests.
//
// GetColumnValue gives the raw value of a column in the source's current record and the text
// it is exported as:
// - with a field (data-set and grid sources): a null field gives the formats' NULLString;
//   KeepOriginalFormat gives the value's own text; otherwise the value is written by the
//   field's type: integers with the integer format, floats with the float format, currency
//   with the currency format, dates, times and date-times with theirs, booleans as BooleanTrue
//   or BooleanFalse, BCD and wide strings as their own text, everything else as the field's
//   string value;
// - without one (list view, string grid, custom source): the cell's text, converted by the
//   column's type (integer, 64-bit integer, float, date-time) into the raw value and, unless
//   KeepOriginalFormat is on, written again with the type's format; a text that does not
//   convert keeps its text and gets a Null raw value; other types keep the text.
// "With the X format" is the column's own Format when it is not empty, else the formats' X
// format.
//
// Values are read and written with the export's TExportTextSettings: Read holds the process's
// settings as they were when the export began (how a source's texts are read), Write the same
// with the formats' four separators (how values are written). Nothing here changes the
// process's settings, so exports on several threads and the main thread's own formatting do
// not disturb each other.
#pragma once

#include "ExportSource.h"
#include "FormatSettings.h"
#include "Variant.h"

class TExportColumn;
class TExportFormats;

struct TExportTextSettings {
  TFormatSettings Read;
  TFormatSettings Write;

  // Read := the process's settings now; Write := Read with the separators of Formats.
  void Reset(const TExportFormats& Formats);
};

// RecNo and Skipped locate a list-view item (item RecNo + Skipped). Value and Text keep their
// storage between calls.
void GetColumnValue(const TExportSourceRef& Source, TExportColumn& Column, int RecNo, int Skipped,
                    const TExportFormats& Formats, const TExportTextSettings& Settings, Variant& Value,
                    WideString& Text);

// The type a text suggests: "" ectString; TrueText or FalseText (without regard to case)
// ectBoolean; an integer ectInteger; a float ectFloat; a date-time ectDate (no time of day),
// ectTime (no date) or ectDateTime; anything else ectString. Numbers and dates are read with
// Settings.
TExportColType GuessColumnType(const AnsiString& Text, const WideString& TrueText, const WideString& FalseText,
                               const TFormatSettings& Settings);
