// The office suites read the workbooks the writer makes: LibreOffice and gnumeric convert them
// to CSV, once each, and every sheet must show the values written.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "CodePage.h"
#include "TxlsFormat.h"
#include "TxlsWorkbookFile.h"
#include "TxlsWorkbookWriter.h"
#include "XlsTestSupport.h"

namespace {

// A workbook of two sheets with texts (CJK, commas, line breaks), numbers in General and with
// number formats, booleans, dates, blanks and a formula; and the CSV each sheet must become.
struct TOfficeWorkbook {
  std::string Path;
  std::vector<std::pair<std::string, std::string>> Sheets;  // name, CSV
};

TOfficeWorkbook WriteOfficeWorkbook(const TTempDir& dir) {
  TOfficeWorkbook book{dir.Path("office.xls"), {}};
  TxlsWorkbookFile file(book.Path);
  TxlsWorkbookWriter w(file.Stream());
  w.WriteWorkbookPrologue();

  TxlsSheetFrame values = DefaultFrame(0, u"Values");
  values.ColumnWidths = {10, 8, 12, 6, 12};
  w.WriteSheetPrologue(values);
  const std::uint16_t money = w.Formats().XFIndex(nullptr, u"0.00", nullptr);
  const std::uint16_t date = w.Formats().XFIndex(nullptr, u"yyyy-mm-dd", nullptr);
  TxlsFormat bold;
  bold.Font()->SetStyle({xfsBold});
  bold.Fill()->SetPattern(ptSolid);
  bold.Fill()->SetBackground(clrLightYellow);
  bold.Borders()->Bottom()->SetStyle(bstThin);
  const std::uint16_t caption = w.Formats().XFIndex(nullptr, u"General", &bold);
  const char16_t* captions[] = {u"Name", u"数量", u"Amount", u"Flag", u"Date"};
  for (int c = 0; c < 5; ++c) w.WriteLabelSST(0, c, captions[c], caption);
  w.WriteLabelSST(1, 0, u"Alpha", 15);
  w.WriteNumber(1, 1, 42, 15);
  w.WriteNumber(1, 2, 2.5, money);
  w.WriteBoolErr(1, 3, true, 15);
  w.WriteNumber(1, 4, 45000, date);
  w.WriteLabelSST(2, 0, u"贝塔 a,b", 15);
  w.WriteNumber(2, 1, -7, 15);
  w.WriteNumber(2, 2, 1234.5, money);
  w.WriteBoolErr(2, 3, false, 15);
  w.WriteNumber(2, 4, 45001, date);
  w.WriteBlank(3, 0, caption);
  w.WriteNumber(3, 1, 0.125, 15);
  w.WriteAggregateFormula(4, 1, 15, aggSum, 1, 3);
  w.WriteSheetEpilogue(values);
  book.Sheets.push_back({"Values",
                         "Name,数量,Amount,Flag,Date\n"
                         "Alpha,42,2.50,TRUE,2023-03-15\n"
                         "\"贝塔 a,b\",-7,1234.50,FALSE,2023-03-16\n"
                         ",0.125,,,\n"
                         ",35.125,,,\n"});

  TxlsSheetFrame second = DefaultFrame(1, u"第二页");
  second.PageHeader = u"抄表数据";
  w.WriteSheetPrologue(second);
  w.WriteLabelSST(0, 0, u"中文字符", 15);
  w.WriteLabelSST(1, 1, u"Ünïcödé", 15);
  w.WriteNumber(2, 2, 1e-3, 15);
  w.WriteSheetEpilogue(second);
  book.Sheets.push_back({"第二页", "中文字符,,\n,Ünïcödé,\n,,0.001\n"});

  w.WriteWorkbookGlobals({});
  file.Commit();
  return book;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string s = text.str();
  // Both suites may end lines with CR LF.
  std::string out;
  for (char c : s)
    if (c != '\r') out += c;
  return out;
}

}  // namespace

// LibreOffice shows a boolean cell of the General format as 1 or 0, also in workbooks gnumeric
// writes; the other cells as their formats show them.
std::string AsLibreOfficeShowsIt(std::string csv) {
  for (const auto& [from, to] : {std::pair{",TRUE,", ",1,"}, {",FALSE,", ",0,"}})
    for (std::size_t at; (at = csv.find(from)) != std::string::npos;) csv.replace(at, std::strlen(from), to);
  return csv;
}

TEST(XlsOfficeReaders, LibreOfficeShowsEverySheetWithTheValuesWritten) {
  TTempDir dir;
  const TOfficeWorkbook book = WriteOfficeWorkbook(dir);
  int status = 0;
  const std::string out = RunCommand("cd '" + dir.Dir().string() + "' && soffice -env:UserInstallation=file://" +
                                         dir.Path("profile") +
                                         " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,"
                                         "true,true,false,false,-1' --outdir '" + dir.Path("lo") + "' '" + book.Path +
                                         "' 2>&1",
                                     &status);
  ASSERT_EQ(status, 0) << out;
  for (const auto& [name, csv] : book.Sheets)
    EXPECT_EQ(ReadFile(dir.Path("lo/office-" + name + ".csv")), AsLibreOfficeShowsIt(csv)) << "sheet " << name << "\n" << out;
}

TEST(XlsOfficeReaders, GnumericShowsEverySheetWithTheValuesWritten) {
  TTempDir dir;
  const TOfficeWorkbook book = WriteOfficeWorkbook(dir);
  int status = 0;
  const std::string out =
      RunCommand("ssconvert -S -T Gnumeric_stf:stf_assistant -O 'separator=, format=preserve' '" + book.Path + "' '" + dir.Path("gnumeric-%s.csv") + "' 2>&1", &status);
  ASSERT_EQ(status, 0) << out;
  for (const auto& [name, csv] : book.Sheets) {
    std::string shown = ReadFile(dir.Path("gnumeric-" + name + ".csv"));
    // gnumeric shows a negative number with the minus sign U+2212.
    for (std::size_t at; (at = shown.find("\xE2\x88\x92")) != std::string::npos;) shown.replace(at, 3, "-");
    EXPECT_EQ(shown, csv) << "sheet " << name << "\n" << out;
  }
  // gnumeric tells of records it does not understand; the workbook must give it none.
  EXPECT_EQ(out.find("Unknown"), std::string::npos) << out;
  EXPECT_EQ(out.find("nvalid"), std::string::npos) << out;
}
