// Floating-point values and currency amounts to text and back.
//
// Formats of FloatToStrF:
//   ffGeneral   shortest of fixed and scientific, Precision significant digits, no trailing
//               zeros; scientific when the integer part has more than Precision digits or the
//               value is below 0.00001; Digits is the least number of exponent digits ("1E20").
//   ffExponent  d.ddd...E+ddd: Precision digits in all, at least Digits (0..4) exponent digits.
//   ffFixed     Digits decimals ("1234.50"); ffGeneral when the integer part has more than
//               Precision digits.
//   ffNumber    ffFixed with thousand separators ("1,234.50").
//   ffCurrency  ffNumber with the currency string placed as the settings say.
// Values that are not numbers or infinite are written "NAN", "INF", "-INF".
//
// FormatFloat masks: up to three sections "positive;negative;zero" (an empty or missing
// negative or zero section uses the positive one, which then shows a minus sign); in a
// section "0" is a digit that is always shown, "#" a digit shown only when significant, the
// first "." the decimal separator, "," asks for thousand separators, "E+0"/"E-0" (or "e")
// scientific notation with as many exponent digits as zeros, text in '...' or "..." is copied,
// and any other character stands for itself. An empty mask gives FloatToStr.
//
// Reading (StrToFloat, StrToCurr): blanks, an optional sign, digits with at most one decimal
// separator, an optional exponent (E or e, sign, digits), blanks. Thousand separators are
// not accepted. Text that is not such a number raises EConvertError
// "'text' is not a valid floating point value".
#pragma once

#include <cstdint>
#include <string_view>

#include "Currency.h"
#include "FormatSettings.h"

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

AnsiString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
AnsiString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings);
AnsiString CurrToStrF(Currency Value, TFloatFormat Format, int Digits);
AnsiString CurrToStrF(Currency Value, TFloatFormat Format, int Digits, const TFormatSettings& Settings);

// ffGeneral with 15 significant digits; currency with all of its (up to 19) digits.
AnsiString FloatToStr(double Value);
AnsiString FloatToStr(double Value, const TFormatSettings& Settings);
AnsiString CurrToStr(Currency Value);
AnsiString CurrToStr(Currency Value, const TFormatSettings& Settings);

AnsiString FormatFloat(std::string_view Mask, double Value);
AnsiString FormatFloat(std::string_view Mask, double Value, const TFormatSettings& Settings);
AnsiString FormatCurr(std::string_view Mask, Currency Value);
AnsiString FormatCurr(std::string_view Mask, Currency Value, const TFormatSettings& Settings);
// FormatFloat of an integer, exact in all of its (up to 19) digits.
AnsiString FormatInt64(std::string_view Mask, std::int64_t Value, const TFormatSettings& Settings);

double StrToFloat(std::string_view S);
double StrToFloat(std::string_view S, const TFormatSettings& Settings);
double StrToFloatDef(std::string_view S, double Default);
bool TryStrToFloat(std::string_view S, double& Value);
bool TryStrToFloat(std::string_view S, double& Value, const TFormatSettings& Settings);
// Amounts are read exactly, rounded to four decimals (ties to even).
Currency StrToCurr(std::string_view S);
Currency StrToCurr(std::string_view S, const TFormatSettings& Settings);
bool TryStrToCurr(std::string_view S, Currency& Value);
bool TryStrToCurr(std::string_view S, Currency& Value, const TFormatSettings& Settings);
