#include "DbfNumberLayout.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "DbaseFormat.h"
#include "DbfRecord.h"

namespace {

// The powers of ten a double holds exactly.
constexpr int ExactPowers = 23;
constexpr auto powersOfTen = [] {
  std::array<double, ExactPowers> p{};
  double v = 1;
  for (double& x : p) {
    x = v;
    v *= 10;
  }
  return p;
}();

// The characters of a field's part before the point, when it has Decimals decimals.
int integerRoom(const TDbfNumberLayout& Layout) {
  return Layout.Size - (Layout.Decimals > 0 ? Layout.Decimals + 1 : 0);
}

int sizeOf(int IntegerChars, int Decimals) { return IntegerChars + (Decimals > 0 ? Decimals + 1 : 0); }

}  // namespace

bool TDbfNumberWidth::fits(double Value) const {
  const int room = integerChars_ - (std::signbit(Value) ? 1 : 0);
  if (room < 1 || room >= ExactPowers || decimals_ >= ExactPowers) return false;
  const double whole = std::fabs(Value);
  if (whole >= powersOfTen[static_cast<std::size_t>(room)]) return false;
  // Rounded to the decimals seen so far, the value is an integer below 2^53 over a power of
  // ten, which the division gives back exactly when that text reads back as the value.
  const double power = powersOfTen[static_cast<std::size_t>(decimals_)];
  const double scaled = std::round(whole * power);
  return scaled < 0x1p53 && scaled / power == whole;
}

void TDbfNumberWidth::AddFloat(double Value) {
  AnsiString t;
  if (!std::isfinite(Value) || fits(Value) || !DbfShortestText(Value, t)) return;
  const std::size_t point = t.find('.');
  const auto before = static_cast<int>(point == AnsiString::npos ? t.size() : point);
  const auto after = static_cast<int>(point == AnsiString::npos ? 0 : t.size() - point - 1);
  integerChars_ = std::max(integerChars_, before);
  decimals_ = std::max(decimals_, after);
}

void TDbfNumberWidth::AddInteger(std::int64_t Value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, Value);
  integerChars_ = std::max(integerChars_, static_cast<int>(result.ptr - text));
}

bool DbfNumberLayoutFor(TDbfNumberLayout Base, const TDbfNumberWidth& Need, TDbfNumberLayout& Result) {
  const int limit = std::max(dbase::MaxNumericLength, Base.Size);
  const int integerChars = std::max(Need.IntegerChars(), 1);
  if (Need.Size() > limit) return false;
  // The base's decimals as far as the values leave room for them.
  const int decimals = std::max(Need.Decimals(), std::min(Base.Decimals, limit - integerChars - 1));
  const int wanted = sizeOf(std::max(integerRoom(Base), integerChars), decimals);
  Result = {std::min(wanted, limit), decimals};
  return true;
}
