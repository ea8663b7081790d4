#include "BiffFormatRecords.h"

#include <algorithm>
#include <cstring>

#include "Biff8Records.h"

namespace {

// Option byte of a string whose characters are stored in 16 bits.
constexpr std::uint8_t kUnicodeChars = 0x01;

void putChars(std::uint8_t* out, std::u16string_view text) {
  for (char16_t c : text) {
    *out++ = static_cast<std::uint8_t>(c);
    *out++ = static_cast<std::uint8_t>(c >> 8);
  }
}

// A FONT or FORMAT name holds at most 255 characters (its length is one byte in FONT).
std::u16string_view fontName(std::u16string_view name) { return name.substr(0, 255); }

}  // namespace

TbiffFont::TbiffFont(std::u16string_view Name) : TbiffRecord(biff8::FONT, 16 + 2 * fontName(Name).size()) {
  const std::u16string_view name = fontName(Name);
  SetU8(14, static_cast<std::uint8_t>(name.size()));
  SetU8(15, kUnicodeChars);
  putChars(Data() + 16, name);
}

TbiffFormat::TbiffFormat(std::uint16_t Index, std::u16string_view Text)
    : TbiffRecord(biff8::FORMAT, 5 + 2 * std::min<std::size_t>(Text.size(), 0xFFFF)) {
  const std::u16string_view text = Text.substr(0, 0xFFFF);
  SetU16(0, Index);
  SetU16(2, static_cast<std::uint16_t>(text.size()));
  SetU8(4, kUnicodeChars);
  putChars(Data() + 5, text);
}

TbiffXF::TbiffXF(const std::array<std::uint8_t, 20>& Template) : TbiffRecord(biff8::XF, 20) {
  std::memcpy(Data(), Template.data(), Template.size());
}

std::uint16_t TbiffXF::Font() const { return static_cast<std::uint16_t>(Data()[0] | (Data()[1] << 8)); }

std::uint32_t TbiffXF::Border1() const {
  const std::uint8_t* p = Data() + 10;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint32_t TbiffXF::Border2() const {
  const std::uint8_t* p = Data() + 14;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

TbiffStyle::TbiffStyle(std::uint16_t XF, std::uint8_t BuiltInStyle) : TbiffRecord(biff8::STYLE, 4) {
  constexpr std::uint16_t kBuiltIn = 0x8000;
  constexpr std::uint8_t kNoOutlineLevel = 0xFF;
  SetU16(0, static_cast<std::uint16_t>(XF | kBuiltIn));
  SetU8(2, BuiltInStyle);
  SetU8(3, kNoOutlineLevel);
}
