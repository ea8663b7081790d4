#include "TDataExportAdvancedText.h"

#include "TWideStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataExportAdvancedText, TDataExportText,
             Published::Class("Header", &TDataExport::Header, &TDataExport::SetHeader),
             Published::Class("Footer", &TDataExport::Footer, &TDataExport::SetFooter))

TDataExportAdvancedText::TDataExportAdvancedText(TComponent* AOwner) : TDataExportText(AOwner) {}

void TDataExportAdvancedText::SaveToIni(TExportIniFile* IniFile) {
  TDataExportText::SaveToIni(IniFile);
  SaveWideListToIni(IniFile, "HEADER", Header());
  SaveWideListToIni(IniFile, "FOOTER", Footer());
}

void TDataExportAdvancedText::LoadFromIni(TExportIniFile* IniFile) {
  TDataExportText::LoadFromIni(IniFile);
  LoadWideListFromIni(IniFile, "HEADER", Header());
  LoadWideListFromIni(IniFile, "FOOTER", Footer());
}
