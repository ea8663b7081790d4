#include "FloatText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "Exception.h"
#include "FloatDecimal_p.h"

using floatdecimal::TDecimalValue;
using floatdecimal::TFloatRec;

namespace {

constexpr int kNoDecimalLimit = 9999;

int clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// Appends the integer part of Rec ("0" when below one), grouped in threes with Separator
// (0: none).
void appendIntegerPart(std::string& out, const TFloatRec& rec, char separator) {
  if (rec.Exponent <= 0) {
    out += '0';
    return;
  }
  const std::string& digits = rec.Digits;
  const auto length = static_cast<std::size_t>(rec.Exponent);
  for (std::size_t i = 0; i < length; ++i) {
    out += i < digits.size() ? digits[i] : '0';
    const std::size_t left = length - 1 - i;
    if (separator != '\0' && left > 0 && left % 3 == 0) out += separator;
  }
}

// Appends Count digits after the decimal point, zeros where Rec has none.
void appendFraction(std::string& out, const TFloatRec& rec, long long count) {
  for (long long i = 0; i < count; ++i) {
    const long long at = rec.Exponent + i;
    out += at >= 0 && static_cast<std::size_t>(at) < rec.Digits.size() ? rec.Digits[static_cast<std::size_t>(at)] : '0';
  }
}

// "E" + exponent with at least MinDigits digits; "+" only when Plus.
std::string exponentPart(int exponent, int minDigits, bool plus) {
  std::string out = "E";
  if (exponent < 0)
    out += '-';
  else if (plus)
    out += '+';
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  return out + digits;
}

std::string sign(const TFloatRec& rec) { return rec.Negative && !rec.IsZero() ? "-" : ""; }

std::string special(const TFloatRec& rec) { return rec.Nan ? "NAN" : rec.Negative ? "-INF" : "INF"; }

std::string generalText(const TFloatRec& rec, int precision, int expDigits, const TFormatSettings& fs) {
  if (rec.Nan || rec.Infinite) return special(rec);
  if (rec.IsZero()) return "0";
  std::string out = sign(rec);
  const std::string& digits = rec.Digits;
  if (rec.Exponent > precision || rec.Exponent < -3) {
    out += digits[0];
    if (digits.size() > 1) {
      out += fs.DecimalSeparator;
      out.append(digits, 1);
    }
    return out + exponentPart(rec.Exponent - 1, expDigits, false);
  }
  // Written in place: this is FloatToStr, which every exported float goes through.
  appendIntegerPart(out, rec, '\0');
  const long long decimals = static_cast<long long>(digits.size()) - rec.Exponent;
  if (decimals > 0) {
    out += fs.DecimalSeparator;
    appendFraction(out, rec, decimals);
  }
  return out;
}

std::string exponentText(const TFloatRec& rec, int precision, int expDigits, const TFormatSettings& fs) {
  if (rec.Nan || rec.Infinite) return special(rec);
  std::string mantissa = rec.Digits.empty() ? "0" : rec.Digits;
  mantissa.resize(static_cast<std::size_t>(precision), '0');
  std::string out = sign(rec) + mantissa[0];
  if (precision > 1) out += fs.DecimalSeparator + mantissa.substr(1);
  return out + exponentPart(rec.IsZero() ? 0 : rec.Exponent - 1, expDigits, true);
}

std::string placeCurrency(const std::string& number, bool negative, const TFormatSettings& fs) {
  static const char* const positive[] = {"$1", "1$", "$ 1", "1 $"};
  static const char* const negatives[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)",  "-1$",  "1-$",   "1$-",
                                          "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
  const char* pattern = negative ? negatives[fs.NegCurrFormat % 16] : positive[fs.CurrencyFormat % 4];
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (*p == '$')
      out += fs.CurrencyString;
    else if (*p == '1')
      out += number;
    else
      out += *p;
  }
  return out;
}

AnsiString floatToText(const TDecimalValue& value, TFloatFormat format, int precision, int digits,
                       const TFormatSettings& fs) {
  auto toDecimal = [&](int p, int d) { return value.Round(p, d); };
  switch (format) {
    case TFloatFormat::ffGeneral:
      return generalText(toDecimal(precision, kNoDecimalLimit), precision, clamp(digits, 0, 4), fs);
    case TFloatFormat::ffExponent:
      return exponentText(toDecimal(precision, kNoDecimalLimit), precision, clamp(digits, 0, 4), fs);
    default: break;
  }
  digits = clamp(digits, 0, 18);
  TFloatRec rec = toDecimal(precision, digits);
  if (rec.Nan || rec.Infinite) return special(rec);
  // Too many integer digits for the precision: the fixed forms cannot show them truthfully.
  if (rec.Exponent > precision) {
    // Shown as FloatToStr shows it: a double's digits beyond the 15th are noise.
    int general = value.IsCurrency() ? precision : std::min(precision, 15);
    return generalText(toDecimal(general, kNoDecimalLimit), general, 0, fs);
  }
  const bool grouped = format != TFloatFormat::ffFixed;
  // A currency's sign is placed by its pattern; the other forms lead with it.
  std::string out = format == TFloatFormat::ffCurrency ? std::string() : sign(rec);
  appendIntegerPart(out, rec, grouped ? fs.ThousandSeparator : '\0');
  if (digits > 0) {
    out += fs.DecimalSeparator;
    appendFraction(out, rec, digits);
  }
  if (format == TFloatFormat::ffCurrency) return placeCurrency(out, rec.Negative && !rec.IsZero(), fs);
  return out;
}

// ---- reading -----------------------------------------------------------------------------

struct TNumberText {
  bool Negative = false;
  std::string Digits;    // all digits, without the decimal separator
  long long Point = 0;   // digits before the decimal point, after the exponent is applied
};

bool scanNumber(std::string_view s, char decimalSeparator, TNumberText& number) {
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < s.size() && s[i] == ' ') ++i;
  };
  skipBlanks();
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.Negative = s[i++] == '-';
  bool anyDigit = false, seenPoint = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      number.Digits += c;
      if (!seenPoint) ++number.Point;
      anyDigit = true;
    } else if (c == decimalSeparator && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
    if (i == s.size() || s[i] < '0' || s[i] > '9') return false;
    long long exponent = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
    number.Point += negativeExponent ? -exponent : exponent;
  }
  skipBlanks();
  if (i != s.size()) return false;
  // Leading zeros carry nothing.
  std::size_t first = number.Digits.find_first_not_of('0');
  if (first == std::string::npos) {
    number.Digits.clear();
    number.Point = 0;
  } else {
    number.Digits.erase(0, first);
    number.Point -= static_cast<long long>(first);
  }
  return true;
}

[[noreturn]] void invalidFloat(std::string_view s) {
  throw EConvertError("'" + AnsiString(s) + "' is not a valid floating point value");
}

}  // namespace

AnsiString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings) {
  return floatToText(TDecimalValue(Value), Format, clamp(Precision, 1, floatdecimal::DoublePrecision), Digits, Settings);
}

AnsiString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, *FormatSettingsSnapshot());
}

AnsiString CurrToStrF(Currency Value, TFloatFormat Format, int Digits, const TFormatSettings& Settings) {
  return floatToText(TDecimalValue(Value), Format, floatdecimal::CurrencyPrecision, Digits, Settings);
}

AnsiString CurrToStrF(Currency Value, TFloatFormat Format, int Digits) {
  return CurrToStrF(Value, Format, Digits, *FormatSettingsSnapshot());
}

AnsiString FloatToStr(double Value, const TFormatSettings& Settings) {
  return FloatToStrF(Value, TFloatFormat::ffGeneral, 15, 0, Settings);
}
AnsiString FloatToStr(double Value) { return FloatToStr(Value, *FormatSettingsSnapshot()); }
AnsiString CurrToStr(Currency Value, const TFormatSettings& Settings) {
  return CurrToStrF(Value, TFloatFormat::ffGeneral, 0, Settings);
}
AnsiString CurrToStr(Currency Value) { return CurrToStr(Value, *FormatSettingsSnapshot()); }

bool TryStrToFloat(std::string_view S, double& Value, const TFormatSettings& Settings) {
  TNumberText number;
  if (!scanNumber(S, Settings.DecimalSeparator, number)) return false;
  if (number.Digits.empty() || number.Point < -400) {
    Value = number.Negative ? -0.0 : 0.0;
    return true;
  }
  if (number.Point > 400) return false;
  std::string text = (number.Negative ? "-0." : "0.") + number.Digits + "e" + std::to_string(number.Point);
  double v = 0;
  auto res = std::from_chars(text.data(), text.data() + text.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    if (number.Point > 0) return false;  // too large for a double
    v = number.Negative ? -0.0 : 0.0;    // too small: it is zero
  } else if (res.ec != std::errc() || std::isinf(v)) {
    return false;
  }
  Value = v;
  return true;
}

bool TryStrToFloat(std::string_view S, double& Value) { return TryStrToFloat(S, Value, *FormatSettingsSnapshot()); }

double StrToFloat(std::string_view S, const TFormatSettings& Settings) {
  double v;
  if (!TryStrToFloat(S, v, Settings)) invalidFloat(S);
  return v;
}

double StrToFloat(std::string_view S) { return StrToFloat(S, *FormatSettingsSnapshot()); }

double StrToFloatDef(std::string_view S, double Default) {
  double v;
  return TryStrToFloat(S, v) ? v : Default;
}

bool TryStrToCurr(std::string_view S, Currency& Value, const TFormatSettings& Settings) {
  TNumberText number;
  if (!scanNumber(S, Settings.DecimalSeparator, number)) return false;
  // Digits up to the fourth decimal make the scaled value; the rest only decide the rounding.
  const long long kept = number.Point + 4;
  if (number.Digits.empty() || kept < 0) {
    Value = Currency{};
    return true;
  }
  if (kept > 19) return false;
  std::uint64_t scaled = 0;
  for (long long i = 0; i < kept; ++i)
    scaled = scaled * 10 + static_cast<std::uint64_t>(static_cast<std::size_t>(i) < number.Digits.size()
                                                         ? number.Digits[static_cast<std::size_t>(i)] - '0'
                                                         : 0);
  std::string rest = static_cast<std::size_t>(kept) < number.Digits.size() ? number.Digits.substr(static_cast<std::size_t>(kept)) : "";
  if (!rest.empty()) {
    bool aboveHalf = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    bool half = rest[0] == '5' && !aboveHalf;
    if (aboveHalf || (half && scaled % 2 == 1)) ++scaled;
  }
  // 19 digits and a rounding step fit in 64 unsigned bits; the sign decides the range.
  const std::uint64_t limit = number.Negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
  if (scaled > limit) return false;
  Value.Value = static_cast<std::int64_t>(number.Negative ? 0 - scaled : scaled);
  return true;
}

bool TryStrToCurr(std::string_view S, Currency& Value) { return TryStrToCurr(S, Value, *FormatSettingsSnapshot()); }

Currency StrToCurr(std::string_view S, const TFormatSettings& Settings) {
  Currency v;
  if (!TryStrToCurr(S, v, Settings)) invalidFloat(S);
  return v;
}

Currency StrToCurr(std::string_view S) { return StrToCurr(S, *FormatSettingsSnapshot()); }
