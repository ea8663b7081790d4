// Fields of delimited text (CSV). Quoting works on characters, never on bytes, so a quote or
// delimiter byte that is the trail byte of a double-byte character is left alone.
#pragma once

#include <string_view>

#include "System.h"

// True when Text holds the delimiter, the quote or a line break (CR or LF): unquoted, it would
// not read back as one field.
bool CsvNeedsQuotes(std::u16string_view Text, char16_t Delimiter, char16_t Quote);
// Appends Text enclosed in Quote, every Quote inside it doubled.
void CsvAppendQuoted(WideString& Out, std::u16string_view Text, char16_t Quote);
