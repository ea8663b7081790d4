#include "TxlsChartWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "Biff8Records.h"
#include "TMemoryStream.h"
#include "TxlsChart.h"
#include "TxlsChartSeries.h"
#include "TxlsWorkbookWriter.h"
#include "XlsColors.h"
#include "XlsTestSupport.h"

namespace {

// The records of one chart's substream.
std::vector<TRecord> ChartRecords(const TxlsChart& chart, std::uint16_t sheet = 0) {
  TMemoryStream stream;
  TxlsWorkbookWriter writer(stream);
  TxlsChartWriter(writer).Write(chart, sheet);
  return SplitRecords(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size())));
}

int Count(const std::vector<TRecord>& records, std::uint16_t id) {
  return static_cast<int>(std::count_if(records.begin(), records.end(), [id](const TRecord& r) { return r.Id == id; }));
}

// The AI records of a kind (link type: 0 title, 1 values, 2 categories, 3 bubbles).
std::vector<TRecord> AIs(const std::vector<TRecord>& records, int link) {
  std::vector<TRecord> out;
  for (const TRecord& r : RecordsWithId(records, biff8::AI))
    if (static_cast<std::uint8_t>(r.Data[0]) == link) out.push_back(r);
  return out;
}

class ChartFixture : public ::testing::Test {
protected:
  TxlsCharts charts{nullptr};
  TxlsChart* chart = charts.Add();
};

}  // namespace

struct TStyleCase {
  TxlsChartStyle Style;
  std::uint16_t TypeRecord;
  std::uint16_t TypeOptions;
  bool ThreeD;
  std::uint16_t VaryColors;
};

class TxlsChartWriterStyles : public ChartFixture, public ::testing::WithParamInterface<TStyleCase> {};

TEST_P(TxlsChartWriterStyles, EveryStyleHasOneChartTypeRecordIn3dOnlyWhenItSays) {
  const TStyleCase& c = GetParam();
  chart->SetStyle(c.Style);
  const auto records = ChartRecords(*chart);
  int types = 0;
  for (std::uint16_t id : {biff8::BAR, biff8::LINE, biff8::PIE, biff8::AREA, biff8::SURFACE, biff8::RADAR, biff8::RADARAREA})
    types += Count(records, id);
  EXPECT_EQ(types, 1);
  const auto type = RecordsWithId(records, c.TypeRecord);
  ASSERT_EQ(type.size(), 1u);
  // The options come last in every chart-type record that has them.
  if (c.TypeRecord == biff8::BAR || c.TypeRecord == biff8::PIE) {
    EXPECT_EQ(U16At(type[0].Data, 4), c.TypeOptions);
  }
  if (c.TypeRecord == biff8::RADAR || c.TypeRecord == biff8::RADARAREA) {
    EXPECT_EQ(type[0].Data.size(), 4u);
  }
  EXPECT_EQ(Count(records, biff8::CHART3D), c.ThreeD ? 1 : 0);
  const auto format = RecordsWithId(records, biff8::CHARTFORMAT);
  ASSERT_EQ(format.size(), 1u);
  EXPECT_EQ(U16At(format[0].Data, 16), c.VaryColors);
}

INSTANTIATE_TEST_SUITE_P(
    AllStyles, TxlsChartWriterStyles,
    ::testing::Values(TStyleCase{xcsColumn, biff8::BAR, 0, false, 0}, TStyleCase{xcsColumn3d, biff8::BAR, 0, true, 0},
                      TStyleCase{xcsBar, biff8::BAR, 1, false, 0}, TStyleCase{xcsBar3d, biff8::BAR, 1, true, 0},
                      TStyleCase{xcsLine, biff8::LINE, 0, false, 0}, TStyleCase{xcsLineMark, biff8::LINE, 0, false, 0},
                      TStyleCase{xcsLine3d, biff8::LINE, 0, true, 0}, TStyleCase{xcsPie, biff8::PIE, 1, false, 1},
                      TStyleCase{xcsPie3d, biff8::PIE, 1, true, 1}, TStyleCase{xcsArea, biff8::AREA, 0, false, 0},
                      TStyleCase{xcsArea3d, biff8::AREA, 0, true, 0}, TStyleCase{xcsSurface, biff8::SURFACE, 0, false, 0},
                      TStyleCase{xcsSurface3d, biff8::SURFACE, 0, true, 0}, TStyleCase{xcsRadar, biff8::RADAR, 0, false, 0},
                      TStyleCase{xcsRadarArea, biff8::RADARAREA, 0, false, 0}),
    [](const ::testing::TestParamInfo<TStyleCase>& info) { return "Style" + std::to_string(static_cast<int>(info.param.Style)); });

using TxlsChartWriter_ = ChartFixture;

TEST_F(TxlsChartWriter_, TheSubstreamIsAChartFromBofToEofWithEveryBlockClosed) {
  chart->Series()->Add();
  chart->SetTitle(u"Usage");
  const auto records = ChartRecords(*chart);
  ASSERT_GE(records.size(), 2u);
  EXPECT_EQ(records.front().Id, biff8::BOF);
  EXPECT_EQ(U16At(records.front().Data, 2), biff8::SubstreamChart);
  EXPECT_EQ(records.back().Id, biff8::EOF_);
  int depth = 0;
  for (const TRecord& r : records) {
    if (r.Id == biff8::BEGIN) ++depth;
    if (r.Id == biff8::END) {
      ASSERT_GT(depth--, 0);
    }
  }
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(Count(records, biff8::SIINDEX), 3);
  // The skeleton's records with their fixed lengths.
  const std::map<std::uint16_t, std::size_t> lengths = {
      {biff8::SETUP, 34}, {biff8::FBI, 10},       {biff8::CHART, 16}, {biff8::LINEFORMAT, 12}, {biff8::AREAFORMAT, 16},
      {biff8::SERIES, 12}, {biff8::DATAFORMAT, 8}, {biff8::TEXT, 32},  {biff8::POS, 20},        {biff8::AXISPARENT, 18},
      {biff8::AXIS, 18},  {biff8::AXCEXT, 18},    {biff8::TICK, 30},  {biff8::VALUERANGE, 42}, {biff8::CHARTFORMAT, 20},
      {biff8::LEGEND, 20}, {biff8::OBJECTLINK, 6}, {biff8::DIMENSIONS, 14}};
  for (const TRecord& r : records)
    if (const auto it = lengths.find(r.Id); it != lengths.end()) {
      EXPECT_EQ(r.Data.size(), it->second) << std::hex << r.Id;
    }
}

TEST_F(TxlsChartWriter_, ASeriesWithoutTitleHasNoSeriesTextAndOneWithATitleHasIt) {
  chart->Series()->Add();
  chart->Series()->Add()->SetTitle(u"读数");
  const auto records = ChartRecords(*chart);
  const auto texts = RecordsWithId(records, biff8::SERIESTEXT);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Data, Bytes({0, 0, 2, 1, 0xFB, 0x8B, 0x70, 0x65}));
  EXPECT_EQ(Count(records, biff8::SERIES), 2);
}

TEST_F(TxlsChartWriter_, RangesReferToTheSheetInOrderAndAChartWithoutLabelsHasNoCategoryFormula) {
  TxlsChartSeries* series = chart->Series()->Add();
  series->DataRange()->SetCol1(3);
  series->DataRange()->SetCol2(3);
  series->DataRange()->SetRow1(9);  // corners given the wrong way round
  series->DataRange()->SetRow2(2);
  auto records = ChartRecords(*chart, 4);
  const auto values = AIs(records, 1);
  ASSERT_EQ(values.size(), 1u);
  // Worksheet reference, tArea3d on sheet 4, rows 1 to 8, column 2.
  EXPECT_EQ(Hex(values[0].Data), "01 02 00 00 00 00 0B 00 3B 04 00 01 00 08 00 02 00 02 00");
  const auto categories = AIs(records, 2);
  ASSERT_EQ(categories.size(), 1u);
  EXPECT_EQ(U16At(categories[0].Data, 6), 0);
  // The series counts the cells its values cover.
  EXPECT_EQ(U16At(RecordsWithId(records, biff8::SERIES)[0].Data, 6), 8);

  chart->CategoryLabels()->SetCol1(1);
  chart->CategoryLabels()->SetCol2(1);
  chart->CategoryLabels()->SetRow1(2);
  chart->CategoryLabels()->SetRow2(9);
  records = ChartRecords(*chart, 4);
  EXPECT_EQ(Hex(AIs(records, 2)[0].Data), "02 02 00 00 00 00 0B 00 3B 04 00 01 00 08 00 00 00 00 00");
}

TEST_F(TxlsChartWriter_, ARangeWithACoordinateLeftAtZeroIsNoRange) {
  TxlsChartSeries* series = chart->Series()->Add();
  series->DataRange()->SetCol1(2);
  series->DataRange()->SetCol2(2);
  series->DataRange()->SetRow2(40);  // Row1 stays 0, which would be row -1
  const auto values = AIs(ChartRecords(*chart), 1);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(Hex(values[0].Data), "01 01 00 00 00 00 00 00");
}

TEST_F(TxlsChartWriter_, TheLegendIsPlacedAsAskedAndLeftOutWhenHidden) {
  chart->SetLegendPlacement(clpLeft);
  auto legends = RecordsWithId(ChartRecords(*chart), biff8::LEGEND);
  ASSERT_EQ(legends.size(), 1u);
  EXPECT_EQ(static_cast<std::uint8_t>(legends[0].Data[16]), 4);
  chart->SetShowLegend(false);
  EXPECT_TRUE(RecordsWithId(ChartRecords(*chart), biff8::LEGEND).empty());
  EXPECT_TRUE(RecordsWithId(ChartRecords(*chart), biff8::OBJECTLINK).empty());
  chart->SetTitle(u"Title");
  EXPECT_EQ(RecordsWithId(ChartRecords(*chart), biff8::OBJECTLINK).size(), 1u);
}

TEST_F(TxlsChartWriter_, WithoutAutoColorEveryLineTakesItsSeriesColourAndEverySliceOfAPieOneOfItsOwn) {
  chart->SetAutoColor(false);
  chart->SetStyle(xcsLine);
  TxlsChartSeries* red = chart->Series()->Add();
  red->SetColor(clrRed);
  TxlsChartSeries* blue = chart->Series()->Add();
  blue->SetColor(clrBlue);
  for (TxlsChartSeries* series : {red, blue}) {
    series->DataRange()->SetCol1(2), series->DataRange()->SetCol2(2);
    series->DataRange()->SetRow1(2), series->DataRange()->SetRow2(4);
  }
  // The colour index of each LINEFORMAT and AREAFORMAT inside the series blocks (after the
  // first DATAFORMAT), and the point each block formats.
  auto looks = [](const std::vector<TRecord>& records) {
    std::vector<std::string> out;
    bool inSeries = false;
    for (const TRecord& r : records) {
      if (r.Id == biff8::DATAFORMAT) {
        inSeries = true;
        out.push_back("point " + std::to_string(U16At(r.Data, 0)) + " of " + std::to_string(U16At(r.Data, 2)));
      }
      if (r.Id == biff8::SERTOCRT) inSeries = false;
      if (inSeries && r.Id == biff8::LINEFORMAT) out.push_back("line " + std::to_string(U16At(r.Data, 10)));
      if (inSeries && r.Id == biff8::AREAFORMAT) out.push_back("area " + std::to_string(U16At(r.Data, 12)));
      if (inSeries && r.Id == biff8::PIEFORMAT) out.push_back("pie");
    }
    return out;
  };
  const std::string redIndex = std::to_string(XlsPaletteIndex(clrRed));
  const std::string blueIndex = std::to_string(XlsPaletteIndex(clrBlue));
  EXPECT_EQ(looks(ChartRecords(*chart)), (std::vector<std::string>{"point 65535 of 0", "line " + redIndex, "area " + redIndex,
                                                                   "point 65535 of 1", "line " + blueIndex,
                                                                   "area " + blueIndex}));

  // The three slices of each pie series: its own colour, then the palette's chart colours 24, 25.
  chart->SetStyle(xcsPie);
  chart->Series()->Delete(1);
  EXPECT_EQ(looks(ChartRecords(*chart)),
            (std::vector<std::string>{"point 65535 of 0", "line " + redIndex, "area " + redIndex, "pie", "point 0 of 0",
                                      "line " + redIndex, "area " + redIndex, "pie", "point 1 of 0", "line 24", "area 24",
                                      "pie", "point 2 of 0", "line 25", "area 25", "pie"}));

  // Automatic colours leave every look to the reader.
  chart->SetAutoColor(true);
  EXPECT_EQ(looks(ChartRecords(*chart)), (std::vector<std::string>{"point 65535 of 0"}));
}
