// Internal: decimal digits of floating-point and currency values.
//
// This header may change without notice. Every routine that writes a number (FloatToText,
// FormatFloat, Format) starts from a TFloatRec: the value as sign, digits and exponent,
// rounded once to the precision and the decimals the caller wants.
#pragma once

#include <string>

#include "Currency.h"

namespace floatdecimal {

struct TFloatRec {
  bool Negative = false;
  bool Nan = false;
  bool Infinite = false;
  // The value is 0.D1D2D3... times 10^Exponent; Digits has no leading or trailing zeros and is
  // empty for zero.
  std::string Digits;
  int Exponent = 0;

  bool IsZero() const { return Digits.empty() && !Nan && !Infinite; }
  // The digits before the decimal point, "" when the value is below one.
  std::string IntegerDigits() const;
  // Count digits after the decimal point, zeros where the value has none.
  std::string FractionDigits(int Count) const;
};

// Digits of Value rounded to at most Precision significant digits and at most Decimals digits
// after the decimal point. The value's 18 leading digits are taken first and rounded half away
// from zero from there, so 0.125 rounds to 0.13 as a person expects.
TFloatRec FloatToDecimal(double Value, int Precision, int Decimals);
TFloatRec CurrencyToDecimal(Currency Value, int Precision, int Decimals);
TFloatRec IntegerToDecimal(long long Value, int Precision, int Decimals);

// The most significant digits a value type carries.
constexpr int DoublePrecision = 18;
constexpr int CurrencyPrecision = 19;
constexpr int IntegerPrecision = 19;

// A double, an amount or a 64-bit integer, for the writers that take any of them.
class TDecimalValue {
public:
  explicit TDecimalValue(double Value) : double_(Value) {}
  explicit TDecimalValue(Currency Value) : currency_(Value), kind_(TKind::Currency) {}
  explicit TDecimalValue(long long Value) : integer_(Value), kind_(TKind::Integer) {}

  bool IsCurrency() const { return kind_ == TKind::Currency; }
  bool IsInteger() const { return kind_ == TKind::Integer; }
  double AsDouble() const { return double_; }
  Currency AsCurrency() const { return currency_; }
  long long AsInteger() const { return integer_; }
  int MaxPrecision() const {
    return kind_ == TKind::Currency ? CurrencyPrecision : kind_ == TKind::Integer ? IntegerPrecision : DoublePrecision;
  }
  TFloatRec Round(int Precision, int Decimals) const {
    switch (kind_) {
      case TKind::Currency: return CurrencyToDecimal(currency_, Precision, Decimals);
      case TKind::Integer: return IntegerToDecimal(integer_, Precision, Decimals);
      default: return FloatToDecimal(double_, Precision, Decimals);
    }
  }

private:
  enum class TKind { Double, Currency, Integer };
  double double_ = 0;
  Currency currency_;
  long long integer_ = 0;
  TKind kind_ = TKind::Double;
};

}  // namespace floatdecimal
