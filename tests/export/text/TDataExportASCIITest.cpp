// TDataExportASCII: the exact bytes of fixed-width text, CSV, DIF and SYLK files, worked out
// from the formats and from the exporter's rules; its settings in ini files and its property
// table.
#include "CodePage.h"
#include "DateRoutines.h"
#include "ExportFixture.h"
#include "ExportReaders.h"
#include "ExportTextHelpers.h"
#include "TClientDataSet.h"
#include "TDataExportASCII.h"
#include "TExportFormats.h"
#include "TExportIniFile.h"
#include "TStrings.h"
#include "TWideStringList.h"
#include "TypInfo.h"

namespace {

class AsciiExportTest : public ExportTest {
protected:
  // An exporter of Type over Source with plain formats: "." and "," as separators, dates as
  // yyyy-mm-dd.
  TDataExportASCII* NewExport(TExportASCIIType Type, TDataSet* Source) {
    auto* e = new TDataExportASCII(owner);
    e->SetExportType(Type);
    e->SetAutoCalcColWidth(false);
    e->SetDataSet(Source);
    e->Formats()->SetDecimalSeparator('.');
    e->Formats()->SetThousandSeparator(',');
    e->Formats()->SetDateFormat("yyyy-mm-dd");
    e->SetCSVComma(',');
    return e;
  }

  // NAME (text), QTY (integer), PRICE (float), DAY (date), PAID (boolean).
  TClientDataSet* Sales(std::vector<std::vector<Variant>> Rows) {
    return NewDataSet({Column("NAME", ftString, 20), Column("QTY", ftInteger), Column("PRICE", ftFloat),
                       Column("DAY", ftDate), Column("PAID", ftBoolean)},
                      std::move(Rows));
  }
};

Variant day(int y, int m, int d) { return VarFromDateTime(EncodeDate(y, m, d)); }

std::string gbk(const char16_t* text) { return WideToAnsi(text); }

// --- CSV ---

TEST_F(AsciiExportTest, CsvQuotesTextWithItsQuoteDoubledBetweenSemicolonsAndNeverAPlainNumber) {
  auto* e = NewExport(etCSV, Sales({{"He said \"hi\"", 5, 2.5, day(2026, 12, 8), true}}));
  e->SetCSVComma(';');
  EXPECT_EQ(ExportBytes(e),
            "\"NAME\";\"QTY\";\"PRICE\";\"DAY\";\"PAID\"\r\n"
            "\"He said \"\"hi\"\"\";5;2.50;2026-12-08;true\r\n");
}

TEST_F(AsciiExportTest, CsvWithQuoteZeroQuotesNothingEvenWithQuotedStringsOn) {
  auto* e = NewExport(etCSV, Sales({{"a\"b", 5, 2.5, day(2026, 12, 8), false}}));
  e->SetCSVQuote('\0');
  ASSERT_TRUE(e->CSVQuoteStrings());
  EXPECT_EQ(ExportBytes(e), "NAME,QTY,PRICE,DAY,PAID\r\na\"b,5,2.50,2026-12-08,false\r\n");
}

TEST_F(AsciiExportTest, CsvCaptionLineOfThreeColumnsEndsWithTheThirdCaption) {
  auto* ds = NewDataSet({Column("A", ftString, 5), Column("B", ftString, 5), Column("C", ftString, 5)}, {});
  auto* e = NewExport(etCSV, ds);
  e->SetCSVQuoteCaptions(false);
  EXPECT_EQ(ExportBytes(e), "A,B,C\r\n");
}

TEST_F(AsciiExportTest, CsvNumbersWhoseTextHoldsTheDelimiterAreQuotedSoColumnsDoNotShift) {
  auto* e = NewExport(etCSV, Sales({{"x", 1234, 1234567.5, day(2026, 1, 2), true}, {"y", 999, -0.25, day(2026, 1, 3), false}}));
  EXPECT_EQ(ExportBytes(e),
            "\"NAME\",\"QTY\",\"PRICE\",\"DAY\",\"PAID\"\r\n"
            "\"x\",\"1,234\",\"1,234,567.50\",2026-01-02,true\r\n"
            "\"y\",999,-0.25,2026-01-03,false\r\n");
}

TEST_F(AsciiExportTest, CsvWithoutQuotedStringsStillQuotesValuesThatWouldSplit) {
  auto* e = NewExport(etCSV, Sales({{"a,b", 7, 1.0, day(2026, 1, 2), true},
                                    {"line\r\nbreak", 8, 1.0, day(2026, 1, 2), true},
                                    {"say \"x\"", 9, 1.0, day(2026, 1, 2), true},
                                    {"plain", 10, 1.0, day(2026, 1, 2), true}}));
  e->SetCSVQuoteStrings(false);
  e->SetCSVQuoteCaptions(false);
  EXPECT_EQ(ExportBytes(e),
            "NAME,QTY,PRICE,DAY,PAID\r\n"
            "\"a,b\",7,1.00,2026-01-02,true\r\n"
            "\"line\r\nbreak\",8,1.00,2026-01-02,true\r\n"
            "\"say \"\"x\"\"\",9,1.00,2026-01-02,true\r\n"
            "plain,10,1.00,2026-01-02,true\r\n");
}

TEST_F(AsciiExportTest, CsvDoublesTheQuoteOnCharactersNotOnTrailBytes) {
  // 亅 is 81 7C in GBK: its trail byte is the quote "|" but the character is no quote.
  auto* ds = NewDataSet({Column("T", ftString, 10)}, {{Variant(gbk(u"亅|亅"))}});
  auto* e = NewExport(etCSV, ds);
  e->SetCSVQuote('|');
  e->SetCSVQuoteCaptions(false);
  EXPECT_EQ(ExportBytes(e), "T\r\n|" + gbk(u"亅") + "||" + gbk(u"亅") + "|\r\n");
}

TEST_F(AsciiExportTest, CsvIsWrittenInTheAnsiCodePageWhateverTheEncoding) {
  const std::string name = gbk(u"名称");
  auto* ds = NewDataSet({Column(name.c_str(), ftString, 10)}, {{Variant(gbk(u"张国强"))}});
  auto* e = NewExport(etCSV, ds);
  e->SetEncoding(3);
  EXPECT_EQ(ExportBytes(e), "\"" + gbk(u"名称") + "\"\r\n\"" + gbk(u"张国强") + "\"\r\n");
}

TEST_F(AsciiExportTest, CsvHeaderAndFooterLinesFramingTheRows) {
  auto* e = NewExport(etCSV, Sales({{"x", 1, 1.0, day(2026, 1, 2), true}}));
  e->Header()->Add(u"BEGIN");
  e->Footer()->Add(u"END");
  e->SetAllowCaptions(false);
  EXPECT_EQ(ExportBytes(e), "BEGIN\r\n\"x\",1,1.00,2026-01-02,true\r\nEND\r\n");
}

TEST_F(AsciiExportTest, CsvAbortedExportWritesAnEmptyLineAndTheFooterOnceAfterTheLastRow) {
  auto* e = NewExport(etCSV, Sales({{"a", 1, 1.0, day(2026, 1, 2), true}, {"b", 2, 1.0, day(2026, 1, 2), true}}));
  e->SetAllowCaptions(false);
  e->Footer()->Add(u"END");
  e->OnExportedRecord = [e](TObject*, int) { e->Abort(); };
  EXPECT_EQ(ExportBytes(e), "\"a\",1,1.00,2026-01-02,true\r\n\r\nEND\r\n");
}

TEST_F(AsciiExportTest, CsvRowRejectedAfterAnAbortLeavesTheFooterLast) {
  auto* e = NewExport(etCSV, Sales({{"a", 1, 1.0, day(2026, 1, 2), true}, {"b", 2, 1.0, day(2026, 1, 2), true}}));
  e->SetAllowCaptions(false);
  e->Footer()->Add(u"END");
  // The row being written when the abort comes is still written, before the footer.
  e->OnBeforeExportRow = [e](TObject*, TExportRow*, bool&) { e->Abort(); };
  EXPECT_EQ(ExportBytes(e), "\"a\",1,1.00,2026-01-02,true\r\n\r\nEND\r\n");
}

TEST_F(AsciiExportTest, CsvAbortedWhileBeginningKeepsHeaderThenEmptyLineAndFooter) {
  auto* e = NewExport(etCSV, Sales({{"a", 1, 1.0, day(2026, 1, 2), true}}));
  e->Header()->Add(u"H");
  e->Footer()->Add(u"F");
  e->OnBeginExport = [e](TObject*) { e->Abort(); };
  EXPECT_EQ(ExportBytes(e), "H\r\n\r\nF\r\n");
}

TEST_F(AsciiExportTest, CsvExportResumedByOnStopExportEndsWithTheFooterAlone) {
  auto* e = NewExport(etCSV, Sales({{"a", 1, 1.0, day(2026, 1, 2), true}, {"b", 2, 1.0, day(2026, 1, 2), true}}));
  e->SetAllowCaptions(false);
  e->Footer()->Add(u"END");
  bool once = false;
  e->OnExportedRecord = [e, &once](TObject*, int) {
    if (!once) e->Abort();
    once = true;
  };
  e->OnStopExport = [](TObject*, bool& CanContinue) { CanContinue = true; };
  EXPECT_EQ(ExportBytes(e), "\"a\",1,1.00,2026-01-02,true\r\n\"b\",2,1.00,2026-01-02,true\r\nEND\r\n");
}

TEST_F(AsciiExportTest, TargetInAFolderThatCannotBeMadeRaisesAndCreatesNothing) {
  TExportTempDir dir;
  WriteFileBytes(dir.Path("plain"), "a file, not a folder");
  auto* e = NewExport(etCSV, Sales({{"x", 1, 1.0, day(2026, 1, 2), true}}));
  e->SetFileName(dir.Path("plain/sub/out.csv"));
  EXPECT_EQ(ExportErrorOf([&] { e->Execute(); }),
            "Directory \"" + dir.Path("plain/sub") + "\" not found and cannot be created");
  EXPECT_EQ(ReadFileBytes(dir.Path("plain")), "a file, not a folder");
}

TEST_F(AsciiExportTest, ReadOnlyTargetRaisesAndKeepsItsBytes) {
  TExportTempDir dir;
  WriteFileBytes(dir.Path("ro.csv"), "old");
  if (!MakeUnwritable(dir.Path("ro.csv"))) GTEST_SKIP() << "no file can be made unwritable here";
  auto* e = NewExport(etCSV, Sales({{"x", 1, 1.0, day(2026, 1, 2), true}}));
  e->SetFileName(dir.Path("ro.csv"));
  EXPECT_THROW(e->Execute(), EFCreateError);
  EXPECT_EQ(ReadFileBytes(dir.Path("ro.csv")), "old");
}

TEST_F(AsciiExportTest, DefaultDelimiterIsTheLocalesListSeparator) {
  TDataExportASCII e(nullptr);
  EXPECT_EQ(e.CSVComma(), ExportListSeparator());
  EXPECT_EQ(e.CSVQuote(), '"');
  EXPECT_TRUE(e.CSVQuoteStrings());
  EXPECT_TRUE(e.CSVQuoteCaptions());
  EXPECT_EQ(e.TXTSpacing(), 1);
  EXPECT_FALSE(e.AutoCalcColWidth());
  EXPECT_TRUE(e.TrimCaptionsToDataLength());
  EXPECT_EQ(e.ExportType(), etTXT);
}

// --- fixed-width text ---

TEST_F(AsciiExportTest, FixedWidthCutsLongValuesCentresShortOnesAndSpacesAllButTheLastColumn) {
  auto* ds = NewDataSet({Column("LONGNAME", ftString, 20), Column("C", ftString, 5), Column("R", ftString, 5)},
                        {{Variant("abcdefghijkl"), Variant("ab"), Variant("x")}});
  auto* e = NewExport(etTXT, ds);
  e->SetEncoding(0);
  e->ColumnsWidth()->Add("LONGNAME=10");
  e->ColumnsWidth()->Add("C=7");
  e->ColumnsWidth()->Add("R=3");
  e->ColumnsAlign()->Add("C=center");
  e->ColumnsAlign()->Add("R=right");
  e->SetTXTSpacing(2);
  EXPECT_EQ(ExportBytes(e),
            "LONGNAME    " "   C     " "  R\r\n"
            "abcdefghij  " "  ab     " "  x\r\n");
}

TEST_F(AsciiExportTest, FixedWidthCaptionsKeepTheirLengthWhenNotTrimmed) {
  auto* ds = NewDataSet({Column("LONGCAPTION", ftString, 20), Column("B", ftString, 5)}, {{Variant("v"), Variant("w")}});
  auto* e = NewExport(etTXT, ds);
  e->SetEncoding(0);
  e->ColumnsWidth()->Add("LONGCAPTION=4");
  e->ColumnsWidth()->Add("B=2");
  e->SetTrimCaptionsToDataLength(false);
  EXPECT_EQ(ExportBytes(e), "LONGCAPTION B\r\nv    w \r\n");
}

TEST_F(AsciiExportTest, FixedWidthStartsWithByteOrderMarkTitleRuleAndHeader) {
  auto* ds = NewDataSet({Column("A", ftString, 3)}, {{Variant("x")}});
  auto* e = NewExport(etTXT, ds);
  e->ColumnsWidth()->Add("A=3");
  e->SetTitle("Readings");
  e->Header()->Add(u"抄表");
  e->Footer()->Add(u"end");
  EXPECT_EQ(ExportBytes(e), "\xEF\xBB\xBFReadings\r\n" + std::string(80, '-') + "\r\n\r\n" + WideToUtf8(u"抄表") +
                                "\r\nA  \r\nx  \r\nend\r\n");
}

TEST_F(AsciiExportTest, FixedWidthColumnsWidenToTheirLongestValueWhenAsked) {
  auto* ds = NewDataSet({Column("A", ftString, 30), Column("B", ftString, 30)}, {{Variant("abc"), Variant("x")}, {Variant("a"), Variant("xyzw")}});
  auto* e = NewExport(etTXT, ds);
  e->SetEncoding(0);
  e->ColumnsWidth()->Add("A=1");
  e->ColumnsWidth()->Add("B=1");
  e->SetAutoCalcColWidth(true);
  EXPECT_EQ(ExportBytes(e), "A   B   \r\nabc x   \r\na   xyzw\r\n");
}

TEST_F(AsciiExportTest, SwitchingToFixedWidthSwitchesAutomaticWidthsOnAndOtherTypesHonourNone) {
  TDataExportASCII e(nullptr);
  e.SetExportType(etCSV);
  EXPECT_FALSE(e.AutoCalcColWidth());
  e.SetExportType(etTXT);
  EXPECT_TRUE(e.AutoCalcColWidth());
  e.SetExportType(static_cast<TExportASCIIType>(9));
  EXPECT_EQ(e.ExportType(), etTXT);
}

// --- DIF ---

TEST_F(AsciiExportTest, DifDeclaresItsShapeAndWritesNumbersInInvariantFormAndOtherValuesAsStrings) {
  auto* e = NewExport(etDIF, Sales({{"say \"x\"", 1234, 1234567.5, day(2026, 12, 8), true},
                                    {Variant::Null(), -7, -0.1, Variant::Null(), false}}));
  e->Formats()->SetNULLString(u"");
  EXPECT_EQ(ExportBytes(e),
            "TABLE\r\n0,1\r\n\"\"\r\n"
            "VECTORS\r\n0,5\r\n\"\"\r\n"
            "TUPLES\r\n0,2\r\n\"\"\r\n"
            "DATA\r\n0,0\r\n\"\"\r\n"
            "-1,0\r\nBOT\r\n1,0\r\n\"NAME\"\r\n1,0\r\n\"QTY\"\r\n1,0\r\n\"PRICE\"\r\n1,0\r\n\"DAY\"\r\n1,0\r\n\"PAID\"\r\n"
            "-1,0\r\nBOT\r\n1,0\r\n\"say \"x\"\"\r\n0,1234\r\nV\r\n0,1234567.5\r\nV\r\n1,0\r\n\"2026-12-08\"\r\n1,0\r\n\"true\"\r\n"
            "-1,0\r\nBOT\r\n1,0\r\n\"\"\r\n0,-7\r\nV\r\n0,-0.1\r\nV\r\n1,0\r\n\"\"\r\n1,0\r\n\"false\"\r\n"
            "-1,0\r\nEOD\r\n");
}

TEST_F(AsciiExportTest, DifCountsTheRowsTheExportPassesAfterSkippingAndUpToTheLimit) {
  auto rows = [] {
    return std::vector<std::vector<Variant>>{{Variant("a"), 1}, {Variant("b"), 2}, {Variant("c"), 3}};
  };
  auto declared = [](const std::string& dif) { return dif.substr(dif.find("TUPLES\r\n") + 8, 4); };
  auto* skip = NewExport(etDIF, NewDataSet({Column("N", ftString, 5), Column("Q", ftInteger)}, rows()));
  skip->SetSkipRecCount(1);
  int fetched = 0;
  skip->OnFetchedRecord = [&](TObject*, int) { ++fetched; };
  EXPECT_EQ(declared(ExportBytes(skip)), "0,2\r");
  EXPECT_EQ(fetched, 2);
  auto* limit = NewExport(etDIF, NewDataSet({Column("N", ftString, 5), Column("Q", ftInteger)}, rows()));
  limit->SetExportRecCount(1);
  const std::string dif = ExportBytes(limit);
  EXPECT_EQ(declared(dif), "0,1\r");
  EXPECT_EQ(limit->RowCount(), 1);
}

TEST_F(AsciiExportTest, DifCountingPassLeavesTheSourceWhereItStood) {
  auto* ds = NewDataSet({Column("Q", ftInteger)}, {{1}, {2}, {3}});
  auto* e = NewExport(etDIF, ds);
  e->SetGoToFirstRecord(false);
  e->SetAllowCaptions(false);
  ds->First();
  ds->Next();
  const std::string dif = ExportBytes(e);
  // Declared 3, written from the second record on as the source stood.
  EXPECT_NE(dif.find("TUPLES\r\n0,3\r\n"), std::string::npos);
  EXPECT_NE(dif.find("-1,0\r\nBOT\r\n0,2\r\nV\r\n-1,0\r\nBOT\r\n0,3\r\nV\r\n-1,0\r\nEOD\r\n"), std::string::npos) << dif;
}

TEST_F(AsciiExportTest, DifAbortedWhileCountingEndsWithTheTrailerOnly) {
  auto* e = NewExport(etDIF, NewDataSet({Column("Q", ftInteger)}, {{1}, {2}}));
  e->OnFetchedRecord = [e](TObject*, int) { e->Abort(); };
  EXPECT_EQ(ExportBytes(e), "-1,0\r\nEOD\r\n");
}

TEST_F(AsciiExportTest, DifAbortedInTheLoopWritesItsTrailerOnce) {
  auto* e = NewExport(etDIF, NewDataSet({Column("Q", ftInteger)}, {{1}, {2}}));
  e->SetAllowCaptions(false);
  e->OnExportedRecord = [e](TObject*, int) { e->Abort(); };
  const std::string dif = ExportBytes(e);
  EXPECT_TRUE(dif.ends_with("-1,0\r\nBOT\r\n0,1\r\nV\r\n-1,0\r\nEOD\r\n")) << dif;
  EXPECT_EQ(dif.find("EOD"), dif.rfind("EOD"));
}

TEST_F(AsciiExportTest, DifIsWrittenInTheOemCodePageAndKeepsChineseText) {
  const std::string name = gbk(u"名称");
  auto* ds = NewDataSet({Column(name.c_str(), ftString, 10)}, {{Variant(gbk(u"张国强 \"一号\""))}});
  auto* e = NewExport(etDIF, ds);
  e->SetEncoding(3);
  const std::string dif = ExportBytes(e);
  EXPECT_NE(dif.find("1,0\r\n\"" + WideToAnsi(u"名称", CP_OEMCP) + "\"\r\n"), std::string::npos);
  EXPECT_NE(dif.find("1,0\r\n\"" + WideToAnsi(u"张国强 \"一号\"", CP_OEMCP) + "\"\r\n"), std::string::npos);
}

TEST_F(AsciiExportTest, DifStringsKeepTheirQuotesAndHoldLineBreaksAsBlanks) {
  auto* e = NewExport(etDIF, NewDataSet({Column("N", ftString, 20)}, {{Variant("a\r\nb\nc\rd \"e\"")}}));
  e->SetTitle("A \"B\"\r\nC");
  e->SetAllowCaptions(false);
  const std::string dif = ExportBytes(e);
  EXPECT_TRUE(dif.starts_with("TABLE\r\n0,1\r\n\"A \"B\" C\"\r\n")) << dif;
  EXPECT_NE(dif.find("BOT\r\n1,0\r\n\"a b c d \"e\"\"\r\n-1,0\r\nEOD\r\n"), std::string::npos) << dif;
}

TEST_F(AsciiExportTest, DifNumbersFromATextSourceComeFromTheirConvertedValues) {
  auto* source = NewCustomSource({{"N", ectInteger}, {"F", ectFloat}, {"D", ectDate}},
                                 {{Variant("1234"), Variant("2.5"), Variant("2026-12-08")}, {Variant("x"), Variant(""), Variant("")}});
  auto* e = new TDataExportASCII(owner);
  e->SetExportType(etDIF);
  e->SetExportSource(esCustom);
  e->SetCustomSource(source);
  e->SetAllowCaptions(false);
  const std::string dif = ExportBytes(e);
  EXPECT_NE(dif.find("BOT\r\n0,1234\r\nV\r\n0,2.5\r\nV\r\n1,0\r\n"), std::string::npos) << dif;
  // Texts that are no numbers stay strings.
  EXPECT_NE(dif.find("BOT\r\n1,0\r\n\"x\"\r\n1,0\r\n\"\"\r\n1,0\r\n\"\"\r\n-1,0\r\nEOD"), std::string::npos) << dif;
}

// --- SYLK ---

TEST_F(AsciiExportTest, SylkCellsFollowTheCaptionRowAndEscapeSemicolonsAndLineBreaks) {
  auto* e = NewExport(etSYLK, Sales({{"a;b\r\nc\nd", 1234, 2.5, day(2026, 12, 8), true}}));
  EXPECT_EQ(ExportBytes(e),
            "ID;PVASCIIEXPORT\r\n"
            "C;X1;Y1;K\"NAME\"\r\nC;X2;Y1;K\"QTY\"\r\nC;X3;Y1;K\"PRICE\"\r\nC;X4;Y1;K\"DAY\"\r\nC;X5;Y1;K\"PAID\"\r\n"
            "C;X1;Y2;K\"a;;b\x1b :c\x1b :d\"\r\nC;X2;Y2;K\"1,234\"\r\nC;X3;Y2;K\"2.50\"\r\nC;X4;Y2;K\"2026-12-08\"\r\nC;X5;Y2;K\"true\"\r\n"
            "E\r\n");
}

TEST_F(AsciiExportTest, SylkWithoutCaptionsStartsItsDataInTheFirstRow) {
  auto* e = NewExport(etSYLK, NewDataSet({Column("N", ftString, 5)}, {{Variant("a")}, {Variant("b")}}));
  e->SetAllowCaptions(false);
  e->SetEncoding(4);
  EXPECT_EQ(ExportBytes(e), "ID;PVASCIIEXPORT\r\nC;X1;Y1;K\"a\"\r\nC;X1;Y2;K\"b\"\r\nE\r\n");
}

// --- settings ---

TEST_F(AsciiExportTest, IniSettingsReadBackAsSaved) {
  TExportTempDir dir;
  const std::string path = dir.Path("ascii.ini");
  TDataExportASCII saved(nullptr);
  saved.SetExportType(etDIF);
  saved.SetCSVComma('\t');
  saved.SetCSVQuote('\'');
  saved.SetCSVQuoteStrings(false);
  saved.SetCSVQuoteCaptions(false);
  saved.SetTXTSpacing(3);
  saved.SetEncoding(4);
  saved.SetAutoCalcColWidth(true);
  saved.SetTrimCaptionsToDataLength(false);
  saved.ColumnsAlign()->Add("Amount=right");
  saved.ColumnsWidth()->Add("Name=12");
  saved.ColumnsWidth()->Add("Amount=8");
  {
    TExportIniFile ini(path);
    saved.SaveToIni(&ini);
  }
  std::string text = ReadFileBytes(path);
  std::erase(text, '\r');
  EXPECT_NE(text.find("Comma=#9"), std::string::npos) << text;
  EXPECT_NE(text.find("[WIDTH]\nline0=Name=12\nline1=Amount=8"), std::string::npos) << text;

  TDataExportASCII loaded(nullptr);
  loaded.ColumnsAlign()->Add("Stale=left");
  TExportIniFile ini(path);
  loaded.LoadFromIni(&ini);
  EXPECT_EQ(loaded.ExportType(), etDIF);
  EXPECT_EQ(loaded.CSVComma(), '\t');
  EXPECT_EQ(loaded.CSVQuote(), '\'');
  EXPECT_FALSE(loaded.CSVQuoteStrings());
  EXPECT_FALSE(loaded.CSVQuoteCaptions());
  EXPECT_EQ(loaded.TXTSpacing(), 3);
  EXPECT_EQ(loaded.Encoding(), 4);
  EXPECT_TRUE(loaded.AutoCalcColWidth());
  EXPECT_FALSE(loaded.TrimCaptionsToDataLength());
  EXPECT_EQ(loaded.ColumnsAlign()->Text(), "Amount=right\r\n");
  EXPECT_EQ(loaded.ColumnsWidth()->Text(), "Name=12\r\nAmount=8\r\n");
}

TEST_F(AsciiExportTest, IniCharactersAndBadValuesAreReadByTheirRules) {
  TExportTempDir dir;
  const std::string path = dir.Path("chars.ini");
  WriteFileBytes(path, "[ASCII]\nExportType=7\nComma=#32\nQuote=\nEncoding=9\n");
  TDataExportASCII e(nullptr);
  e.SetExportType(etCSV);
  TExportIniFile ini(path);
  e.LoadFromIni(&ini);
  EXPECT_EQ(e.ExportType(), etCSV);
  EXPECT_EQ(e.CSVComma(), ' ');
  EXPECT_EQ(e.CSVQuote(), '\0');
  EXPECT_EQ(e.Encoding(), 3);
}

TEST_F(AsciiExportTest, PublishedPropertiesRoundTripThroughThePropertyTable) {
  TDataExportASCII e(nullptr);
  SetOrdProp(&e, "ExportType", 3);
  SetOrdProp(&e, "CSVComma", ';');
  SetOrdProp(&e, "CSVQuote", 0);
  SetOrdProp(&e, "CSVQuoteStrings", 0);
  SetOrdProp(&e, "CSVQuoteCaptions", 0);
  SetOrdProp(&e, "TXTSpacing", -1);
  SetOrdProp(&e, "AutoCalcColWidth", 1);
  SetOrdProp(&e, "TrimCaptionsToDataLength", 0);
  EXPECT_EQ(e.ExportType(), etSYLK);
  EXPECT_EQ(GetOrdProp(&e, "CSVComma"), ';');
  EXPECT_EQ(GetOrdProp(&e, "CSVQuote"), 0);
  EXPECT_EQ(GetOrdProp(&e, "CSVQuoteStrings"), 0);
  EXPECT_EQ(GetOrdProp(&e, "CSVQuoteCaptions"), 0);
  EXPECT_EQ(GetOrdProp(&e, "TXTSpacing"), -1);
  EXPECT_EQ(GetOrdProp(&e, "AutoCalcColWidth"), 1);
  EXPECT_EQ(GetOrdProp(&e, "TrimCaptionsToDataLength"), 0);
  EXPECT_EQ(GetObjectProp(&e, "ColumnsAlign"), e.ColumnsAlign());
  EXPECT_EQ(GetObjectProp(&e, "ColumnsWidth"), e.ColumnsWidth());
  EXPECT_NE(GetPropInfo(&e, "OnFetchedRecord"), nullptr);
  EXPECT_NE(GetPropInfo(&e, "Formats"), nullptr);
}

}  // namespace
