// Code pages: conversion between AnsiString (8-bit text) and WideString (UTF-16).
//
// The process has one ANSI code page, 936 (GBK) unless the environment variable HHM_CODEPAGE
// names another when it is first asked for (65001 = UTF-8). The OEM code page follows the ANSI
// one for the CJK pages 936, 932, 949 and 950 and is 437 otherwise; the Macintosh code page is
// 10008 (Simplified Chinese), converted as GB2312. Characters a code page lacks become its
// substitute character "?"; bytes that are not valid text become U+FFFD.
#pragma once

#include <cstdint>
#include <string_view>

#include "System.h"

constexpr int CP_ACP = 0;
constexpr int CP_OEMCP = 1;
constexpr int CP_MACCP = 2;
constexpr int CP_UTF8 = 65001;

int GetACP();
int GetOEMCP();
int GetMACCP();
// Reads HHM_CODEPAGE now and makes it the ANSI code page, 936 when it is not set. Returns false,
// and uses 936, when it is set to something that is not a code page this system converts.
bool LoadACPSetting();
// Replaces the ANSI code page (tests; start-up reads HHM_CODEPAGE). Raises EConvertError for a
// code page that cannot be converted.
void SetACP(int codePage);
// True when the code page (a number or CP_ACP/CP_OEMCP/CP_MACCP) can be converted.
bool IsValidCodePage(int codePage);

WideString AnsiToWide(std::string_view text, int codePage = CP_ACP);
// The same into Out, whose storage is reused: text of ASCII characters only, which every code
// page this system converts writes alike, is widened without the converter.
void AnsiToWide(std::string_view text, WideString& Out, int codePage = CP_ACP);
AnsiString WideToAnsi(std::u16string_view text, int codePage = CP_ACP);
// The same appended to Out (a writer's kept buffer), without a string of its own in between.
void AppendWideToAnsi(std::u16string_view text, std::string& Out, int codePage = CP_ACP);
std::string WideToUtf8(std::u16string_view text);
WideString Utf8ToWide(std::string_view text);
std::string AnsiToUtf8(std::string_view text, int codePage = CP_ACP);
AnsiString Utf8ToAnsi(std::string_view text, int codePage = CP_ACP);

// True when the byte starts a double-byte character of the code page (never for UTF-8).
bool IsDBCSLeadByte(std::uint8_t byte, int codePage = CP_ACP);
// True when the byte may be the second byte of a double-byte character of the code page; a
// lead byte followed by any other byte is a character cut short, and the byte after it stands
// for itself (a quote or a comma after a stray lead byte is still a quote or a comma).
bool IsDBCSTrailByte(std::uint8_t byte, int codePage = CP_ACP);
// The length of the longest start of Text, at most MaxBytes bytes, that ends between two
// characters of the code page (UTF-8 for CP_UTF8): a field cut to it never holds half a
// double-byte character.
std::size_t WholeCharsPrefix(std::string_view Text, std::size_t MaxBytes, int codePage = CP_ACP);
