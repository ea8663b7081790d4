// The colours of Excel cells and fonts: 40 named colours, each with its RGB value and its
// index in the workbook palette, and the 56-colour table of the palette itself (the 40 named
// colours in enumeration order, then 16 that only the palette uses: indexes 24 to 39).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "Graphics.h"

enum class TxlsColor : std::uint8_t {
  clrBlack, clrBrown, clrOliveGreen, clrDarkGreen, clrDarkTeal, clrDarkBlue, clrIndigo, clrGray80Percent,
  clrDarkRed, clrOrange, clrDarkYellow, clrGreen, clrTeal, clrBlue, clrBlueGray, clrGray50Percent,
  clrRed, clrLightOrange, clrLime, clrSeaGreen, clrAqua, clrLightBlue, clrViolet, clrGray40Percent,
  clrPink, clrGold, clrYellow, clrBrightGreen, clrTurquoise, clrSkyBlue, clrPlum, clrGray25Percent,
  clrRose, clrTan, clrLightYellow, clrLihtGreen, clrLightTurquoise, clrPaleBlue, clrLavender, clrWhite
};
using enum TxlsColor;

inline constexpr int xlsColorCount = 40;

// The names of TxlsColor, for published properties.
inline constexpr std::initializer_list<const char*> TxlsColorNames = {
    "clrBlack", "clrBrown", "clrOliveGreen", "clrDarkGreen", "clrDarkTeal", "clrDarkBlue", "clrIndigo",
    "clrGray80Percent", "clrDarkRed", "clrOrange", "clrDarkYellow", "clrGreen", "clrTeal", "clrBlue",
    "clrBlueGray", "clrGray50Percent", "clrRed", "clrLightOrange", "clrLime", "clrSeaGreen", "clrAqua",
    "clrLightBlue", "clrViolet", "clrGray40Percent", "clrPink", "clrGold", "clrYellow", "clrBrightGreen",
    "clrTurquoise", "clrSkyBlue", "clrPlum", "clrGray25Percent", "clrRose", "clrTan", "clrLightYellow",
    "clrLihtGreen", "clrLightTurquoise", "clrPaleBlue", "clrLavender", "clrWhite"};

// The 56 palette colours as 0xRRGGBB, named colours first.
const std::array<std::uint32_t, 56>& XlsColorTable();
// The palette index (8 to 63) a record uses for the colour.
std::uint16_t XlsPaletteIndex(TxlsColor Color);
// The colour as a screen colour (0x00BBGGRR).
TColor XlsColorToColor(TxlsColor Color);
// The named colour of the first table entry with the screen colour's RGB value; clrBlack when
// no named colour has it.
TxlsColor XlsColorFromTable(TColor Color);
// The 16 colours a chart starts with (table entries 40 to 55), as 0xRRGGBB.
std::array<std::uint32_t, 16> XlsDefaultChartColors();
