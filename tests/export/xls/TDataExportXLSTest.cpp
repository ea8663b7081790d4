#include "TDataExportXLS.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <cstring>
#include <functional>
#include <limits>
#include <set>
#include <sstream>
#include <thread>

#include "Biff8Records.h"
#include "CodePage.h"
#include "CompoundFile.h"
#include "DateRoutines.h"
#include "DbaseSource.h"
#include "Exception.h"
#include "ExlsFileError.h"
#include "FileRoutines.h"
#include "TClientDataSet.h"
#include "TDataPacket.h"
#include "TExportCustomColumn.h"
#include "TExportCustomColumns.h"
#include "TExportCustomSource.h"
#include "TExportFormats.h"
#include "TExportIniFile.h"
#include "TStringList.h"
#include "TDbfWriter.h"
#include "TWideStringList.h"
#include "TXLSOptions.h"
#include "TxlsFieldFormat.h"
#include "TxlsFormat.h"
#include "XlsColors.h"
#include "XlsSource.h"
#include "XlsTestSupport.h"

namespace {

std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return {};
}

class TDataExportXLSTest : public ::testing::Test {
protected:
  void TearDown() override { delete owner; }

  TClientDataSet* dataSet(std::vector<TDbColumn> columns, const std::vector<std::vector<Variant>>& rows) {
    TDataPacket packet(std::move(columns));
    for (const auto& row : rows) packet.AppendRecord(row);
    auto* ds = new TClientDataSet(owner);
    ds->SetData(std::move(packet));
    return ds;
  }
  // A custom source of Count records in one integer column "ID" (1, 2, ...).
  TExportCustomSource* numbers(int count) {
    auto* source = new TExportCustomSource(owner);
    TExportCustomColumn* column = source->Columns()->Add();
    column->SetColumnName("ID");
    column->SetCaption("ID");
    column->SetColumnType(ectInteger);
    source->OnGetNextRecord = [count](TObject*, int RecNo, bool& Eof) { Eof = RecNo >= count; };
    source->OnGetColumnValue = [](TObject*, int RecNo, TExportCustomColumn*, Variant& Value) { Value = RecNo; };
    return source;
  }
  TDataExportXLS* exporter(TDataSet* source, const std::string& file = "out.xls") {
    auto* e = new TDataExportXLS(owner);
    e->SetDataSet(source);
    e->SetFileName(dir.Path(file));
    return e;
  }
  TDataExportXLS* exporter(TExportCustomSource* source, const std::string& file = "out.xls") {
    auto* e = new TDataExportXLS(owner);
    e->SetExportSource(esCustom);
    e->SetCustomSource(source);
    e->Formats()->SetIntegerFormat("0");
    e->SetFileName(dir.Path(file));
    return e;
  }
  std::vector<TRecord> records(const std::string& file = "out.xls") {
    return SplitRecords(ReadCompoundStream(dir.Path(file), u"Workbook"));
  }

  TTempDir dir;
  TComponent* owner = new TComponent(nullptr);
};

}  // namespace

TEST_F(TDataExportXLSTest, ValuesOfEveryFieldTypeReadBackTypedThroughXlrdAndFreeXLAndNotANumberIsAnError) {
  TClientDataSet* ds =
      dataSet({Column("NAME", ftString, 20), Column("QTY", ftInteger), Column("AMOUNT", ftFloat), Column("PAID", ftBoolean),
               Column("DAY", ftDate), Column("NOTE", ftString, 10)},
              {{Variant(u"张国强"), Variant(12), Variant(1234.5), Variant(true), VarFromDateTime(EncodeDate(2024, 3, 15)),
                Null()},
               {Variant("Li"), Null(), Variant(std::numeric_limits<double>::quiet_NaN()), Variant(false), Null(),
                Variant("x")}});
  TDataExportXLS* e = exporter(ds);
  e->Formats()->SetDateFormat("yyyy-mm-dd");
  e->Execute();
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")),
            "sheet\tSheet 1\n"
            "R0C0\ttext\tNAME\nR0C1\ttext\tQTY\nR0C2\ttext\tAMOUNT\nR0C3\ttext\tPAID\nR0C4\ttext\tDAY\nR0C5\ttext\tNOTE\n"
            "R1C0\ttext\t张国强\nR1C1\tnumber\t12\nR1C2\tnumber\t1234.5\nR1C3\tbool\t1\nR1C4\tdate\t45366\nR1C5\tblank\t\n"
            "R2C0\ttext\tLi\nR2C1\tblank\t\nR2C2\terror\t36\nR2C3\tbool\t0\nR2C4\tblank\t\nR2C5\ttext\tx\n");
  // The cells take their columns' formats; captions are bold.
  const auto formatted = Lines(XlrdDump(dir.Path("out.xls"), true));
  EXPECT_NE(formatted[11].find("format=yyyy-mm-dd"), std::string::npos) << formatted[11];
  EXPECT_NE(formatted[8].find("format=#,###,##0"), std::string::npos) << formatted[8];
  EXPECT_NE(formatted[1].find("weight=700"), std::string::npos) << formatted[1];
}

TEST_F(TDataExportXLSTest, DayNumbersFollowThe1900SystemAndTimesAndEarlierDaysAreText) {
  TClientDataSet* ds = dataSet({Column("WHEN", ftDateTime)},
                               {{VarFromDateTime(45)}, {VarFromDateTime(60)}, {VarFromDateTime(61)}, {VarFromDateTime(1.0)},
                                {VarFromDateTime(0.5)}, {VarFromDateTime(EncodeDate(1850, 7, 1))},
                                {VarFromDateTime(EncodeDate(9999, 12, 31) + 1.0)}});
  TDataExportXLS* e = exporter(ds);
  e->Formats()->SetDateTimeFormat("yyyy-mm-dd hh:nn");
  e->SetAllowCaptions(false);
  e->Execute();
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")),
            "sheet\tSheet 1\nR0C0\tdate\t44\nR1C0\tdate\t59\nR2C0\tdate\t61\nR3C0\ttext\t1899-12-31 00:00\n"
            "R4C0\ttext\t1899-12-30 12:00\nR5C0\ttext\t1850-07-01 00:00\nR6C0\tdate\t2958466\n");
  // Minutes are "nn" in the mask and "mm" in the workbook.
  EXPECT_NE(Lines(XlrdDump(dir.Path("out.xls"), true))[1].find("format=yyyy-mm-dd hh:mm"), std::string::npos);
}

TEST_F(TDataExportXLSTest, DatesOfAFormatWithMillisecondsAreTheirTextAndOtherColumnsStayDays) {
  const TDateTime morning = EncodeDate(2024, 5, 20) + EncodeTime(8, 30, 0, 250);
  const TDateTime evening = EncodeDate(2024, 5, 21) + EncodeTime(19, 5, 30, 7);
  TClientDataSet* ds = dataSet({Column("READ", ftDateTime), Column("SENT", ftDateTime), Column("DUE", ftDateTime)},
                               {{VarFromDateTime(morning), VarFromDateTime(EncodeDate(2024, 5, 20)), VarFromDateTime(morning)},
                                {VarFromDateTime(evening), VarFromDateTime(EncodeDate(2024, 5, 21)), VarFromDateTime(evening)}});
  TDataExportXLS* e = exporter(ds);
  e->Formats()->SetDateTimeFormat("yyyy-mm-dd");
  e->UserFormats()->SetText("READ=hh:nn:ss.zzz\r\nDUE=yyyy-mm-dd HH:NN:SS.ZZZ\r\n");
  e->SetAllowCaptions(false);
  e->Execute();
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")),
            "sheet\tSheet 1\nR0C0\ttext\t08:30:00.250\nR0C1\tdate\t45432\nR0C2\ttext\t2024-05-20 08:30:00.250\n"
            "R1C0\ttext\t19:05:30.007\nR1C1\tdate\t45433\nR1C2\ttext\t2024-05-21 19:05:30.007\n");
}

TEST_F(TDataExportXLSTest, ANumericColumnWritesTextThatIsNoNumberAndTheNullStringAsText) {
  auto* source = new TExportCustomSource(owner);
  TExportCustomColumn* column = source->Columns()->Add();
  column->SetColumnName("READING");
  column->SetColumnType(ectFloat);
  const std::vector<const char*> values = {"12.5", "abc", "n/a", ""};
  source->OnGetNextRecord = [&](TObject*, int RecNo, bool& Eof) { Eof = RecNo >= static_cast<int>(values.size()); };
  source->OnGetColumnValue = [&](TObject*, int RecNo, TExportCustomColumn*, Variant& Value) { Value = values[RecNo - 1]; };
  TDataExportXLS* e = exporter(source);
  e->Formats()->SetNULLString(u"n/a");
  e->Formats()->SetFloatFormat("0.0");
  e->SetAllowCaptions(false);
  e->Execute();
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")),
            "sheet\tSheet 1\nR0C0\tnumber\t12.5\nR1C0\ttext\tabc\nR2C0\ttext\tn/a\nR3C0\tblank\t\n");
}

TEST_F(TDataExportXLSTest, HeaderLinesAreCutAtTabsAndHeaderRowsCountsEmptyLines) {
  TDataExportXLS* e = exporter(numbers(1));
  e->Header()->Add(u"抄表\t2024");
  e->Header()->Add(u"A\t\tC");
  e->Footer()->Add(u"end");
  e->SetHeaderRows(3);
  e->Execute();
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")),
            "sheet\tSheet 1\nR0C0\ttext\t抄表\nR0C1\ttext\t2024\nR1C0\ttext\tA\nR1C2\ttext\tC\n"
            "R3C0\ttext\tID\nR4C0\tnumber\t1\nR5C0\ttext\tend\n");
}

TEST_F(TDataExportXLSTest, RowStripStylesAlternateByRecordAndStripsAndFieldFormatsKeepTheirAlignment) {
  TDataExportXLS* e = exporter(numbers(4));
  e->SetStripType(ssRow);
  e->StripStyles()->Add()->Fill()->SetPattern(ptSolid);
  e->StripStyles()->Items(0)->Fill()->SetBackground(clrLightYellow);
  e->StripStyles()->Items(0)->Alignment()->SetHorizontal(halCenter);
  e->StripStyles()->Add()->Fill()->SetPattern(ptSolid);
  e->StripStyles()->Items(1)->Fill()->SetBackground(clrPaleBlue);
  e->StripStyles()->Items(1)->Alignment()->SetHorizontal(halRight);
  e->StripStyles()->Items(1)->Alignment()->SetVertical(valTop);
  e->Execute();
  auto lines = Lines(XlrdDump(dir.Path("out.xls"), true));
  ASSERT_EQ(lines.size(), 6u);
  // The look's end of a cell line: "align=horizontal/vertical fill=pattern colour".
  auto look = [&](int line) { return lines[static_cast<std::size_t>(line)].substr(lines[static_cast<std::size_t>(line)].rfind("align=")); };
  EXPECT_EQ(look(2), "align=2/2 fill=" + std::to_string(XlsPaletteIndex(clrLightYellow)));
  EXPECT_EQ(look(3), "align=3/0 fill=" + std::to_string(XlsPaletteIndex(clrPaleBlue)));
  EXPECT_EQ(look(4), look(2));
  EXPECT_EQ(look(5), look(3));

  // Without strips the field format's alignment reaches the column's cells.
  e->SetStripType(ssNone);
  TxlsFieldFormat* id = e->FieldFormats()->Add();
  id->SetFieldName("ID");
  id->Alignment()->SetHorizontal(halCenter);
  id->Alignment()->SetVertical(valCenter);
  e->Execute();
  lines = Lines(XlrdDump(dir.Path("out.xls"), true));
  ASSERT_EQ(lines.size(), 6u);
  for (int line = 2; line < 6; ++line) EXPECT_EQ(look(line).substr(0, 10), "align=2/1 ") << lines[static_cast<std::size_t>(line)];
}

TEST_F(TDataExportXLSTest, AggregatesAreWrittenOnlyBelowMarkedColumns) {
  TClientDataSet* ds = dataSet({Column("AREA", ftString, 4), Column("USED", ftInteger), Column("LEFT", ftInteger)},
                               {{Variant("A"), Variant(1), Variant(10)}, {Variant("A"), Variant(2), Variant(20)},
                                {Variant("B"), Variant(4), Variant(40)}});
  TDataExportXLS* e = exporter(ds);
  e->Footer()->Add(u"footer");
  e->Execute();
  auto formulas = RecordsWithId(records(), biff8::FORMULA);
  EXPECT_TRUE(formulas.empty());
  EXPECT_NE(XlrdDump(dir.Path("out.xls")).find("R4C0\ttext\tfooter"), std::string::npos);

  TxlsFieldFormat* sum = e->FieldFormats()->Add();
  sum->SetFieldName("used");
  sum->SetAggregate(aggSum);
  e->FieldFormats()->Add()->SetFieldName("NOSUCH");
  e->FieldFormats()->Items(1)->SetAggregate(aggMax);
  e->Execute();
  formulas = RecordsWithId(records(), biff8::FORMULA);
  ASSERT_EQ(formulas.size(), 1u);
  // Row 4, column 1: SUM over rows 1 to 3 of column 1.
  EXPECT_EQ(U16At(formulas[0].Data, 0), 4);
  EXPECT_EQ(U16At(formulas[0].Data, 2), 1);
  EXPECT_EQ(Hex(formulas[0].Data.substr(22)), "25 01 00 03 00 01 C0 01 C0 42 01 04 00");
  EXPECT_NE(XlrdDump(dir.Path("out.xls")).find("R5C0\ttext\tfooter"), std::string::npos);

  // A control column closes a group at each change: a formula row between the groups.
  e->SetSubAggControlColumn("AREA");
  e->Execute();
  formulas = RecordsWithId(records(), biff8::FORMULA);
  ASSERT_EQ(formulas.size(), 2u);
  EXPECT_EQ(U16At(formulas[0].Data, 0), 3);                        // after A, A
  EXPECT_EQ(Hex(formulas[0].Data.substr(23, 4)), "01 00 02 00");    // rows 1 and 2
  EXPECT_EQ(U16At(formulas[1].Data, 0), 5);                        // after B
  EXPECT_EQ(Hex(formulas[1].Data.substr(23, 4)), "04 00 04 00");
}

TEST_F(TDataExportXLSTest, SeventyThousandRowsGoOnASecondSheetWithEveryRecordOnce) {
  TDataExportXLS* e = exporter(numbers(70000));
  e->Header()->Add(u"Readings");
  e->Footer()->Add(u"first footer line");
  e->Footer()->Add(u"last footer line");
  TxlsFieldFormat* sum = e->FieldFormats()->Add();
  sum->SetFieldName("ID");
  sum->SetAggregate(aggSum);
  e->Execute();
  std::set<long> seen;
  std::vector<std::string> names;
  int duplicates = 0;
  std::string lastText;
  for (const std::string& line : Lines(XlrdDump(dir.Path("out.xls")))) {
    if (line.rfind("sheet\t", 0) == 0) {
      names.push_back(line.substr(6));
      continue;
    }
    const std::size_t tab = line.find('\t');
    const int row = std::stoi(line.substr(1, line.find('C') - 1));
    EXPECT_LT(row, 65536);
    if (line.find("\tnumber\t", tab) != std::string::npos && line.find("\tnumber\t0") == std::string::npos)
      duplicates += seen.insert(std::stol(line.substr(line.rfind('\t') + 1))).second ? 0 : 1;
    if (line.find("\ttext\t") != std::string::npos) lastText = line;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Sheet 1", "Sheet 2"}));
  EXPECT_EQ(seen.size(), 70000u);
  EXPECT_EQ(duplicates, 0);
  EXPECT_EQ(*seen.begin(), 1);
  EXPECT_EQ(*seen.rbegin(), 70000);
  // The first sheet is full to its last row: header, captions, data, the aggregate, the footer.
  const auto all = records();
  int formulas = 0;
  std::set<int> formulaRows;
  for (const TRecord& r : RecordsWithId(all, biff8::FORMULA)) {
    ++formulas;
    formulaRows.insert(U16At(r.Data, 0));
  }
  EXPECT_EQ(formulas, 2);
  EXPECT_TRUE(formulaRows.contains(65533));
  EXPECT_NE(lastText.find("last footer line"), std::string::npos);
  // The sheet made for the export is gone again.
  EXPECT_EQ(e->Sheets()->Count(), 0);
}

TEST_F(TDataExportXLSTest, AMillionRowsFillSixteenSheetsAndLoseNothing) {
  TDataExportXLS* e = exporter(numbers(1000000));
  e->SetAllowCaptions(false);
  e->Execute();
  const auto all = records();
  int sheets = 0;
  long count = 0, sum = 0;
  for (const TRecord& r : all) {
    if (r.Id == biff8::BOF && U16At(r.Data, 2) == biff8::SubstreamWorksheet) ++sheets;
    if (r.Id == biff8::NUMBER) {
      double v = 0;
      std::memcpy(&v, r.Data.data() + 6, 8);
      ++count;
      sum += static_cast<long>(v);
    }
  }
  EXPECT_EQ(sheets, 16);
  EXPECT_EQ(count, 1000000);
  EXPECT_EQ(sum, 1000000L * 1000001L / 2);
}

TEST_F(TDataExportXLSTest, WithoutAutoAddSheetTheRowLimitStopsTheExportAndWritesNoFile) {
  TDataExportXLS* e = exporter(numbers(70000));
  e->SetAutoAddSheet(false);
  EXPECT_EQ(ErrorOf([&] { e->Execute(); }),
            "Export is aborted. The number of lines in the Excel sheet cannot exceed 65536.");
  EXPECT_FALSE(FileExists(dir.Path("out.xls")));
  EXPECT_EQ(e->Sheets()->Count(), 0);
}

TEST_F(TDataExportXLSTest, SheetsAddedForRowsAreTakenAwayAndTheirSheetKeepsItsSettings) {
  TExportCustomSource* source = numbers(70000);
  auto* e = new TDataExportXLS(owner);
  e->SetFileName(dir.Path("out.xls"));
  TxlsSheet* user = e->Sheets()->Add();
  user->SetTitle(u"Sheet 3");  // the title the sheet added for its rows gets
  user->SetExportSource(esCustom);
  user->SetCustomSource(source);
  user->SetExportRecCount(68000);
  TxlsSheet* second = e->Sheets()->Add();
  second->SetTitle(u"sheet 3");
  second->SetExportSource(esCustom);
  second->SetCustomSource(numbers(1));
  e->Execute();
  std::vector<std::string> names;
  for (const std::string& line : Lines(XlrdDump(dir.Path("out.xls"))))
    if (line.rfind("sheet\t", 0) == 0) names.push_back(line.substr(6));
  // Every title is unique, ignoring case.
  EXPECT_EQ(names, (std::vector<std::string>{"Sheet 3", "Sheet 3 (2)", "sheet 3 (3)"}));
  ASSERT_EQ(e->Sheets()->Count(), 2);
  EXPECT_EQ(e->Sheets()->Items(0), user);
  EXPECT_EQ(user->ExportRecCount(), 68000);
  // The added sheet took the records beyond the first sheet's, up to 68000 in all.
  int rows = 0;
  for (const TRecord& r : records())
    if (r.Id == biff8::NUMBER) ++rows;
  EXPECT_EQ(rows, 68000 + 1);
}

TEST_F(TDataExportXLSTest, SourcesAreCheckedBeforeAnythingIsWritten) {
  TClientDataSet* ds = dataSet({Column("A", ftInteger)}, {});
  TDataExportXLS* e = exporter(ds);
  e->SetFileName("");
  EXPECT_EQ(ErrorOf([&] { e->Execute(); }), "Result file name not present");
  e->SetFileName(dir.Path("out.xls"));
  e->SetExportEmpty(false);
  EXPECT_EQ(ErrorOf([&] { e->Execute(); }), "Export source (DataSet) is empty");
  ds->Close();
  EXPECT_EQ(ErrorOf([&] { e->Execute(); }), "Export source (DataSet) is closed");
  e->SetDataSet(nullptr);
  EXPECT_EQ(ErrorOf([&] { e->Execute(); }), "Export source (DataSet) is not assigned");
  EXPECT_FALSE(FileExists(dir.Path("out.xls")));

  // An empty source gives the captions.
  e->SetDataSet(dataSet({Column("A", ftInteger)}, {}));
  e->SetExportEmpty(true);
  e->Execute();
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")), "sheet\tSheet 1\nR0C0\ttext\tA\n");
}

TEST_F(TDataExportXLSTest, ASheetOfMoreColumnsThanExcelHoldsIsRefusedWithAClearMessage) {
  std::vector<TDbColumn> columns;
  std::vector<Variant> row;
  for (int i = 0; i < 300; ++i) {
    columns.push_back(Column("C", ftInteger));
    columns.back().Name = "C" + std::to_string(i);
    row.push_back(Variant(i));
  }
  TDataExportXLS* e = exporter(dataSet(columns, {row}));
  EXPECT_EQ(ErrorOf([&] { e->Execute(); }),
            "Sheet Sheet 1 define with error: its 300 columns from column 1 do not fit into the 256 columns of an Excel "
            "sheet");
  EXPECT_FALSE(FileExists(dir.Path("out.xls")));
}

TEST_F(TDataExportXLSTest, TextsLongerThanACellHoldsFailUnlessTheyMayBeCut) {
  const std::string long40k(40000, 'x');
  TDataExportXLS* e = exporter(dataSet({Column("MEMO", ftString, 40000)}, {{Variant(long40k)}}));
  EXPECT_EQ(ErrorOf([&] { e->Execute(); }), "String too large");
  e->SetAutoTruncateValue(true);
  e->Execute();
  // xlrd alone: FreeXL gives only the first 8,233 bytes of a text this long (gnumeric and xlrd
  // read all of it).
  const auto lines =
      Lines(RunCommand("/usr/bin/python3 '" XLS_TEST_SOURCE_DIR "/xlrd_dump.py' '" + dir.Path("out.xls") + "'"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], "R1C0\ttext\t" + std::string(32767, 'x'));
}

TEST_F(TDataExportXLSTest, AFreedSourceLeavesNoReferenceInAnySheet) {
  TClientDataSet* ds = dataSet({Column("A", ftInteger)}, {{Variant(1)}});
  auto* e = new TDataExportXLS(owner);
  TxlsSheet* sheet = e->Sheets()->Add();
  sheet->SetDataSet(ds);
  TExportCustomSource* source = numbers(1);
  e->Sheets()->Add()->SetCustomSource(source);
  delete ds;
  delete source;
  EXPECT_EQ(sheet->DataSet(), nullptr);
  EXPECT_EQ(e->Sheets()->Items(1)->CustomSource(), nullptr);
}

TEST_F(TDataExportXLSTest, TheIniSectionXLSHoldsTheExportersOwnSwitches) {
  auto* e = new TDataExportXLS(owner);
  EXPECT_TRUE(e->AutoAddSheet());
  EXPECT_FALSE(e->AutoCalcColWidth());
  EXPECT_FALSE(e->AutoTruncateValue());
  e->SetAutoAddSheet(false);
  e->SetAutoCalcColWidth(true);
  e->SetAutoTruncateValue(true);
  {
    TExportIniFile ini(dir.Path("xls.ini"));
    e->SaveToIni(&ini);
    EXPECT_EQ(ini.ReadString("XLS", "AutoAddSheet", ""), "0");
    EXPECT_EQ(ini.ReadString("XLS", "AutoCalcColWidth", ""), "1");
    EXPECT_EQ(ini.ReadString("XLS", "AutoTruncateValue", ""), "1");
  }
  auto* loaded = new TDataExportXLS(owner);
  TExportIniFile ini(dir.Path("xls.ini"));
  loaded->LoadFromIni(&ini);
  EXPECT_FALSE(loaded->AutoAddSheet());
  EXPECT_TRUE(loaded->AutoCalcColWidth());
  EXPECT_TRUE(loaded->AutoTruncateValue());
}

TEST_F(TDataExportXLSTest, AnExportAbortedBeforeItsFirstSheetWritesNoFile) {
  // The folder's entries: the sheets and globals gathered in temporary files beside the
  // workbook never stay.
  auto entries = [&] {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Dir())) names.insert(entry.path().filename().string());
    return names;
  };
  TDataExportXLS* e = exporter(numbers(3));
  e->OnBeginExport = [e](TObject*) { e->Abort(); };
  e->Execute();
  EXPECT_FALSE(FileExists(dir.Path("out.xls")));
  EXPECT_EQ(entries(), std::set<std::string>{});
  // Aborted after the first record: the rows written are kept.
  e->OnBeginExport = nullptr;
  e->OnExportedRecord = [e](TObject*, int RecNo) {
    if (RecNo == 0) e->Abort();
  };
  e->Execute();
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")), "sheet\tSheet 1\nR0C0\ttext\tID\nR1C0\tnumber\t1\n");
  EXPECT_EQ(entries(), std::set<std::string>{"out.xls"});
}

TEST_F(TDataExportXLSTest, EventsTellTheSheetAndEveryRecordFetched) {
  TDataExportXLS* e = exporter(numbers(3));
  std::vector<std::string> trace;
  e->OnBeforeExportSheet = [&](TObject* Sender, int Sheet) {
    trace.push_back("before " + std::to_string(Sheet) + (dynamic_cast<TxlsSheet*>(Sender) ? " sheet" : ""));
  };
  e->OnAdvancedBeforeExportRow = [&](TObject*, int, TExportRow*, bool& Accept) { Accept = trace.size() != 2; };
  e->OnExportedSheetRecord = [&](TObject*, int, int RecNo) { trace.push_back("record " + std::to_string(RecNo)); };
  e->OnAfterExportSheet = [&](TObject*, int Sheet) { trace.push_back("after " + std::to_string(Sheet)); };
  e->OnAdvancedGetExportData = [](TObject*, int, int, Variant& Data) {
    if (Data.AsInteger() == 3) Data = Variant(u"three");
  };
  e->Execute();
  EXPECT_EQ(trace, (std::vector<std::string>{"before 0 sheet", "record 0", "record 1", "record 2", "after 0"}));
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")), "sheet\tSheet 1\nR0C0\ttext\tID\nR1C0\tnumber\t1\nR2C0\ttext\tthree\n");
}

TEST_F(TDataExportXLSTest, AnExportRunsOnAWorkerThread) {
  TClientDataSet* ds = dataSet({Column("NAME", ftString, 20), Column("QTY", ftInteger)},
                               {{Variant(u"张国强"), Variant(12)}, {Variant(u"李秀英"), Variant(7)}});
  TDataExportXLS* e = exporter(ds);
  e->SetAutoCalcColWidth(true);
  std::string error;
  std::thread worker([&] { error = ErrorOf([&] { e->Execute(); }); });
  worker.join();
  EXPECT_EQ(error, "");
  EXPECT_EQ(XlrdDump(dir.Path("out.xls")),
            "sheet\tSheet 1\nR0C0\ttext\tNAME\nR0C1\ttext\tQTY\nR1C0\ttext\t张国强\nR1C1\tnumber\t12\n"
            "R2C0\ttext\t李秀英\nR2C1\tnumber\t7\n");
}

TEST_F(TDataExportXLSTest, AReadingsTableComesBackWithTheSameValuesThroughTheWorkbookReader) {
  // The terminal's readings table as a dBASE file, read as the conversion reads it.
  TDbfWriter table({{"HH", 'C', 10, 0}, {"HM", 'C', 20, 0}, {"CBRQ", 'D', 8, 0}, {"BQDS", 'N', 10, 1}, {"SYL", 'N', 8, 1}},
                   2024, 5, 20);
  table.AddRecord({"0100101", Utf8ToAnsi("张国强"), "20240315", "1251.0", "16.5"});
  table.AddRecord({"0100102", Utf8ToAnsi("李秀英"), "20240316", "889.5", "-13.5"});
  table.AddRecord({"0100103", "", "", "", "0.0"});
  std::ofstream(dir.Path("CBSJ.DBF"), std::ios::binary) << table.Bytes();
  auto read = [](std::unique_ptr<TDbSource> source, const AnsiString& name) {
    auto cursor = source->OpenTable(name);
    TDataPacket packet(cursor->Columns());
    std::vector<Variant> row;
    while (cursor->Next(row)) packet.AppendRecord(row);
    return packet;
  };
  TDataPacket dbase = read(OpenDbaseSource(dir.Dir().string()), "CBSJ.DBF");
  auto* ds = new TClientDataSet(owner);
  ds->SetData(read(OpenDbaseSource(dir.Dir().string()), "CBSJ.DBF"));
  TDataExportXLS* e = exporter(ds, "CBSJ.xls");
  e->SetAutoCalcStrType(true);
  e->SetAutoCalcColWidth(true);
  e->Execute();

  TDataPacket workbook = read(OpenXlsSource(dir.Path("CBSJ.xls")), "Sheet 1");
  ASSERT_EQ(workbook.RecordCount(), dbase.RecordCount());
  ASSERT_EQ(workbook.Columns().size(), dbase.Columns().size());
  std::vector<Variant> want, got;
  for (std::int64_t r = 0; r < dbase.RecordCount(); ++r) {
    dbase.ReadRecord(r, want);
    workbook.ReadRecord(r, got);
    // An empty text is a blank cell, which reads back as null: both are "" as text.
    for (std::size_t c = 0; c < want.size(); ++c)
      EXPECT_EQ(VarToWideStr(got[c]), VarToWideStr(want[c])) << "record " << r << " field " << c;
  }
  // The date column reads back as dates.
  EXPECT_EQ(workbook.Columns()[2].DataType, ftDate);
}
