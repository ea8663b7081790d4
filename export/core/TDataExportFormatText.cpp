#include "TDataExportFormatText.h"

#include "CodePage.h"
#include "TExportFormats.h"
#include "TExportIniFile.h"
#include "TStrings.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataExportFormatText, TDataExportAdvancedText,
             Published::Boolean("AllowCaptions", &TDataExport::AllowCaptions, &TDataExport::SetAllowCaptions),
             Published::Class("Captions", &TDataExport::Captions, &TDataExport::SetCaptions),
             Published::Class("Formats", &TDataExport::Formats, &TDataExport::SetFormats),
             Published::Class("UserFormats", &TDataExport::UserFormats, &TDataExport::SetUserFormats))

namespace {

constexpr const char* FormatsSection = "FORMATS";

// A separator as a one-character value; the character 0 (none) cannot be stored and is
// written as an empty value, which reading leaves alone.
AnsiString separatorText(char separator) { return separator == '\0' ? AnsiString() : AnsiString(1, separator); }

char readSeparator(TExportIniFile* ini, const char* key, char current) {
  const AnsiString value = ini->ReadString(FormatsSection, key, AnsiString(1, current));
  return value.empty() ? current : value[0];
}

}  // namespace

void SaveFormatsToIni(TExportIniFile* IniFile, const TExportFormats* Formats) {
  const char* s = FormatsSection;
  IniFile->WriteString(s, "Integer", Formats->IntegerFormat());
  IniFile->WriteString(s, "Float", Formats->FloatFormat());
  IniFile->WriteString(s, "Date", Formats->DateFormat());
  IniFile->WriteString(s, "Time", Formats->TimeFormat());
  IniFile->WriteString(s, "DateTime", Formats->DateTimeFormat());
  IniFile->WriteString(s, "Currency", Formats->CurrencyFormat());
  IniFile->WriteString(s, "BooleanTrue", WideToAnsi(Formats->BooleanTrue()));
  IniFile->WriteString(s, "BooleanFalse", WideToAnsi(Formats->BooleanFalse()));
  IniFile->WriteString(s, "NullString", WideToAnsi(Formats->NULLString()));
  IniFile->WriteString(s, "DecimalSeparator", separatorText(Formats->DecimalSeparator()));
  IniFile->WriteString(s, "ThousandSeparator", separatorText(Formats->ThousandSeparator()));
  IniFile->WriteString(s, "DateSeparator", separatorText(Formats->DateSeparator()));
  IniFile->WriteString(s, "TimeSeparator", separatorText(Formats->TimeSeparator()));
  IniFile->WriteBool(s, "KeepOriginalFormat", Formats->KeepOriginalFormat());
}

void LoadFormatsFromIni(TExportIniFile* IniFile, TExportFormats* Formats) {
  const char* s = FormatsSection;
  Formats->SetIntegerFormat(IniFile->ReadString(s, "Integer", Formats->IntegerFormat()));
  Formats->SetFloatFormat(IniFile->ReadString(s, "Float", Formats->FloatFormat()));
  Formats->SetDateFormat(IniFile->ReadString(s, "Date", Formats->DateFormat()));
  Formats->SetTimeFormat(IniFile->ReadString(s, "Time", Formats->TimeFormat()));
  Formats->SetDateTimeFormat(IniFile->ReadString(s, "DateTime", Formats->DateTimeFormat()));
  Formats->SetCurrencyFormat(IniFile->ReadString(s, "Currency", Formats->CurrencyFormat()));
  Formats->SetBooleanTrue(AnsiToWide(IniFile->ReadString(s, "BooleanTrue", WideToAnsi(Formats->BooleanTrue()))));
  Formats->SetBooleanFalse(AnsiToWide(IniFile->ReadString(s, "BooleanFalse", WideToAnsi(Formats->BooleanFalse()))));
  Formats->SetNULLString(AnsiToWide(IniFile->ReadString(s, "NullString", WideToAnsi(Formats->NULLString()))));
  Formats->SetDecimalSeparator(readSeparator(IniFile, "DecimalSeparator", Formats->DecimalSeparator()));
  Formats->SetThousandSeparator(readSeparator(IniFile, "ThousandSeparator", Formats->ThousandSeparator()));
  Formats->SetDateSeparator(readSeparator(IniFile, "DateSeparator", Formats->DateSeparator()));
  Formats->SetTimeSeparator(readSeparator(IniFile, "TimeSeparator", Formats->TimeSeparator()));
  Formats->SetKeepOriginalFormat(IniFile->ReadBool(s, "KeepOriginalFormat", Formats->KeepOriginalFormat()));
}

TDataExportFormatText::TDataExportFormatText(TComponent* AOwner) : TDataExportAdvancedText(AOwner) {}

void TDataExportFormatText::SaveToIni(TExportIniFile* IniFile) {
  TDataExportAdvancedText::SaveToIni(IniFile);
  IniFile->WriteBool("GENERAL", "AllowCaptions", AllowCaptions());
  SaveListToIni(IniFile, "CAPTIONS", "line", Captions());
  SaveFormatsToIni(IniFile, Formats());
  SaveListToIni(IniFile, "USER_FORMATS", "line", UserFormats());
}

void TDataExportFormatText::LoadFromIni(TExportIniFile* IniFile) {
  TDataExportAdvancedText::LoadFromIni(IniFile);
  SetAllowCaptions(IniFile->ReadBool("GENERAL", "AllowCaptions", AllowCaptions()));
  LoadListFromIni(IniFile, "CAPTIONS", Captions(), true);
  LoadFormatsFromIni(IniFile, Formats());
  LoadListFromIni(IniFile, "USER_FORMATS", UserFormats(), true);
}
