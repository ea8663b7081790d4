#include "DbNumbers_p.h"

#include <charconv>
#include <cmath>

#include "DateRoutines.h"

namespace {

std::string_view withoutPlus(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  return s;
}

// Reads 1..MaxDigits digits at s[at]; moves at past them.
bool digits(std::string_view s, std::size_t& at, int minDigits, int maxDigits, int& value) {
  const std::size_t start = at;
  value = 0;
  while (at < s.size() && at - start < std::size_t(maxDigits) && s[at] >= '0' && s[at] <= '9')
    value = value * 10 + (s[at++] - '0');
  return at - start >= std::size_t(minDigits);
}

bool parseTime(std::string_view s, std::size_t& at, TDateTime& time) {
  int hour = 0, minute = 0, second = 0, milli = 0;
  if (!digits(s, at, 1, 2, hour) || at >= s.size() || s[at++] != ':' || !digits(s, at, 2, 2, minute)) return false;
  if (at < s.size() && s[at] == ':') {
    ++at;
    if (!digits(s, at, 2, 2, second)) return false;
    if (at < s.size() && s[at] == '.') {
      ++at;
      const std::size_t start = at;
      if (!digits(s, at, 1, 3, milli)) return false;
      for (std::size_t n = at - start; n < 3; ++n) milli *= 10;
      while (at < s.size() && s[at] >= '0' && s[at] <= '9') ++at;  // finer than milliseconds
    }
  }
  return TryEncodeTime(hour, minute, second, milli, time);
}

}  // namespace

std::string_view TrimField(std::string_view Text) {
  auto blank = [](char c) { return c == ' ' || c == '\0' || c == '\t'; };
  while (!Text.empty() && blank(Text.back())) Text.remove_suffix(1);
  while (!Text.empty() && blank(Text.front())) Text.remove_prefix(1);
  return Text;
}

bool ParseDbInteger(std::string_view Text, long long& Value) {
  const std::string_view s = withoutPlus(TrimField(Text));
  if (s.empty()) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), Value);
  return ec == std::errc() && p == s.data() + s.size();
}

bool ParseDbFloat(std::string_view Text, double& Value, bool DecimalComma) {
  const std::string_view s = withoutPlus(TrimField(Text));
  if (s.empty() || s.size() > 64) return false;
  // from_chars also takes "inf", "nan" and hexadecimal forms: only digits, sign, point, exponent
  // are copied, a decimal comma as a point.
  char copy[64];
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E')
      copy[i] = c;
    else if (DecimalComma && c == ',')
      copy[i] = '.';
    else
      return false;
  }
  auto [p, ec] = std::from_chars(copy, copy + s.size(), Value);
  return ec == std::errc() && p == copy + s.size() && std::isfinite(Value);
}

bool ParseDbDateTime(std::string_view Text, TDateTime& Value, bool& HasDate, bool& HasTime) {
  const std::string_view s = TrimField(Text);
  std::size_t at = 0;
  HasDate = HasTime = false;
  TDateTime date = 0, time = 0;
  int year = 0, month = 0, day = 0;
  if (digits(s, at, 4, 4, year) && at < s.size() && (s[at] == '-' || s[at] == '/' || s[at] == '.')) {
    const char separator = s[at++];
    if (!digits(s, at, 1, 2, month) || at >= s.size() || s[at++] != separator || !digits(s, at, 1, 2, day) ||
        !TryEncodeDate(year, month, day, date))
      return false;
    HasDate = true;
    if (at < s.size()) {
      if (s[at] != ' ' && s[at] != 'T') return false;
      ++at;
    }
  } else {
    at = 0;
  }
  if (at < s.size()) {
    if (!parseTime(s, at, time) || at != s.size()) return false;
    HasTime = true;
  }
  if (!HasDate && !HasTime) return false;
  // Before 1899-12-30 the fraction still counts forward from the day's start.
  Value = date < 0 ? date - time : date + time;
  return true;
}
