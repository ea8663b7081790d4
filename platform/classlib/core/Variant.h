// Variant: a value whose type is decided at run time, as field values and settings carry them:
// Unassigned (empty), Null, a 32- or 64-bit integer, a float, a currency amount, a boolean, a
// date-time, or a string (8-bit in the ANSI code page, or wide).
//
// Reading a variant as another type converts it: numbers and dates to text as FloatToStr and
// DateTimeToStr write them, text to numbers and dates as StrToFloat and StrToDateTime read
// them, booleans as -1 (True) and 0, "True"/"False" as booleans; Unassigned reads as 0, "" or
// False. A conversion that cannot be made, among them any from Null, raises EVariantError
// "Could not convert variant of type (Null) into type (Integer)"; a number too large for the
// type asked for raises EVariantError "Variant overflow". VarToStr reads Null as "".
//
// Comparison: Null equals Null and is less than anything else; numbers of every kind compare
// by value; strings compare in the user's locale, case-sensitively; a string compared with a
// number is read as a number (EVariantError when it is none).
#pragma once

#include <cstdint>
#include <string_view>
#include <variant>

#include "Currency.h"
#include "System.h"

struct TFormatSettings;

using TVarType = std::uint16_t;
constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;

class Variant {
public:
  Variant() = default;  // Unassigned
  Variant(int Value) : value_(std::int32_t{Value}) {}
  Variant(long Value) : value_(std::int64_t{Value}) {}
  Variant(long long Value) : value_(std::int64_t{Value}) {}
  Variant(unsigned Value) : value_(std::int64_t{Value}) {}
  Variant(double Value) : value_(Value) {}
  Variant(Currency Value) : value_(Value) {}
  Variant(bool Value) : value_(Value) {}
  Variant(const char* Value) : value_(AnsiString(Value ? Value : "")) {}
  Variant(std::string_view Value) : value_(AnsiString(Value)) {}
  Variant(const AnsiString& Value) : value_(Value) {}
  Variant(const char16_t* Value) : value_(WideString(Value ? Value : u"")) {}
  Variant(std::u16string_view Value) : value_(WideString(Value)) {}
  Variant(const WideString& Value) : value_(Value) {}

  static Variant Null();
  static Variant FromDateTime(TDateTime Value);

  // Inline: every field read and every exported value asks it, often several times.
  TVarType VarType() const {
    constexpr TVarType kinds[] = {varEmpty, varNull, varInteger, varInt64, varDouble,
                                  varCurrency, varDate, varBoolean, varString, varOleStr};
    return kinds[value_.index()];
  }
  bool IsNull() const { return VarType() == varNull; }
  bool IsEmpty() const { return VarType() == varEmpty; }

  AnsiString AsString() const;
  WideString AsWideString() const;
  // The 8-bit text the value holds, without a copy; nullptr for every other kind.
  const AnsiString* AnsiText() const { return std::get_if<AnsiString>(&value_); }
  // Makes the value the text Text, in the storage of the text of its kind it already holds
  // (a reader that fills the same values record after record allocates nothing for them).
  void SetText(std::string_view Text);
  void SetText(std::u16string_view Text);
  // The same text with the given settings instead of the process-wide ones.
  AnsiString AsString(const TFormatSettings& Settings) const;
  WideString AsWideString(const TFormatSettings& Settings) const;
  int AsInteger() const;
  std::int64_t AsInt64() const;
  double AsFloat() const;
  Currency AsCurrency() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;

  // False also for values that cannot be compared (a text and a number it is not).
  friend bool operator==(const Variant& A, const Variant& B);
  // Raises EVariantError for values that cannot be compared.
  friend bool operator<(const Variant& A, const Variant& B);

private:
  struct NullValue {
    bool operator==(const NullValue&) const = default;
  };
  struct DateValue {
    TDateTime Value;
  };
  std::int64_t toInt64(TVarType target) const;

  using Storage = std::variant<std::monostate, NullValue, std::int32_t, std::int64_t, double, Currency, DateValue,
                               bool, AnsiString, WideString>;
  Storage value_;
};

Variant Null();
Variant Unassigned();
Variant VarFromDateTime(TDateTime Value);

TVarType VarType(const Variant& V);
bool VarIsNull(const Variant& V);
bool VarIsEmpty(const Variant& V);
// True for the two string types.
bool VarIsStr(const Variant& V);
// The text of the value; "" for Null and Unassigned.
AnsiString VarToStr(const Variant& V);
WideString VarToWideStr(const Variant& V);

enum class TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
TVariantRelationship VarCompareValue(const Variant& A, const Variant& B);
