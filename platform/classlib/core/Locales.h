// Locale identifiers and locale data, in the terms of the Windows national-language support
// the program was written against: a locale is named by its LCID (2052 Chinese (PRC), 1033
// English (United States) ...), the installed locales can be enumerated, and a locale's
// language name and three-letter language abbreviation ("CHS", "ENU") can be read.
//
// The locales are those of ICU's table of Windows LCIDs that have a country (a specific locale,
// not a neutral one), whether or not ICU ships data of their own; the language names come from
// ICU in the user's default locale; the abbreviations are Windows' own where known and the
// ISO 639-2 code in upper case otherwise.
#pragma once

#include <cstdint>
#include <functional>

#include "System.h"

using LCID = std::uint32_t;
using LCTYPE = std::uint32_t;

// Pseudo-locales accepted wherever an LCID is asked for.
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// Kinds of locale information.
constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002;        // language name, in the user's language
constexpr LCTYPE LOCALE_SABBREVLANGNAME = 0x0003;  // three-letter abbreviation

// Enumeration flags. Every locale ICU knows is both installed and supported here.
constexpr std::uint32_t LCID_INSTALLED = 0x01;
constexpr std::uint32_t LCID_SUPPORTED = 0x02;

// Receives one locale as eight hexadecimal digits (the LCID, e.g. "00000804"); returning
// false ends the enumeration.
using TLocaleEnumProc = std::function<bool(const AnsiString& LocaleString)>;

// Calls Proc for each locale in ascending LCID order. False for flags other than the two
// above (nothing is enumerated), true otherwise.
bool EnumSystemLocales(const TLocaleEnumProc& Proc, std::uint32_t Flags);

// The locale information of a kind; empty for an unknown locale or kind.
WideString GetLocaleInfo(LCID Locale, LCTYPE LCType);

// The LCID of the process's locale (LC_ALL, LC_MESSAGES or LANG); 1033 when that locale has
// no LCID of its own (the "C" or POSIX locale).
LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();
