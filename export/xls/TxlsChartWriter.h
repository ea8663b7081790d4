// TxlsChartWriter: the chart substream of one chart, written through the workbook writer right
// after the chart's OBJ record on its sheet.
//
// The substream is a fixed skeleton of chart records (page setup, chart area, axes, plot area,
// default texts) around one series block per series of the chart, the chart-type record of its
// Style (LINE for xcsLineMark, whose lines carry the automatic markers), a legend when
// ShowLegend is on and a title when Title is not empty. Series values and category labels are
// areas of the chart's own sheet, referred to by that sheet's EXTERNSHEET index.
//
// With AutoColor off each series is drawn in its Color, lines and areas alike; the slices of a
// pie, which are the points of one series, take the series' Color first and then the chart
// colours of the palette (indexes 24 to 39) in turn, so that they can be told apart.
//
// A range is written when all four of its coordinates (from 1) are set; its corners are put in
// order (first <= last). A range with a coordinate of 0 counts as none: the reference is written
// without a formula, and the reader shows no values for it.
#pragma once

#include <cstdint>
#include <string>

class TbiffBuffer;
class TxlsChart;
class TxlsDataRange;
class TxlsWorkbookWriter;

class TxlsChartWriter {
public:
  explicit TxlsChartWriter(TxlsWorkbookWriter& Writer) : w_(Writer) {}

  void Write(const TxlsChart& Chart, std::uint16_t SheetReference);

private:
  // One function per record, named as the format names it.
  void writeSETUP();
  void writeFBI(std::uint16_t FontHeight, std::uint16_t ScaleBasis);
  void writeCHART();
  void writeFRAME(bool AutoSize, bool AutoPosition);
  void writeLINEFORMAT(std::uint16_t ColorIndex, std::int16_t Weight, std::uint16_t Options);
  void writeAREAFORMAT(std::uint16_t ForeIndex, std::uint16_t BackIndex, std::uint16_t Options);
  void writeSERIES(int Values, int Categories);
  void writeAI(std::uint8_t Link, const TxlsDataRange* Range);
  void writeSERIESTEXT(const std::u16string& Text);
  void writeDATAFORMAT(std::uint16_t Point, std::uint16_t Series);
  void writePIEFORMAT();
  // DATAFORMAT and the look of a series (Point 0xFFFF) or of one of its points: the colour for
  // its line and area when the chart's colours are not automatic.
  void writeDataFormatBlock(const TxlsChart& Chart, std::uint16_t Point, std::uint16_t Series, std::uint16_t ColorIndex);
  void writeTEXT();
  void writePOS(std::uint16_t TopLeft, std::uint16_t BottomRight, int X1, int Y1, int X2, int Y2);
  void writeTextBlock();
  void writeAXISPARENT();
  void writeAXIS(std::uint16_t Type);
  void writeCATSERRANGE();
  void writeAXCEXT();
  void writeTICK();
  void writeVALUERANGE();
  void writeCHARTFORMAT(bool VaryColors);
  void writeChartType(const TxlsChart& Chart);
  void writeCHART3D();
  void writeLEGEND(const TxlsChart& Chart);
  void writeOBJECTLINK();
  void writeDIMENSIONS();
  void begin();
  void end();
  // A colour as the chart records hold it: red, green, blue and a zero byte.
  void putColor(TbiffBuffer& Record, std::uint16_t ColorIndex);

  TxlsWorkbookWriter& w_;
  std::uint16_t sheet_ = 0;
};
