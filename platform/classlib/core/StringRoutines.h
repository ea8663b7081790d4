// String routines of the run-time library over AnsiString (8-bit text in the ANSI code page).
//
// Positions are 1-based as in the original library, 0 meaning "not found". Every routine that
// looks at single bytes steps over double-byte characters whole, so a trail byte that happens
// to equal "a" or "/" is never changed, matched or split.
#pragma once

#include <string_view>

#include "System.h"

// Removes leading and/or trailing blanks and control characters (every character <= ' ').
AnsiString Trim(std::string_view S);
AnsiString TrimLeft(std::string_view S);
AnsiString TrimRight(std::string_view S);
WideString Trim(std::u16string_view S);
WideString TrimLeft(std::u16string_view S);
WideString TrimRight(std::u16string_view S);

// Case mapping of the ASCII letters only; other characters are kept as they are.
AnsiString UpperCase(std::string_view S);
AnsiString LowerCase(std::string_view S);

// Byte-wise comparison (CompareStr) and comparison ignoring the case of ASCII letters
// (CompareText, SameText); results < 0, 0, > 0.
int CompareStr(std::string_view S1, std::string_view S2);
int CompareText(std::string_view S1, std::string_view S2);
bool SameText(std::string_view S1, std::string_view S2);

// S in single quotes, quotes inside it doubled: It's -> 'It''s'.
AnsiString QuotedStr(std::string_view S);
AnsiString AnsiQuotedStr(std::string_view S, char Quote);
// Reads a quoted text starting at Src[Pos] (which must be Quote): doubled quotes become one,
// the text ends at the closing quote or at the end of Src. Pos is left after the closing
// quote. Returns "" without moving when Src[Pos] is not Quote.
AnsiString AnsiExtractQuotedStr(std::string_view Src, std::size_t& Pos, char Quote);
// S without its quotes when it is quoted with Quote, else S unchanged.
AnsiString AnsiDequotedStr(std::string_view S, char Quote);

// Position of the first occurrence of SubStr in S (0: none; an empty SubStr is never found).
int AnsiPos(std::string_view SubStr, std::string_view S);
// Position of the last character of S that is one of Delimiters (0: none).
int LastDelimiter(std::string_view Delimiters, std::string_view S);
// True when S[Index] (1-based) is one of Delimiters and not part of a double-byte character.
bool IsDelimiter(std::string_view Delimiters, std::string_view S, int Index);

enum class TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = SetOf<TReplaceFlag>;

// Replaces the first (or, with rfReplaceAll, every) occurrence of OldPattern. rfIgnoreCase
// matches ASCII letters without regard to case. Replaced text is never scanned again.
AnsiString StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                         TReplaceFlags Flags);
