// What the office suites show of the looks the Excel exporter writes: each suite prints a sheet
// whose columns are sized from their values (in several fonts, one of them Courier New) to PDF,
// where every value must stand whole within its column and a free date-time cell must read as
// its mask says; and it opens charts whose colours are not automatic, whose series must keep
// their colours and whose pie slices must differ. Each test writes the workbooks and runs its
// suite over them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <sstream>

#include "DateRoutines.h"
#include "TClientDataSet.h"
#include "TComponent.h"
#include "TDataExportXLS.h"
#include "TDataPacket.h"
#include "TExportFormats.h"
#include "TxlsCell.h"
#include "TxlsChart.h"
#include "TxlsChartSeries.h"
#include "TxlsFieldFormat.h"
#include "TxlsSheet.h"
#include "XlsTestSupport.h"

namespace {

// The values of the sized sheet, each as the suites show it, by column: the widest of each
// column among them. END only closes the last column on the right.
const std::vector<std::string> kCaptions = {"NAME", "BIG", "AMOUNT", "READ", "LARGE", "END"};
const std::vector<std::vector<std::string>> kShown = {
    {"城东区解放路12号3单元101", "2,147,483,647", "1,234,567.50", "2024-03-15", "31,415,926.50", "x"},
    {"Mühlenweg", "-2,147,483,647", "-99,999,999.25", "2024-12-31", "-7.00", "x"},
    {"W", "0", "0.00", "2000-01-01", "1.00", "x"}};
// The free date-time cell, below the data in a column of the sheet's default width.
constexpr int kDateRow = 8, kDateCol = 8;
const char* const kDateShown = "7/4/2023 10:30:00 AM";

TClientDataSet* Values(TComponent* owner) {
  TDataPacket packet({Column("NAME", ftString, 30), Column("BIG", ftInteger), Column("AMOUNT", ftFloat),
                      Column("READ", ftDate), Column("LARGE", ftFloat), Column("END", ftString, 1)});
  packet.AppendRecord({Variant(u"城东区解放路12号3单元101"), Variant(2147483647), Variant(1234567.5),
                       VarFromDateTime(EncodeDate(2024, 3, 15)), Variant(31415926.5), Variant("x")});
  packet.AppendRecord({Variant(u"Mühlenweg"), Variant(-2147483647), Variant(-99999999.25),
                       VarFromDateTime(EncodeDate(2024, 12, 31)), Variant(-7.0), Variant("x")});
  packet.AppendRecord({Variant("W"), Variant(0), Variant(0.0), VarFromDateTime(EncodeDate(2000, 1, 1)), Variant(1.0),
                       Variant("x")});
  auto* ds = new TClientDataSet(owner);
  ds->SetData(std::move(packet));
  return ds;
}

// A sheet whose columns are sized from their values: the big integers in Courier New, large
// numbers in a larger bold face; and a free date-time cell with FormatDateTime's letters.
void WriteSized(const std::string& path) {
  TComponent owner(nullptr);
  auto* xls = new TDataExportXLS(&owner);
  xls->SetFileName(path);
  TxlsSheet* sheet = xls->Sheets()->Add();
  sheet->SetTitle(u"Sized");
  sheet->SetDataSet(Values(&owner));
  sheet->SetAutoCalcColWidth(true);
  sheet->SetDefColWidth(24);
  sheet->Formats()->SetDateFormat("yyyy-mm-dd");
  TxlsFieldFormat* big = sheet->FieldFormats()->Add();
  big->SetFieldName("BIG");
  big->Font()->SetName(u"Courier New");
  TxlsFieldFormat* large = sheet->FieldFormats()->Add();
  large->SetFieldName("LARGE");
  large->Font()->SetName(u"Times New Roman");
  large->Font()->SetSize(14);
  large->Font()->SetStyle({xfsBold});
  TxlsCell* when = sheet->Cells()->Add();
  when->SetCellType(ctDateTime);
  when->SetRow(kDateRow + 1);
  when->SetCol(kDateCol + 1);
  when->SetDateTimeFormat("m/d/yyyy h:nn:ss AMPM");
  when->SetValue(Variant::FromDateTime(EncodeDate(2023, 7, 4) + EncodeTime(10, 30, 0, 0)));
  xls->Execute();
}

// A line, a line-with-marks, a radar and a pie chart, each on its own sheet, in the series'
// own colours (red, blue; the pie has the red series only).
void WriteCharts(const std::string& path) {
  TComponent owner(nullptr);
  auto* xls = new TDataExportXLS(&owner);
  xls->SetFileName(path);
  TClientDataSet* values = Values(&owner);
  const std::pair<const char16_t*, TxlsChartStyle> styles[] = {
      {u"Line", xcsLine}, {u"LineMarks", xcsLineMark}, {u"Radar", xcsRadar}, {u"Pie", xcsPie}};
  for (const auto& [title, style] : styles) {
    TxlsSheet* sheet = xls->Sheets()->Add();
    sheet->SetTitle(title);
    sheet->SetDataSet(values);
    TxlsChart* chart = sheet->Charts()->Add();
    chart->SetStyle(style);
    chart->SetAutoColor(false);
    chart->SetCategoryLabelsColumn("NAME");
    TxlsChartSeries* red = chart->Series()->Add();
    red->SetDataColumn("AMOUNT");
    red->SetColor(clrRed);
    if (style != xcsPie) {
      TxlsChartSeries* blue = chart->Series()->Add();
      blue->SetDataColumn("LARGE");
      blue->SetColor(clrBlue);
    }
  }
  xls->Execute();
}

// A word of a page as pdftotext finds it, in points from the page's top left corner.
struct TWord {
  int Page = 0;
  double Left = 0, Right = 0, Bottom = 0;
  std::string Text;
};

std::vector<TWord> Words(const std::string& pdf) {
  const std::string html = RunCommand("pdftotext -bbox '" + pdf + "' - 2>&1");
  std::vector<TWord> words;
  static const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
  int page = 0;
  std::istringstream lines(html);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("<page ") != std::string::npos) ++page;
    std::smatch m;
    if (!std::regex_search(line, m, word)) continue;
    std::string text = m[4];
    // gnumeric shows a minus as U+2212.
    for (std::size_t at; (at = text.find("\xE2\x88\x92")) != std::string::npos;) text.replace(at, 3, "-");
    const TWord next{page, std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), text};
    // A text drawn in two faces (Latin and Chinese) may come as words that touch: one text.
    if (!words.empty() && words.back().Page == page && std::abs(words.back().Bottom - next.Bottom) < 2 &&
        next.Left >= words.back().Right - 1 && next.Left <= words.back().Right + 0.5) {
      words.back().Right = next.Right;
      words.back().Text += next.Text;
    } else {
      words.push_back(next);
    }
  }
  return words;
}

// Every value of the sized sheet stands whole within its column: from the left edge of its
// column (where the column's caption starts) to the left edge of the next one. A suite that
// finds a value too wide shows "###" in its place (LibreOffice) or cuts it at the edge
// (gnumeric).
void ExpectEveryValueWithinItsColumn(const std::string& pdf) {
  const std::vector<TWord> words = Words(pdf);
  ASSERT_FALSE(words.empty()) << pdf;
  auto find = [&](const std::string& text) -> const TWord* {
    for (const TWord& w : words)
      if (w.Text == text) return &w;
    return nullptr;
  };
  for (const TWord& w : words) EXPECT_EQ(w.Text.find("##"), std::string::npos) << "a value shown as " << w.Text;
  // A page holds as many columns as fit; a column's edges are those of its page.
  const double slack = 0.5;
  for (const auto& row : kShown)
    for (std::size_t col = 0; col + 1 < row.size(); ++col) {
      const TWord* value = find(row[col]);
      const TWord* caption = find(kCaptions[col]);
      ASSERT_NE(value, nullptr) << row[col] << " is not shown";
      ASSERT_NE(caption, nullptr) << kCaptions[col];
      ASSERT_EQ(value->Page, caption->Page) << row[col];
      EXPECT_GE(value->Left, caption->Left - slack) << row[col] << " reaches into the column before";
      const TWord* next = find(kCaptions[col + 1]);
      if (next != nullptr && next->Page == value->Page) {
        EXPECT_LE(value->Right, next->Left + slack) << row[col] << " reaches into the column after";
      }
    }
}

// The series of the line and radar charts keep their colours, and the pie's three slices are
// three colours, the first the series' own.
void ExpectChartColours(const std::vector<std::string>& shown) {
  for (const char* sheet : {"Line", "LineMarks", "Radar"})
    EXPECT_EQ(Matching(shown, std::string(sheet) + "\tseries"),
              (std::vector<std::string>{std::string(sheet) + "\tseries\t#0000ff", std::string(sheet) + "\tseries\t#ff0000"}));
  const auto slices = Matching(shown, "Pie\tpoint");
  ASSERT_EQ(slices.size(), 3u) << ::testing::PrintToString(shown);
  EXPECT_NE(slices[0], slices[1]);
  EXPECT_NE(slices[1], slices[2]);
  EXPECT_NE(std::find(slices.begin(), slices.end(), "Pie\tpoint\t#ff0000"), slices.end());
}

class XlsLooksOffice : public ::testing::Test {
protected:
  void SetUp() override {
    // The date-time mask's "/" and ":" stand for these separators.
    TFormatSettings settings;
    settings.DateSeparator = '/';
    settings.TimeSeparator = ':';
    const TFormatSettingsScope scope(settings);
    WriteSized(dir.Path("sized.xls"));
    WriteCharts(dir.Path("charts.xls"));
  }
  std::string Run(const std::string& command) {
    int status = 0;
    const std::string out = RunCommand("cd '" + dir.Dir().string() + "' && " + command + " 2>&1", &status);
    EXPECT_EQ(status, 0) << command << "\n" << out;
    return out;
  }
  std::string Shown(const std::string& files) {
    return RunCommand("cd '" + dir.Dir().string() + "' && /usr/bin/python3 '" + std::string(XLS_TEST_SOURCE_DIR) +
                      "/office/office_objects.py' " + files);
  }

  TTempDir dir;
};

}  // namespace

TEST_F(XlsLooksOffice, LibreOfficeShowsEveryValueWithinItsColumnTheDateAsItsMaskSaysAndTheChartsInTheirColours) {
  const std::string profile = "-env:UserInstallation=file://" + dir.Path("profile");
  Run("soffice " + profile + " --headless --convert-to pdf --outdir lo sized.xls");
  Run("soffice " + profile + " --headless --convert-to ods --outdir lo charts.xls");
  ExpectEveryValueWithinItsColumn(dir.Path("lo/sized.pdf"));
  const std::string text = RunCommand("pdftotext -layout '" + dir.Path("lo/sized.pdf") + "' -");
  EXPECT_NE(text.find(kDateShown), std::string::npos) << text;
  ExpectChartColours(Lines(Shown("lo/charts.ods")));
}

TEST_F(XlsLooksOffice, GnumericShowsEveryValueWithinItsColumnTheDateAsItsMaskSaysAndTheChartsInTheirColours) {
  Run("ssconvert sized.xls sized.pdf");
  Run("ssconvert charts.xls charts.xlsx");
  ExpectEveryValueWithinItsColumn(dir.Path("sized.pdf"));
  const std::string text = RunCommand("pdftotext -layout '" + dir.Path("sized.pdf") + "' -");
  EXPECT_NE(text.find(kDateShown), std::string::npos) << text;
  ExpectChartColours(Lines(Shown("charts.xlsx")));
}
