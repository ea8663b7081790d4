#include "TExportIniFile.h"

#include "CodePage.h"
#include "IntegerText.h"
#include "TStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportIniFile, TIniFile)

namespace {

constexpr const char* VersionSection = "DataExport";
constexpr const char* VersionKey = "Version";

// True when the profile format would not read Value back as it stands: blanks or control
// characters at its ends are dropped, and so is one pair of enclosing quotes.
bool needsQuotes(const AnsiString& value) {
  if (value.empty()) return false;
  if (static_cast<unsigned char>(value.front()) <= ' ' || static_cast<unsigned char>(value.back()) <= ' ') return true;
  return value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'');
}

}  // namespace

TExportIniFile::TExportIniFile(const AnsiString& FileName) : TIniFile(FileName) {
  const int stored = ReadInteger(VersionSection, VersionKey, -1);
  if (stored >= 0) {
    version_ = stored;
    return;
  }
  TStringList sections;
  ReadSections(&sections);
  if (sections.Count() == 0) {
    version_ = CurrentExportIniVersion;
    versionPending_ = true;
  } else {
    version_ = 0;
  }
}

void TExportIniFile::SetVersion(int Value) {
  version_ = Value;
  versionPending_ = true;
}

void TExportIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
  if (versionPending_) {
    versionPending_ = false;
    TIniFile::WriteString(VersionSection, VersionKey, IntToStr(version_));
  }
  TIniFile::WriteString(Section, Ident, needsQuotes(Value) ? "\"" + Value + "\"" : Value);
}

WideString TExportIniFile::DecodeWide(const AnsiString& Stored) const {
  return version_ >= ExportIniUtf8Version ? Utf8ToWide(Stored) : AnsiToWide(Stored);
}

AnsiString TExportIniFile::EncodeWide(const WideString& Value) const {
  return version_ >= ExportIniUtf8Version ? WideToUtf8(Value) : WideToAnsi(Value);
}

WideString TExportIniFile::ReadWideString(const AnsiString& Section, const AnsiString& Ident, const WideString& Default) {
  if (!ValueExists(Section, Ident)) return Default;
  return DecodeWide(ReadString(Section, Ident, AnsiString()));
}

void TExportIniFile::WriteWideString(const AnsiString& Section, const AnsiString& Ident, const WideString& Value) {
  WriteString(Section, Ident, EncodeWide(Value));
}
