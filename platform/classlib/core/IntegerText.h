// Integers to text and back, with the original library's number syntax: optional leading
// blanks, an optional sign, then decimal digits or hexadecimal digits after "$" (or "0x").
// Hexadecimal texts give the bits of the value, so "$FFFFFFFF" is -1 as a 32-bit integer.
#pragma once

#include <cstdint>
#include <string_view>

#include "System.h"

AnsiString IntToStr(std::int64_t Value);
// Upper-case hexadecimal with at least Digits digits; a negative value shows its two's
// complement in the width of its type (IntToHex(-1, 2) = "FFFFFFFF").
AnsiString IntToHex(int Value, int Digits);
AnsiString IntToHex(std::int64_t Value, int Digits);

// Raise EConvertError "'S' is not a valid integer value" for a text that is not a number of
// the type's range.
int StrToInt(std::string_view S);
std::int64_t StrToInt64(std::string_view S);
// Never raise: any text that is not such a number gives Default.
int StrToIntDef(std::string_view S, int Default);
std::int64_t StrToInt64Def(std::string_view S, std::int64_t Default);
bool TryStrToInt(std::string_view S, int& Value);
bool TryStrToInt64(std::string_view S, std::int64_t& Value);
