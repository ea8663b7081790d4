// The workbook globals: the fixed records written first, and those completed after the last
// sheet (fonts, formats, XFs, styles, palette, sheets, references, drawing group, strings).
#include <vector>

#include "Biff8Records.h"
#include "BiffFormatRecords.h"
#include "BiffGlobalsRecords.h"
#include "MsoBlipRecords.h"
#include "MsoShapeRecords.h"
#include "TFileStream.h"
#include "TMemoryStream.h"
#include "TbiffRecord.h"
#include "TxlsPicture.h"
#include "TxlsPictureStore.h"
#include "TxlsWorkbookWriter.h"
#include "XlsColors.h"

namespace {

constexpr const char* kProductName = "Handheld Manager";
constexpr const char* kProductVersion = "4.6.0.5";
constexpr std::size_t kWriteAccessLength = 112;
constexpr std::uint16_t kCodePage = 1252;  // texts are stored in UTF-16 or Latin-1 whatever the code page says
constexpr std::uint16_t kFunctionGroups = 14;

// WINDOW1: position and size in twips, options (show the scroll bars and the tabs), the active
// and the first visible tab, selected tabs, and the width of the tab bar in 1/1000.
constexpr std::uint16_t kWindow1[] = {120, 120, 23820, 15720, 0x0038, 0, 0, 1, 600};

// STYLE: built-in style on an XF: Comma, Comma [0], Currency, Currency [0], Normal, Percent.
constexpr std::pair<std::uint16_t, std::uint8_t> kStyles[] = {{16, 3}, {17, 6}, {18, 4}, {19, 7}, {0, 0}, {20, 5}};

}  // namespace

void TxlsWorkbookWriter::WriteWorkbookPrologue() {
  WriteBOF(biff8::SubstreamGlobals);
  record_.Clear();
  const std::string name = std::string(kProductName) + " " + kProductVersion;
  record_.U8(1).U8(0).U8(0).Append(name.data(), std::min(name.size(), kWriteAccessLength - 3));
  record_.Fill(' ', kWriteAccessLength - record_.Size());
  WriteRecord(biff8::WRITEACCESS);
  WriteWordRecord(biff8::CODEPAGE, kCodePage);
  WriteWordRecord(biff8::DSF, 0);
  WriteWordRecord(biff8::FNGROUPCOUNT, kFunctionGroups);
  WriteWordRecord(biff8::WINDOWPROTECT, 0);
  WriteWordRecord(biff8::PROTECT, 0);
  WriteWordRecord(biff8::PASSWORD, 0);
  WriteWordRecord(biff8::PROT4REV, 0);
  WriteWordRecord(biff8::PROT4REVPASS, 0);
  record_.Clear();
  for (std::uint16_t v : kWindow1) record_.U16(v);
  WriteRecord(biff8::WINDOW1);
  WriteWordRecord(biff8::BACKUP, 0);
  WriteWordRecord(biff8::HIDEOBJ, 0);
  WriteWordRecord(biff8::DATEMODE, 0);  // 1900 date system
  WriteWordRecord(biff8::PRECISION, 1);
  WriteWordRecord(biff8::REFRESHALL, 0);
  WriteWordRecord(biff8::BOOKBOOL, 0);
  globalsInsertPosition_ = stream().Position();
  record_.Clear();
  WriteRecord(biff8::EOF_);
}

const TxlsPictureStore& TxlsWorkbookWriter::PictureStore(const TxlsPictures* Pictures) {
  if (pictureStore_ == nullptr) pictureStore_ = std::make_unique<TxlsPictureStore>(Pictures);
  return *pictureStore_;
}

std::array<std::uint32_t, biff8::PaletteColors> TxlsWorkbookWriter::palette() const {
  std::array<std::uint32_t, biff8::PaletteColors> palette{};
  for (int c = 0; c < xlsColorCount; ++c)
    palette[XlsPaletteIndex(static_cast<TxlsColor>(c)) - biff8::FirstPaletteIndex] = XlsColorTable()[c];
  for (int i = 0; i < 16; ++i) palette[24 - biff8::FirstPaletteIndex + i] = XlsColorTable()[xlsColorCount + i];
  for (int i = 0; i < 4; ++i) palette[24 - biff8::FirstPaletteIndex + i] = chartColors_[i];
  return palette;
}

std::uint32_t TxlsWorkbookWriter::PaletteColor(std::uint16_t Index) const {
  if (Index < biff8::FirstPaletteIndex || Index >= biff8::FirstPaletteIndex + biff8::PaletteColors) return 0;
  return palette()[Index - biff8::FirstPaletteIndex];
}

void TxlsWorkbookWriter::patchDimensions() {
  TStream& out = stream();
  const std::int64_t end = out.Position();
  for (int i = 0; i < boundSheets_.Count(); ++i) {
    const TxlsBoundSheet& sheet = *boundSheets_.Items(i);
    if (!sheet.HasCells()) continue;
    out.SetPosition(sheet.DimensionsPosition + 4);
    record_.Clear();
    record_.U32(static_cast<std::uint32_t>(sheet.FirstRow)).U32(static_cast<std::uint32_t>(sheet.LastRow + 1));
    record_.U16(static_cast<std::uint16_t>(sheet.FirstCol)).U16(static_cast<std::uint16_t>(sheet.LastCol + 1));
    out.WriteBuffer(record_.Data(), static_cast<std::int64_t>(record_.Size()));
  }
  out.SetPosition(end);
}

void TxlsWorkbookWriter::writeDrawingGroup(TStream& Out, const TxlsWorkbookContent& Content) {
  TmsoContainer group(msoDggContainer);
  group.Add(std::make_unique<TmsoDgg>(drawings_));
  const TxlsPictureStore& pictures = PictureStore(Content.Pictures);
  if (!pictures.Empty()) {
    auto* store = group.Add(std::make_unique<TmsoContainer>(msoBStoreContainer, 2));
    for (const TxlsStoredPicture& picture : pictures.Pictures()) {
      store->Add(std::make_unique<TmsoBSEData>(picture.BlipType, static_cast<std::uint32_t>(picture.Bytes.size()),
                                               picture.UseCount,
                                               std::make_unique<TmsoBLIPData>(picture.BlipType, picture.Bytes)));
    }
  }
  auto opt = std::make_unique<TmsoOPT>();
  opt->Add(0x00BF, 0x00080008);
  opt->Add(0x0181, 0x08000009);
  opt->Add(0x01C0, 0x08000040);
  group.Add(std::move(opt));
  group.Add(std::make_unique<TmsoSplitMenuColors>());
  TbiffBuffer bytes;
  group.WriteTo(bytes);
  TbiffMSODrawingGroup(bytes.Bytes()).SaveToStream(Out);
}

void TxlsWorkbookWriter::writeGlobals(TStream& Out, const TxlsWorkbookContent& Content) {
  formats_.SaveFonts(Out);
  formats_.SaveFormats(Out);
  formats_.SaveXFs(Out);
  // A style names an XF; those the workbook lacks are left out rather than pointing nowhere.
  for (const auto& [xf, style] : kStyles)
    if (xf < formats_.XFCount()) TbiffStyle(xf, style).SaveToStream(Out);

  record_.Clear();
  record_.U16(biff8::PaletteColors);
  for (std::uint32_t rgb : palette())
    record_.U8(static_cast<std::uint8_t>(rgb >> 16)).U8(static_cast<std::uint8_t>(rgb >> 8)).U8(static_cast<std::uint8_t>(rgb)).U8(0);
  WriteBiffRecord(Out, biff8::PALETTE, record_.Data(), record_.Size());

  std::vector<std::unique_ptr<TbiffBoundSheet>> sheets;
  for (int i = 0; i < boundSheets_.Count(); ++i) {
    TxlsBoundSheet& sheet = *boundSheets_.Items(i);
    sheet.BoundSheetPosition = Out.Position();
    sheets.push_back(std::make_unique<TbiffBoundSheet>(sheet.Title()));
    sheets.back()->SaveToStream(Out);
  }
  TbiffCountry(1, 1).SaveToStream(Out);
  if (Content.HasCharts || chartsDrawn_) {
    const auto count = static_cast<std::uint16_t>(boundSheets_.Count());
    TbiffSupbookInternal(count).SaveToStream(Out);
    TbiffExternSheet references(count);
    for (std::uint16_t i = 0; i < count; ++i) references.SetEntry(i, 0, i, i);
    references.SaveToStream(Out);
  }
  if (!drawings_.empty()) writeDrawingGroup(Out, Content);
  sst_.SaveToStream(Out);
}

std::int64_t TxlsWorkbookWriter::BuildWorkbookGlobals(const TxlsWorkbookContent& Content, TStream& Globals) {
  flushCells();  // the sheets are complete in the stream from here on
  patchDimensions();

  const std::int64_t start = Globals.Position();
  writeGlobals(Globals, Content);
  // Each sheet moves back by the globals inserted before it.
  const std::int64_t end = Globals.Position();
  const std::int64_t shift = end - start;
  for (int i = 0; i < boundSheets_.Count(); ++i) {
    const TxlsBoundSheet& sheet = *boundSheets_.Items(i);
    Globals.SetPosition(sheet.BoundSheetPosition + 4);
    record_.Clear();
    record_.U32(static_cast<std::uint32_t>(sheet.BOFPosition + shift));
    Globals.WriteBuffer(record_.Data(), 4);
  }
  Globals.SetPosition(end);
  return globalsInsertPosition_;
}

void TxlsWorkbookWriter::WriteWorkbookGlobals(const TxlsWorkbookContent& Content) {
  TMemoryStream globals;
  const std::int64_t at = BuildWorkbookGlobals(Content, globals);
  TMemoryStream tail;
  TStream& out = stream();
  out.SetPosition(at);
  tail.CopyFrom(&out, out.Size() - at);
  out.SetPosition(at);
  globals.SetPosition(0);
  out.CopyFrom(&globals, globals.Size());
  tail.SetPosition(0);
  out.CopyFrom(&tail, tail.Size());
}
