// The office suites open workbooks the Excel exporter writes, with notes, hyperlinks, pictures,
// charts of every style and aggregate formulas: LibreOffice converts them all to .ods in one
// run, gnumeric merges them all into one .xlsx in one run (each suite is started by one test,
// once), and what each shows is read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "CodePage.h"
#include "DateRoutines.h"
#include "TBitmap.h"
#include "TClientDataSet.h"
#include "TComponent.h"
#include "TDataExportXLS.h"
#include "TDataPacket.h"
#include "TJPEGImage.h"
#include "TPngImage.h"
#include "TStringList.h"
#include "TXLSOptions.h"
#include "TxlsChart.h"
#include "TxlsChartSeries.h"
#include "TxlsFieldFormat.h"
#include "TxlsHyperlink.h"
#include "TxlsImage.h"
#include "TxlsNote.h"
#include "TxlsPicture.h"
#include "XlsTestSupport.h"

namespace {

// Meter readings: area, reading, usage, price, days.
struct TReading {
  const char* Area;
  double Reading, Used, Price, Days;
};
const TReading kReadings[] = {{"East", 1251.0, 16.5, 3.2, 30}, {"East", 889.5, 13.5, 3.2, 31},
                              {"East", 2331.2, 20.5, 4.1, 29}, {"West", 455.2, 0.0, 3.2, 30},
                              {"West", 3060.1, 38.2, 5.0, 28}, {"North", 98.4, 7.25, 2.9, 31}};

TClientDataSet* Readings(TComponent* owner) {
  TDataPacket packet({Column("AREA", ftString, 8), Column("READING", ftFloat), Column("USED", ftFloat),
                      Column("PRICE", ftFloat), Column("DAYS", ftFloat)});
  for (const TReading& r : kReadings)
    packet.AppendRecord({Variant(r.Area), Variant(r.Reading), Variant(r.Used), Variant(r.Price), Variant(r.Days)});
  auto* ds = new TClientDataSet(owner);
  ds->SetData(std::move(packet));
  return ds;
}

// A 2 x 1 GIF: a red and a blue pixel.
const std::string kGif = Bytes({0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF,
                                0x00, 0x00, 0x00, 0x00, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00,
                                0x00, 0x02, 0x02, 0x44, 0x0A, 0x00, 0x3B});

const TxlsChartStyle kStyles[] = {xcsColumn, xcsColumn3d, xcsBar,     xcsBar3d,  xcsLine,
                                  xcsLineMark, xcsLine3d, xcsPie,     xcsPie3d,  xcsArea,
                                  xcsArea3d, xcsSurface, xcsSurface3d, xcsRadar, xcsRadarArea};

// Notes, links and pictures on one sheet, a chart of every style on a second, and one chart
// whose series lie outside the data.
void WriteObjects(const TTempDir& dir) {
  TComponent owner(nullptr);
  auto* xls = new TDataExportXLS(&owner);
  xls->SetFileName(dir.Path("objects.xls"));
  TxlsSheet* objects = xls->Sheets()->Add();
  objects->SetTitle(u"Objects");
  objects->SetDataSet(Readings(&owner));
  TxlsNote* note = objects->Notes()->Add();
  note->SetRow(2);
  note->SetCol(1);
  note->Lines()->SetText(Utf8ToAnsi("表已更换\r\nsecond line\r\n"));
  TxlsNote* other = objects->Notes()->Add();
  other->SetRow(4);
  other->SetCol(3);
  other->Lines()->SetText("estimated");
  TxlsHyperlink* web = objects->Hyperlinks()->Add();
  web->SetRow(10);
  web->SetCol(1);
  web->SetTitle(u"Site");
  web->SetTarget(u"https://example.com/meters");
  TxlsHyperlink* file = objects->Hyperlinks()->Add();
  file->SetRow(11);
  file->SetCol(1);
  file->SetStyle(hlsLocalFile);
  file->SetTitle(u"Readings");
  file->SetTarget(u"/data/CBSJ.DBF");

  TBitmap bitmap;
  bitmap.SetSize(40, 20);
  TPngImage png;
  png.Assign(&bitmap);
  png.SaveToFile(dir.Path("p.png"));
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  jpeg.SaveToFile(dir.Path("p.jpg"));
  bitmap.SaveToFile(dir.Path("p.bmp"));
  std::ofstream(dir.Path("p.gif"), std::ios::binary) << kGif;
  int place = 0;
  for (const char* name : {"p.png", "p.jpg", "p.bmp", "p.gif"}) {
    TxlsPicture* picture = xls->Pictures()->Add();
    picture->SetFileName(dir.Path(name));
    TxlsImage* image = objects->Images()->Add();
    image->SetPictureName(picture->Name());
    image->SetRow(static_cast<std::uint16_t>(14 + 3 * place++));
    image->SetCol(1);
  }

  TxlsSheet* charts = xls->Sheets()->Add();
  charts->SetTitle(u"Charts");
  charts->SetDataSet(objects->DataSet());
  int at = 0;
  for (TxlsChartStyle style : kStyles) {
    TxlsChart* chart = charts->Charts()->Add();
    chart->SetStyle(style);
    chart->SetTitle(u"Usage");
    chart->SetCategoryLabelsColumn("AREA");
    chart->Series()->Add()->SetDataColumn("USED");
    chart->Series()->Add()->SetDataColumn("PRICE");
    chart->Position()->SetPositionType(cptCustom);
    chart->Position()->CustomPosition()->SetX1(static_cast<std::uint8_t>(7 + 6 * (at % 3)));
    chart->Position()->CustomPosition()->SetX2(static_cast<std::uint8_t>(12 + 6 * (at % 3)));
    chart->Position()->CustomPosition()->SetY1(static_cast<std::uint16_t>(1 + 12 * (at / 3)));
    chart->Position()->CustomPosition()->SetY2(static_cast<std::uint16_t>(11 + 12 * (at / 3)));
    ++at;
  }
  // A line chart whose series lie outside the data: one on cells past the last row and column,
  // one on a column the source does not have.
  TxlsChart* outside = charts->Charts()->Add();
  outside->SetStyle(xcsLine);
  TxlsChartSeries* past = outside->Series()->Add();
  past->SetDataRangeType(rtCustom);
  past->DataRange()->SetCol1(40);
  past->DataRange()->SetCol2(40);
  past->DataRange()->SetRow1(300);
  past->DataRange()->SetRow2(65535);
  outside->Series()->Add()->SetDataColumn("NOSUCH");
  outside->Position()->SetPositionType(cptCustom);
  outside->Position()->CustomPosition()->SetX1(26);
  outside->Position()->CustomPosition()->SetX2(31);
  outside->Position()->CustomPosition()->SetY1(1);
  outside->Position()->CustomPosition()->SetY2(11);
  xls->Execute();
}

// Every aggregate below the columns, with groups by area.
void WriteAggregates(const TTempDir& dir) {
  TComponent owner(nullptr);
  auto* xls = new TDataExportXLS(&owner);
  xls->SetFileName(dir.Path("aggregates.xls"));
  xls->SetDataSet(Readings(&owner));
  xls->Options()->SetSheetTitle("Totals");
  xls->SetSubAggControlColumn("AREA");
  const std::pair<const char*, TxlsAggregate> aggregates[] = {
      {"READING", aggMax}, {"USED", aggSum}, {"PRICE", aggAvg}, {"DAYS", aggMin}};
  for (const auto& [name, kind] : aggregates) {
    TxlsFieldFormat* field = xls->FieldFormats()->Add();
    field->SetFieldName(name);
    field->SetAggregate(kind);
  }
  xls->Execute();
}

// The formula cells the aggregates must show: one row after each area, the values of that
// area's rows.
std::vector<std::string> ExpectedFormulas() {
  std::vector<std::string> lines;
  int row = 2;  // the first data row, counted from 1
  for (std::size_t first = 0; first < std::size(kReadings);) {
    std::size_t last = first;
    while (last + 1 < std::size(kReadings) && std::string(kReadings[last + 1].Area) == kReadings[first].Area) ++last;
    double max = 0, sum = 0, price = 0, min = 1e300;
    for (std::size_t i = first; i <= last; ++i) {
      max = std::max(max, kReadings[i].Reading);
      sum += kReadings[i].Used;
      price += kReadings[i].Price;
      min = std::min(min, kReadings[i].Days);
    }
    row += static_cast<int>(last - first + 1);
    auto value = [](double v) {
      std::ostringstream s;
      s << v;
      return s.str();
    };
    const std::string r = std::to_string(row);
    lines.push_back("Totals\tformula\tB" + r + "\t" + value(max));
    lines.push_back("Totals\tformula\tC" + r + "\t" + value(sum));
    lines.push_back("Totals\tformula\tD" + r + "\t" + value(price / static_cast<double>(last - first + 1)));
    lines.push_back("Totals\tformula\tE" + r + "\t" + value(min));
    ++row;
    first = last + 1;
  }
  return lines;
}

// A formula value as close as the suite writes it ("12.3" for 12.299999999999999).
std::string Rounded(const std::string& line) {
  const std::size_t tab = line.rfind('\t');
  std::ostringstream s;
  s << std::stod(line.substr(tab + 1));
  return line.substr(0, tab + 1) + s.str();
}


class XlsExporterOffice : public ::testing::Test {
protected:
  void SetUp() override {
    WriteObjects(dir);
    WriteAggregates(dir);
  }
  std::string Shown(const std::string& files) {
    return RunCommand("cd '" + dir.Dir().string() + "' && /usr/bin/python3 '" + std::string(XLS_TEST_SOURCE_DIR) +
                      "/office/office_objects.py' " + files);
  }

  TTempDir dir;
};

const std::vector<std::string> kComments = {"Objects\tcomment\testimated", "Objects\tcomment\t表已更换\\nsecond line"};

}  // namespace

TEST_F(XlsExporterOffice, LibreOfficeShowsNotesLinksPicturesChartsOfEveryStyleAndRecalculatedAggregates) {
  int status = 0;
  const std::string out = RunCommand("cd '" + dir.Dir().string() + "' && soffice -env:UserInstallation=file://" +
                                         dir.Path("profile") +
                                         " --headless --convert-to ods --outdir lo objects.xls aggregates.xls 2>&1",
                                     &status);
  ASSERT_EQ(status, 0) << out;
  const auto shown = Lines(Shown("lo/objects.ods lo/aggregates.ods"));
  EXPECT_EQ(Matching(shown, "Objects\tcomment"), kComments);
  const auto links = Matching(shown, "Objects\tlink");
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].substr(links[0].rfind('/') + 1), "CBSJ.DBF");
  EXPECT_EQ(links[1], "Objects\tlink\thttps://example.com/meters");
  EXPECT_EQ(Matching(shown, "Objects\tpicture").size(), 4u);
  const auto charts = Matching(shown, "Charts\tchart");
  ASSERT_EQ(charts.size(), 16u);
  std::map<std::string, int> kinds;
  for (const std::string& c : charts) ++kinds[c.substr(c.rfind('\t') + 1)];
  // Columns and bars are LibreOffice's bar charts, 2-D and 3-D alike; it has no surfaces and
  // shows them as bars too.
  EXPECT_EQ(kinds["bar"], 6);
  EXPECT_EQ(kinds["line"], 4);
  EXPECT_EQ(kinds["circle"], 2);
  EXPECT_EQ(kinds["area"], 2);
  EXPECT_EQ(kinds["radar"], 1);
  EXPECT_EQ(kinds["filled-radar"], 1);

  // The aggregate formulas, computed by LibreOffice, give the values of their rows.
  std::vector<std::string> formulas;
  for (const std::string& line : Matching(shown, "Totals\tformula")) formulas.push_back(Rounded(line));
  std::vector<std::string> expected = ExpectedFormulas();
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(formulas, expected);
}

TEST_F(XlsExporterOffice, GnumericShowsNotesLinksPicturesAndChartsOfEveryStyle) {
  int status = 0;
  const std::string out = RunCommand(
      "cd '" + dir.Dir().string() + "' && ssconvert --merge-to=gnumeric.xlsx objects.xls aggregates.xls 2>&1", &status);
  ASSERT_EQ(status, 0) << out;
  // While it reads, gnumeric tells of two things the workbook keeps as they always were: notes
  // without an author's name and pictures whose OBJ has empty picture options. While it writes
  // .xlsx it tells that it has no name there for bitmap pictures and that its surface charts
  // lack an axis there. Nothing else.
  for (const std::string& line : Lines(out)) {
    if (line.empty() || line.rfind("Adding sheets from", 0) == 0) continue;
    bool known = false;
    for (const char* told : {"PictOpt record with size other than 2", "File is most likely corrupted",
                             "failed in excel_biff_text_2", "Unknown format name (dib)", "gog_plot_get_axis: assertion",
                             "gog_axis_is_inverted: assertion"})
      known = known || line.find(told) != std::string::npos;
    EXPECT_TRUE(known) << line;
  }
  const auto shown = Lines(Shown("gnumeric.xlsx"));
  EXPECT_EQ(Matching(shown, "Objects\tcomment"), kComments);
  const auto links = Matching(shown, "Objects\tlink");
  ASSERT_EQ(links.size(), 2u);
  EXPECT_NE(links[0].find("CBSJ.DBF"), std::string::npos);
  EXPECT_EQ(links[1], "Objects\tlink\thttps://example.com/meters");
  EXPECT_EQ(Matching(shown, "Objects\tpicture").size(), 4u);
  std::map<std::string, int> kinds;
  for (const std::string& c : Matching(shown, "Charts\tchart")) ++kinds[c.substr(c.rfind('\t') + 1)];
  EXPECT_EQ(kinds, (std::map<std::string, int>{{"area", 2}, {"bar", 4}, {"line", 4}, {"pie", 2}, {"radar", 2},
                                               {"surface3D", 2}}));
}
