// Currency: a fixed-point amount with four decimals, held as a 64-bit integer (the amount times
// 10000), so sums of money carry no binary rounding.
#pragma once

#include <compare>
#include <cstdint>

struct Currency {
  std::int64_t Value = 0;  // the amount times 10000

  static constexpr std::int64_t Scale = 10000;

  // The nearest amount; ties go to the even last decimal, as the processor rounds. Raises
  // EConvertError for a value outside the range (about +-922337203685477.5807) or not a number.
  static Currency FromDouble(double Amount);
  static constexpr Currency FromScaled(std::int64_t Scaled) { return Currency{Scaled}; }
  double ToDouble() const { return static_cast<double>(Value) / Scale; }

  friend constexpr auto operator<=>(Currency, Currency) = default;
};
