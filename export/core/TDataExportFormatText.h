// TDataExportFormatText: a file exporter with captions and formats.
//
// Published, in this order: AllowCaptions (True), Captions, Formats, UserFormats.
// Ini settings: GENERAL AllowCaptions; CAPTIONS and USER_FORMATS as "line<i>" lists;
// FORMATS Integer, Float, Date, Time, DateTime, Currency (through the format setters, so an
// empty value gives the default), BooleanTrue, BooleanFalse, NullString (ANSI code page),
// DecimalSeparator, ThousandSeparator, DateSeparator, TimeSeparator (one character; a missing
// or empty value keeps the separator), KeepOriginalFormat. Missing keys keep their values.
#pragma once

#include "TDataExportAdvancedText.h"

class TDataExportFormatText : public TDataExportAdvancedText {
  DECLARE_CLASS(TDataExportFormatText, TDataExportAdvancedText)

  explicit TDataExportFormatText(TComponent* AOwner);

  void SaveToIni(TExportIniFile* IniFile) override;
  void LoadFromIni(TExportIniFile* IniFile) override;
};

// The FORMATS section of a formats object, shared with the exporters that keep one elsewhere.
void SaveFormatsToIni(TExportIniFile* IniFile, const TExportFormats* Formats);
void LoadFormatsFromIni(TExportIniFile* IniFile, TExportFormats* Formats);
