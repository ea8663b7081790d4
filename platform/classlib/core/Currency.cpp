#include "Currency.h"

#include <cmath>

#include "Exception.h"

Currency Currency::FromDouble(double Amount) {
  const double scaled = std::nearbyint(Amount * Scale);
  // 2^63 is exactly representable; anything at or beyond it does not fit.
  if (!(scaled > -9223372036854775808.0 && scaled < 9223372036854775808.0))
    throw EConvertError("Floating point value out of currency range");
  return Currency{static_cast<std::int64_t>(scaled)};
}
