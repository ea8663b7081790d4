#include "BiffHyperlinkRecords.h"

#include <array>
#include <cstdint>

#include "Biff8Records.h"
#include "CodePage.h"
#include "TbiffBuffer.h"
#include "TxlsHyperlink.h"

namespace {

using TGuid = std::array<std::uint8_t, 16>;

// Class ids in their stored byte order.
constexpr TGuid kStdLink = {0xD0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                            0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};  // {79EAC9D0-BAF9-11CE-8C82-00AA004BA90B}
constexpr TGuid kURLMoniker = {0xE0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                               0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};  // {79EAC9E0-BAF9-11CE-8C82-00AA004BA90B}
constexpr TGuid kFileMoniker = {0x03, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};  // {00000303-0000-0000-C000-000000000046}

// Has a moniker, absolute, display name given by the site, has a display name.
constexpr std::uint32_t kLinkFlags = 0x00000017;

void cellRange(const TxlsHyperlink& link, TbiffBuffer& out) {
  const auto row = static_cast<std::uint16_t>(link.Row() - 1);
  const auto col = static_cast<std::uint16_t>(link.Col() - 1);
  out.U16(row).U16(row).U16(col).U16(col);
}

}  // namespace

void AssembleHLINK(const TxlsHyperlink& Link, TbiffBuffer& Out) {
  cellRange(Link, Out);
  Out.Append(kStdLink.data(), kStdLink.size());
  Out.U32(2);  // stream version
  Out.U32(kLinkFlags);
  Out.U32(static_cast<std::uint32_t>(Link.Title().size() + 1)).Chars(Link.Title()).U16(0);
  const WideString& target = Link.Target();
  if (Link.Style() == hlsURL) {
    Out.Append(kURLMoniker.data(), kURLMoniker.size());
    Out.U32(static_cast<std::uint32_t>(2 * target.size() + 2)).Chars(target).U16(0);
    return;
  }
  const AnsiString path = WideToAnsi(target);
  Out.Append(kFileMoniker.data(), kFileMoniker.size());
  Out.U16(0);  // up-level count
  Out.U32(static_cast<std::uint32_t>(path.size() + 1)).Append(path.data(), path.size()).U8(0);
  Out.U8(0xFF).U8(0xFF).U8(0xAD).U8(0xDE).Zeros(20);
  Out.U32(static_cast<std::uint32_t>(2 * target.size() + 6));
  Out.U32(static_cast<std::uint32_t>(2 * target.size()));
  Out.U16(3);  // key of the Unicode path
  Out.Chars(target);
}

void AssembleHLINKTOOLTIP(const TxlsHyperlink& Link, TbiffBuffer& Out) {
  Out.U16(biff8::HLINKTOOLTIP);
  cellRange(Link, Out);
  Out.Chars(Link.ScreenTip()).U16(0);
}
