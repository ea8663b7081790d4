// BIFF8 (Excel 97-2003) record identifiers and limits that the workbook reader and the workbook
// writer share. Values are those of the published BIFF8 file format documentation.
#pragma once

#include <cstdint>

namespace biff8 {

constexpr int MaxRecordData = 8224;  // bytes of data in one record; longer data goes on in CONTINUE
constexpr int MaxRows = 65536;       // rows of one sheet
constexpr int MaxColumns = 256;      // columns of one sheet

constexpr std::uint16_t BOF = 0x0809;
constexpr std::uint16_t EOF_ = 0x000A;
constexpr std::uint16_t CONTINUE = 0x003C;
constexpr std::uint16_t SST = 0x00FC;
constexpr std::uint16_t BOUNDSHEET = 0x0085;
constexpr std::uint16_t DATEMODE = 0x0022;
constexpr std::uint16_t FORMAT = 0x041E;
constexpr std::uint16_t XF = 0x00E0;
constexpr std::uint16_t LABELSST = 0x00FD;
constexpr std::uint16_t LABEL = 0x0204;
constexpr std::uint16_t NUMBER = 0x0203;
constexpr std::uint16_t RK = 0x027E;
constexpr std::uint16_t MULRK = 0x00BD;
constexpr std::uint16_t BOOLERR = 0x0205;
constexpr std::uint16_t FORMULA = 0x0006;
constexpr std::uint16_t STRING = 0x0207;
constexpr std::uint16_t BLANK = 0x0201;
constexpr std::uint16_t MULBLANK = 0x00BE;
constexpr std::uint16_t DIMENSIONS = 0x0200;
constexpr std::uint16_t RSTRING = 0x00D6;   // a cell of rich text (older writers)
constexpr std::uint16_t FILEPASS = 0x002F;  // the workbook is encrypted

// BOF record: the BIFF version and the kind of substream it opens.
constexpr std::uint16_t BiffVersion8 = 0x0600;
constexpr std::uint16_t SubstreamGlobals = 0x0005;
constexpr std::uint16_t SubstreamWorksheet = 0x0010;
// BOUNDSHEET: the sheet type in the high byte of its option flags.
constexpr std::uint8_t SheetTypeWorksheet = 0x00;

}  // namespace biff8
