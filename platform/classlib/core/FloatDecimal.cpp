#include "FloatDecimal_p.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cmath>

namespace floatdecimal {

namespace {

// Rounds Rec's digits to Keep digits, half away from zero.
void roundTo(TFloatRec& rec, int keep) {
  if (keep < 0) {
    rec.Digits.clear();
  } else if (static_cast<std::size_t>(keep) < rec.Digits.size()) {
    bool up = rec.Digits[static_cast<std::size_t>(keep)] >= '5';
    rec.Digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      int i = keep - 1;
      for (; i >= 0 && rec.Digits[static_cast<std::size_t>(i)] == '9'; --i) rec.Digits[static_cast<std::size_t>(i)] = '0';
      if (i >= 0) {
        ++rec.Digits[static_cast<std::size_t>(i)];
      } else {
        rec.Digits.insert(rec.Digits.begin(), '1');  // 9.99 -> 10.0
        ++rec.Exponent;
      }
    }
  }
  while (!rec.Digits.empty() && rec.Digits.back() == '0') rec.Digits.pop_back();
  if (rec.Digits.empty()) rec.Exponent = 0;
}

int clampPrecision(int precision, int most) { return precision < 1 ? 1 : precision > most ? most : precision; }

// The value's DoublePrecision leading digits, rounded, in Buf: the value is 0.Digits times
// 10^Exponent.
void leadingDigits(double magnitude, char (&buf)[64], std::string_view& digits, int& exponent) {
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, DoublePrecision - 1);
  // "d.dddddddddddddddddde+XX"
  std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  std::size_t e = text.find('e');
  // The digits without the point, in place: "dd...d" from "d.dd...d".
  buf[1] = buf[0];
  digits = std::string_view(buf + 1, e - 1);
  const char* expText = text.data() + e + 1;
  if (*expText == '+') ++expText;  // from_chars reads no plus sign
  exponent = 0;
  std::from_chars(expText, text.data() + text.size(), exponent);
  ++exponent;
}

// The value's shortest digits (those that read back as the same double), when rounding them
// to Keep digits gives what rounding the value's DoublePrecision leading digits would: for
// 1 <= value < 10^15 both have the same decimal exponent, and the value lies within 1.2e-16
// of its leading power of ten from those digits, while the next digit boundary of at most 15
// digits is 1e-15 away; a tie at Keep is left to the general conversion.
bool shortestDigits(double magnitude, int precision, int decimals, char (&buf)[64], std::string_view& digits,
                    int& exponent) {
  constexpr int MostDigits = 15;
  if (!(magnitude >= 1 && magnitude < 1e15)) return false;
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
  std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  std::size_t e = text.find('e');
  if (e == std::string_view::npos || text[e + 1] != '+') return false;
  int e10 = 0;
  std::from_chars(text.data() + e + 2, text.data() + text.size(), e10);
  // "d" or "d.ddd": the digits without the point, in place.
  std::size_t n = 1;
  if (e > 1) {
    buf[1] = buf[0];
    n = e - 1;
  }
  const char* first = e > 1 ? buf + 1 : buf;
  const long long byDecimals = static_cast<long long>(e10 + 1) + decimals;
  const long long keep = byDecimals < precision ? byDecimals : precision;
  if (n > MostDigits || keep > MostDigits) return false;
  if (keep >= 0 && static_cast<std::size_t>(keep) == n - 1 && first[keep] == '5') return false;
  digits = std::string_view(first, n);
  exponent = e10 + 1;
  return true;
}

// Whole numbers, halves, quarters and the like (most amounts and readings that are not
// fractions of a tenth) are integers once scaled by a small power of ten; their digits come
// exactly from that integer, which is much quicker than the general conversion and gives the
// same digits. False for other values.
bool exactDigits(double magnitude, char (&buf)[64], std::string_view& digits, int& exponent) {
  // Below 10^15 every scaled integer tried has at most 18 digits, so no leading digit is lost.
  constexpr double Limit = 1e15;
  constexpr std::uint64_t Scales[] = {1, 10, 100, 1000};
  if (!(magnitude < Limit)) return false;
  // The value as Mantissa * 2^-Shift exactly; below 10^15 a normal value's Shift is at least 3
  // (its 53-bit mantissa is at least 2^52), so it never needs a left shift.
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> 52);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t mantissa = biased == 0 ? fraction : fraction | std::uint64_t{1} << 52;
  const int shift = biased == 0 ? 1074 : 1075 - biased;
  if (shift <= 0 || shift >= 64) return false;
  for (int k = 0; k < 4; ++k) {
    // The scaled value in integers (below 2^63): a whole number, and one a double holds
    // exactly (at most 53 significant bits), as the product the caller would compute.
    const std::uint64_t product = mantissa * Scales[k];
    if ((product & ((std::uint64_t{1} << shift) - 1)) != 0) continue;
    const std::uint64_t scaled = product >> shift;
    if (std::bit_width(scaled) - std::countr_zero(scaled) > 53) continue;
    const auto end = std::to_chars(buf, buf + sizeof buf, scaled).ptr;
    std::size_t n = static_cast<std::size_t>(end - buf);
    exponent = static_cast<int>(n) - k;
    while (n > 0 && buf[n - 1] == '0') --n;
    digits = std::string_view(buf, n);
    return true;
  }
  return false;
}

void limit(TFloatRec& rec, int precision, int decimals) {
  long long byDecimals = static_cast<long long>(rec.Exponent) + decimals;
  roundTo(rec, static_cast<int>(byDecimals < precision ? byDecimals : precision));
}

}  // namespace

std::string TFloatRec::IntegerDigits() const {
  if (Exponent <= 0) return {};
  std::string out = Digits.substr(0, static_cast<std::size_t>(Exponent));
  out.append(static_cast<std::size_t>(Exponent) - out.size(), '0');
  return out;
}

std::string TFloatRec::FractionDigits(int Count) const {
  std::string out;
  for (int i = 0; i < Count; ++i) {
    long long at = static_cast<long long>(Exponent) + i;
    out += at >= 0 && static_cast<std::size_t>(at) < Digits.size() ? Digits[static_cast<std::size_t>(at)] : '0';
  }
  return out;
}

TFloatRec FloatToDecimal(double Value, int Precision, int Decimals) {
  TFloatRec rec;
  rec.Negative = std::signbit(Value);
  if (std::isnan(Value)) {
    rec.Nan = true;
    rec.Negative = false;
    return rec;
  }
  if (std::isinf(Value)) {
    rec.Infinite = true;
    return rec;
  }
  if (Value == 0) return rec;
  char buf[64];
  std::string_view digits;
  int exponent;
  const int precision = clampPrecision(Precision, DoublePrecision);
  const double magnitude = std::fabs(Value);
  if (!exactDigits(magnitude, buf, digits, exponent) &&
      !shortestDigits(magnitude, precision, Decimals, buf, digits, exponent))
    leadingDigits(magnitude, buf, digits, exponent);
  rec.Exponent = exponent;
  // Rounding to Keep digits reads no digit past the one at Keep: only those are kept, which
  // leaves the usual few digits within the string's own storage.
  const long long byDecimals = static_cast<long long>(rec.Exponent) + Decimals;
  const long long keep = byDecimals < precision ? byDecimals : precision;
  if (keep >= 0) rec.Digits.assign(digits.substr(0, static_cast<std::size_t>(keep) + 1));
  limit(rec, precision, Decimals);
  return rec;
}

namespace {

// The digits of Value / 10^Scale, rounded as the callers ask.
TFloatRec scaledToDecimal(long long Value, int Scale, int Precision, int MaxPrecision, int Decimals) {
  TFloatRec rec;
  rec.Negative = Value < 0;
  if (Value == 0) return rec;
  // The magnitude as an unsigned number: the most negative value has no positive twin.
  unsigned long long magnitude =
      rec.Negative ? 0ULL - static_cast<unsigned long long>(Value) : static_cast<unsigned long long>(Value);
  rec.Digits = std::to_string(magnitude);
  rec.Exponent = static_cast<int>(rec.Digits.size()) - Scale;
  std::size_t first = rec.Digits.find_first_not_of('0');
  rec.Digits.erase(0, first);
  limit(rec, clampPrecision(Precision, MaxPrecision), Decimals);
  return rec;
}

}  // namespace

TFloatRec CurrencyToDecimal(Currency Value, int Precision, int Decimals) {
  return scaledToDecimal(Value.Value, 4, Precision, CurrencyPrecision, Decimals);  // four decimals
}

TFloatRec IntegerToDecimal(long long Value, int Precision, int Decimals) {
  return scaledToDecimal(Value, 0, Precision, IntegerPrecision, Decimals);
}

}  // namespace floatdecimal
