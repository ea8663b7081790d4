// Internal to the backends: numbers and dates read from the text of a field or cell. Each
// routine takes the whole text (blanks around it allowed) and fails on anything else.
#pragma once

#include <string_view>

#include "System.h"

// Blanks and NUL bytes around a text removed.
std::string_view TrimField(std::string_view Text);
// An optional sign and decimal digits that fit 64 bits.
bool ParseDbInteger(std::string_view Text, long long& Value);
// An optional sign, digits with one decimal point (or DecimalComma's ","), an optional
// exponent; infinite and not-a-number values are refused.
bool ParseDbFloat(std::string_view Text, double& Value, bool DecimalComma = false);
// "yyyy-mm-dd", "yyyy/mm/dd" or "yyyy.mm.dd", optionally followed by a blank or "T" and
// "hh:mm", "hh:mm:ss" or "hh:mm:ss.fff"; or a time of day alone. HasDate and HasTime tell which
// parts the text held.
bool ParseDbDateTime(std::string_view Text, TDateTime& Value, bool& HasDate, bool& HasTime);
