// Small text routines the exporters share.
#pragma once

#include <string_view>

#include "System.h"

class TObject;

// The list separator of the process's locale settings, "," when they have none: the default
// delimiter of CSV files.
char ExportListSeparator();

// The width Text would take when drawn for Object: 0 for a missing object or an empty text,
// else 8 pixels per character. (The library measured with a canvas published by the object;
// no control of this class library publishes one.)
int ExportTextWidth(const TObject* Object, std::u16string_view Text);

// A character as an ini value: itself for codes 0x21 to 0x7F, else "#" and its decimal code
// (a Tab is "#9", a blank "#32").
AnsiString CharToIniText(char Ch);
// Back: "" gives 0, one character itself, "#" and a number the character of that code (0 when
// it is no number), anything else 0.
char IniTextToChar(std::string_view Text);

// Selectors of WideToCodePage.
inline constexpr int ExportAnsiCodePage = 0;
inline constexpr int ExportOemCodePage = 1;
inline constexpr int ExportMacCodePage = 2;
// Text in the ANSI (0), OEM (1) or Macintosh (2) code page; characters the page lacks become
// its substitute character.
AnsiString WideToCodePage(std::u16string_view Text, int Selector);
// The same appended to Out.
void AppendWideToCodePage(std::u16string_view Text, int Selector, std::string& Out);

// Flags of WideReplace.
inline constexpr int ExportReplaceAll = 1;
inline constexpr int ExportIgnoreCase = 2;
// Replaces the first (ExportReplaceAll: every) occurrence of Old; ExportIgnoreCase compares
// without regard to case. Replaced text is not scanned again.
WideString WideReplace(std::u16string_view Text, std::u16string_view Old, std::u16string_view New, int Flags);
// Replaces every occurrence of Old in 8-bit text, without regard to the case of ASCII letters.
AnsiString ByteReplace(std::string_view Text, std::string_view Old, std::string_view New);
