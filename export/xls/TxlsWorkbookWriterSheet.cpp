// The records that frame one worksheet: its prologue (calculation and page settings, column
// information, DIMENSIONS) and its epilogue (free cells, merged ranges, hyperlinks, window).
#include <algorithm>
#include <cmath>

#include "Biff8Records.h"
#include "BiffHyperlinkRecords.h"
#include "CodePage.h"
#include "DateRoutines.h"
#include "FormatSettings.h"
#include "LocaleText.h"
#include "TStream.h"
#include "TxlsCell.h"
#include "TxlsHyperlink.h"
#include "TxlsMergedCells.h"
#include "TxlsWorkbookWriter.h"
#include "XlsDateTimeFormat.h"

namespace {

constexpr double kIterationDelta = 0.001;
constexpr std::uint16_t kWsBool = 0x04C1;  // automatic page breaks, outline symbols below and right
constexpr std::uint16_t kWindow2Selected = 0x06B6;
constexpr std::uint16_t kWindow2Other = 0x04B6;
constexpr std::u16string_view kInvalidTitleChars = u":\\/?*[]";

bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// At most Count characters of Text, not splitting a surrogate pair.
WideString cutAt(const WideString& text, std::size_t count) {
  if (text.size() <= count) return text;
  if (count > 0 && isLowSurrogate(text[count])) --count;
  return text.substr(0, count);
}

}  // namespace

WideString TxlsWorkbookWriter::validTitle(const WideString& Title, int SheetIndex) const {
  WideString title = Title;
  for (char16_t& c : title)
    if (kInvalidTitleChars.find(c) != std::u16string_view::npos || c < 0x20) c = u'_';
  title = cutAt(title, biff8::MaxSheetNameChars);
  if (title.empty()) title = AnsiToWide("Sheet" + std::to_string(SheetIndex + 1));
  auto taken = [this](const WideString& t) {
    for (int i = 0; i < boundSheets_.Count(); ++i)
      if (WideSameText(boundSheets_.Items(i)->Title(), t)) return true;
    return false;
  };
  // A repeated title gets a number, within the length Excel allows.
  const WideString base = title;
  for (int n = 2; taken(title); ++n) {
    const WideString suffix = AnsiToWide(" (" + std::to_string(n) + ")");
    title = cutAt(base, biff8::MaxSheetNameChars - suffix.size()) + suffix;
  }
  return title;
}

void TxlsWorkbookWriter::writeHeaderFooter(std::uint16_t Id, const WideString& Text) {
  record_.Clear();
  if (!Text.empty()) {
    const WideString text = cutAt(Text, 255);
    // Text within Latin-1 is stored in 8 bits; anything beyond needs the 16-bit form, or
    // readers show it cut and garbled.
    const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
    record_.U16(static_cast<std::uint16_t>(text.size())).U8(wide ? 1 : 0);
    if (wide)
      record_.Chars(text);
    else
      record_.CompressedChars(text);
  }
  WriteRecord(Id);
}

TxlsBoundSheet* TxlsWorkbookWriter::WriteSheetPrologue(const TxlsSheetFrame& Frame) {
  current_ = boundSheets_.Add(Frame.SheetIndex, validTitle(Frame.Title, Frame.SheetIndex));
  current_->BOFPosition = stream().Position();
  columnWidths_ = Frame.ColumnWidths;

  WriteBOF(biff8::SubstreamWorksheet);
  WriteWordRecord(biff8::CALCMODE, 1);
  WriteWordRecord(biff8::CALCCOUNT, 100);
  WriteWordRecord(biff8::REFMODE, 1);
  WriteWordRecord(biff8::ITERATION, 0);
  record_.Clear();
  record_.F64(kIterationDelta);
  WriteRecord(biff8::DELTA);
  WriteWordRecord(biff8::SAVERECALC, 1);
  WriteWordRecord(biff8::PRINTHEADERS, 0);
  WriteWordRecord(biff8::PRINTGRIDLINES, 0);
  WriteWordRecord(biff8::GRIDSET, 1);
  record_.Clear();
  record_.Zeros(8);
  WriteRecord(biff8::GUTS);
  WriteWordRecord(biff8::DEFCOLWIDTH, static_cast<std::uint16_t>(std::clamp(Frame.DefColWidth, 0, 255)));
  record_.Clear();
  record_.U16(0).U16(static_cast<std::uint16_t>(std::clamp<long>(std::lround(Frame.DefRowHeight * 20), 0, 0x7FFF)));
  WriteRecord(biff8::DEFAULTROWHEIGHT);
  WriteWordRecord(biff8::WSBOOL, kWsBool);
  writeHeaderFooter(biff8::HEADER, Frame.PageHeader);
  writeHeaderFooter(biff8::FOOTER, Frame.PageFooter);
  WriteWordRecord(biff8::HCENTER, 0);
  WriteWordRecord(biff8::VCENTER, 0);
  WriteSheetBackground(Frame);
  writeColumnInfo(Frame);
  current_->DimensionsPosition = stream().Position();
  record_.Clear();
  record_.Zeros(14);
  WriteRecord(biff8::DIMENSIONS);
  return current_;
}

void TxlsWorkbookWriter::WriteSheetEpilogue(const TxlsSheetFrame& Frame) {
  if (const TxlsCells* cells = Frame.Cells) {
    // A date-time cell's mask is in the letters of FormatDateTime, whose "/" and ":" stand for
    // the separators of the format settings: said as the workbook's readers read number formats.
    const auto settings = FormatSettingsSnapshot();
    for (int i = 0; i < cells->Count(); ++i) {
      const TxlsCell& cell = *cells->Items(i);
      if (!cell.IsValid()) continue;
      const int row = cell.Row() - 1, col = cell.Col() - 1;
      const WideString numberFormat =
          cell.CellType() == ctDateTime
              ? XlsDateTimeFormat(cell.DateTimeFormat(), settings->DateSeparator, settings->TimeSeparator)
          : cell.CellType() == ctNumeric ? AnsiToWide(cell.NumericFormat())
                                         : WideString(u"General");
      const std::uint16_t xf = formats_.XFIndex(nullptr, numberFormat, cell.Format());
      switch (cell.CellType()) {
        case ctBoolean: WriteBoolErr(row, col, cell.AsBoolean(), xf); break;
        case ctDateTime: WriteNumber(row, col, cell.AsDateTime(), xf); break;
        case ctNumeric: WriteNumber(row, col, cell.AsNumber(), xf); break;
        case ctString:
          if (cell.AsText().empty())
            WriteBlank(row, col, xf);
          else
            WriteLabelSST(row, col, cell.AsText(), xf);
          break;
      }
    }
  }

  if (const TxlsMergedCellList* merged = Frame.MergedCells) {
    record_.Clear();
    record_.U16(0);
    std::uint16_t count = 0;
    for (int i = 0; i < merged->Count(); ++i) {
      const TxlsMergedCells& range = *merged->Items(i);
      if (!range.IsValid()) continue;
      // One record holds at most 1027 ranges; more would need a record of their own.
      if (count == 1027) {
        record_.PutU16(0, count);
        WriteRecord(biff8::MERGEDCELLS);
        record_.Clear();
        record_.U16(0);
        count = 0;
      }
      record_.U16(static_cast<std::uint16_t>(range.FirstRow() - 1)).U16(static_cast<std::uint16_t>(range.LastRow() - 1));
      record_.U16(static_cast<std::uint16_t>(range.FirstCol() - 1)).U16(static_cast<std::uint16_t>(range.LastCol() - 1));
      ++count;
    }
    if (count > 0) {
      record_.PutU16(0, count);
      WriteRecord(biff8::MERGEDCELLS);
    }
  }

  const TxlsHyperlinks* links = Frame.Hyperlinks;
  for (int i = 0; links != nullptr && i < links->Count(); ++i) {
    const TxlsHyperlink& link = *links->Items(i);
    if (link.IsValid())
      WriteLabelSST(link.Row() - 1, link.Col() - 1, link.Title(), formats_.XFIndex(nullptr, u"General", link.Format()));
  }

  record_.Clear();
  record_.U16(boundSheets_.Count() == 1 ? kWindow2Selected : kWindow2Other);
  record_.Zeros(16);
  WriteRecord(biff8::WINDOW2);

  record_.Clear();
  // The lower right pane, active cell A1 (reference 0 of the one), the reference A1:A1.
  record_.U8(3).U16(0).U16(0).U16(0).U16(1).U16(0).U16(0).U8(0).U8(0);
  WriteRecord(biff8::SELECTION);

  for (int i = 0; links != nullptr && i < links->Count(); ++i) {
    const TxlsHyperlink& link = *links->Items(i);
    if (!link.IsValid()) continue;
    record_.Clear();
    AssembleHLINK(link, record_);
    WriteRecord(biff8::HLINK);
    if (!link.ScreenTip().empty()) {
      record_.Clear();
      AssembleHLINKTOOLTIP(link, record_);
      WriteRecord(biff8::HLINKTOOLTIP);
    }
  }

  WriteSheetDrawings(Frame);
  record_.Clear();
  WriteRecord(biff8::EOF_);
  current_ = nullptr;
}
