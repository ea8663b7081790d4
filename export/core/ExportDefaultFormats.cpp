#include "ExportDefaultFormats.h"

#include "FormatSettings.h"

namespace {

constexpr const char* CurrencyNumberMask = "#,###,##0.00";

// Written once by the unit's initialisation, before any export runs, and read afterwards.
TExportDefaultFormats defaults;

}  // namespace

TExportDefaultFormats MakeExportDefaultFormats(const TFormatSettings& Settings) {
  TExportDefaultFormats f;
  f.DateFormat = Settings.ShortDateFormat;
  f.TimeFormat = Settings.ShortTimeFormat;
  f.DateTimeFormat = f.DateFormat + " " + f.TimeFormat;
  const AnsiString& symbol = Settings.CurrencyString;
  const AnsiString number = CurrencyNumberMask;
  switch (Settings.CurrencyFormat) {
    case 0: f.CurrencyFormat = symbol + number; break;
    case 1: f.CurrencyFormat = number + symbol; break;
    case 2: f.CurrencyFormat = symbol + " " + number; break;
    case 3: f.CurrencyFormat = number + " " + symbol; break;
    default: break;
  }
  return f;
}

const TExportDefaultFormats& ExportDefaultFormats() { return defaults; }

void SetExportDefaultFormats(const TExportDefaultFormats& Formats) { defaults = Formats; }
