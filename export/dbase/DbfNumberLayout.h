// The layout of a dBASE number field (N size,decimals) that holds a column's values exactly.
//
// A field is written with its size and decimals and read back as a number; a value keeps
// every digit when its shortest text that reads back as the same value ("116.397128",
// "-0.000001", "1234567890123.45") fits the field without rounding. TDbfNumberWidth gathers
// what the values need, DbfNumberLayoutFor widens a starting layout just as far as that.
//
//   TDbfNumberWidth need;
//   for (double v : values) need.AddFloat(v);
//   TDbfNumberLayout layout;
//   if (!DbfNumberLayoutFor({15, 4}, need, layout)) ... no dBASE number field holds them
#pragma once

#include <algorithm>
#include <cstdint>

struct TDbfNumberLayout {
  int Size = 0;      // characters of the field: sign, digits and point
  int Decimals = 0;  // digits after the point
};

class TDbfNumberWidth {
public:
  // The characters before the point (sign included) and the digits after it that Value
  // needs; a value that is not finite needs nothing (no field holds it).
  void AddFloat(double Value);
  void AddInteger(std::int64_t Value);

  int IntegerChars() const { return integerChars_; }
  int Decimals() const { return decimals_; }
  // The characters of the narrowest field that holds every value.
  int Size() const { return std::max(integerChars_, 1) + (decimals_ > 0 ? decimals_ + 1 : 0); }

private:
  // Value needs no more than the characters and decimals seen so far (a quick test that
  // spares most values the exact one).
  bool fits(double Value) const;

  int integerChars_ = 0;
  int decimals_ = 0;
};

// Base widened as far as Need asks: as many decimals as the base or the values have, as many
// characters before the point as the base or the values have, within dBASE's longest number
// field (dbase::MaxNumericLength) or Base's own size when that is longer; the base's room for
// digits before the point gives way first to the decimals when the field reaches that limit.
// False (Result untouched) when the values need more than the limit.
bool DbfNumberLayoutFor(TDbfNumberLayout Base, const TDbfNumberWidth& Need, TDbfNumberLayout& Result);
