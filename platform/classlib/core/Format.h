// Format: text from a format string and a list of arguments, with the original library's
// format syntax.
//
//   "%" [index ":"] ["-"] [width] ["." precision] type
//
// type: d (decimal integer), u (unsigned decimal), x (hexadecimal, upper case; X alike),
// e (scientific), f (fixed), g (general), n (fixed with thousand separators), m (money),
// s (string or character), p (pointer); "%%" writes "%". Letters may be in either case.
// index: the argument to use (from 0); later specifiers go on from the one after it.
// width: at least this many characters, padded with blanks on the left, or on the right with
// "-". precision: for d, u, x the least number of digits (zero-padded: "%.3d" of 7 is "007");
// for s the most characters ("%.3s" of "abcdef" is "abc"; a double-byte character is never
// cut in half); for f, n, m the decimals (default 2, m: the settings' currency decimals); for e
// and g the significant digits (default 15). "*" for index, width or precision takes the value
// from the next argument, which must be an integer.
//
// A malformed format, an argument whose kind does not suit its specifier, too few arguments
// and widths or precisions beyond 16 million raise EConvertError
// "Format 'format' invalid or incompatible with argument". Arguments past the last one used
// are ignored.
#pragma once

#include <initializer_list>
#include <string_view>

#include "FormatSettings.h"
#include "TVarRec.h"

AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> Args);
AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);
AnsiString Format(std::string_view Fmt, const TVarRec* Args, std::size_t Count, const TFormatSettings& Settings);
