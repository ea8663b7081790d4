#include "TxlsChartWriter.h"

#include <algorithm>

#include "Biff8Records.h"
#include "TxlsChart.h"
#include "TxlsWorkbookWriter.h"
#include "XlsColors.h"

namespace {

// Colour indexes of the chart's own colours.
constexpr std::uint16_t kChartForeground = 0x4D;
constexpr std::uint16_t kChartBackground = 0x4E;
constexpr std::uint16_t kChartNeutral = 0x4F;
constexpr std::uint16_t kBlack = 8;
constexpr std::uint16_t kSilver = 0x16;
constexpr std::uint16_t kGrey = 0x17;

// AI: what the reference is for, and where its value comes from.
constexpr std::uint8_t kLinkTitle = 0, kLinkValues = 1, kLinkCategories = 2, kLinkBubbles = 3;
constexpr std::uint8_t kReferenceLiteral = 1, kReferenceWorksheet = 2;
constexpr std::uint8_t tArea3d = 0x3B;

constexpr std::int16_t kHairline = -1;
constexpr std::int16_t kNarrow = 0;
constexpr std::uint16_t kSeriesTextMax = 255;   // a SERIESTEXT holds at most 255 characters
constexpr std::uint16_t kWholeSeries = 0xFFFF;  // DATAFORMAT of a series rather than of one point

// The slices of a pie whose colours are not automatic: the first takes its series' colour, the
// next ones the chart colours of the palette (indexes 24 to 39), and so on round. A chart may
// format at most 3999 points one by one when it is drawn in 3-D (31999 in 2-D); slices beyond
// that keep the series' colour.
constexpr std::uint16_t kFirstChartColor = 24;
constexpr std::uint16_t kChartColors = 16;
constexpr int kMaxFormattedPoints = 3999;

std::uint16_t sliceColor(int slice, std::uint16_t seriesColor) {
  const int turn = slice % (kChartColors + 1);
  return turn == 0 ? seriesColor : static_cast<std::uint16_t>(kFirstChartColor + turn - 1);
}

// The area of a range, 0-based and in order; false when a coordinate is not set.
struct TArea {
  int Row1 = 0, Row2 = 0, Col1 = 0, Col2 = 0;
  int Cells() const { return (Row2 - Row1 + 1) * (Col2 - Col1 + 1); }
};

bool areaOf(const TxlsDataRange* range, TArea& area) {
  if (range == nullptr || range->Col1() == 0 || range->Col2() == 0 || range->Row1() == 0 || range->Row2() == 0)
    return false;
  area.Row1 = std::min(range->Row1(), range->Row2()) - 1;
  area.Row2 = std::max(range->Row1(), range->Row2()) - 1;
  area.Col1 = std::min(range->Col1(), range->Col2()) - 1;
  area.Col2 = std::max(range->Col1(), range->Col2()) - 1;
  return true;
}

bool isPie(TxlsChartStyle style) { return style == xcsPie || style == xcsPie3d; }

bool is3d(TxlsChartStyle style) {
  switch (style) {
    case xcsColumn3d:
    case xcsBar3d:
    case xcsLine3d:
    case xcsPie3d:
    case xcsArea3d:
    case xcsSurface3d: return true;
    default: return false;
  }
}

}  // namespace

void TxlsChartWriter::begin() {
  w_.Record().Clear();
  w_.WriteRecord(biff8::BEGIN);
}

void TxlsChartWriter::end() {
  w_.Record().Clear();
  w_.WriteRecord(biff8::END);
}

void TxlsChartWriter::putColor(TbiffBuffer& Record, std::uint16_t ColorIndex) {
  std::uint32_t rgb = 0x000000;
  if (ColorIndex == kChartBackground)
    rgb = 0xFFFFFF;
  else if (ColorIndex >= biff8::FirstPaletteIndex && ColorIndex < biff8::FirstPaletteIndex + biff8::PaletteColors)
    rgb = w_.PaletteColor(ColorIndex);
  Record.U8(static_cast<std::uint8_t>(rgb >> 16)).U8(static_cast<std::uint8_t>(rgb >> 8)).U8(static_cast<std::uint8_t>(rgb)).U8(0);
}

void TxlsChartWriter::Write(const TxlsChart& Chart, std::uint16_t SheetReference) {
  sheet_ = SheetReference;
  TbiffBuffer& r = w_.Record();

  // Page setup of the chart.
  w_.WriteBOF(biff8::SubstreamChart);
  r.Clear();
  w_.WriteRecord(biff8::HEADER);
  r.Clear();
  w_.WriteRecord(biff8::FOOTER);
  w_.WriteWordRecord(biff8::HCENTER, 0);
  w_.WriteWordRecord(biff8::VCENTER, 0);
  writeSETUP();
  w_.WriteWordRecord(biff8::PRINTSIZE, 3);
  writeFBI(240, 0);
  writeFBI(200, 1);
  writeFBI(200, 0);
  w_.WriteWordRecord(biff8::PROTECT, 0);
  w_.WriteWordRecord(biff8::UNITS, 0);

  // The chart area.
  writeCHART();
  begin();
  r.Clear();
  r.U16(1).U16(1);
  w_.WriteRecord(biff8::SCL);
  r.Clear();
  r.U32(0x00010000).U32(0x00010000);
  w_.WriteRecord(biff8::PLOTGROWTH);
  writeFRAME(true, true);
  begin();
  writeLINEFORMAT(kChartForeground, kHairline, 9);
  writeAREAFORMAT(kChartBackground, kChartForeground, 1);
  end();

  // The series.
  TArea categories;
  const bool hasCategories = areaOf(Chart.CategoryLabels(), categories);
  for (int i = 0; i < Chart.Series()->Count(); ++i) {
    const TxlsChartSeries& series = *Chart.Series()->Items(i);
    TArea values;
    const int valueCount = areaOf(series.DataRange(), values) ? values.Cells() : 0;
    writeSERIES(valueCount, hasCategories ? categories.Cells() : valueCount);
    begin();
    writeAI(kLinkTitle, nullptr);
    if (!series.Title().empty()) writeSERIESTEXT(series.Title());
    writeAI(kLinkValues, series.DataRange());
    writeAI(kLinkCategories, Chart.CategoryLabels());
    writeAI(kLinkBubbles, nullptr);
    // The series' colour goes to its lines as well as its areas: lines (line and radar charts)
    // are told apart as bars are. The slices of a pie are points of one series, each given a
    // colour of its own.
    const auto index = static_cast<std::uint16_t>(i);
    const std::uint16_t color = XlsPaletteIndex(series.Color());
    writeDataFormatBlock(Chart, kWholeSeries, index, color);
    if (!Chart.AutoColor() && isPie(Chart.Style()))
      for (int point = 0; point < std::min(valueCount, kMaxFormattedPoints); ++point)
        writeDataFormatBlock(Chart, static_cast<std::uint16_t>(point), index, sliceColor(point, color));
    w_.WriteWordRecord(biff8::SERTOCRT, 0);
    end();
  }

  // Sheet properties and default texts.
  r.Clear();
  r.U16(0x000A).U8(0).U8(0);
  w_.WriteRecord(biff8::SHTPROPS);
  w_.WriteWordRecord(biff8::DEFAULTTEXT, 2);
  writeTextBlock();
  w_.WriteWordRecord(biff8::DEFAULTTEXT, 3);
  writeTextBlock();

  // Axes, plot area and the chart group.
  w_.WriteWordRecord(biff8::AXESUSED, 1);
  writeAXISPARENT();
  begin();
  writePOS(2, 2, 129, 719, 2968, 3105);
  writeAXIS(0);
  begin();
  writeCATSERRANGE();
  writeAXCEXT();
  writeTICK();
  end();
  writeAXIS(1);
  begin();
  writeVALUERANGE();
  writeTICK();
  w_.WriteWordRecord(biff8::AXISLINEFORMAT, 1);
  writeLINEFORMAT(kChartForeground, kHairline, 9);
  end();
  // A surface spreads its series along an axis of their own, which readers look for.
  if (Chart.Style() == xcsSurface || Chart.Style() == xcsSurface3d) {
    writeAXIS(2);
    begin();
    writeCATSERRANGE();
    writeTICK();
    end();
  }
  r.Clear();
  w_.WriteRecord(biff8::PLOTAREA);
  writeFRAME(true, true);
  begin();
  writeLINEFORMAT(kGrey, 0, 0);
  writeAREAFORMAT(kSilver, kChartNeutral, 0);
  end();
  writeCHARTFORMAT(Chart.Style() == xcsPie || Chart.Style() == xcsPie3d);
  begin();
  writeChartType(Chart);
  if (is3d(Chart.Style())) writeCHART3D();
  if (Chart.ShowLegend()) {
    writeLEGEND(Chart);
    begin();
    writePOS(5, 2, 3239, 1947, 0, 0);
    writeTextBlock();
    end();
  }
  end();  // chart group
  end();  // axis parent

  if (!Chart.Title().empty()) {
    writeTEXT();
    begin();
    writePOS(2, 2, 0, 0, 52, 22);
    w_.WriteWordRecord(biff8::FONTX, 0);
    writeAI(kLinkTitle, nullptr);
    writeSERIESTEXT(Chart.Title());
    writeOBJECTLINK();
    end();
  }

  end();  // chart
  writeDIMENSIONS();
  for (std::uint16_t i = 1; i <= 3; ++i) w_.WriteWordRecord(biff8::SIINDEX, i);
  r.Clear();
  w_.WriteRecord(biff8::EOF_);
}

void TxlsChartWriter::writeSETUP() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(0).U16(18).U16(1).U16(1).U16(1);  // paper size, scale, first page, fit to width and height
  r.U16(0x003B).U16(0).U16(2208);         // options, resolution, vertical resolution
  r.F64(0.0).F64(0.0);                    // header and footer margins
  r.U16(1);                               // copies
  w_.WriteRecord(biff8::SETUP);
}

void TxlsChartWriter::writeFBI(std::uint16_t FontHeight, std::uint16_t ScaleBasis) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(5685).U16(4380).U16(FontHeight).U16(ScaleBasis).U16(0);
  w_.WriteRecord(biff8::FBI);
}

void TxlsChartWriter::writeCHART() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U32(0x0000F000).U32(0).U32(0x00EFFFE8).U32(0x00B27FD0);  // position and size, 16.16 points
  w_.WriteRecord(biff8::CHART);
}

void TxlsChartWriter::writeFRAME(bool AutoSize, bool AutoPosition) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(0).U16(static_cast<std::uint16_t>((AutoSize ? 0x0001 : 0) | (AutoPosition ? 0x0002 : 0)));
  w_.WriteRecord(biff8::FRAME);
}

void TxlsChartWriter::writeLINEFORMAT(std::uint16_t ColorIndex, std::int16_t Weight, std::uint16_t Options) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  putColor(r, ColorIndex);
  r.U16(0).U16(static_cast<std::uint16_t>(Weight)).U16(Options).U16(ColorIndex);  // solid line
  w_.WriteRecord(biff8::LINEFORMAT);
}

void TxlsChartWriter::writeAREAFORMAT(std::uint16_t ForeIndex, std::uint16_t BackIndex, std::uint16_t Options) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  putColor(r, ForeIndex);
  putColor(r, BackIndex);
  r.U16(1).U16(Options).U16(ForeIndex).U16(BackIndex);  // solid fill
  w_.WriteRecord(biff8::AREAFORMAT);
}

void TxlsChartWriter::writeSERIES(int Values, int Categories) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  // Numeric categories and values; the counts of cells the two references cover.
  r.U16(1).U16(1).U16(static_cast<std::uint16_t>(std::min(Categories, 0xFFFF)));
  r.U16(static_cast<std::uint16_t>(std::min(Values, 0xFFFF))).U16(1).U16(0);
  w_.WriteRecord(biff8::SERIES);
}

void TxlsChartWriter::writeAI(std::uint8_t Link, const TxlsDataRange* Range) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  TArea area;
  const bool linked = (Link == kLinkValues || Link == kLinkCategories) && areaOf(Range, area);
  r.U8(Link).U8(linked ? kReferenceWorksheet : kReferenceLiteral).U16(0).U16(0);
  if (linked) {
    r.U16(11).U8(tArea3d).U16(sheet_);
    r.U16(static_cast<std::uint16_t>(area.Row1)).U16(static_cast<std::uint16_t>(area.Row2));
    r.U16(static_cast<std::uint16_t>(area.Col1)).U16(static_cast<std::uint16_t>(area.Col2));
  } else {
    r.U16(0);
  }
  w_.WriteRecord(biff8::AI);
}

void TxlsChartWriter::writeSERIESTEXT(const std::u16string& Text) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  const std::u16string text = Text.substr(0, kSeriesTextMax);
  r.U16(0).U8(static_cast<std::uint8_t>(text.size())).U8(1).Chars(text);
  w_.WriteRecord(biff8::SERIESTEXT);
}

void TxlsChartWriter::writeDATAFORMAT(std::uint16_t Point, std::uint16_t Series) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(Point).U16(Series).U16(Series).U16(0);
  w_.WriteRecord(biff8::DATAFORMAT);
}

void TxlsChartWriter::writePIEFORMAT() {
  w_.WriteWordRecord(biff8::PIEFORMAT, 0);  // the slice sits at the centre
}

void TxlsChartWriter::writeDataFormatBlock(const TxlsChart& Chart, std::uint16_t Point, std::uint16_t Series,
                                           std::uint16_t ColorIndex) {
  writeDATAFORMAT(Point, Series);
  begin();
  w_.WriteWordRecord(biff8::THREEDBARSHAPE, 0);
  if (!Chart.AutoColor()) {
    writeLINEFORMAT(ColorIndex, kNarrow, 0);
    writeAREAFORMAT(ColorIndex, kBlack, 0);
    if (isPie(Chart.Style())) writePIEFORMAT();
  }
  end();
}

void TxlsChartWriter::writeTEXT() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U8(2).U8(2).U16(1);  // centred both ways, transparent background
  r.U32(0);              // colour
  r.U32(1643).U32(82).U32(714).U32(397);
  r.U16(0x0081).U16(kChartForeground).U16(0x3D20).U16(0);
  w_.WriteRecord(biff8::TEXT);
}

void TxlsChartWriter::writePOS(std::uint16_t TopLeft, std::uint16_t BottomRight, int X1, int Y1, int X2, int Y2) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(TopLeft).U16(BottomRight);
  r.U32(static_cast<std::uint32_t>(X1)).U32(static_cast<std::uint32_t>(Y1));
  r.U32(static_cast<std::uint32_t>(X2)).U32(static_cast<std::uint32_t>(Y2));
  w_.WriteRecord(biff8::POS);
}

void TxlsChartWriter::writeTextBlock() {
  writeTEXT();
  begin();
  writePOS(2, 2, 0, 0, 0, 0);
  w_.WriteWordRecord(biff8::FONTX, 0);
  writeAI(kLinkTitle, nullptr);
  end();
}

void TxlsChartWriter::writeAXISPARENT() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(0).U32(490).U32(895).U32(2606).U32(2456);
  w_.WriteRecord(biff8::AXISPARENT);
}

void TxlsChartWriter::writeAXIS(std::uint16_t Type) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(Type).Zeros(16);
  w_.WriteRecord(biff8::AXIS);
}

void TxlsChartWriter::writeCATSERRANGE() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(1).U16(1).U16(1).U16(1);  // crossing, label and mark frequency, options
  w_.WriteRecord(biff8::CATSERRANGE);
}

void TxlsChartWriter::writeAXCEXT() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(0).U16(0).U16(1).U16(0).U16(1).U16(0).U16(0).U16(0).U16(0x00EF);
  w_.WriteRecord(biff8::AXCEXT);
}

void TxlsChartWriter::writeTICK() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U8(2).U8(0).U8(3).U8(1);  // major marks outside, no minor marks, labels next to the axis
  r.U32(0).Zeros(16);         // colour
  r.U16(0x0023).U16(kChartForeground).U16(0);
  w_.WriteRecord(biff8::TICK);
}

void TxlsChartWriter::writeVALUERANGE() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  for (int i = 0; i < 5; ++i) r.F64(0.0);
  r.U16(0x001F);  // minimum, maximum and units automatic
  w_.WriteRecord(biff8::VALUERANGE);
}

void TxlsChartWriter::writeCHARTFORMAT(bool VaryColors) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.Zeros(16).U16(VaryColors ? 1 : 0).U16(0);
  w_.WriteRecord(biff8::CHARTFORMAT);
}

void TxlsChartWriter::writeChartType(const TxlsChart& Chart) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  switch (Chart.Style()) {
    case xcsColumn:
    case xcsColumn3d:
    case xcsBar:
    case xcsBar3d: {
      const bool horizontal = Chart.Style() == xcsBar || Chart.Style() == xcsBar3d;
      r.U16(0).U16(150).U16(horizontal ? 1 : 0);  // overlap, gap
      w_.WriteRecord(biff8::BAR);
      break;
    }
    case xcsPie:
    case xcsPie3d:
      r.U16(0).U16(0).U16(1);  // first slice angle, no hole
      w_.WriteRecord(biff8::PIE);
      break;
    case xcsArea:
    case xcsArea3d:
      r.U16(0);
      w_.WriteRecord(biff8::AREA);
      break;
    case xcsSurface:
    case xcsSurface3d:
      r.U16(0);
      w_.WriteRecord(biff8::SURFACE);
      break;
    case xcsRadar:
      r.U16(0).U16(0);
      w_.WriteRecord(biff8::RADAR);
      break;
    case xcsRadarArea:
      r.U16(0).U16(0);
      w_.WriteRecord(biff8::RADARAREA);
      break;
    default:  // xcsLine, xcsLine3d, xcsLineMark: lines with automatic markers
      r.U16(0);
      w_.WriteRecord(biff8::LINE);
      break;
  }
}

void TxlsChartWriter::writeCHART3D() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(20).U16(15).U16(30).U16(100).U16(100).U16(150).U16(0x0015);  // rotation, elevation, distance ...
  w_.WriteRecord(biff8::CHART3D);
}

void TxlsChartWriter::writeLEGEND(const TxlsChart& Chart) {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U32(3239).U32(1947).U32(710).U32(333);
  r.U8(static_cast<std::uint8_t>(Chart.LegendPlacement())).U8(1).U16(0x001F);
  w_.WriteRecord(biff8::LEGEND);
}

void TxlsChartWriter::writeOBJECTLINK() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U16(1).U16(0).U16(0);  // the chart's title
  w_.WriteRecord(biff8::OBJECTLINK);
}

void TxlsChartWriter::writeDIMENSIONS() {
  TbiffBuffer& r = w_.Record();
  r.Clear();
  r.U32(0).U32(13).U16(0).U16(1).U16(0);
  w_.WriteRecord(biff8::DIMENSIONS);
}
