// The ini settings of TDataExport (section GENERAL and the FIELDS list) and the list-section
// routines its descendants share.
#include "IntegerText.h"
#include "TDataExport.h"
#include "TExportIniFile.h"
#include "TStringList.h"
#include "TWideStringList.h"
#include "Updating.h"

namespace {

constexpr const char* General = "GENERAL";
constexpr const char* Fields = "FIELDS";

// The text after the "=" of an ini line "key=value".
AnsiString afterKey(const AnsiString& line) {
  const std::size_t eq = line.find('=');
  return eq == AnsiString::npos ? AnsiString() : line.substr(eq + 1);
}

}  // namespace

void TDataExport::SaveListToIni(TExportIniFile* IniFile, const AnsiString& Section, const AnsiString& Prefix,
                                const TStrings* List) {
  IniFile->EraseSection(Section);
  for (int i = 0; i < List->Count(); ++i) IniFile->WriteString(Section, Prefix + IntToStr(i), List->Strings(i));
}

void TDataExport::LoadListFromIni(TExportIniFile* IniFile, const AnsiString& Section, TStrings* List,
                                  bool KeepPlainValues) {
  TStringList lines;
  IniFile->ReadSectionValues(Section, &lines);
  Updating(*List, [&] {
    List->Clear();
    for (int i = 0; i < lines.Count(); ++i) {
      const AnsiString line = lines.Strings(i);
      const AnsiString value = afterKey(line);
      List->Add(!KeepPlainValues || value.find('=') != AnsiString::npos ? value : line);
    }
  });
}

void TDataExport::SaveWideListToIni(TExportIniFile* IniFile, const AnsiString& Section, const TWideStringList* List) {
  IniFile->EraseSection(Section);
  for (int i = 0; i < List->Count(); ++i) IniFile->WriteWideString(Section, "line" + IntToStr(i), List->Strings(i));
}

void TDataExport::LoadWideListFromIni(TExportIniFile* IniFile, const AnsiString& Section, TWideStringList* List) {
  TStringList lines;
  IniFile->ReadSectionValues(Section, &lines);
  List->Clear();
  for (int i = 0; i < lines.Count(); ++i) List->Add(IniFile->DecodeWide(afterKey(lines.Strings(i))));
}

void TDataExport::SaveToIni(TExportIniFile* IniFile) {
  IniFile->WriteBool(General, "GoToFirstRecord", goToFirstRecord_);
  IniFile->WriteBool(General, "ExportEmpty", exportEmpty_);
  IniFile->WriteBool(General, "CurrentRecordOnly", currentRecordOnly_);
  IniFile->WriteInteger(General, "ExportRecCount", exportRecCount_);
  IniFile->WriteInteger(General, "SkipRecCount", skipRecCount_);
  IniFile->WriteBool(General, "OnlyVisibleFields", onlyVisibleFields_);
  IniFile->WriteBool(General, "AutocalcStrType", autoCalcStrType_);
  IniFile->WriteInteger(General, "CaptionRow", captionRow_);
  SaveListToIni(IniFile, Fields, "field", exportedFields_.get());
}

void TDataExport::LoadFromIni(TExportIniFile* IniFile) {
  goToFirstRecord_ = IniFile->ReadBool(General, "GoToFirstRecord", goToFirstRecord_);
  exportEmpty_ = IniFile->ReadBool(General, "ExportEmpty", exportEmpty_);
  currentRecordOnly_ = IniFile->ReadBool(General, "CurrentRecordOnly", currentRecordOnly_);
  exportRecCount_ = IniFile->ReadInteger(General, "ExportRecCount", exportRecCount_);
  skipRecCount_ = IniFile->ReadInteger(General, "SkipRecCount", skipRecCount_);
  onlyVisibleFields_ = IniFile->ReadBool(General, "OnlyVisibleFields", onlyVisibleFields_);
  autoCalcStrType_ = IniFile->ReadBool(General, "AutocalcStrType", autoCalcStrType_);
  captionRow_ = IniFile->ReadInteger(General, "CaptionRow", captionRow_);
  LoadListFromIni(IniFile, Fields, exportedFields_.get(), false);
}
