#include "SqliteValues_p.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include <sqlite3.h>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DateTimeText.h"
#include "DbError.h"
#include "DbNumbers_p.h"
#include "FloatText.h"
#include "FormatSettings.h"
#include "IntegerText.h"
#include "StringRoutines.h"

namespace {

// ---- declared types ----

struct TDeclaredType {
  const char* Name;
  TFieldType Type;
};

// Access's type names and the common SQL ones, as a "create table" gives them.
constexpr TDeclaredType DeclaredTypes[] = {
    {"integer", ftInteger},      {"int", ftInteger},          {"long", ftInteger},
    {"int4", ftInteger},         {"mediumint", ftInteger},    {"counter", ftAutoInc},
    {"autoincrement", ftAutoInc}, {"autonumber", ftAutoInc},  {"smallint", ftSmallint},
    {"short", ftSmallint},       {"int2", ftSmallint},        {"byte", ftWord},
    {"tinyint", ftWord},         {"bigint", ftLargeint},      {"int8", ftLargeint},
    {"double", ftFloat},         {"double precision", ftFloat}, {"float", ftFloat},
    {"single", ftFloat},         {"real", ftFloat},           {"currency", ftBCD},
    {"money", ftBCD},            {"decimal", ftBCD},          {"numeric", ftBCD},
    {"datetime", ftDateTime},    {"timestamp", ftDateTime},   {"date", ftDate},
    {"time", ftTime},            {"logical", ftBoolean},      {"bit", ftBoolean},
    {"yesno", ftBoolean},        {"boolean", ftBoolean},      {"bool", ftBoolean},
    {"nvarchar", ftWideString},  {"varchar", ftWideString},   {"char", ftWideString},
    {"nchar", ftWideString},     {"character", ftWideString}, {"string", ftWideString},
    {"memo", ftWideMemo},        {"longtext", ftWideMemo},    {"ntext", ftWideMemo},
    {"clob", ftWideMemo},        {"longchar", ftWideMemo},    {"note", ftWideMemo},
    {"blob", ftBlob},            {"longbinary", ftBlob},      {"image", ftBlob},
    {"oleobject", ftBlob},       {"binary", ftBlob},          {"varbinary", ftBlob},
    {"guid", ftGuid},            {"uniqueidentifier", ftGuid},
};

constexpr int DefaultTextSize = 255;
constexpr int CurrencyPrecision = 19;
constexpr int CurrencyScale = 4;

bool contains(std::string_view Text, std::string_view Part) { return Text.find(Part) != std::string_view::npos; }

// ---- values read ----

AnsiString columnText(sqlite3_stmt* Stmt, int Index) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(Stmt, Index));
  return Utf8ToAnsi(std::string_view(text != nullptr ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(Stmt, Index))));
}

WideString columnWideText(sqlite3_stmt* Stmt, int Index) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(Stmt, Index));
  return Utf8ToWide(std::string_view(text != nullptr ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(Stmt, Index))));
}

// SQLite's date conventions: a REAL is a Julian day, an INTEGER seconds since 1970.
constexpr double JulianDayOfDay0 = 2415018.5;
constexpr double UnixDateDelta = 25569.0;

Variant dateValue(sqlite3_stmt* Stmt, int Index) {
  switch (sqlite3_column_type(Stmt, Index)) {
    case SQLITE_FLOAT: return Variant::FromDateTime(sqlite3_column_double(Stmt, Index) - JulianDayOfDay0);
    case SQLITE_INTEGER:
      return Variant::FromDateTime(static_cast<double>(sqlite3_column_int64(Stmt, Index)) / 86400.0 + UnixDateDelta);
    default: {
      AnsiString text = columnText(Stmt, Index);
      TDateTime value;
      bool hasDate, hasTime;
      if (ParseDbDateTime(text, value, hasDate, hasTime)) return Variant::FromDateTime(value);
      return Variant(text);
    }
  }
}

Variant booleanValue(sqlite3_stmt* Stmt, int Index) {
  if (sqlite3_column_type(Stmt, Index) != SQLITE_TEXT) return Variant(sqlite3_column_double(Stmt, Index) != 0);
  AnsiString text = Trim(columnText(Stmt, Index));
  if (SameText(text, "true") || SameText(text, "yes")) return Variant(true);
  if (SameText(text, "false") || SameText(text, "no")) return Variant(false);
  return Variant(text);
}

// ---- parameters ----

[[noreturn]] void badParam(const AnsiString& FileName, const TDbParam& Param, const char* TypeName) {
  RaiseDbError(FileName,
               "parameter " + Param.Name + ": '" + VarToStr(Param.CurrentValue()) + "' is not a valid " + TypeName);
}

// The text of a value read as a number, date or boolean. Settings is the snapshot the caller
// took for the whole run: reading the process's own again would take its lock for each value.
AnsiString paramText(const Variant& Value, const TFormatSettings& Settings) { return Value.AsString(Settings); }

// A number's text as the process writes numbers, without its thousand separators and its
// currency symbol, which reading numbers does not take.
AnsiString plainNumber(const AnsiString& Text, const TFormatSettings& Settings) {
  AnsiString text = Trim(Text);
  if (!Settings.CurrencyString.empty() && text.find(Settings.CurrencyString) != AnsiString::npos) {
    text = StringReplace(text, Settings.CurrencyString, "", {TReplaceFlag::rfReplaceAll});
  }
  if (Settings.ThousandSeparator != Settings.DecimalSeparator) std::erase(text, Settings.ThousandSeparator);
  return Trim(text);
}

std::int64_t integerParam(const TDbParam& Param, const AnsiString& FileName, const TFormatSettings& Settings) {
  const Variant& v = Param.CurrentValue();
  if (!VarIsStr(v)) {
    try {
      return v.AsInt64();
    } catch (const EVariantError&) {
      badParam(FileName, Param, "integer");
    }
  }
  AnsiString text = plainNumber(paramText(v, Settings), Settings);
  std::int64_t i;
  if (TryStrToInt64(text, i)) return i;
  double d;
  // A whole number written with decimals; halves go to the even neighbour.
  if (TryStrToFloat(text, d, Settings) && std::isfinite(d) && std::fabs(d) < 9.2e18) return static_cast<std::int64_t>(std::nearbyint(d));
  badParam(FileName, Param, "integer");
}

// Reads a number written as the exporters write most of them, "-1234.5" (digits, at most one
// "." between digits, a sign in front), in a single step. It is the same double plainNumber and
// TryStrToFloat make of it: both round the same decimal number to the nearest double, and
// with "." the decimal separator and neither it, a digit nor "-" in the thousand separator or
// the currency symbol, plainNumber leaves such a text as it is. False for any other text.
bool plainDecimal(std::string_view Text, const TFormatSettings& Settings, double& Value) {
  // Short enough that no such number is too large or too small for a double.
  constexpr std::size_t MaxLength = 24;
  constexpr std::string_view NumberChars = "0123456789.-";
  if (Text.empty() || Text.size() > MaxLength || Settings.DecimalSeparator != '.' ||
      NumberChars.find(Settings.ThousandSeparator) != std::string_view::npos ||
      Settings.CurrencyString.find_first_of(NumberChars) != AnsiString::npos)
    return false;
  std::size_t i = Text[0] == '-' ? 1 : 0;
  const std::size_t digits = i;
  while (i < Text.size() && Text[i] >= '0' && Text[i] <= '9') ++i;
  if (i == digits) return false;
  if (i < Text.size() && Text[i] == '.') {
    const std::size_t decimals = ++i;
    while (i < Text.size() && Text[i] >= '0' && Text[i] <= '9') ++i;
    if (i == decimals) return false;
  }
  if (i != Text.size()) return false;
  const std::from_chars_result read = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  return read.ec == std::errc() && read.ptr == Text.data() + Text.size();
}

double floatParam(const TDbParam& Param, const AnsiString& FileName, const TFormatSettings& Settings) {
  const Variant& v = Param.CurrentValue();
  if (!VarIsStr(v)) {
    try {
      return v.AsFloat();
    } catch (const EVariantError&) {
      badParam(FileName, Param, "number");
    }
  }
  const AnsiString text = paramText(v, Settings);
  double d;
  if (plainDecimal(text, Settings, d)) return d;
  if (!TryStrToFloat(plainNumber(text, Settings), d, Settings)) badParam(FileName, Param, "number");
  return d;
}

Currency currencyParam(const TDbParam& Param, const AnsiString& FileName, const TFormatSettings& Settings) {
  const Variant& v = Param.CurrentValue();
  if (!VarIsStr(v)) {
    try {
      return v.AsCurrency();
    } catch (const EVariantError&) {
      badParam(FileName, Param, "amount");
    }
  }
  Currency c;
  if (!TryStrToCurr(plainNumber(paramText(v, Settings), Settings), c, Settings)) badParam(FileName, Param, "amount");
  return c;
}

bool booleanParam(const TDbParam& Param, const AnsiString& FileName, const TFormatSettings& Settings) {
  const Variant& v = Param.CurrentValue();
  if (!VarIsStr(v)) {
    try {
      return v.AsBoolean();
    } catch (const EVariantError&) {
      badParam(FileName, Param, "boolean");
    }
  }
  AnsiString text = Trim(paramText(v, Settings));
  for (const char* yes : {"true", "yes", "on"})
    if (SameText(text, yes)) return true;
  for (const char* no : {"false", "no", "off"})
    if (SameText(text, no)) return false;
  double d;
  if (TryStrToFloat(plainNumber(text, Settings), d, Settings)) return d != 0;
  badParam(FileName, Param, "boolean");
}

// Appends Value, not below 0, with at least Width digits, zeros in front.
void appendDigits(std::string& Out, int Value, int Width) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, Value).ptr;
  Out.append(static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, Width - (end - digits))), '0');
  Out.append(digits, end);
}

// Dates are stored as ISO 8601 text, which SQLite's date functions and other readers take:
// "2024-02-29", with " 13:45:30" when it has a time and ".250" when that has milliseconds.
void isoDate(TDateTime Value, const TDbParam& Param, const AnsiString& FileName, std::string& Out) {
  int y, m, d, h, n, s, ms;
  DecodeDateTime(Value, y, m, d, h, n, s, ms);
  if (y == 0) badParam(FileName, Param, "date");
  // DecodeDateTime gives years 1 to 9999, or 0 for what is no date.
  Out.clear();
  appendDigits(Out, y, 4);
  Out += '-';
  appendDigits(Out, m, 2);
  Out += '-';
  appendDigits(Out, d, 2);
  if (h == 0 && n == 0 && s == 0 && ms == 0) return;
  Out += ' ';
  appendDigits(Out, h, 2);
  Out += ':';
  appendDigits(Out, n, 2);
  Out += ':';
  appendDigits(Out, s, 2);
  if (ms == 0) return;
  Out += '.';
  appendDigits(Out, ms, 3);
}

// True for "2024-02-29": four, two and two digits between "-", a day as isoDate writes it.
bool isIsoDay(std::string_view Text) {
  if (Text.size() != 10 || Text[4] != '-' || Text[7] != '-') return false;
  for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (Text[i] < '0' || Text[i] > '9') return false;
  return true;
}

// A date parameter's value as isoDate writes it, into Out.
void dateParam(const TDbParam& Param, const AnsiString& FileName, const TFormatSettings& Settings, std::string& Out) {
  const Variant& v = Param.CurrentValue();
  TDateTime value;
  if (!VarIsStr(v)) {
    try {
      value = v.AsDateTime();
    } catch (const EVariantError&) {
      badParam(FileName, Param, "date");
    }
  } else {
    AnsiString text = Trim(paramText(v, Settings));
    bool hasDate, hasTime;
    // ISO dates first: they are what the exporters write and read the same in every locale.
    if (ParseDbDateTime(text, value, hasDate, hasTime)) {
      // A valid day written as isoDate would write it.
      if (!hasTime && isIsoDay(text)) {
        Out = text;
        return;
      }
    } else if (!TryStrToDateTime(text, value, Settings)) {
      badParam(FileName, Param, "date");
    }
  }
  isoDate(value, Param, FileName, Out);
}

// Text in UTF-8, written into Out's own storage: a statement run once per record keeps Out and
// so converts without allocating. Text with a lone surrogate, which has no UTF-8 form, is left
// to the code-page converter and its substitute.
void wideToUtf8(std::u16string_view Text, std::string& Out) {
  // Three bytes at most for each UTF-16 unit: a pair of them makes four.
  Out.resize(Text.size() * 3);
  char* out = Out.data();
  auto put = [&out](char32_t Byte) { *out++ = static_cast<char>(Byte); };
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char32_t c = Text[i];
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | (c >> 6));
      put(0x80 | (c & 0x3F));
    } else if (c < 0xD800 || c > 0xDFFF) {
      put(0xE0 | (c >> 12));
      put(0x80 | ((c >> 6) & 0x3F));
      put(0x80 | (c & 0x3F));
    } else if (c <= 0xDBFF && i + 1 < Text.size() && Text[i + 1] >= 0xDC00 && Text[i + 1] <= 0xDFFF) {
      const char32_t code = 0x10000 + ((c - 0xD800) << 10) + (Text[++i] - 0xDC00);
      put(0xF0 | (code >> 18));
      put(0x80 | ((code >> 12) & 0x3F));
      put(0x80 | ((code >> 6) & 0x3F));
      put(0x80 | (code & 0x3F));
    } else {
      Out = WideToUtf8(Text);
      return;
    }
  }
  Out.resize(static_cast<std::size_t>(out - Out.data()));
}

// The value's text in UTF-8, written into Out.
void utf8Of(const Variant& Value, const TFormatSettings& Settings, std::string& Out) {
  if (Value.VarType() == varOleStr) {
    wideToUtf8(Value.AsWideString(), Out);
  } else {
    Out = AnsiToUtf8(Value.AsString(Settings));
  }
}

// Text bound without a copy: Text must stay as it is while the statement may read it.
void bindText(sqlite3_stmt* Stmt, int Position, const std::string& Utf8) {
  sqlite3_bind_text64(Stmt, Position, Utf8.data(), Utf8.size(), SQLITE_STATIC, SQLITE_UTF8);
}

// The type a value of no declared type is stored as.
TFieldType typeOfValue(const Variant& Value) {
  switch (Value.VarType()) {
    case varInteger: case varInt64: return ftLargeint;
    case varDouble: return ftFloat;
    case varCurrency: return ftCurrency;
    case varDate: return ftDateTime;
    case varBoolean: return ftBoolean;
    default: return ftWideString;
  }
}

}  // namespace

TDbColumn SqliteDeclaredColumn(std::string_view DeclaredType) {
  TDbColumn column;
  AnsiString declared = LowerCase(Trim(DeclaredType));
  const std::size_t open = declared.find('(');
  AnsiString base = Trim(declared.substr(0, open));
  std::optional<int> size, scale;
  if (open != AnsiString::npos) {
    // "(n)" or "(p,s)".
    AnsiString inside = declared.substr(open + 1, declared.find(')', open) - open - 1);
    const std::size_t comma = inside.find(',');
    int value;
    if (TryStrToInt(Trim(inside.substr(0, comma)), value) && value > 0) size = value;
    if (comma != AnsiString::npos && TryStrToInt(Trim(inside.substr(comma + 1)), value) && value >= 0) scale = value;
  }
  column.DataType = ftUnknown;
  for (const TDeclaredType& t : DeclaredTypes)
    if (base == t.Name) column.DataType = t.Type;
  // "text(n)" is a text of n characters, "text" alone a memo.
  if (base == "text") column.DataType = size ? ftWideString : ftWideMemo;
  if (column.DataType == ftUnknown) {
    // SQLite's own affinity rules for any other name.
    if (contains(base, "int")) column.DataType = ftLargeint;
    else if (contains(base, "char") || contains(base, "clob") || contains(base, "text")) column.DataType = ftWideMemo;
    else if (base.empty() || contains(base, "blob")) column.DataType = base.empty() ? ftWideMemo : ftBlob;
    else column.DataType = ftFloat;
  }
  switch (column.DataType) {
    case ftWideString: column.Size = size.value_or(DefaultTextSize); break;
    case ftBCD:
      column.Precision = size.value_or(CurrencyPrecision);
      column.Scale = scale.value_or(CurrencyScale);
      // An amount keeps four decimals; finer numbers are floats, which keep the declared
      // digits as the layout of their values.
      if (column.Scale > CurrencyScale || column.Precision > CurrencyPrecision) column.DataType = ftFloat;
      break;
    case ftGuid: column.Size = 38; break;
    default: break;
  }
  return column;
}

Variant SqliteColumnValue(sqlite3_stmt* Stmt, int Index, TFieldType DataType) {
  const int stored = sqlite3_column_type(Stmt, Index);
  if (stored == SQLITE_NULL) return Variant::Null();
  switch (DataType) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
      if (stored == SQLITE_INTEGER) {
        const std::int64_t value = sqlite3_column_int64(Stmt, Index);
        if (DataType != ftLargeint && value >= INT32_MIN && value <= INT32_MAX) return Variant(static_cast<int>(value));
        return Variant(static_cast<long long>(value));
      }
      if (stored == SQLITE_FLOAT) return Variant(sqlite3_column_double(Stmt, Index));
      return Variant(columnText(Stmt, Index));
    case ftFloat:
      if (stored == SQLITE_INTEGER || stored == SQLITE_FLOAT) return Variant(sqlite3_column_double(Stmt, Index));
      return Variant(columnText(Stmt, Index));
    case ftCurrency: case ftBCD: case ftFMTBcd:
      if (stored == SQLITE_INTEGER || stored == SQLITE_FLOAT) {
        try {
          return Variant(Currency::FromDouble(sqlite3_column_double(Stmt, Index)));
        } catch (const EConvertError&) {
          return Variant(sqlite3_column_double(Stmt, Index));
        }
      }
      return Variant(columnText(Stmt, Index));
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp: return dateValue(Stmt, Index);
    case ftBoolean: return booleanValue(Stmt, Index);
    case ftWideString: case ftFixedWideChar: case ftWideMemo: return Variant(columnWideText(Stmt, Index));
    case ftString: case ftFixedChar: case ftMemo: case ftGuid: return Variant(columnText(Stmt, Index));
    default: {
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(Stmt, Index));
      return Variant(std::string_view(bytes != nullptr ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(Stmt, Index))));
    }
  }
}

void BindSqliteParam(sqlite3_stmt* Stmt, int Position, const TDbParam& Param, const AnsiString& FileName,
                     const TFormatSettings& Settings, std::string& Text) {
  const Variant& v = Param.CurrentValue();
  if (v.IsEmpty() || v.IsNull()) {
    sqlite3_bind_null(Stmt, Position);
    return;
  }
  const TFieldType type = Param.DataType == ftUnknown ? typeOfValue(v) : Param.DataType;
  switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
      sqlite3_bind_int64(Stmt, Position, integerParam(Param, FileName, Settings));
      break;
    case ftFloat: sqlite3_bind_double(Stmt, Position, floatParam(Param, FileName, Settings)); break;
    case ftCurrency: case ftBCD: case ftFMTBcd:
      sqlite3_bind_double(Stmt, Position, currencyParam(Param, FileName, Settings).ToDouble());
      break;
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp:
      dateParam(Param, FileName, Settings, Text);
      bindText(Stmt, Position, Text);
      break;
    case ftBoolean: sqlite3_bind_int(Stmt, Position, booleanParam(Param, FileName, Settings) ? 1 : 0); break;
    case ftString: case ftFixedChar: case ftWideString: case ftFixedWideChar: case ftMemo: case ftWideMemo:
    case ftFmtMemo: case ftGuid:
      utf8Of(v, Settings, Text);
      bindText(Stmt, Position, Text);
      break;
    default: {
      AnsiString bytes = v.AsString();
      sqlite3_bind_blob64(Stmt, Position, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
    }
  }
}
