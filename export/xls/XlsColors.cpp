#include "XlsColors.h"

namespace {

constexpr std::array<std::uint32_t, 56> kTable = {
    0x000000, 0x993300, 0x333300, 0x003300, 0x003366, 0x000080, 0x333399, 0x333333, 0x800000, 0xFF6600,
    0x808000, 0x008000, 0x008080, 0x0000FF, 0x666699, 0x808080, 0xFF0000, 0xFF9900, 0x99CC00, 0x339966,
    0x33CCCC, 0x3366FF, 0x800080, 0x969696, 0xFF00FF, 0xFFCC00, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x00CCFF,
    0x993366, 0xC0C0C0, 0xFF99CC, 0xFFCC99, 0xFFFF99, 0xCCFFCC, 0xCCFFFF, 0x99CCFF, 0xCC99FF, 0xFFFFFF,
    // palette indexes 24 to 39
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF,
    0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF};

constexpr std::array<std::uint8_t, xlsColorCount> kPaletteIndex = {
    8,  60, 59, 58, 56, 18, 62, 63, 16, 53, 19, 17, 21, 12, 54, 23, 10, 52, 50, 57,
    49, 48, 20, 55, 14, 51, 13, 11, 15, 40, 61, 22, 45, 47, 43, 42, 41, 44, 46, 9};

constexpr TColor rgbToColor(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

const std::array<std::uint32_t, 56>& XlsColorTable() { return kTable; }

std::uint16_t XlsPaletteIndex(TxlsColor Color) { return kPaletteIndex.at(static_cast<std::size_t>(Color)); }

TColor XlsColorToColor(TxlsColor Color) { return rgbToColor(kTable.at(static_cast<std::size_t>(Color))); }

TxlsColor XlsColorFromTable(TColor Color) {
  for (std::size_t i = 0; i < kTable.size(); ++i)
    if (rgbToColor(kTable[i]) == Color) return i < xlsColorCount ? static_cast<TxlsColor>(i) : clrBlack;
  return clrBlack;
}

std::array<std::uint32_t, 16> XlsDefaultChartColors() {
  std::array<std::uint32_t, 16> colors{};
  for (std::size_t i = 0; i < colors.size(); ++i) colors[i] = kTable[40 + i];
  return colors;
}
