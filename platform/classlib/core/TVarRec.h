// TVarRec: one argument of Format, holding a value of one of the kinds Format knows.
//
// Arguments are written as a braced list of plain values, Format("%s: %d", {name, count}); each
// becomes a TVarRec that refers to (does not copy) a string argument, so a TVarRec must not
// outlive the expression it was made in.
#pragma once

#include <cstdint>
#include <string_view>

#include "Currency.h"
#include "System.h"

class TVarRec {
public:
  enum class TKind {
    vtInteger,     // 32-bit signed
    vtInt64,       // 64-bit signed
    vtUInt64,      // 64-bit unsigned
    vtBoolean,
    vtChar,        // one 8-bit character
    vtWideChar,    // one UTF-16 code unit
    vtExtended,    // floating point
    vtCurrency,
    vtString,      // 8-bit text in the ANSI code page
    vtWideString,  // UTF-16 text
    vtPointer,
  };

  TVarRec(int Value) : kind_(TKind::vtInteger), int_(Value) {}
  TVarRec(long Value) : kind_(TKind::vtInt64), int_(Value) {}
  TVarRec(long long Value) : kind_(TKind::vtInt64), int_(Value) {}
  TVarRec(unsigned Value) : kind_(TKind::vtInt64), int_(Value) {}
  TVarRec(unsigned long Value) : kind_(TKind::vtUInt64), uint_(Value) {}
  TVarRec(unsigned long long Value) : kind_(TKind::vtUInt64), uint_(Value) {}
  TVarRec(bool Value) : kind_(TKind::vtBoolean), bool_(Value) {}
  TVarRec(char Value) : kind_(TKind::vtChar), char_(Value) {}
  TVarRec(char16_t Value) : kind_(TKind::vtWideChar), wideChar_(Value) {}
  TVarRec(double Value) : kind_(TKind::vtExtended), double_(Value) {}
  TVarRec(long double Value) : kind_(TKind::vtExtended), double_(static_cast<double>(Value)) {}
  TVarRec(Currency Value) : kind_(TKind::vtCurrency), currency_(Value) {}
  TVarRec(const char* Value) : kind_(TKind::vtString), string_(Value ? Value : "") {}
  TVarRec(std::string_view Value) : kind_(TKind::vtString), string_(Value) {}
  TVarRec(const AnsiString& Value) : kind_(TKind::vtString), string_(Value) {}
  TVarRec(const char16_t* Value) : kind_(TKind::vtWideString), wideString_(Value ? Value : u"") {}
  TVarRec(std::u16string_view Value) : kind_(TKind::vtWideString), wideString_(Value) {}
  TVarRec(const WideString& Value) : kind_(TKind::vtWideString), wideString_(Value) {}
  TVarRec(const void* Value) : kind_(TKind::vtPointer), pointer_(Value) {}
  TVarRec(std::nullptr_t) : kind_(TKind::vtPointer) {}

  TKind Kind() const { return kind_; }
  std::int64_t AsInt64() const { return int_; }
  std::uint64_t AsUInt64() const { return uint_; }
  bool AsBoolean() const { return bool_; }
  char AsChar() const { return char_; }
  char16_t AsWideChar() const { return wideChar_; }
  double AsExtended() const { return double_; }
  Currency AsCurrency() const { return currency_; }
  std::string_view AsString() const { return string_; }
  std::u16string_view AsWideString() const { return wideString_; }
  const void* AsPointer() const { return pointer_; }

private:
  TKind kind_;
  std::int64_t int_ = 0;
  std::uint64_t uint_ = 0;
  bool bool_ = false;
  char char_ = 0;
  char16_t wideChar_ = 0;
  double double_ = 0;
  Currency currency_;
  std::string_view string_;
  std::u16string_view wideString_;
  const void* pointer_ = nullptr;
};
