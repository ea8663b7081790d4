#include "IntegerText.h"

#include <charconv>

#include "Exception.h"

namespace {

// Parses S in the number syntax into a value of Bits bits; false for anything else.
bool parse(std::string_view s, unsigned bits, std::int64_t& value) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == s.size()) return false;
  const std::uint64_t typeMask = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
  std::uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (hex && c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (hex && c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      return false;
    unsigned base = hex ? 16 : 10;
    if (magnitude > (typeMask - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  if (hex) {
    // The digits are the bits of the value, which may so be negative.
    std::uint64_t u = negative ? (0 - magnitude) & typeMask : magnitude;
    if (bits < 64 && (u >> (bits - 1)) != 0) u |= ~typeMask;  // sign-extend
    value = static_cast<std::int64_t>(u);
    return true;
  }
  const std::uint64_t maxPositive = typeMask >> 1;
  if (negative) {
    if (magnitude > maxPositive + 1) return false;
    value = magnitude == maxPositive + 1 ? -static_cast<std::int64_t>(maxPositive) - 1
                                         : -static_cast<std::int64_t>(magnitude);
  } else {
    if (magnitude > maxPositive) return false;
    value = static_cast<std::int64_t>(magnitude);
  }
  return true;
}

[[noreturn]] void invalidInteger(std::string_view s) {
  throw EConvertError("'" + AnsiString(s) + "' is not a valid integer value");
}

AnsiString hexOf(std::uint64_t value, int digits) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value, 16);
  AnsiString out(buf, res.ptr);
  for (char& c : out)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  if (digits > static_cast<int>(out.size())) out.insert(0, static_cast<std::size_t>(digits) - out.size(), '0');
  return out;
}

}  // namespace

AnsiString IntToStr(std::int64_t Value) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, Value);
  return AnsiString(buf, res.ptr);
}

AnsiString IntToHex(int Value, int Digits) { return hexOf(static_cast<std::uint32_t>(Value), Digits); }

AnsiString IntToHex(std::int64_t Value, int Digits) { return hexOf(static_cast<std::uint64_t>(Value), Digits); }

bool TryStrToInt(std::string_view S, int& Value) {
  std::int64_t v;
  if (!parse(S, 32, v)) return false;
  Value = static_cast<int>(v);
  return true;
}

bool TryStrToInt64(std::string_view S, std::int64_t& Value) { return parse(S, 64, Value); }

int StrToInt(std::string_view S) {
  int v;
  if (!TryStrToInt(S, v)) invalidInteger(S);
  return v;
}

std::int64_t StrToInt64(std::string_view S) {
  std::int64_t v;
  if (!TryStrToInt64(S, v)) invalidInteger(S);
  return v;
}

int StrToIntDef(std::string_view S, int Default) {
  int v;
  return TryStrToInt(S, v) ? v : Default;
}

std::int64_t StrToInt64Def(std::string_view S, std::int64_t Default) {
  std::int64_t v;
  return TryStrToInt64(S, v) ? v : Default;
}
