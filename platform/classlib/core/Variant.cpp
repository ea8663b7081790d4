#include "Variant.h"

#include <cmath>

#include "CodePage.h"
#include "DateTimeText.h"
#include "Exception.h"
#include "FloatText.h"
#include "FormatSettings.h"
#include "IntegerText.h"
#include "LocaleText.h"
#include "StringRoutines.h"

namespace {

const char* typeName(TVarType type) {
  switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varInteger: return "Integer";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varBoolean: return "Boolean";
    case varInt64: return "Int64";
    default: return "String";
  }
}

[[noreturn]] void cannotConvert(TVarType from, TVarType to) {
  throw EVariantError(AnsiString("Could not convert variant of type (") + typeName(from) + ") into type (" +
                      typeName(to) + ")");
}

[[noreturn]] void overflow() { throw EVariantError("Variant overflow"); }

// A float rounded to a 64-bit integer, halves to the even neighbour as the processor does.
std::int64_t roundToInt64(double value) {
  double r = std::nearbyint(value);
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) overflow();
  return static_cast<std::int64_t>(r);
}

}  // namespace

Variant Variant::Null() {
  Variant v;
  v.value_ = NullValue{};
  return v;
}

Variant Variant::FromDateTime(TDateTime Value) {
  Variant v;
  v.value_ = DateValue{Value};
  return v;
}

void Variant::SetText(std::string_view Text) {
  if (AnsiString* s = std::get_if<AnsiString>(&value_))
    s->assign(Text);
  else
    value_.emplace<AnsiString>(Text);
}

void Variant::SetText(std::u16string_view Text) {
  if (WideString* s = std::get_if<WideString>(&value_))
    s->assign(Text);
  else
    value_.emplace<WideString>(Text);
}

AnsiString Variant::AsString() const {
  // Text is given as it is: only the other kinds need the process's settings, whose snapshot
  // takes a lock.
  if (const AnsiString* s = std::get_if<AnsiString>(&value_)) return *s;
  return AsString(*FormatSettingsSnapshot());
}

AnsiString Variant::AsString(const TFormatSettings& Settings) const {
  switch (VarType()) {
    case varEmpty: return {};
    case varInteger: return IntToStr(std::get<std::int32_t>(value_));
    case varInt64: return IntToStr(std::get<std::int64_t>(value_));
    case varDouble: return FloatToStr(std::get<double>(value_), Settings);
    case varCurrency: return CurrToStr(std::get<Currency>(value_), Settings);
    case varDate: {
      TDateTime d = std::get<DateValue>(value_).Value;
      // A time alone (day 0) is shown as a time, not as 30 December 1899.
      return std::trunc(d) == 0 && d != 0 ? TimeToStr(d, Settings) : DateTimeToStr(d, Settings);
    }
    case varBoolean: return std::get<bool>(value_) ? "True" : "False";
    case varString: return std::get<AnsiString>(value_);
    case varOleStr: return WideToAnsi(std::get<WideString>(value_));
    default: cannotConvert(VarType(), varString);
  }
}

WideString Variant::AsWideString() const {
  if (const WideString* w = std::get_if<WideString>(&value_)) return *w;
  return AnsiToWide(AsString());
}

WideString Variant::AsWideString(const TFormatSettings& Settings) const {
  if (const WideString* w = std::get_if<WideString>(&value_)) return *w;
  return AnsiToWide(AsString(Settings));
}

std::int64_t Variant::AsInt64() const { return toInt64(varInt64); }

std::int64_t Variant::toInt64(TVarType target) const {
  switch (VarType()) {
    case varEmpty: return 0;
    case varInteger: return std::get<std::int32_t>(value_);
    case varInt64: return std::get<std::int64_t>(value_);
    case varDouble: return roundToInt64(std::get<double>(value_));
    case varDate: return roundToInt64(std::get<DateValue>(value_).Value);
    case varCurrency: {
      // Scaled by 10000: round the four decimals away, halves to even.
      std::int64_t scaled = std::get<Currency>(value_).Value;
      std::int64_t whole = scaled / Currency::Scale, rest = scaled % Currency::Scale;
      if (rest > Currency::Scale / 2 || (rest == Currency::Scale / 2 && whole % 2 != 0)) ++whole;
      if (rest < -Currency::Scale / 2 || (rest == -Currency::Scale / 2 && whole % 2 != 0)) --whole;
      return whole;
    }
    case varBoolean: return std::get<bool>(value_) ? -1 : 0;
    case varString:
    case varOleStr: {
      AnsiString text = AsString();
      std::int64_t i;
      double d;
      if (TryStrToInt64(Trim(text), i)) return i;
      if (TryStrToFloat(text, d)) return roundToInt64(d);
      cannotConvert(VarType(), target);
    }
    default: cannotConvert(VarType(), target);
  }
}

int Variant::AsInteger() const {
  std::int64_t v = toInt64(varInteger);
  if (v < INT32_MIN || v > INT32_MAX) overflow();
  return static_cast<int>(v);
}

double Variant::AsFloat() const {
  switch (VarType()) {
    case varEmpty: return 0;
    case varInteger: return std::get<std::int32_t>(value_);
    case varInt64: return static_cast<double>(std::get<std::int64_t>(value_));
    case varDouble: return std::get<double>(value_);
    case varDate: return std::get<DateValue>(value_).Value;
    case varCurrency: return std::get<Currency>(value_).ToDouble();
    case varBoolean: return std::get<bool>(value_) ? -1 : 0;
    case varString:
    case varOleStr: {
      double d;
      if (TryStrToFloat(AsString(), d)) return d;
      cannotConvert(VarType(), varDouble);
    }
    default: cannotConvert(VarType(), varDouble);
  }
}

Currency Variant::AsCurrency() const {
  switch (VarType()) {
    case varCurrency: return std::get<Currency>(value_);
    case varString:
    case varOleStr: {
      Currency c;
      if (TryStrToCurr(AsString(), c)) return c;
      cannotConvert(VarType(), varCurrency);
    }
    case varNull: cannotConvert(varNull, varCurrency);
    default:
      try {
        return Currency::FromDouble(AsFloat());
      } catch (const EConvertError&) {
        overflow();
      }
  }
}

bool Variant::AsBoolean() const {
  switch (VarType()) {
    case varEmpty: return false;
    case varBoolean: return std::get<bool>(value_);
    case varString:
    case varOleStr: {
      AnsiString text = Trim(AsString());
      if (SameText(text, "True")) return true;
      if (SameText(text, "False")) return false;
      double d;
      if (TryStrToFloat(text, d)) return d != 0;
      cannotConvert(VarType(), varBoolean);
    }
    case varNull: cannotConvert(varNull, varBoolean);
    default: return AsFloat() != 0;
  }
}

TDateTime Variant::AsDateTime() const {
  switch (VarType()) {
    case varString:
    case varOleStr: {
      TDateTime d;
      if (TryStrToDateTime(AsString(), d)) return d;
      cannotConvert(VarType(), varDate);
    }
    case varNull: cannotConvert(varNull, varDate);
    default: return AsFloat();
  }
}

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B) {
  using R = TVariantRelationship;
  auto order = [](auto x, auto y) { return x < y ? R::vrLessThan : y < x ? R::vrGreaterThan : R::vrEqual; };
  const bool nullA = A.IsNull(), nullB = B.IsNull();
  if (nullA || nullB) return nullA && nullB ? R::vrEqual : nullA ? R::vrLessThan : R::vrGreaterThan;
  const bool strA = VarIsStr(A) || A.IsEmpty(), strB = VarIsStr(B) || B.IsEmpty();
  if (strA && strB) {
    WideString a = A.AsWideString(), b = B.AsWideString();
    if (a == b) return R::vrEqual;
    int c = WideCompareStr(a, b);
    // Texts the locale ranks alike are still different texts; their code order decides.
    if (c == 0) c = a < b ? -1 : 1;
    return c < 0 ? R::vrLessThan : R::vrGreaterThan;
  }
  const TVarType ta = A.VarType(), tb = B.VarType();
  auto integral = [](TVarType t) { return t == varInteger || t == varInt64 || t == varBoolean || t == varEmpty; };
  if (integral(ta) && integral(tb)) return order(A.AsInt64(), B.AsInt64());
  if (ta == varCurrency && tb == varCurrency) return order(A.AsCurrency().Value, B.AsCurrency().Value);
  double a = A.AsFloat(), b = B.AsFloat();
  if (std::isnan(a) || std::isnan(b)) return R::vrNotEqual;
  return order(a, b);
}

bool operator==(const Variant& A, const Variant& B) {
  try {
    return VarCompareValue(A, B) == TVariantRelationship::vrEqual;
  } catch (const EVariantError&) {
    return false;
  }
}

bool operator<(const Variant& A, const Variant& B) { return VarCompareValue(A, B) == TVariantRelationship::vrLessThan; }

Variant Null() { return Variant::Null(); }
Variant Unassigned() { return Variant(); }
Variant VarFromDateTime(TDateTime Value) { return Variant::FromDateTime(Value); }
TVarType VarType(const Variant& V) { return V.VarType(); }
bool VarIsNull(const Variant& V) { return V.IsNull(); }
bool VarIsEmpty(const Variant& V) { return V.IsEmpty(); }
bool VarIsStr(const Variant& V) { return V.VarType() == varString || V.VarType() == varOleStr; }
AnsiString VarToStr(const Variant& V) { return V.IsNull() ? AnsiString() : V.AsString(); }
WideString VarToWideStr(const Variant& V) { return V.IsNull() ? WideString() : V.AsWideString(); }
