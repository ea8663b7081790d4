// The records of the workbook's fonts, number formats and cell formats: FONT, FORMAT, XF and
// STYLE. Each is a TbiffRecord with setters for its fields; the values come from the font,
// number-format and XF lists (TxlsCellFormatTable).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "TbiffRecord.h"

// FONT: 16 bytes of fields and the name in 16-bit characters.
class TbiffFont : public TbiffRecord {
public:
  explicit TbiffFont(std::u16string_view Name);
  void SetHeight(std::uint16_t Twips) { SetU16(0, Twips); }
  void SetOptions(std::uint16_t Value) { SetU16(2, Value); }
  void SetColor(std::uint16_t PaletteIndex) { SetU16(4, PaletteIndex); }
  void SetWeight(std::uint16_t Value) { SetU16(6, Value); }
  void SetEscapement(std::uint16_t Value) { SetU16(8, Value); }
  void SetUnderline(std::uint8_t Value) { SetU8(10, Value); }
  void SetFamily(std::uint8_t Value) { SetU8(11, Value); }
  void SetCharset(std::uint8_t Value) { SetU8(12, Value); }
};

// FORMAT: a number format's index and text in 16-bit characters.
class TbiffFormat : public TbiffRecord {
public:
  TbiffFormat(std::uint16_t Index, std::u16string_view Text);
};

// XF: 20 bytes, starting from a template of one of the fixed XFs.
class TbiffXF : public TbiffRecord {
public:
  explicit TbiffXF(const std::array<std::uint8_t, 20>& Template);
  std::uint16_t Font() const;
  void SetFont(std::uint16_t Value) { SetU16(0, Value); }
  void SetFormat(std::uint16_t Value) { SetU16(2, Value); }
  // Horizontal alignment (bits 0-2), wrap (bit 3), vertical alignment (bits 4-6).
  void SetAlignment(std::uint8_t Value) { SetU8(6, Value); }
  void SetRotation(std::uint8_t Value) { SetU8(7, Value); }
  void SetIndent(std::uint8_t Value) { SetU8(8, Value); }
  // Flags of the attributes this XF sets itself (XF_USED_*).
  std::uint8_t UsedAttributes() const { return Data()[9]; }
  void SetUsedAttributes(std::uint8_t Value) { SetU8(9, Value); }
  // Line styles and left/right colours, diagonal flags.
  std::uint32_t Border1() const;
  void SetBorder1(std::uint32_t Value) { SetU32(10, Value); }
  // Top/bottom colours, diagonal colour and style, fill pattern.
  std::uint32_t Border2() const;
  void SetBorder2(std::uint32_t Value) { SetU32(14, Value); }
  // Pattern colour (bits 0-6) and pattern background colour (bits 7-13).
  void SetFillColors(std::uint16_t Value) { SetU16(18, Value); }
};

// The attribute flags of an XF (byte 9): which groups of attributes the cell XF sets itself.
constexpr std::uint8_t XF_USED_FORMAT = 0x04;
constexpr std::uint8_t XF_USED_FONT = 0x08;
constexpr std::uint8_t XF_USED_ALIGNMENT = 0x10;
constexpr std::uint8_t XF_USED_BORDER = 0x20;
constexpr std::uint8_t XF_USED_BACKGROUND = 0x40;

// STYLE: a built-in cell style on an XF.
class TbiffStyle : public TbiffRecord {
public:
  TbiffStyle(std::uint16_t XF, std::uint8_t BuiltInStyle);
};
