#include "TxlsCellFormatTable.h"

#include <array>

#include "BiffFormatRecords.h"
#include "TStream.h"
#include "TxlsFont.h"
#include "TxlsFormat.h"

namespace {

using TXFBytes = std::array<std::uint8_t, 20>;

// The fixed XFs 0 to 15: style XFs 0 to 14 and the default cell XF 15.
constexpr TXFBytes kStyleXF0 = {0x00, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0x00,
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20};
constexpr TXFBytes kStyleXF1 = {0x01, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0xF4,
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20};
constexpr TXFBytes kStyleXF3 = {0x02, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0xF4,
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20};
constexpr TXFBytes kStyleXF5 = {0x00, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0xF4,
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20};
constexpr TXFBytes kCellXF15 = {0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x20, 0x00, 0x00, 0x00,
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20};

const TXFBytes& fixedXF(int index) {
  if (index == 0) return kStyleXF0;
  if (index <= 2) return kStyleXF1;
  if (index <= 4) return kStyleXF3;
  if (index <= 14) return kStyleXF5;
  return kCellXF15;
}

constexpr int kDefaultFonts = 4;
const WideString kGeneral = u"General";

std::uint8_t underlineCode(TxlsFontUnderline underline) {
  switch (underline) {
    case fulSingle: return 0x01;
    case fulDouble: return 0x02;
    case fulSingleAccounting: return 0x21;
    case fulDoubleAccounting: return 0x22;
    default: return 0x00;
  }
}

}  // namespace

TxlsCellFormatTable::TxlsCellFormatTable() = default;
TxlsCellFormatTable::~TxlsCellFormatTable() = default;

TxlsFont* TxlsCellFormatTable::FindOrAddFont(const TxlsFont& Font) {
  const int at = fonts_.IndexOf(&Font);
  if (at >= 0) return fonts_.Items(at);
  auto font = std::make_unique<TxlsFont>();
  font->Assign(const_cast<TxlsFont*>(&Font));
  font->SetFontIndex(static_cast<std::uint16_t>(++lastFont_));
  return fonts_.Add(std::move(font));
}

std::uint16_t TxlsCellFormatTable::XFIndex(const TxlsFormat* DataFormat, const WideString& Text,
                                           const TxlsFormat* Format) {
  if (Text == kGeneral && Format == nullptr) return xlsDefaultXF;
  const WideString& text = Text.empty() ? kGeneral : Text;

  std::unique_ptr<TxlsTextFormat> numberFormat;
  if (text != kGeneral) numberFormat = std::make_unique<TxlsTextFormat>(text);
  std::unique_ptr<TxlsFont> font;
  auto xf = std::make_unique<TxlsXFormat>();
  xf->SetNumberFormat(numberFormat.get());
  if (Format != nullptr) {
    const bool dataFont =
        DataFormat != nullptr && Format->Font()->Equals(DataFormat->Font()) && DataFormat->IsDefault();
    if (!dataFont) {
      font = std::make_unique<TxlsFont>();
      font->Assign(Format->Font());
      xf->SetFont(font.get());
    }
    xf->Borders()->Assign(Format->Borders());
    xf->Fill()->Assign(Format->Fill());
    xf->Alignment()->Assign(Format->Alignment());
    xf->SetWrap(Format->Wrap());
    xf->SetRotation(Format->Rotation());
    xf->SetIndent(Format->Indent());
  }

  if (const int found = xFormats_.IndexOf(xf.get()); found >= 0) return static_cast<std::uint16_t>(found);

  if (font != nullptr) xf->SetFont(FindOrAddFont(*font));
  if (numberFormat != nullptr) {
    const int at = numberFormats_.IndexOf(numberFormat->Text());
    if (at >= 0) {
      xf->SetNumberFormat(numberFormats_.Items(at));
    } else {
      numberFormat->SetIndex(static_cast<std::uint16_t>(++lastFormat_));
      xf->SetNumberFormat(numberFormats_.Add(std::move(numberFormat)));
    }
  }
  xf->SetIndex(static_cast<std::uint16_t>(++lastXF_));
  return xFormats_.Add(std::move(xf))->Index();
}

const TxlsFont* TxlsCellFormatTable::FontOfXF(std::uint16_t XFIndex) const {
  const TxlsXFormat* xf = xFormats_.ByIndex(XFIndex);
  return xf != nullptr ? xf->Font() : nullptr;
}

std::unique_ptr<TbiffFont> TxlsCellFormatTable::FontRecord(const TxlsFont& Font) {
  auto record = std::make_unique<TbiffFont>(Font.Name());
  std::uint16_t options = 0;
  if (Font.Style().Contains(xfsItalic)) options |= 0x0002;
  if (Font.Style().Contains(xfsStrikeOut)) options |= 0x0008;
  record->SetHeight(static_cast<std::uint16_t>(Font.Size() * 20));
  record->SetOptions(options);
  record->SetColor(XlsPaletteIndex(Font.Color()));
  record->SetWeight(Font.Style().Contains(xfsBold) ? 700 : 400);
  record->SetEscapement(static_cast<std::uint16_t>(Font.Script()));
  record->SetUnderline(underlineCode(Font.Underline()));
  record->SetCharset(Font.Charset());
  return record;
}

std::unique_ptr<TbiffXF> TxlsCellFormatTable::XFRecord(const TxlsXFormat& XF) {
  auto record = std::make_unique<TbiffXF>(kCellXF15);
  std::uint8_t used = record->UsedAttributes() | XF_USED_BACKGROUND | XF_USED_ALIGNMENT;
  std::uint32_t border1 = 0;
  std::uint32_t border2 = static_cast<std::uint32_t>(XF.Fill()->Pattern()) << 26;
  record->SetFillColors(static_cast<std::uint16_t>((XlsPaletteIndex(XF.Fill()->Background()) & 0x7F) |
                                                   ((XlsPaletteIndex(XF.Fill()->Foreground()) & 0x7F) << 7)));
  if (XF.Font() != nullptr) {
    used |= XF_USED_FONT;
    record->SetFont(XF.Font()->FontIndex());
  }
  if (XF.NumberFormat() != nullptr) record->SetFormat(XF.NumberFormat()->Index());
  const TxlsBorders& borders = *XF.Borders();
  if (borders.AnySet()) {
    used |= XF_USED_BORDER;
    auto style = [](const TxlsBorder* b) { return static_cast<std::uint32_t>(b->Style()) & 0x0F; };
    auto color = [](const TxlsBorder* b) { return static_cast<std::uint32_t>(XlsPaletteIndex(b->Color())) & 0x7F; };
    if (borders.Left()->Style() != bstNone) border1 |= style(borders.Left()) | (color(borders.Left()) << 16);
    if (borders.Right()->Style() != bstNone) border1 |= (style(borders.Right()) << 4) | (color(borders.Right()) << 23);
    if (borders.Top()->Style() != bstNone) border1 |= style(borders.Top()) << 8, border2 |= color(borders.Top());
    if (borders.Bottom()->Style() != bstNone)
      border1 |= style(borders.Bottom()) << 12, border2 |= color(borders.Bottom()) << 7;
    const bool down = borders.DiagDown()->Style() != bstNone;
    const bool up = borders.DiagUp()->Style() != bstNone;
    if (down) border1 |= 0x40000000u;
    if (up) border1 |= 0x80000000u;
    if (down || up) {
      const TxlsBorder* diagonal = down ? borders.DiagDown() : borders.DiagUp();
      border2 |= (color(diagonal) << 14) | (style(diagonal) << 21);
    }
  }
  record->SetBorder1(border1);
  record->SetBorder2(border2);
  const TxlsAlignment& alignment = *XF.Alignment();
  record->SetAlignment(static_cast<std::uint8_t>((static_cast<unsigned>(alignment.Horizontal()) & 0x07) |
                                                 (XF.Wrap() ? 0x08 : 0x00) |
                                                 ((static_cast<unsigned>(alignment.Vertical()) & 0x07) << 4)));
  record->SetRotation(XF.Rotation());
  if (alignment.Horizontal() == halLeft) record->SetIndent(XF.Indent() & 0x0F);
  record->SetUsedAttributes(used);
  return record;
}

void TxlsCellFormatTable::SaveFonts(TStream& Stream) const {
  const TxlsFont defaults;
  for (int i = 0; i < kDefaultFonts; ++i) FontRecord(defaults)->SaveToStream(Stream);
  for (int i = 0; i < fonts_.Count(); ++i) FontRecord(*fonts_.Items(i))->SaveToStream(Stream);
}

void TxlsCellFormatTable::SaveFormats(TStream& Stream) const {
  for (int i = 0; i < numberFormats_.Count(); ++i) {
    const TxlsTextFormat& format = *numberFormats_.Items(i);
    TbiffFormat(format.Index(), format.Text()).SaveToStream(Stream);
  }
}

void TxlsCellFormatTable::SaveXFs(TStream& Stream) const {
  for (int i = 0; i < 16; ++i) TbiffXF(fixedXF(i)).SaveToStream(Stream);
  for (int i = 0; i < xFormats_.Count(); ++i) XFRecord(*xFormats_.Items(i))->SaveToStream(Stream);
}
