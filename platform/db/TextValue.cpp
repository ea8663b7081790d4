#include "TextValue_p.h"

#include <cmath>

#include "DateTimeText.h"
#include "DbNumbers_p.h"
#include "FloatText.h"
#include "StringRoutines.h"

namespace {

// Longer text than this is a memo, as the text driver makes it.
constexpr std::size_t MaxTextFieldSize = 255;

bool booleanText(std::string_view s, bool& value) {
  s = TrimField(s);
  if (SameText(s, "true") || SameText(s, "yes") || s == "1" || s == "-1") {
    value = true;
    return true;
  }
  if (SameText(s, "false") || SameText(s, "no") || s == "0") {
    value = false;
    return true;
  }
  return false;
}

// ISO dates and times first, then the user's own date and time format.
bool dateTimeText(std::string_view s, TDateTime& value, bool& hasDate, bool& hasTime) {
  if (ParseDbDateTime(s, value, hasDate, hasTime)) return true;
  s = TrimField(s);
  if (s.empty() || s.size() > 40 || !std::isdigit(static_cast<unsigned char>(s.front()))) return false;
  if (!TryStrToDateTime(s, value)) return false;
  hasDate = std::trunc(value) != 0;
  hasTime = value != std::trunc(value);
  if (!hasDate && !hasTime) hasDate = true;
  return true;
}

}  // namespace

TTextKind TextCellKind(std::string_view Text, bool Quoted) {
  if (Text.empty()) return TTextKind::Empty;
  if (Quoted) return TTextKind::Text;
  long long whole = 0;
  if (ParseDbInteger(Text, whole))
    return whole >= INT32_MIN && whole <= INT32_MAX ? TTextKind::Integer : TTextKind::Largeint;
  double number = 0;
  if (ParseDbFloat(Text, number)) return TTextKind::Float;
  const std::string_view trimmed = TrimField(Text);
  if (SameText(trimmed, "true") || SameText(trimmed, "false")) return TTextKind::Boolean;
  TDateTime moment = 0;
  bool hasDate = false, hasTime = false;
  if (dateTimeText(Text, moment, hasDate, hasTime))
    return hasDate && hasTime ? TTextKind::DateTime : hasDate ? TTextKind::Date : TTextKind::Time;
  return TTextKind::Text;
}

TTextKind MergeTextKinds(TTextKind A, TTextKind B) {
  if (A == B || B == TTextKind::Empty) return A;
  if (A == TTextKind::Empty) return B;
  auto isNumber = [](TTextKind k) {
    return k == TTextKind::Integer || k == TTextKind::Largeint || k == TTextKind::Float;
  };
  auto isMoment = [](TTextKind k) {
    return k == TTextKind::Date || k == TTextKind::Time || k == TTextKind::DateTime;
  };
  if (isNumber(A) && isNumber(B))
    return A == TTextKind::Float || B == TTextKind::Float ? TTextKind::Float : TTextKind::Largeint;
  if (isMoment(A) && isMoment(B)) return TTextKind::DateTime;
  return TTextKind::Text;
}

// Exact shortcuts of MergeTextKinds(Kind, TextCellKind(Text, Quoted)): Text merged with any
// kind stays Text; a cell that reads as a float is a number, which keeps a Float column Float;
// a cell that reads as a date or time holds a separator no number or boolean has, so it is a
// moment.
TTextKind MergeCellKind(TTextKind Kind, std::string_view Text, bool Quoted) {
  if (Kind == TTextKind::Text) return Kind;
  if (!Quoted && !Text.empty()) {
    double number = 0;
    if (Kind == TTextKind::Float && ParseDbFloat(Text, number)) return Kind;
    TDateTime moment = 0;
    bool hasDate = false, hasTime = false;
    if ((Kind == TTextKind::Date || Kind == TTextKind::Time || Kind == TTextKind::DateTime) &&
        ParseDbDateTime(Text, moment, hasDate, hasTime))
      return MergeTextKinds(Kind, hasDate && hasTime ? TTextKind::DateTime : hasDate ? TTextKind::Date : TTextKind::Time);
  }
  return MergeTextKinds(Kind, TextCellKind(Text, Quoted));
}

TFieldType TextKindFieldType(TTextKind Kind, bool Wide, std::size_t MaxLength) {
  switch (Kind) {
    case TTextKind::Integer: return ftInteger;
    case TTextKind::Largeint: return ftLargeint;
    case TTextKind::Float: return ftFloat;
    case TTextKind::Date: return ftDate;
    case TTextKind::Time: return ftTime;
    case TTextKind::DateTime: return ftDateTime;
    case TTextKind::Boolean: return ftBoolean;
    default:
      if (MaxLength > MaxTextFieldSize) return Wide ? ftWideMemo : ftMemo;
      return Wide ? ftWideString : ftString;
  }
}

bool TextCellValue(std::string_view Text, TFieldType Type, Variant& Value) {
  long long whole = 0;
  double number = 0;
  switch (Type) {
    case ftSmallint:
    case ftWord:
    case ftInteger:
    case ftLargeint: {
      if (!ParseDbInteger(Text, whole)) {
        // "12.0" in an integer column
        if (!ParseDbFloat(Text, number) || number != std::trunc(number) || std::fabs(number) > 9.0e18) return false;
        whole = static_cast<long long>(number);
      }
      const long long low = Type == ftSmallint ? INT16_MIN : Type == ftWord ? 0 : Type == ftInteger ? INT32_MIN : INT64_MIN;
      const long long high = Type == ftSmallint ? INT16_MAX : Type == ftWord ? 255 : Type == ftInteger ? INT32_MAX : INT64_MAX;
      if (whole < low || whole > high) return false;
      Value = Type == ftLargeint ? Variant(whole) : Variant(static_cast<int>(whole));
      return true;
    }
    case ftFloat:
      if (!ParseDbFloat(Text, number)) return false;
      Value = number;
      return true;
    case ftCurrency: {
      TFormatSettings settings;
      settings.DecimalSeparator = '.';
      Currency amount;
      if (!TryStrToCurr(TrimField(Text), amount, settings)) return false;
      Value = amount;
      return true;
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
      TDateTime moment = 0;
      bool hasDate = false, hasTime = false;
      if (!dateTimeText(Text, moment, hasDate, hasTime)) return false;
      Value = Variant::FromDateTime(moment);
      return true;
    }
    case ftBoolean: {
      bool flag = false;
      if (!booleanText(Text, flag)) return false;
      Value = flag;
      return true;
    }
    default: return false;
  }
}
