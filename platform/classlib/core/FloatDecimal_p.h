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

// The most significant digits a value type carries.
constexpr int DoublePrecision = 18;
constexpr int CurrencyPrecision = 19;

// A double or an amount, for the writers that take either.
class TDecimalValue {
public:
  explicit TDecimalValue(double Value) : double_(Value) {}
  explicit TDecimalValue(Currency Value) : currency_(Value), isCurrency_(true) {}

  bool IsCurrency() const { return isCurrency_; }
  double AsDouble() const { return double_; }
  Currency AsCurrency() const { return currency_; }
  int MaxPrecision() const { return isCurrency_ ? CurrencyPrecision : DoublePrecision; }
  TFloatRec Round(int Precision, int Decimals) const {
    return isCurrency_ ? CurrencyToDecimal(currency_, Precision, Decimals) : FloatToDecimal(double_, Precision, Decimals);
  }

private:
  double double_ = 0;
  Currency currency_;
  bool isCurrency_ = false;
};

}  // namespace floatdecimal
