#include "TCustomIniFile.h"

#include "DateTimeText.h"
#include "FloatText.h"
#include "IntegerText.h"
#include "StringRoutines.h"
#include "TStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TCustomIniFile, TObject)

int TCustomIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) {
  return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const AnsiString& Section, const AnsiString& Ident, double Default) {
  return StrToFloatDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteFloat(const AnsiString& Section, const AnsiString& Ident, double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

namespace {

// The value converted by TryConvert, or Default when it does not convert.
template <class T>
T converted(const AnsiString& Text, T Default, bool (*TryConvert)(std::string_view, T&)) {
  T value;
  return TryConvert(Text, value) ? value : Default;
}

}  // namespace

TDateTime TCustomIniFile::ReadDate(const AnsiString& Section, const AnsiString& Ident, TDateTime Default) {
  return converted<TDateTime>(ReadString(Section, Ident, ""), Default, TryStrToDate);
}

void TCustomIniFile::WriteDate(const AnsiString& Section, const AnsiString& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateToStr(Value));
}

TDateTime TCustomIniFile::ReadDateTime(const AnsiString& Section, const AnsiString& Ident, TDateTime Default) {
  return converted<TDateTime>(ReadString(Section, Ident, ""), Default, TryStrToDateTime);
}

void TCustomIniFile::WriteDateTime(const AnsiString& Section, const AnsiString& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateTimeToStr(Value));
}

TDateTime TCustomIniFile::ReadTime(const AnsiString& Section, const AnsiString& Ident, TDateTime Default) {
  return converted<TDateTime>(ReadString(Section, Ident, ""), Default, TryStrToTime);
}

void TCustomIniFile::WriteTime(const AnsiString& Section, const AnsiString& Ident, TDateTime Value) {
  WriteString(Section, Ident, TimeToStr(Value));
}

bool TCustomIniFile::SectionExists(const AnsiString& Section) {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) {
  TStringList keys;
  ReadSection(Section, &keys);
  AnsiString name = Trim(Ident);
  for (int i = 0; i < keys.Count(); ++i)
    if (SameText(keys.Strings(i), name)) return true;
  return false;
}
