#include "TextFormatSettings.h"

#include "TIniFile.h"

namespace {

bool usable(char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\r' && c != '\n' && c != '\0'; }

}  // namespace

TTextFormatEntries ReadTextFormatEntries(const AnsiString& SettingsFile) {
  TTextFormatEntries entries;
  if (SettingsFile.empty()) return entries;
  TIniFile ini(SettingsFile);
  entries.DelimiterChar = ini.ReadString(TextFormatSection, "DelimiterChar", entries.DelimiterChar);
  entries.QuoteChar = ini.ReadString(TextFormatSection, "QuoteChar", entries.QuoteChar);
  entries.QuotedString = ini.ReadBool(TextFormatSection, "QuotedString", entries.QuotedString);
  entries.IncludeTitle = ini.ReadBool(TextFormatSection, "IncludeTitle", entries.IncludeTitle);
  return entries;
}

void WriteTextFormatEntries(const AnsiString& SettingsFile, const TTextFormatEntries& Entries) {
  if (SettingsFile.empty()) return;
  TIniFile ini(SettingsFile);
  ini.WriteString(TextFormatSection, "DelimiterChar", Entries.DelimiterChar);
  ini.WriteString(TextFormatSection, "QuoteChar", Entries.QuoteChar);
  ini.WriteBool(TextFormatSection, "QuotedString", Entries.QuotedString);
  ini.WriteBool(TextFormatSection, "IncludeTitle", Entries.IncludeTitle);
}

char TextFormatChar(const AnsiString& Value) {
  if (Value.empty()) return ' ';
  if (Value[0] == 't' || Value[0] == 'T') return '\t';
  return Value[0];
}

bool TextFormatOf(const TTextFormatEntries& Entries, TTextFormat& Format, AnsiString& Reason) {
  Format.Delimiter = TextFormatChar(Entries.DelimiterChar);
  Format.Quote = TextFormatChar(Entries.QuoteChar);
  Format.QuotedString = Entries.QuotedString;
  Format.IncludeTitle = Entries.IncludeTitle;
  if (!usable(Format.Delimiter)) {
    Reason = "The delimiter of the TXT format (\"" + Entries.DelimiterChar + "\") is not a single-byte character";
    return false;
  }
  if (!usable(Format.Quote)) {
    Reason = "The quote character of the TXT format (\"" + Entries.QuoteChar + "\") is not a single-byte character";
    return false;
  }
  if (Format.Delimiter == '"') {
    Reason = "A double quote cannot be the delimiter of the TXT format";
    return false;
  }
  if (Format.Delimiter == Format.Quote) {
    Reason = "The delimiter and the quote character of the TXT format are the same character";
    return false;
  }
  return true;
}
