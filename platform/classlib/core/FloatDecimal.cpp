#include "FloatDecimal_p.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

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
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, DoublePrecision - 1);
  // "d.dddddddddddddddddde+XX"
  std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  std::size_t e = text.find('e');
  rec.Digits.push_back(text[0]);
  rec.Digits.append(text.substr(2, e - 2));
  rec.Exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
  limit(rec, clampPrecision(Precision, DoublePrecision), Decimals);
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
