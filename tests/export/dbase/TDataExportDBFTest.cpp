// TDataExportDBF: whole tables and memo files as the exporter writes them, value by value,
// with the header date masked; field names and lengths; bad input; its settings.
#include <filesystem>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DbaseTestSupport.h"
#include "ExportFixture.h"
#include "ExportReaders.h"
#include "Exception.h"
#include "FormatSettings.h"
#include "TClientDataSet.h"
#include "TDataExportDBF.h"
#include "TExportFormats.h"
#include "TExportIniFile.h"
#include "TMemoryStream.h"
#include "TStrings.h"
#include "TypInfo.h"

namespace {

namespace fs = std::filesystem;

class DbfExportTest : public ExportTest {
protected:
  TDataExportDBF* NewExport(TDataSet* Source) {
    auto* e = new TDataExportDBF(owner);
    e->SetDataSet(Source);
    e->Formats()->SetDecimalSeparator('.');
    e->Formats()->SetThousandSeparator(',');
    return e;
  }
  TDataExportDBF* NewExport(TExportCustomSource* Source) {
    auto* e = new TDataExportDBF(owner);
    e->SetExportSource(esCustom);
    e->SetCustomSource(Source);
    return e;
  }
};

// Puts the process's format settings back when the test ends.
class TSettingsGuard {
public:
  TSettingsGuard() : saved_(GetFormatSettings()) {}
  ~TSettingsGuard() { SetFormatSettings(saved_); }

private:
  TFormatSettings saved_;
};

Variant day(int y, int m, int d) { return VarFromDateTime(EncodeDate(y, m, d)); }

std::string zeros(std::size_t n) { return std::string(n, '\0'); }

std::vector<std::string> filesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// --- whole tables ---

TEST_F(DbfExportTest, TableOfATextAndAnIntegerFieldByteForByte) {
  auto* e = NewExport(NewDataSet({Column("NAME", ftString, 20), Column("QTY", ftInteger)}, {{Variant("abc"), 1234}}));
  EXPECT_EQ(MaskHeaderDate(ExportBytes(e)),
            std::string("\x03\x1A\x0C\x08" "\x01\0\0\0" "\x61\0" "\x20\0\0\0", 14) + zeros(18) +
                "NAME" + zeros(7) + "C" + zeros(4) + "\x14" + zeros(15) +
                "QTY" + zeros(8) + "N" + std::string("\x14\0\0\0\x0B\0", 6) + zeros(14) +
                "\x0D" + " abc" + std::string(17, ' ') + "       1234" + "\x1A");
}

TEST_F(DbfExportTest, IntegersAreWrittenInPlainDigitsWhateverTheGrouping) {
  auto* e = NewExport(NewDataSet({Column("N", ftInteger), Column("B", ftLargeint)},
                                 {{1234, Variant(1234567890123LL)}, {-1000000, Variant(-5LL)}}));
  e->Formats()->SetThousandSeparator('.');
  const std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenValue(t, 0, "N"), "       1234");
  EXPECT_EQ(WrittenValue(t, 0, "B"), "       1234567890123");
  EXPECT_EQ(WrittenValue(t, 1, "N"), "   -1000000");
  EXPECT_EQ(WrittenValue(t, 1, "B"), std::string(18, ' ') + "-5");
}

TEST_F(DbfExportTest, FloatsHaveTheirDefaultSizeAndPointUnderADecimalCommaLocale) {
  TSettingsGuard guard;
  TFormatSettings comma = GetFormatSettings();
  comma.DecimalSeparator = ',';
  comma.ThousandSeparator = '.';
  SetFormatSettings(comma);
  auto* e = new TDataExportDBF(owner);
  e->SetDataSet(NewDataSet({Column("PRICE", ftFloat), Column("AMOUNT", ftCurrency)},
                           {{3.5, Variant(Currency::FromDouble(1234.5))}}));
  const std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenFields(t)[0].Length, 15);
  EXPECT_EQ(WrittenFields(t)[0].Decimals, 4);
  EXPECT_EQ(WrittenValue(t, 0, "PRICE"), "         3.5000");
  EXPECT_EQ(WrittenValue(t, 0, "AMOUNT"), "      1234.5000");
}

TEST_F(DbfExportTest, FloatsTooLongForTheirFieldLoseDecimalsThenAreMarked) {
  auto* e = NewExport(NewDataSet({Column("PRICE", ftFloat)}, {{123456.789}, {123456789.5}, {-0.125}}));
  e->ColumnsPrecision()->Add("PRICE=8,2");
  const std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenFields(t)[0].Length, 8);
  EXPECT_EQ(WrittenFields(t)[0].Decimals, 2);
  EXPECT_EQ(WrittenValue(t, 0, "PRICE"), "123456.8");
  EXPECT_EQ(WrittenValue(t, 1, "PRICE"), "********");
  EXPECT_EQ(WrittenValue(t, 2, "PRICE"), "   -0.13");
}

TEST_F(DbfExportTest, PrecisionEntriesOutOfRangeAreHeldToWhatAFieldCanHold) {
  auto* e = NewExport(NewDataSet({Column("A", ftFloat), Column("B", ftFloat), Column("C", ftFloat), Column("D", ftFloat)},
                                 {{1.0, 2.0, 3.0, 4.0}}));
  e->ColumnsPrecision()->Add("A=0,0");
  e->ColumnsPrecision()->Add("B=300,2");
  e->ColumnsPrecision()->Add("C=5,9");
  e->ColumnsPrecision()->Add("D=x,y");
  const auto f = WrittenFields(ExportBytes(e));
  EXPECT_EQ(std::pair(f[0].Length, f[0].Decimals), std::pair(15, 4));
  EXPECT_EQ(std::pair(f[1].Length, f[1].Decimals), std::pair(254, 2));
  EXPECT_EQ(std::pair(f[2].Length, f[2].Decimals), std::pair(5, 4));
  EXPECT_EQ(std::pair(f[3].Length, f[3].Decimals), std::pair(15, 4));
}

TEST_F(DbfExportTest, DatesComeFromTheirValuesWhateverTheDateFormat) {
  auto* e = NewExport(NewDataSet({Column("D", ftDate), Column("T", ftDateTime)},
                                 {{day(1950, 1, 1), Variant::FromDateTime(EncodeDate(2026, 12, 8) + EncodeTime(13, 45, 0, 0))},
                                  {Variant::Null(), Variant::Null()}}));
  e->Formats()->SetDateFormat("dd.mm.yy");
  e->Formats()->SetDateTimeFormat("'day' d 'of' mmmm");
  const std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenValue(t, 0, "D"), "19500101");
  EXPECT_EQ(WrittenValue(t, 0, "T"), "20261208");
  EXPECT_EQ(WrittenValue(t, 1, "D"), "        ");
}

TEST_F(DbfExportTest, TimeColumnsAreDateFieldsOfDayZeroOrTextWhenAsked) {
  auto* ds = NewDataSet({Column("AT", ftTime)}, {{Variant::FromDateTime(EncodeTime(10, 30, 0, 0))}});
  auto* e = NewExport(ds);
  std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenFields(t)[0].Type, 'D');
  EXPECT_EQ(WrittenValue(t, 0, "AT"), "18991230");
  e->SetExportTimeAsStr(true);
  e->Formats()->SetTimeFormat("hh:nn");
  t = ExportBytes(e);
  EXPECT_EQ(WrittenFields(t)[0].Type, 'C');
  EXPECT_EQ(WrittenFields(t)[0].Length, 25);
  EXPECT_EQ(WrittenValue(t, 0, "AT"), "10:30" + std::string(20, ' '));
}

TEST_F(DbfExportTest, DateTextsOfTextSourcesAreReadAndUnreadableOnesStopTheExport) {
  auto* source = NewCustomSource({{"D", ectDate}}, {{Variant("")}});
  auto* e = NewExport(source);
  EXPECT_EQ(WrittenValue(ExportBytes(e), 0, "D"), "        ");
  auto* bad = NewExport(NewCustomSource({{"D", ectDate}}, {{Variant("not a date")}}));
  EXPECT_THROW(ExportBytes(bad), EConvertError);
}

TEST_F(DbfExportTest, NullTextsAreBlankAndEmptyFloatsAreTheNullValue) {
  auto* source = NewCustomSource({{"S", ectString}, {"F", ectFloat}, {"N", ectInteger}},
                                 {{Variant("NULL"), Variant(""), Variant("null")}, {Variant("x"), Variant("2.5"), Variant("7")}});
  auto* e = NewExport(source);
  const std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenValue(t, 0, "S"), std::string(15, ' '));
  EXPECT_EQ(WrittenValue(t, 0, "F"), "           null");
  EXPECT_EQ(WrittenValue(t, 0, "N"), std::string(11, ' '));
  EXPECT_EQ(WrittenValue(t, 1, "F"), "         2.5000");
  EXPECT_EQ(WrittenValue(t, 1, "N"), "          7");
}

TEST_F(DbfExportTest, NullFieldsOfADataSetFollowTheNullValueWhateverItIs) {
  auto* e = NewExport(NewDataSet({Column("F", ftFloat), Column("N", ftInteger), Column("L", ftBoolean)},
                                 {{Variant::Null(), Variant::Null(), Variant::Null()}}));
  e->SetNullValue("N/A");
  const std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenValue(t, 0, "F"), "            N/A");
  EXPECT_EQ(WrittenValue(t, 0, "N"), std::string(11, ' '));
  EXPECT_EQ(WrittenValue(t, 0, "L"), " ");
}

TEST_F(DbfExportTest, WithAnEmptyNullValueOnlyRealNullsAreBlank) {
  auto* e = NewExport(NewDataSet({Column("NAME", ftString, 10), Column("F", ftFloat)},
                                 {{Variant("Null"), 1.5}, {Variant("null"), Variant::Null()}, {Variant::Null(), 2.0}}));
  e->SetNullValue("");
  const std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenValue(t, 0, "NAME"), "Null      ");
  EXPECT_EQ(WrittenValue(t, 1, "NAME"), "null      ");
  EXPECT_EQ(WrittenValue(t, 1, "F"), std::string(15, ' '));
  EXPECT_EQ(WrittenValue(t, 2, "NAME"), std::string(10, ' '));
}

TEST_F(DbfExportTest, LogicalFieldsFromValuesAndFromTexts) {
  auto* ds = NewDataSet({Column("L", ftBoolean)}, {{true}, {false}});
  auto* e = NewExport(ds);
  e->Formats()->SetBooleanTrue(u"是");
  e->Formats()->SetBooleanFalse(u"否");
  std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenValue(t, 0, "L"), "T");
  EXPECT_EQ(WrittenValue(t, 1, "L"), "F");
  auto* texts = NewExport(NewCustomSource({{"L", ectBoolean}}, {{Variant("True")}, {Variant("no")}, {Variant("is FALSE")}}));
  t = ExportBytes(texts);
  EXPECT_EQ(WrittenValue(t, 0, "L"), "T");
  EXPECT_EQ(WrittenValue(t, 1, "L"), " ");
  EXPECT_EQ(WrittenValue(t, 2, "L"), "F");
}

TEST_F(DbfExportTest, TextIsCutToItsFieldBetweenCharacters) {
  auto* ds = NewDataSet({Column("LONG", ftString, 300), Column("NAME", ftString, 20)},
                        {{Variant(std::string(300, 'y')), Variant(WideToAnsi(u"张国强"))}});
  auto* e = NewExport(ds);
  e->ColumnsLength()->Add("name=5");
  const std::string t = ExportBytes(e);
  EXPECT_EQ(WrittenFields(t)[0].Length, 254);
  EXPECT_EQ(WrittenValue(t, 0, "LONG"), std::string(254, 'y'));
  EXPECT_EQ(WrittenFields(t)[1].Length, 5);
  EXPECT_EQ(WrittenValue(t, 0, "NAME"), WideToAnsi(u"张国") + " ");
}

TEST_F(DbfExportTest, CharactersTheCodePageLacksBecomeItsSubstitute) {
  auto* ds = NewDataSet({Column("T", ftWideString, 10)}, {{Variant(u"a😀b")}});
  EXPECT_EQ(WrittenValue(ExportBytes(NewExport(ds)), 0, "T"), "a?b       ");
}

TEST_F(DbfExportTest, StringLengthsComeFromTheLengthListByFieldNameOrCaption) {
  auto* ds = NewDataSet({Column("NAME", ftString, 20), Column("ADDR", ftString, 20), Column("ZERO", ftString, 10),
                         Column("BAD", ftString, 20)},
                        {});
  auto* e = NewExport(ds);
  e->Captions()->Add("ADDR=Address of the account");
  e->ColumnsLength()->Add("NAME=7");
  e->ColumnsLength()->Add("ADDRESS OF=30");
  e->ColumnsLength()->Add("BAD=999");
  e->ColumnsLength()->Add("ZERO=0");
  const auto f = WrittenFields(ExportBytes(e));
  EXPECT_EQ(f[0].Length, 7);
  EXPECT_EQ(f[1].Name, "ADDRESS OF");
  EXPECT_EQ(f[1].Length, 30);
  EXPECT_EQ(f[2].Length, 1);
  EXPECT_EQ(f[3].Length, 254);
  EXPECT_EQ(f[3].Position, 7u + 30u + 1u);
}

TEST_F(DbfExportTest, FieldNamesFromAdversarialCaptionsAreUniqueAndReadable) {
  auto* ds = NewDataSet({Column("A", ftString, 5), Column("B", ftString, 5), Column("C", ftString, 5), Column("D", ftString, 5),
                         Column("E", ftString, 5), Column("F", ftString, 5), Column("G", ftString, 5), Column("H", ftString, 5),
                         Column("I", ftString, 5), Column("J", ftString, 5)},
                        {});
  auto* e = NewExport(ds);
  for (const char* line : {"A=", "B=   ", "C=ADDRESSLINE1", "D=addressline2", "E=Qty", "F=QTY", "G=Tab\tName",
                           "H=DELETED", "J=ADDRESSL~1"})
    e->Captions()->Add(line);
  e->Captions()->Add("I=" + std::string(200, 'x'));
  const auto f = WrittenFields(ExportBytes(e));
  std::vector<std::string> names;
  for (const auto& field : f) names.push_back(field.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"FIELD1", "FIELD2", "ADDRESSLIN", "ADDRESSL~1", "QTY", "QTY~1", "TAB_NAME",
                                             "DELETED", "XXXXXXXXXX", "ADDRESSL~2"}));
}

TEST_F(DbfExportTest, CaptionsTheCodePageCannotHoldBecomeItsSubstituteAndStayUnique) {
  auto* ds = NewDataSet({Column("A", ftWideString, 5), Column("B", ftWideString, 5)}, {});
  auto* e = NewExport(ds);
  e->Captions()->Add("A=" + WideToAnsi(u"😀😀"));
  e->Captions()->Add("B=" + WideToAnsi(u"😀😀"));
  const auto f = WrittenFields(ExportBytes(e));
  EXPECT_EQ(f[0].Name, "??");
  EXPECT_EQ(f[1].Name, "??~1");
}

TEST_F(DbfExportTest, ChineseCaptionsAreCutBetweenCharacters) {
  auto* ds = NewDataSet({Column("A", ftString, 5), Column("B", ftString, 5)}, {});
  auto* e = NewExport(ds);
  e->Captions()->Add(WideToAnsi(u"A=用户地址信息一"));
  e->Captions()->Add(WideToAnsi(u"B=用户地址信息二"));
  const auto f = WrittenFields(ExportBytes(e));
  EXPECT_EQ(f[0].Name, WideToAnsi(u"用户地址信"));
  EXPECT_EQ(f[1].Name, WideToAnsi(u"用户地址~1"));
}

// --- memo files ---

TEST_F(DbfExportTest, MemosGoIntoWholeBlocksOfTheMemoFileFromBlockOne) {
  TExportTempDir dir;
  auto* ds = NewDataSet({Column("ID", ftInteger), Column("NOTE", ftMemo)},
                        {{1, Variant(std::string(510, 'a'))}, {2, Variant(std::string(511, 'b'))}, {3, Variant::Null()},
                         {4, Variant(std::string(70000, 'c'))}, {5, Variant(WideToAnsi(u"备注"))}});
  auto* e = NewExport(ds);
  e->ExportedFields()->Add("ID");
  e->ExportedFields()->Add("NOTE");
  e->SetFileName(dir.Path("memo.dbf"));
  e->Execute();
  const std::string t = ReadFileBytes(dir.Path("memo.dbf"));
  const std::string m = ReadFileBytes(dir.Path("memo.dbt"));
  EXPECT_EQ(static_cast<unsigned char>(t[0]), 0x83);
  EXPECT_EQ(WrittenFields(t)[1].Type, 'M');
  EXPECT_EQ(WrittenFields(t)[1].Length, 10);
  EXPECT_EQ(WrittenValue(t, 0, "NOTE"), "         1");
  EXPECT_EQ(WrittenValue(t, 1, "NOTE"), "         2");
  EXPECT_EQ(WrittenValue(t, 2, "NOTE"), std::string(10, ' '));
  EXPECT_EQ(WrittenValue(t, 3, "NOTE"), std::string(10, ' '));
  EXPECT_EQ(WrittenValue(t, 4, "NOTE"), "         4");
  ASSERT_EQ(m.size(), 5u * 512u);
  EXPECT_EQ(m.substr(0, 512), std::string("\x05\0\0\0", 4) + zeros(508));
  EXPECT_EQ(m.substr(512, 512), std::string(510, 'a') + "\x1A\x1A");
  EXPECT_EQ(m.substr(1024, 1024), std::string(511, 'b') + "\x1A\x1A" + zeros(511));
  EXPECT_EQ(m.substr(2048), WideToAnsi(u"备注") + "\x1A\x1A" + zeros(506));
  EXPECT_EQ(filesIn(dir.Dir()), (std::vector<std::string>{"memo.dbf", "memo.dbt"}));
}

TEST_F(DbfExportTest, MemoFieldsOfAnExportIntoMemoryAreBlank) {
  auto* ds = NewDataSet({Column("NOTE", ftMemo)}, {{Variant("text")}});
  auto* e = NewExport(ds);
  e->ExportedFields()->Add("NOTE");
  const std::string t = ExportBytes(e);
  EXPECT_EQ(t[0], '\x03');
  EXPECT_EQ(WrittenFields(t)[0].Type, 'M');
  EXPECT_EQ(WrittenValue(t, 0, "NOTE"), std::string(10, ' '));
}

TEST_F(DbfExportTest, MemoOfAnAliasedColumnComesFromItsOwnField) {
  TExportTempDir dir;
  auto* ds = NewDataSet({Column("NOTE", ftMemo)}, {{Variant("text")}});
  auto* e = NewExport(ds);
  e->ExportedFields()->Add("NOTE=Remarks");
  e->SetFileName(dir.Path("alias.dbf"));
  e->Execute();
  EXPECT_EQ(WrittenValue(ReadFileBytes(dir.Path("alias.dbf")), 0, "NOTE"), "         1");
  EXPECT_EQ(ReadFileBytes(dir.Path("alias.dbt")).substr(512, 6), "text\x1A\x1A");
}

// --- the record count and the end of the table ---

TEST_F(DbfExportTest, AbortedExportCountsTheRecordsItWrote) {
  auto* e = NewExport(NewDataSet({Column("N", ftInteger)}, {{1}, {2}, {3}}));
  e->OnExportedRecord = [e](TObject*, int RecNo) {
    if (RecNo == 1) e->Abort();
  };
  const std::string t = ExportBytes(e);
  EXPECT_EQ(t.substr(4, 4), std::string("\x02\0\0\0", 4));
  EXPECT_EQ(t.size(), 65u + 2u * 12u + 1u);
  EXPECT_EQ(t.back(), '\x1A');
}

TEST_F(DbfExportTest, EmptySourceGivesTheHeaderAndTheEndByte) {
  auto* e = NewExport(NewDataSet({Column("N", ftInteger)}, {}));
  const std::string t = ExportBytes(e);
  EXPECT_EQ(t.size(), 66u);
  EXPECT_EQ(t.substr(4, 4), zeros(4));
  EXPECT_EQ(t.substr(64), "\x0D\x1A");
}

// --- files that cannot be written ---

TEST_F(DbfExportTest, FolderThatCannotBeWrittenRaisesAndLeavesNothing) {
  TExportTempDir dir;
  fs::create_directory(dir.Path("locked"));
  if (!MakeUnwritable(dir.Path("locked"))) GTEST_SKIP() << "no folder can be made unwritable here";
  auto* e = NewExport(NewDataSet({Column("N", ftInteger)}, {{1}}));
  e->SetFileName(dir.Path("locked/out.dbf"));
  EXPECT_THROW(e->Execute(), EFCreateError);
  MakeWritable(dir.Path("locked"));
  EXPECT_TRUE(fs::is_empty(dir.Path("locked")));
}

TEST_F(DbfExportTest, ReadOnlyTargetRaisesAndKeepsItsBytes) {
  TExportTempDir dir;
  WriteFileBytes(dir.Path("ro.dbf"), "old");
  if (!MakeUnwritable(dir.Path("ro.dbf"))) GTEST_SKIP() << "no file can be made unwritable here";
  auto* e = NewExport(NewDataSet({Column("N", ftInteger)}, {{1}}));
  e->SetFileName(dir.Path("ro.dbf"));
  EXPECT_THROW(e->Execute(), EFCreateError);
  EXPECT_EQ(ReadFileBytes(dir.Path("ro.dbf")), "old");
  EXPECT_EQ(filesIn(dir.Dir()), std::vector<std::string>{"ro.dbf"});
}

TEST_F(DbfExportTest, ATableWhoseRecordOrHeaderLengthWouldWrapIsRefusedBeforeAnyByte) {
  TExportTempDir dir;
  WriteFileBytes(dir.Path("wide.dbf"), "old");
  // 300 fields of 254 bytes: a record of 76,201 bytes, which 16 bits cannot say.
  std::vector<TDbColumn> columns;
  std::vector<Variant> row;
  for (int i = 0; i < 300; ++i) {
    columns.push_back(Column("F", ftString, 254));
    columns.back().Name = "F" + std::to_string(i);
    row.push_back(Variant("x"));
  }
  auto* e = NewExport(NewDataSet(columns, {row}));
  e->SetFileName(dir.Path("wide.dbf"));
  EXPECT_NE(ExportErrorOf([&] { e->Execute(); }).find("65535"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(dir.Path("wide.dbf")), "old");
  TMemoryStream stream;
  EXPECT_NE(ExportErrorOf([&] { e->ExportToStream(&stream); }).find("65535"), std::string::npos);
  EXPECT_EQ(stream.Size(), 0);
  // 2100 one-byte fields: a short record, but a header of 67,233 bytes.
  columns.assign(2100, Column("F", ftString, 1));
  for (int i = 0; i < 2100; ++i) columns[static_cast<std::size_t>(i)].Name = "F" + std::to_string(i);
  row.assign(2100, Variant("y"));
  auto* many = NewExport(NewDataSet(columns, {row}));
  EXPECT_NE(ExportErrorOf([&] { many->ExportToStream(&stream); }).find("2046"), std::string::npos);
  EXPECT_EQ(stream.Size(), 0);
}

TEST_F(DbfExportTest, ExportThatFailsHalfwayLeavesTheOldTableAndMemoFile) {
  TExportTempDir dir;
  WriteFileBytes(dir.Path("half.dbf"), "old table");
  WriteFileBytes(dir.Path("half.dbt"), "old memo");
  auto* source = NewCustomSource({{"D", ectDate}}, {{Variant("")}, {Variant("31.31.31")}});
  auto* e = NewExport(source);
  e->SetFileName(dir.Path("half.dbf"));
  EXPECT_THROW(e->Execute(), EConvertError);
  EXPECT_EQ(ReadFileBytes(dir.Path("half.dbf")), "old table");
  EXPECT_EQ(ReadFileBytes(dir.Path("half.dbt")), "old memo");
  EXPECT_EQ(filesIn(dir.Dir()), (std::vector<std::string>{"half.dbf", "half.dbt"}));
}

TEST_F(DbfExportTest, FailedMemoExportKeepsTheOldMemoFile) {
  TExportTempDir dir;
  WriteFileBytes(dir.Path("m.dbt"), "old memo");
  auto* ds = NewDataSet({Column("NOTE", ftMemo), Column("F", ftFloat)}, {{Variant("new"), 1.0}});
  auto* e = NewExport(ds);
  e->ExportedFields()->Add("NOTE");
  e->ExportedFields()->Add("F");
  e->SetFileName(dir.Path("m.dbf"));
  e->OnExportedRecord = [](TObject*, int) { throw Exception("stopped"); };
  EXPECT_THROW(e->Execute(), Exception);
  EXPECT_EQ(ReadFileBytes(dir.Path("m.dbt")), "old memo");
  EXPECT_EQ(filesIn(dir.Dir()), std::vector<std::string>{"m.dbt"});
}

// --- settings ---

TEST_F(DbfExportTest, DefaultsAndPublishedPropertiesRoundTrip) {
  TDataExportDBF e(nullptr);
  EXPECT_EQ(e.Encoding(), 0);
  EXPECT_EQ(e.NullValue(), "null");
  EXPECT_EQ(e.Formats()->NULLString(), u"null");
  SetOrdProp(&e, "DefaultFloatSize", 20);
  SetOrdProp(&e, "DefaultFloatDecimal", 6);
  SetOrdProp(&e, "ExportTimeAsStr", 1);
  SetStrProp(&e, "NullValue", "  none ");
  EXPECT_EQ(GetOrdProp(&e, "DefaultFloatSize"), 20);
  EXPECT_EQ(GetOrdProp(&e, "DefaultFloatDecimal"), 6);
  EXPECT_EQ(GetOrdProp(&e, "ExportTimeAsStr"), 1);
  EXPECT_EQ(GetStrProp(&e, "NullValue"), "none");
  EXPECT_EQ(e.Formats()->NULLString(), u"none");
  EXPECT_EQ(GetObjectProp(&e, "ColumnsPrecision"), e.ColumnsPrecision());
  EXPECT_EQ(GetObjectProp(&e, "ColumnsLength"), e.ColumnsLength());
  EXPECT_EQ(GetObjectProp(&e, "Captions"), e.Captions());
  EXPECT_NE(GetPropInfo(&e, "FileName"), nullptr);
}

TEST_F(DbfExportTest, LengthSectionReadsBackAsSaved) {
  TExportTempDir dir;
  const std::string path = dir.Path("dbf.ini");
  TDataExportDBF saved(nullptr);
  saved.ColumnsLength()->Add("NAME=22");
  saved.ColumnsLength()->Add("ADDR=60");
  saved.ColumnsPrecision()->Add("PRICE=10,2");
  {
    TExportIniFile ini(path);
    saved.SaveToIni(&ini);
  }
  std::string text = ReadFileBytes(path);
  std::erase(text, '\r');
  EXPECT_NE(text.find("[LENGTH]\nline0=NAME=22\nline1=ADDR=60\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("PRICE"), std::string::npos);
  TDataExportDBF loaded(nullptr);
  loaded.ColumnsLength()->Add("OLD=1");
  TExportIniFile ini(path);
  loaded.LoadFromIni(&ini);
  EXPECT_EQ(loaded.ColumnsLength()->Text(), "NAME=22\r\nADDR=60\r\n");
}

}  // namespace
