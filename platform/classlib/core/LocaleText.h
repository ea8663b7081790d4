// Locale-aware comparison and case mapping, after the user's default locale.
//
// Comparison is the locale's collation (Chinese texts in pinyin order under a Chinese locale);
// the ...Text forms ignore case, the ...Str forms do not. Results are < 0, 0 or > 0. AnsiString
// arguments are text in the ANSI code page.
#pragma once

#include <string_view>

#include "System.h"

int AnsiCompareStr(std::string_view S1, std::string_view S2);
int AnsiCompareText(std::string_view S1, std::string_view S2);
bool AnsiSameStr(std::string_view S1, std::string_view S2);
bool AnsiSameText(std::string_view S1, std::string_view S2);

int WideCompareStr(std::u16string_view S1, std::u16string_view S2);
int WideCompareText(std::u16string_view S1, std::u16string_view S2);
bool WideSameStr(std::u16string_view S1, std::u16string_view S2);
bool WideSameText(std::u16string_view S1, std::u16string_view S2);

// Case mapping of every letter the character set knows (not only ASCII).
WideString WideUpperCase(std::u16string_view S);
WideString WideLowerCase(std::u16string_view S);
AnsiString AnsiUpperCase(std::string_view S);
AnsiString AnsiLowerCase(std::string_view S);
