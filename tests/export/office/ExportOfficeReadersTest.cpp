// The office suites read what the text and dBASE exporters write: LibreOffice converts the CSV,
// DIF, SYLK and dBASE files to UTF-8 CSV in one run, gnumeric's ssconvert does the same, and
// every cell must show the value that went in.
#include <algorithm>

#include "CodePage.h"
#include "DateRoutines.h"
#include "ExportFixture.h"
#include "ExportReaders.h"
#include "TClientDataSet.h"
#include "TDataExportASCII.h"
#include "TDataExportDBF.h"
#include "TExportFormats.h"
#include "TStrings.h"

namespace {

class OfficeReadersTest : public ExportTest {
protected:
  // Text with quotes, delimiters, a line break and Chinese, integers of 1000 and more, negative
  // and large floats, dates and booleans.
  TClientDataSet* Readings() {
    return NewDataSet({Column("NAME", ftString, 30), Column("QTY", ftInteger), Column("PRICE", ftFloat),
                       Column("DAY", ftDate), Column("PAID", ftBoolean)},
                      {{Variant(WideToAnsi(u"张国强")), 1234, -1234.5, VarFromDateTime(EncodeDate(2026, 12, 8)), true},
                       {Variant("say \"hi\"; a,b"), -7, 12345678.25, VarFromDateTime(EncodeDate(1999, 12, 31)), false},
                       {Variant(WideToAnsi(u"抄表 中文")), 1000000, 0.5, VarFromDateTime(EncodeDate(2000, 2, 29)), true},
                       {Variant("line1\r\nline2"), 0, 2.25, VarFromDateTime(EncodeDate(2024, 1, 2)), false}});
  }

  TDataExportASCII* Text(TExportASCIIType Type, const std::string& Path) {
    auto* e = new TDataExportASCII(owner);
    e->SetExportType(Type);
    e->SetDataSet(Readings());
    e->SetCSVComma(',');
    e->Formats()->SetDecimalSeparator('.');
    e->Formats()->SetThousandSeparator(',');
    e->Formats()->SetDateFormat("yyyy-mm-dd");
    e->SetFileName(Path);
    return e;
  }

  // readings.csv, readings.dif, readings.slk and readings.dbf in Dir.
  void WriteFiles(const TExportTempDir& Dir) {
    Text(etCSV, Dir.Path("readings.csv"))->Execute();
    Text(etDIF, Dir.Path("readings.dif"))->Execute();
    Text(etSYLK, Dir.Path("readings.slk"))->Execute();
    auto* dbf = new TDataExportDBF(owner);
    dbf->SetDataSet(Readings());
    dbf->ColumnsPrecision()->Add("PRICE=15,2");
    dbf->SetFileName(Dir.Path("readings.dbf"));
    dbf->Execute();
  }
};

// One cell as the readers print it: file or sheet, row, column, kind and value.
struct TCell {
  const char* Where;
  int Row;
  int Col;
  const char* Kind;
  std::u16string Value;
};

std::vector<std::string> Lines(const std::string& output) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = output.find('\n', from)) != std::string::npos; from = at + 1)
    if (at > from) lines.push_back(output.substr(from, at - from));
  return lines;
}

std::vector<std::string> Lines(const std::vector<TCell>& cells) {
  std::vector<std::string> lines;
  for (const TCell& c : cells)
    lines.push_back(std::string(c.Where) + "\t" + std::to_string(c.Row) + "\t" + std::to_string(c.Col) + "\t" + c.Kind +
                    "\t" + WideToUtf8(c.Value));
  return lines;
}

void CompareOneByOne(const std::vector<std::string>& Read, const std::vector<std::string>& Wanted) {
  EXPECT_EQ(Read.size(), Wanted.size());
  for (std::size_t i = 0; i < std::min(Read.size(), Wanted.size()); ++i) EXPECT_EQ(Read[i], Wanted[i]);
}

// The captions, then per record the cells a reader shows for text, the integer, the float, the
// date and the boolean, in the kinds given.
std::vector<TCell> Sheet(const char* Where, std::vector<std::u16string> Captions, const char* Number, const char* Date,
                         const char* Boolean, std::vector<std::vector<std::u16string>> Values) {
  std::vector<TCell> cells;
  for (int c = 0; c < static_cast<int>(Captions.size()); ++c) cells.push_back({Where, 0, c, "TEXT", Captions[c]});
  const char* kinds[] = {"TEXT", Number, Number, Date, Boolean};
  for (int r = 0; r < static_cast<int>(Values.size()); ++r)
    for (int c = 0; c < 5; ++c) cells.push_back({Where, r + 1, c, kinds[c], Values[r][c]});
  return cells;
}

const std::vector<std::u16string> Captions = {u"NAME", u"QTY", u"PRICE", u"DAY", u"PAID"};
// The fourth record's text as DIF holds it: without its line break.
const std::u16string FourthNameInDif = u"line1 line2";
// The values as numbers: dates as day numbers from 30 December 1899, booleans as 1 and 0; a line
// break inside a cell is a line feed (printed as \n).
const std::vector<std::vector<std::u16string>> Numbers = {
    {u"张国强", u"1234.0", u"-1234.5", u"46364.0", u"1.0"},
    {u"say \"hi\"; a,b", u"-7.0", u"12345678.25", u"36525.0", u"0.0"},
    {u"抄表 中文", u"1000000.0", u"0.5", u"36585.0", u"1.0"},
    {u"line1\\nline2", u"0.0", u"2.25", u"45293.0", u"0.0"}};
// The values as the exporter's texts.
const std::vector<std::vector<std::u16string>> Texts = {
    {u"张国强", u"1,234", u"-1,234.50", u"2026-12-08", u"true"},
    {u"say \"hi\"; a,b", u"-7", u"12,345,678.25", u"1999-12-31", u"false"},
    {u"抄表 中文", u"1,000,000", u"0.50", u"2000-02-29", u"true"},
    {u"line1\\nline2", u"0", u"2.25", u"2024-01-02", u"false"}};

TEST_F(OfficeReadersTest, LibreOfficeReadsEveryCellOfTheCsvDifSylkAndDbaseFilesAsWritten) {
  TExportTempDir dir;
  WriteFiles(dir);
  // LibreOffice reads SYLK in the system's code page: GBK, as on the terminals' PCs.
  const TReaderResult locale =
      RunReader("localedef -i zh_CN -f GBK '" + dir.Path("zh_CN.GBK") + "' 2>&1 >/dev/null; echo done");
  ASSERT_NE(locale.Output.find("done"), std::string::npos);
  const TReaderResult read = RunReader(
      "LOCPATH='" + dir.Dir().string() + "' LC_CTYPE=zh_CN.GBK /usr/bin/python3 '" OFFICE_TEST_SOURCE_DIR
      "/libreoffice_cells.py' '" + dir.Path("readings.csv") + "|Text - txt - csv (StarCalc)|44,34,67,1' '" +
      dir.Path("readings.dif") + "|DIF|67' '" + dir.Path("readings.slk") + "|SYLK|' '" + dir.Path("readings.dbf") +
      "|dBase|67' 2>&1");
  ASSERT_EQ(read.Status, 0) << read.Output;
  std::vector<TCell> wanted = Sheet("readings.csv", Captions, "VALUE", "VALUE", "VALUE", Numbers);
  // DIF holds numbers as numbers and everything else as text; a line break is a blank there.
  std::vector<std::vector<std::u16string>> dif = Numbers;
  for (std::size_t r = 0; r < dif.size(); ++r) {
    dif[r][3] = Texts[r][3];
    dif[r][4] = Texts[r][4];
  }
  dif[3][0] = FourthNameInDif;
  for (const TCell& c : Sheet("readings.dif", Captions, "VALUE", "TEXT", "TEXT", dif)) wanted.push_back(c);
  for (const TCell& c : Sheet("readings.slk", Captions, "TEXT", "TEXT", "TEXT", Texts)) wanted.push_back(c);
  // LibreOffice shows a dBASE table's fields as "name,type,length[,decimals]" over their values.
  for (const TCell& c : Sheet("readings.dbf", {u"NAME,C,30", u"QTY,N,11,0", u"PRICE,N,15,2", u"DAY,D", u"PAID,L"}, "VALUE",
                              "VALUE", "VALUE", Numbers))
    wanted.push_back(c);
  CompareOneByOne(Lines(read.Output), Lines(wanted));
}

TEST_F(OfficeReadersTest, GnumericReadsEveryCellOfTheDifSylkAndDbaseFilesAsWritten) {
  TExportTempDir dir;
  WriteFiles(dir);
  // One run of ssconvert gathers the three files as sheets of one workbook.
  const TReaderResult merged = RunReader("ssconvert --merge-to='" + dir.Path("all.gnumeric") + "' '" + dir.Path("readings.dif") +
                                         "' '" + dir.Path("readings.slk") + "' '" + dir.Path("readings.dbf") + "' 2>&1");
  ASSERT_EQ(merged.Status, 0) << merged.Output;
  const TReaderResult read = RunReader("/usr/bin/python3 '" OFFICE_TEST_SOURCE_DIR "/gnumeric_cells.py' '" +
                                       dir.Path("all.gnumeric") + "' dif,slk,dbf 2>&1");
  ASSERT_EQ(read.Status, 0) << read.Output;
  // gnumeric reads DIF text that looks like a date or a boolean as one; a line break is a blank
  // in DIF. SYLK has no line break for gnumeric: it drops the escape's ESC and keeps " :".
  std::vector<std::vector<std::u16string>> dif = Numbers;
  dif[0][4] = u"TRUE";
  dif[1][4] = u"FALSE";
  dif[2][4] = u"TRUE";
  dif[3][4] = u"FALSE";
  dif[3][0] = FourthNameInDif;
  std::vector<TCell> wanted = Sheet("dif", Captions, "VALUE", "VALUE", "BOOL", dif);
  std::vector<std::vector<std::u16string>> slk = Texts;
  slk[3][0] = u"line1 :line2";
  for (const TCell& c : Sheet("slk", Captions, "TEXT", "TEXT", "TEXT", slk)) wanted.push_back(c);
  std::vector<std::vector<std::u16string>> dbf = dif;
  dbf[3][0] = Numbers[3][0];
  for (const TCell& c : Sheet("dbf", Captions, "VALUE", "VALUE", "BOOL", dbf)) wanted.push_back(c);
  CompareOneByOne(Lines(read.Output), Lines(wanted));
}

}  // namespace
