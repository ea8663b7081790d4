#include "TextSchema_p.h"

#include "CodePage.h"
#include "DbError.h"
#include "DbNumbers_p.h"
#include "FileRoutines.h"
#include "Format.h"
#include "StringRoutines.h"
#include "TIniFile.h"

namespace {

struct TTypeName {
  const char* Name;
  TFieldType Type;
};
// The column types of the text driver's Col entries.
constexpr TTypeName TypeNames[] = {
    {"Bit", ftBoolean},     {"Byte", ftWord},       {"Short", ftSmallint},   {"Long", ftInteger},
    {"Integer", ftInteger}, {"Currency", ftCurrency}, {"Single", ftFloat},   {"Double", ftFloat},
    {"Float", ftFloat},     {"DateTime", ftDateTime}, {"Date", ftDateTime},  {"Text", ftString},
    {"Char", ftString},     {"Memo", ftMemo},       {"LongChar", ftMemo},
};

// The next word of a Col entry: a quoted name or a run of non-blanks.
std::string_view nextWord(std::string_view& s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  std::string_view word;
  if (!s.empty() && s.front() == '"') {
    const std::size_t close = s.find('"', 1);
    word = s.substr(1, close == std::string_view::npos ? s.size() - 1 : close - 1);
    s.remove_prefix(close == std::string_view::npos ? s.size() : close + 1);
  } else {
    const std::size_t end = std::min(s.find(' '), s.size());
    word = s.substr(0, end);
    s.remove_prefix(end);
  }
  return word;
}

TTextColumnSpec parseColumn(const AnsiString& SchemaFile, const AnsiString& Key, std::string_view entry) {
  TTextColumnSpec spec;
  spec.Name = AnsiString(nextWord(entry));
  if (spec.Name.empty()) RaiseDbError(SchemaFile, Format("%s has no column name", {Key}));
  const std::string_view typeName = nextWord(entry);
  if (!typeName.empty()) {
    bool known = false;
    for (const TTypeName& t : TypeNames)
      if (SameText(typeName, t.Name)) {
        spec.Type = t.Type;
        known = true;
      }
    if (!known) RaiseDbError(SchemaFile, Format("%s has the unknown type %s", {Key, AnsiString(typeName)}));
  }
  const std::string_view widthWord = nextWord(entry);
  if (SameText(widthWord, "Width")) {
    long long width = 0;
    const std::string_view number = nextWord(entry);
    if (!ParseDbInteger(number, width) || width < 1 || width > 65535)
      RaiseDbError(SchemaFile, Format("%s has no valid width", {Key}));
    spec.Width = int(width);
  } else if (!widthWord.empty()) {
    RaiseDbError(SchemaFile, Format("%s is not understood", {Key}));
  }
  return spec;
}

int parseCharacterSet(const AnsiString& SchemaFile, const AnsiString& Value) {
  if (SameText(Value, "ANSI")) return 0;
  if (SameText(Value, "OEM")) return GetOEMCP();
  if (SameText(Value, "UNICODE")) return CodePageUtf16;
  if (SameText(Value, "UTF-8") || SameText(Value, "UTF8")) return CP_UTF8;
  long long number = 0;
  if (ParseDbInteger(Value, number) && (number == CodePageUtf16 || (number > 2 && IsValidCodePage(int(number)))))
    return number == GetACP() ? 0 : int(number);
  RaiseDbError(SchemaFile, Format("the character set %s is not known", {Value}));
}

}  // namespace

bool ParseTextFormat(std::string_view Value, TTextSchema& Schema) {
  if (SameText(Value, "CSVDelimited") || SameText(Value, "Delimited")) {
    Schema.Layout = TTextLayout::Delimited;
    Schema.Delimiter = ',';
  } else if (SameText(Value, "TabDelimited")) {
    Schema.Layout = TTextLayout::Delimited;
    Schema.Delimiter = '\t';
  } else if (SameText(Value, "FixedLength") || SameText(Value, "Fixed")) {
    Schema.Layout = TTextLayout::FixedLength;
  } else if (Value.size() == 12 && SameText(Value.substr(0, 10), "Delimited(") && Value.back() == ')') {
    // Delimiters are single ASCII characters other than the quote and the line breaks.
    const char c = Value[10];
    if (static_cast<unsigned char>(c) >= 0x80 || c == '"' || c == '\r' || c == '\n' || c == '\0') return false;
    Schema.Layout = TTextLayout::Delimited;
    Schema.Delimiter = c;
  } else {
    return false;
  }
  return true;
}

void ApplySchemaIni(const AnsiString& SchemaFile, const AnsiString& TableName, TTextSchema& Schema) {
  if (!FileExists(SchemaFile)) return;
  TIniFile ini(SchemaFile);
  if (!ini.SectionExists(TableName)) return;

  const AnsiString format = ini.ReadString(TableName, "Format", "");
  if (!format.empty() && !ParseTextFormat(format, Schema))
    RaiseDbError(SchemaFile, Format("the format %s is not known", {format}));
  const AnsiString header = ini.ReadString(TableName, "ColNameHeader", "");
  if (!header.empty()) {
    if (SameText(header, "True") || header == "1")
      Schema.Header = true;
    else if (SameText(header, "False") || header == "0")
      Schema.Header = false;
    else
      RaiseDbError(SchemaFile, Format("ColNameHeader=%s is neither True nor False", {header}));
  }
  if (ini.ValueExists(TableName, "TextDelimiter")) {
    const AnsiString quote = ini.ReadString(TableName, "TextDelimiter", "");
    if (SameText(quote, "none") || quote.empty())
      Schema.Quote = -1;
    else if (quote.size() == 1 && static_cast<unsigned char>(quote[0]) < 0x80 && quote[0] != Schema.Delimiter)
      Schema.Quote = quote[0];
    else
      RaiseDbError(SchemaFile, Format("TextDelimiter=%s cannot be used", {quote}));
  }
  const AnsiString charset = ini.ReadString(TableName, "CharacterSet", "");
  if (!charset.empty()) Schema.CodePage = parseCharacterSet(SchemaFile, charset);

  Schema.Columns.clear();
  for (int i = 1;; ++i) {
    const AnsiString key = "Col" + std::to_string(i);
    if (!ini.ValueExists(TableName, key)) break;
    if (i > MaxTextColumns) RaiseDbError(SchemaFile, Format("more than %d columns are defined", {MaxTextColumns}));
    Schema.Columns.push_back(parseColumn(SchemaFile, key, ini.ReadString(TableName, key, "")));
  }
}
