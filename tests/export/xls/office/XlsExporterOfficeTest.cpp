// The office suites open workbooks the Excel exporter writes, with notes, hyperlinks, pictures,
// a background, charts of every style, 70,000 rows and aggregate formulas: LibreOffice converts
// them all to .ods in one run, gnumeric merges them all into one .gnumeric file in one run (each
// suite is started by one test, once), and what each shows is read back. Neither may tell of
// anything wrong while it reads them; nor may xlrd.
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

// A 2 x 1 GIF: a red and a blue pixel, shown 10 times as large.
const std::string kGif = Bytes({0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF,
                                0x00, 0x00, 0x00, 0x00, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00,
                                0x00, 0x02, 0x02, 0x44, 0x0A, 0x00, 0x3B});

const TxlsChartStyle kStyles[] = {xcsColumn, xcsColumn3d, xcsBar,     xcsBar3d,  xcsLine,
                                  xcsLineMark, xcsLine3d, xcsPie,     xcsPie3d,  xcsArea,
                                  xcsArea3d, xcsSurface, xcsSurface3d, xcsRadar, xcsRadarArea};

// The pictures of the objects sheet: file, size shown, and the row and column of the frame.
struct TShownPicture {
  const char* File;
  int Width, Height, Row, Col, Zoom;
};
const TShownPicture kPictures[] = {{"p.png", 120, 60, 14, 1, 100},
                                   {"p.jpg", 64, 17, 25, 3, 100},
                                   {"p.bmp", 30, 45, 40, 1, 100},
                                   {"p.gif", 20, 10, 300, 2, 1000}};
constexpr int kBackgroundWidth = 50, kBackgroundHeight = 20;
constexpr int kManyNotes = 101;
constexpr int kRows = 70000;

// Notes (also on the last rows and column of a sheet), links, pictures of every kind and a
// background on one sheet, a chart of every style on a second, and one chart whose series lie
// outside the data; 101 notes on a third, and 70,000 rows on a fourth and the sheet added for
// them.
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
  for (auto [row, col] : {std::pair{65535, 1}, {65534, 255}}) {
    TxlsNote* last = objects->Notes()->Add();
    last->SetRow(static_cast<std::uint16_t>(row));
    last->SetCol(static_cast<std::uint16_t>(col));
    last->Lines()->SetText("row " + std::to_string(row));
  }

  auto saved = [](int width, int height, auto&& save) {
    TBitmap bitmap;
    bitmap.SetSize(width, height);
    save(bitmap);
  };
  saved(120, 60, [&](TBitmap& b) {
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(dir.Path("p.png"));
  });
  saved(64, 17, [&](TBitmap& b) {
    TJPEGImage jpeg;
    jpeg.Assign(&b);
    jpeg.SaveToFile(dir.Path("p.jpg"));
  });
  saved(30, 45, [&](TBitmap& b) { b.SaveToFile(dir.Path("p.bmp")); });
  std::ofstream(dir.Path("p.gif"), std::ios::binary) << kGif;
  for (const TShownPicture& shown : kPictures) {
    TxlsPicture* picture = xls->Pictures()->Add();
    picture->SetFileName(dir.Path(shown.File));
    TxlsImage* image = objects->Images()->Add();
    image->SetPictureName(picture->Name());
    image->SetRow(static_cast<std::uint16_t>(shown.Row));
    image->SetCol(static_cast<std::uint16_t>(shown.Col));
    image->SetZoom(shown.Zoom);
  }
  saved(kBackgroundWidth, kBackgroundHeight, [&](TBitmap& b) {
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(dir.Path("background.png"));
  });
  objects->Background()->SetFileName(dir.Path("background.png"));

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

  TxlsSheet* notes = xls->Sheets()->Add();
  notes->SetTitle(u"Notes");
  notes->SetDataSet(objects->DataSet());
  for (int i = 0; i < kManyNotes; ++i) {
    TxlsNote* note = notes->Notes()->Add();
    note->SetRow(static_cast<std::uint16_t>(2 + i));
    note->SetCol(7);
    note->Lines()->SetText("note " + std::to_string(i));
  }

  TDataPacket packet({Column("READING", ftFloat)});
  for (int i = 0; i < kRows; ++i) packet.AppendRecord({Variant(static_cast<double>(i))});
  auto* rows = new TClientDataSet(&owner);
  rows->SetData(std::move(packet));
  TxlsSheet* many = xls->Sheets()->Add();
  many->SetTitle(u"Rows");
  many->SetDataSet(rows);
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

const std::vector<std::string> kComments = {"Objects\tcomment\testimated", "Objects\tcomment\trow 65534",
                                            "Objects\tcomment\trow 65535",
                                            "Objects\tcomment\t表已更换\\nsecond line"};

// Each picture is shown at its size, within a pixel, whatever row it starts in. Its width is its
// frame's share of columns, which the writer measures as Excel and gnumeric lay them out: in
// whole pixels of the default font's digit. LibreOffice lays them out in fractions of a pixel
// (7.41 for Arial's 7), so there only the height is the picture's.
void ExpectPicturesAtTheirSize(const std::vector<std::string>& pictures, bool Widths) {
  std::vector<std::pair<double, double>> shown, expected;  // height, width
  for (const std::string& line : pictures) {
    const std::size_t height = line.rfind('\t'), width = line.rfind('\t', height - 1);
    shown.emplace_back(std::stod(line.substr(height + 1)), std::stod(line.substr(width + 1, height - width - 1)));
  }
  for (const TShownPicture& picture : kPictures) expected.emplace_back(picture.Height, picture.Width);
  std::sort(shown.begin(), shown.end());
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(shown.size(), expected.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_NEAR(shown[i].first, expected[i].first, 1.0) << "picture " << i;
    if (Widths) {
      EXPECT_NEAR(shown[i].second, expected[i].second, 1.0) << "picture " << i;
    }
  }
}

// The lines a reader printed that are not part of its usual work.
std::vector<std::string> Told(const std::string& out, std::initializer_list<const char*> usual) {
  std::vector<std::string> told;
  for (const std::string& line : Lines(out)) {
    bool known = line.empty();
    for (const char* u : usual) known = known || line.rfind(u, 0) == 0;
    if (!known) told.push_back(line);
  }
  return told;
}

}  // namespace

TEST_F(XlsExporterOffice, LibreOfficeShowsNotesLinksPicturesChartsOfEveryStyleAndRecalculatedAggregates) {
  int status = 0;
  const std::string out = RunCommand("cd '" + dir.Dir().string() + "' && soffice -env:UserInstallation=file://" +
                                         dir.Path("profile") +
                                         " --headless --convert-to ods --outdir lo objects.xls aggregates.xls 2>&1",
                                     &status);
  ASSERT_EQ(status, 0) << out;
  // It says which file it converts, and it may tell that it has no Java; nothing else.
  EXPECT_EQ(Told(out, {"convert ", "Warning: failed to launch javaldx"}), std::vector<std::string>{}) << out;
  const auto shown = Lines(Shown("lo/objects.ods lo/aggregates.ods"));
  EXPECT_EQ(Matching(shown, "Objects\tcomment"), kComments);
  EXPECT_EQ(Matching(shown, "Notes\tcomment").size(), static_cast<std::size_t>(kManyNotes));
  const auto links = Matching(shown, "Objects\tlink");
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].substr(links[0].rfind('/') + 1), "CBSJ.DBF");
  EXPECT_EQ(links[1], "Objects\tlink\thttps://example.com/meters");
  ExpectPicturesAtTheirSize(Matching(shown, "Objects\tpicture"), false);
  EXPECT_EQ(Matching(shown, "background"),
            std::vector<std::string>{"background\t" + std::to_string(kBackgroundWidth) + "\t" + std::to_string(kBackgroundHeight)});
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
      "cd '" + dir.Dir().string() + "' && ssconvert --merge-to=merged.gnumeric objects.xls aggregates.xls 2>&1", &status);
  ASSERT_EQ(status, 0) << out;
  // It tells of each workbook it merges, and of one fault of its own: it reads a sheet's
  // background picture (BITMAP) only when the record holds more than the size the record gives
  // for the picture, which a record laid out as published never does (the picture fills the
  // record), and it shows no background anyway. Nothing else.
  std::vector<std::string> told = Told(out, {"Adding sheets from"});
  std::erase_if(told, [](const std::string& line) {
    return line.find("File is most likely corrupted") != std::string::npos && line.find("read-WARNING") != std::string::npos;
  });
  EXPECT_EQ(told, std::vector<std::string>{"(Condition \"q->length >= 8 && image_len < q->length - 8\" failed in excel_read_os2bmp.)"})
      << out;
  const auto shown = Lines(Shown("merged.gnumeric"));
  EXPECT_EQ(Matching(shown, "Objects\tcomment"), kComments);
  EXPECT_EQ(Matching(shown, "Notes\tcomment").size(), static_cast<std::size_t>(kManyNotes));
  const auto links = Matching(shown, "Objects\tlink");
  ASSERT_EQ(links.size(), 2u);
  EXPECT_NE(links[0].find("CBSJ.DBF"), std::string::npos);
  EXPECT_EQ(links[1], "Objects\tlink\thttps://example.com/meters");
  ExpectPicturesAtTheirSize(Matching(shown, "Objects\tpicture"), true);
  std::map<std::string, int> kinds;
  for (const std::string& c : Matching(shown, "Charts\tchart")) ++kinds[c.substr(c.rfind('\t') + 1)];
  // gnumeric's bar plots hold columns and bars; its radar plots are lines or areas.
  EXPECT_EQ(kinds, (std::map<std::string, int>{{"area", 2}, {"barcol", 4}, {"line", 4}, {"pie", 2}, {"radar", 1},
                                               {"radararea", 1}, {"xlsurface", 2}}));
}

TEST_F(XlsExporterOffice, XlrdReadsEveryRowAndNoteWithoutAWarning) {
  // (FreeXL, the other reader of the unit tests, reads no workbook whose sheets hold charts.)
  int status = 0;
  const std::string dump = RunCommand("/usr/bin/python3 '" + std::string(XLS_TEST_SOURCE_DIR) + "/xlrd_dump.py' '" +
                                          dir.Path("objects.xls") + "' 2>&1",
                                      &status);
  ASSERT_EQ(status, 0) << dump;
  for (const std::string& line : Lines(dump)) EXPECT_EQ(line.find("WARNING"), std::string::npos) << line;
  const auto lines = Lines(dump);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("\tnote\t") != std::string::npos; }),
            4 + kManyNotes);
  // The last reading is on the sheet added after the first 65,535 rows and their caption.
  EXPECT_NE(dump.find("sheet\tSheet 5\n"), std::string::npos);
  EXPECT_NE(dump.find("\tnumber\t" + std::to_string(kRows - 1) + "\n"), std::string::npos);
}
