#include "DbfRecord.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DbaseFormat.h"
#include "FloatText.h"

namespace {

constexpr char Blank = ' ';
constexpr char Overflow = '*';
// The digits a double carries in fixed-point text, and the most decimals written.
constexpr int MaxFixedDigits = 18;
constexpr int MaxFixedDecimals = 18;

void appendRightAligned(std::string& record, std::string_view text, int length) {
  const auto n = static_cast<std::size_t>(std::max(length, 0));
  if (text.size() > n) {
    record.append(n, Overflow);
    return;
  }
  record.append(n - text.size(), Blank);
  record.append(text);
}

// Value's shortest fixed-point text that reads back as Value, padded with zeros to Decimals
// decimals; false when it has more decimals than that.
bool shortestFixedText(double Value, int Decimals, AnsiString& Text) {
  if (!DbfShortestText(Value, Text)) return false;
  const std::size_t point = Text.find('.');
  const int decimals = point == AnsiString::npos ? 0 : static_cast<int>(Text.size() - point - 1);
  if (decimals > Decimals) return false;
  if (Decimals > 0 && point == AnsiString::npos) Text += '.';
  Text.append(static_cast<std::size_t>(Decimals - decimals), '0');
  return true;
}

}  // namespace

void DbfDeletionFlag(std::string& Record) { Record += static_cast<char>(dbase::RecordLive); }

void DbfCharacterField(std::string& Record, std::string_view Text, int Length, int Encoding) {
  const auto n = static_cast<std::size_t>(std::max(Length, 0));
  const std::size_t kept = DbfWholeCharsPrefix(Text, n, Encoding);
  Record.append(Text.substr(0, kept));
  Record.append(n - kept, Blank);
}

void DbfNumericField(std::string& Record, std::string_view Text, int Length) {
  appendRightAligned(Record, Text, Length);
}

AnsiString DbfDateText(TDateTime Date) {
  int year, month, day;
  DecodeDate(Date, year, month, day);
  if (year < 1 || year > 9999) return {};
  char text[16];
  const int value = year * 10000 + month * 100 + day;
  const auto result = std::to_chars(text, text + sizeof text, value);
  const auto digits = static_cast<std::size_t>(result.ptr - text);
  return AnsiString(dbase::DateLength - digits, '0') + AnsiString(text, digits);
}

void DbfLogicalField(std::string& Record, char Value) { Record += Value; }

void DbfMemoField(std::string& Record, std::int64_t Block) {
  if (Block < 0) {
    DbfBlankField(Record, dbase::MemoFieldLength);
    return;
  }
  appendRightAligned(Record, DbfIntegerText(Block), dbase::MemoFieldLength);
}

void DbfBlankField(std::string& Record, int Length) { Record.append(static_cast<std::size_t>(std::max(Length, 0)), Blank); }

AnsiString DbfNumberText(double Value, int Length, int Decimals) {
  const auto length = static_cast<std::size_t>(std::max(Length, 0));
  if (!std::isfinite(Value)) return AnsiString(length, Overflow);
  // A value the field holds without rounding is written as its shortest text, all its digits
  // (also beyond the 18 the rounding below keeps), so that it reads back as the same value.
  if (AnsiString exact; Value != 0 && shortestFixedText(Value, Decimals, exact) && exact.size() <= length) return exact;
  // Fixed-point with "." and no grouping, rounded half away from zero as the platform's "%.nf".
  static const TFormatSettings point = [] {
    TFormatSettings s;
    s.DecimalSeparator = '.';
    s.ThousandSeparator = '\0';
    return s;
  }();
  AnsiString text;
  for (int decimals = std::clamp(Decimals, 0, MaxFixedDecimals); decimals >= 0; --decimals) {
    text = FloatToStrF(Value, TFloatFormat::ffFixed, MaxFixedDigits, decimals, point);
    // Too many digits for fixed-point notation: far beyond any field.
    if (std::any_of(text.begin(), text.end(), [](char c) { return c == 'E' || c == 'e'; }))
      return AnsiString(length + 1, Overflow);
    if (text.size() <= length) break;
  }
  return text;
}

bool DbfShortestText(double Value, AnsiString& Text) {
  char digits[400];  // the largest doubles have 309 digits, the smallest 324 decimals
  const auto result = std::to_chars(digits, digits + sizeof digits, Value, std::chars_format::fixed);
  if (result.ec != std::errc()) return false;
  Text.assign(digits, result.ptr);
  return true;
}

AnsiString DbfIntegerText(std::int64_t Value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, Value);
  return AnsiString(text, static_cast<std::size_t>(result.ptr - text));
}

std::size_t DbfWholeCharsPrefix(std::string_view Text, std::size_t MaxBytes, int Encoding) {
  if (Text.size() <= MaxBytes) return Text.size();
  switch (Encoding) {
    case 0: return WholeCharsPrefix(Text, MaxBytes, CP_ACP);
    case 1: return WholeCharsPrefix(Text, MaxBytes, CP_OEMCP);
    case 2: return WholeCharsPrefix(Text, MaxBytes, CP_MACCP);
    case 3: return WholeCharsPrefix(Text, MaxBytes, CP_UTF8);
    case 4: {
      // Whole UTF-16 units, and never the first half of a surrogate pair.
      std::size_t n = MaxBytes & ~std::size_t{1};
      if (n >= 2) {
        const auto unit = static_cast<unsigned>(static_cast<unsigned char>(Text[n - 2])) |
                          static_cast<unsigned>(static_cast<unsigned char>(Text[n - 1])) << 8;
        if (unit >= 0xD800 && unit <= 0xDBFF) n -= 2;
      }
      return n;
    }
    case 5: return MaxBytes & ~std::size_t{3};
    default: return MaxBytes;
  }
}
