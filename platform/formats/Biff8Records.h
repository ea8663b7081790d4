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

// Further records of the workbook globals.
constexpr std::uint16_t WRITEACCESS = 0x005C;
constexpr std::uint16_t CODEPAGE = 0x0042;
constexpr std::uint16_t DSF = 0x0161;
constexpr std::uint16_t FNGROUPCOUNT = 0x009C;
constexpr std::uint16_t WINDOWPROTECT = 0x0019;
constexpr std::uint16_t PROTECT = 0x0012;
constexpr std::uint16_t PASSWORD = 0x0013;
constexpr std::uint16_t PROT4REV = 0x01AF;
constexpr std::uint16_t PROT4REVPASS = 0x01BC;
constexpr std::uint16_t WINDOW1 = 0x003D;
constexpr std::uint16_t BACKUP = 0x0040;
constexpr std::uint16_t HIDEOBJ = 0x008D;
constexpr std::uint16_t PRECISION = 0x000E;
constexpr std::uint16_t REFRESHALL = 0x01B7;
constexpr std::uint16_t BOOKBOOL = 0x00DA;
constexpr std::uint16_t FONT = 0x0031;
constexpr std::uint16_t STYLE = 0x0293;
constexpr std::uint16_t PALETTE = 0x0092;
constexpr std::uint16_t COUNTRY = 0x008C;
constexpr std::uint16_t SUPBOOK = 0x01AE;
constexpr std::uint16_t EXTERNSHEET = 0x0017;
constexpr std::uint16_t MSODRAWINGGROUP = 0x00EB;
constexpr std::uint16_t EXTSST = 0x00FF;

// Further records of a worksheet.
constexpr std::uint16_t CALCMODE = 0x000D;
constexpr std::uint16_t CALCCOUNT = 0x000C;
constexpr std::uint16_t REFMODE = 0x000F;
constexpr std::uint16_t ITERATION = 0x0011;
constexpr std::uint16_t DELTA = 0x0010;
constexpr std::uint16_t SAVERECALC = 0x005F;
constexpr std::uint16_t PRINTHEADERS = 0x002A;
constexpr std::uint16_t PRINTGRIDLINES = 0x002B;
constexpr std::uint16_t GRIDSET = 0x0082;
constexpr std::uint16_t GUTS = 0x0080;
constexpr std::uint16_t DEFCOLWIDTH = 0x0055;
constexpr std::uint16_t DEFAULTROWHEIGHT = 0x0225;
constexpr std::uint16_t WSBOOL = 0x0081;
constexpr std::uint16_t HEADER = 0x0014;
constexpr std::uint16_t FOOTER = 0x0015;
constexpr std::uint16_t HCENTER = 0x0083;
constexpr std::uint16_t VCENTER = 0x0084;
constexpr std::uint16_t COLINFO = 0x007D;
constexpr std::uint16_t MERGEDCELLS = 0x00E5;
constexpr std::uint16_t WINDOW2 = 0x023E;
constexpr std::uint16_t SELECTION = 0x001D;
constexpr std::uint16_t HLINK = 0x01B8;
constexpr std::uint16_t HLINKTOOLTIP = 0x0800;
constexpr std::uint16_t MSODRAWING = 0x00EC;
constexpr std::uint16_t OBJ = 0x005D;
constexpr std::uint16_t TXO = 0x01B6;
constexpr std::uint16_t NOTE = 0x001C;
constexpr std::uint16_t BITMAP = 0x00E9;

constexpr std::uint16_t SubstreamChart = 0x0020;  // BOF of a chart

// Records of a chart substream (after the chart's OBJ record in a worksheet).
constexpr std::uint16_t SETUP = 0x00A1;
constexpr std::uint16_t PRINTSIZE = 0x0033;
constexpr std::uint16_t SCL = 0x00A0;
constexpr std::uint16_t SIINDEX = 0x1065;
constexpr std::uint16_t FBI = 0x1060;
constexpr std::uint16_t UNITS = 0x1001;
constexpr std::uint16_t CHART = 0x1002;
constexpr std::uint16_t SERIES = 0x1003;
constexpr std::uint16_t DATAFORMAT = 0x1006;
constexpr std::uint16_t LINEFORMAT = 0x1007;
constexpr std::uint16_t AREAFORMAT = 0x100A;
constexpr std::uint16_t PIEFORMAT = 0x100B;
constexpr std::uint16_t SERIESTEXT = 0x100D;
constexpr std::uint16_t CHARTFORMAT = 0x1014;
constexpr std::uint16_t LEGEND = 0x1015;
constexpr std::uint16_t BAR = 0x1017;
constexpr std::uint16_t LINE = 0x1018;
constexpr std::uint16_t PIE = 0x1019;
constexpr std::uint16_t AREA = 0x101A;
constexpr std::uint16_t AXIS = 0x101D;
constexpr std::uint16_t TICK = 0x101E;
constexpr std::uint16_t VALUERANGE = 0x101F;
constexpr std::uint16_t CATSERRANGE = 0x1020;
constexpr std::uint16_t AXISLINEFORMAT = 0x1021;
constexpr std::uint16_t DEFAULTTEXT = 0x1024;
constexpr std::uint16_t TEXT = 0x1025;
constexpr std::uint16_t FONTX = 0x1026;
constexpr std::uint16_t OBJECTLINK = 0x1027;
constexpr std::uint16_t FRAME = 0x1032;
constexpr std::uint16_t BEGIN = 0x1033;
constexpr std::uint16_t END = 0x1034;
constexpr std::uint16_t PLOTAREA = 0x1035;
constexpr std::uint16_t CHART3D = 0x103A;
constexpr std::uint16_t RADAR = 0x103E;
constexpr std::uint16_t SURFACE = 0x103F;
constexpr std::uint16_t RADARAREA = 0x1040;
constexpr std::uint16_t AXISPARENT = 0x1041;
constexpr std::uint16_t SHTPROPS = 0x1044;
constexpr std::uint16_t SERTOCRT = 0x1045;
constexpr std::uint16_t AXESUSED = 0x1046;
constexpr std::uint16_t POS = 0x104F;
constexpr std::uint16_t AI = 0x1051;
constexpr std::uint16_t THREEDBARSHAPE = 0x105F;  // 3DBARSHAPE
constexpr std::uint16_t AXCEXT = 0x1062;
constexpr std::uint16_t PLOTGROWTH = 0x1064;

constexpr int MaxStringChars = 32767;     // characters of one cell text (Excel's limit)
constexpr int MaxSheetNameChars = 31;     // characters of a sheet name (Excel refuses longer ones)
constexpr int PaletteColors = 56;         // colour indexes 8 to 63 of PALETTE
constexpr int FirstPaletteIndex = 8;      // colour index of the first PALETTE entry

}  // namespace biff8
