// TDataExportAdvancedText: a file exporter with lines written before and after the data.
//
// Published: Header, Footer (wide-string lists). Ini settings: sections HEADER and FOOTER, the
// lines under "line0", "line1", ... (UTF-8 from the file's version 400 on, else the ANSI code
// page).
#pragma once

#include "TDataExportText.h"

class TDataExportAdvancedText : public TDataExportText {
  DECLARE_CLASS(TDataExportAdvancedText, TDataExportText)

  explicit TDataExportAdvancedText(TComponent* AOwner);

  void SaveToIni(TExportIniFile* IniFile) override;
  void LoadFromIni(TExportIniFile* IniFile) override;
};
