// The conversion service: its types and names, its sources and targets, and the files it
// writes read back by independent readers.
#include "uFileConvert.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ConvertFixture.h"
#include "Forms.h"
#include "TADO_DataExportAccess.h"
#include "TClientDataSet.h"

namespace {

class uFileConvertTest : public ConvertTest {};

// A file's first byte.
std::uint8_t firstByte(const std::string& Path) {
  return static_cast<std::uint8_t>(ReadFileBytes(Path).at(0));
}

}  // namespace

TEST_F(uFileConvertTest, ExtensionsOfTheTypes) {
  EXPECT_EQ(GetFileTypeExt(TConvertType::ALL), "");
  EXPECT_EQ(GetFileTypeExt(TConvertType::TXT), ".txt");
  EXPECT_EQ(GetFileTypeExt(TConvertType::CSV), ".csv");
  EXPECT_EQ(GetFileTypeExt(TConvertType::MDB), ".mdb");
  EXPECT_EQ(GetFileTypeExt(TConvertType::XLS), ".xls");
  EXPECT_EQ(GetFileTypeExt(TConvertType::XML), ".xml");
  EXPECT_EQ(GetFileTypeExt(TConvertType::NONE), "");
  EXPECT_EQ(GetFileTypeExt(TConvertType::DBF), ".dbf");
  EXPECT_EQ(GetFileTypeExt(static_cast<TConvertType>(8)), "");
  EXPECT_EQ(ConvertTypeName(TConvertType::NONE), "NONE");
}

TEST_F(uFileConvertTest, ChangeFileTypeReplacesTheExtension) {
  EXPECT_EQ(ChangeFileType("/d/a.DBF", TConvertType::XLS), "/d/a.xls");
  EXPECT_EQ(ChangeFileType("/d/a", TConvertType::DBF), "/d/a.dbf");
  EXPECT_EQ(ChangeFileType("/d/a.txt", TConvertType::ALL), "/d/a.txt");
  EXPECT_EQ(ChangeFileType("/d/a.txt", TConvertType::NONE), "/d/a.txt");
}

TEST_F(uFileConvertTest, ModuleOwnedByItsOwnerIsTheProgramsOne) {
  TComponent programOwner(nullptr);
  delete module;  // the fixture's module was the first
  auto* program = NewDataModule<TdmUtils>(&programOwner);
  EXPECT_EQ(dmUtils, program);
  EXPECT_EQ(program->Owner(), &programOwner);
  EXPECT_EQ(program->ClientDataSet1->Owner(), program);
  delete program;
  EXPECT_EQ(dmUtils, nullptr);
  module = nullptr;
}

TEST_F(uFileConvertTest, SupportedSourcesGoByTheirExtensionInAnyCase) {
  for (const char* name : {"a.txt", "a.CSV", "a.mdb", "a.Xls", "a.xml", "a.DBF"}) EXPECT_TRUE(module->IsSupportedFile(name)) << name;
  for (const char* name : {"a.doc", "a", "a.dbt", "a.txt.bak"}) EXPECT_FALSE(module->IsSupportedFile(name)) << name;
}

TEST_F(uFileConvertTest, NoneConvertsNothingAndLeavesTheLastError) {
  WriteFileBytes(Path("a.doc"), "x");
  EXPECT_FALSE(module->ConvertFile(Path("a.doc"), TConvertType::MDB));
  EXPECT_EQ(module->LastError(), "Not Support File Format:" + Path("a.doc"));
  EXPECT_TRUE(module->ConvertFile(Path("a.doc"), TConvertType::NONE));
  EXPECT_EQ(module->LastError(), "Not Support File Format:" + Path("a.doc"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.doc"}));
}

TEST_F(uFileConvertTest, AMissingSourceSaysSoWithItsPath) {
  WriteFileBytes(Path("a.doc"), "x");
  module->ConvertFile(Path("a.doc"), TConvertType::MDB);
  EXPECT_FALSE(module->ConvertFile(Path("gone.dbf"), TConvertType::MDB));
  EXPECT_EQ(module->LastError(), "File not found: " + Path("gone.dbf"));
}

TEST_F(uFileConvertTest, ADbfBecomesADatabaseWithTheDeclaredTypes) {
  MakeDbf("KHDA.DBF", CustomerSpec, CustomerRecords);
  ASSERT_TRUE(module->ConvertFile(Path("KHDA.DBF"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("KHDA.mdb",
                   "print([(c[1], c[2]) for c in db.execute('pragma table_info(ExportResult)')])\n"
                   "for r in db.execute('select * from ExportResult'):\n  print(r)\n"),
            "[('HH', 'nvarchar(10)'), ('HM', 'nvarchar(20)'), ('DS', 'double'), ('KJ', 'INTEGER'), "
            "('RQ', 'datetime'), ('YC', 'LOGICAL'), ('BZ', 'memo')]\n"
            "('0100101', '张国强', 1234.5, 20, '2024-01-31', 1, '表在院内\\r\\n第二行')\n"
            "('0100102', '李秀英', 876.0, 25, '2023-12-30', 0, None)\n"
            "('0100103', None, None, None, None, None, None)\n");
}

TEST_F(uFileConvertTest, TheTableConvertedIsTheFileNamedNotOneInAnotherCase) {
  MakeDbf("CBSJ.DBF", "HH C(10); BZ M", "[('upper', '大写备注')]");
  MakeDbf("CBSJ.dbf", "HH C(10); BZ M", "[('lower', '小写备注')]");
  ASSERT_TRUE(module->ConvertFile(Path("CBSJ.dbf"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("CBSJ.mdb", "print(db.execute('select * from ExportResult').fetchall())\n"),
            "[('lower', '小写备注')]\n");
  ASSERT_TRUE(module->ConvertFile(Path("CBSJ.DBF"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("CBSJ.mdb", "print(db.execute('select * from ExportResult').fetchall())\n"),
            "[('upper', '大写备注')]\n");
}

TEST_F(uFileConvertTest, AConversionReplacesItsOwnTableAndKeepsTheOthers) {
  MakeDbf("a.dbf", "A N(5,0)", "[(1,), (2,)]");
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::MDB)) << module->LastError();
  Sqlite("a.mdb", "db.execute('create table Notes (T text)')\ndb.execute(\"insert into Notes values ('kept')\")\n"
                  "db.commit()\n");
  MakeDbf("a.dbf", "B C(3)", "[('x',)]");
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("a.mdb", "print(db.execute('select * from ExportResult').fetchall())\n"
                            "print(db.execute('select * from Notes').fetchall())\n"),
            "[('x',)]\n[('kept',)]\n");
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.dbf", "a.mdb"}));
}

TEST_F(uFileConvertTest, ARealAccessTargetIsRefusedAndLeftAsItWas) {
  MakeDbf("a.dbf", "A N(5,0)", "[(1,)]");
  std::string jet(4096, '\0');
  jet.replace(4, 15, "Standard Jet DB");
  WriteFileBytes(Path("a.mdb"), jet);
  EXPECT_FALSE(module->ConvertFile(Path("a.dbf"), TConvertType::MDB));
  EXPECT_NE(module->LastError().find("is a Microsoft Access database"), std::string::npos) << module->LastError();
  EXPECT_EQ(ReadFileBytes(Path("a.mdb")), jet);
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.dbf", "a.mdb"}));
}

TEST_F(uFileConvertTest, AnXmlPacketCarriesTheTableBothWays) {
  MakeDbf("a.dbf", CustomerSpec, CustomerRecords);
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::XML)) << module->LastError();
  std::filesystem::rename(Path("a.xml"), Path("b.xml"));
  ASSERT_TRUE(module->ConvertFile(Path("b.xml"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("b.mdb", "for r in db.execute('select * from ExportResult'):\n  print(r)\n"),
            "('0100101', '张国强', 1234.5, 20, '2024-01-31', 1, '表在院内\\r\\n第二行')\n"
            "('0100102', '李秀英', 876.0, 25, '2023-12-30', 0, None)\n"
            "('0100103', None, None, None, None, None, None)\n");
}

TEST_F(uFileConvertTest, ASourceAlreadyOfTheTypeWritesNothing) {
  MakeDbf("a.dbf", "A N(5,0)", "[(1,)]");
  EXPECT_TRUE(module->ConvertTo(Path("a.dbf"), ".DBF"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.dbf"}));
}

TEST_F(uFileConvertTest, AZeroVersionByteIsMendedInPlaceAndNothingElseIsTouched) {
  MakeDbf("a.dbf", "A N(5,0)", "[(1,)]");
  std::string bytes = ReadFileBytes(Path("a.dbf"));
  bytes[0] = '0';
  WriteFileBytes(Path("a.dbf"), bytes);
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::MDB)) << module->LastError();
  bytes[0] = '\x03';
  EXPECT_EQ(ReadFileBytes(Path("a.dbf")), bytes);

  // A table that needs nothing is not written at all: a read-only one converts as well.
  ASSERT_TRUE(MakeUnwritable(Path("a.dbf")));
  std::filesystem::remove(Path("a.mdb"));
  EXPECT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(firstByte(Path("a.dbf")), 0x03);
}

TEST_F(uFileConvertTest, AReadOnlyTableThatNeedsMendingFailsAndStaysWhole) {
  MakeDbf("a.dbf", "A N(5,0)", "[(1,)]");
  std::string bytes = ReadFileBytes(Path("a.dbf"));
  bytes[0] = '0';
  WriteFileBytes(Path("a.dbf"), bytes);
  ASSERT_TRUE(MakeUnwritable(Path("a.dbf")));
  EXPECT_FALSE(module->ConvertFile(Path("a.dbf"), TConvertType::MDB));
  EXPECT_NE(module->LastError().find("a.dbf"), std::string::npos) << module->LastError();
  EXPECT_EQ(ReadFileBytes(Path("a.dbf")), bytes);
  EXPECT_FALSE(std::filesystem::exists(Path("a.mdb")));
}

TEST_F(uFileConvertTest, ASourceTheReaderRefusesSaysWhy) {
  WriteFileBytes(Path("bad.dbf"), std::string("\x03\x7e\x0c\x09", 4));
  EXPECT_FALSE(module->ConvertFile(Path("bad.dbf"), TConvertType::MDB));
  EXPECT_EQ(module->LastError().rfind("Open file  as Database Error: ", 0), 0u) << module->LastError();
  EXPECT_FALSE(std::filesystem::exists(Path("bad.mdb")));
}

TEST_F(uFileConvertTest, AWorkbookWithoutSheetsOrADatabaseWithoutTablesFails) {
  Sqlite("empty.mdb", "db.execute('create table x (a integer)')\ndb.execute('drop table x')\ndb.commit()\n");
  EXPECT_FALSE(module->ConvertFile(Path("empty.mdb"), TConvertType::XML));
  EXPECT_EQ(module->LastError().rfind("Open file  as Database Error: ", 0), 0u) << module->LastError();
  EXPECT_FALSE(std::filesystem::exists(Path("empty.xml")));
}

TEST_F(uFileConvertTest, AFailedTargetLeavesNoPartOfIt) {
  MakeDbf("a.dbf", "A N(5,0)", "[(1,)]");
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::XML));
  const std::string earlier = ReadFileBytes(Path("a.xml"));
  ASSERT_TRUE(MakeUnwritable(dir.Dir().string()));
  EXPECT_FALSE(module->ConvertFile(Path("a.dbf"), TConvertType::MDB));
  EXPECT_NE(module->LastError().find("a.mdb"), std::string::npos) << module->LastError();
  EXPECT_FALSE(module->ConvertFile(Path("a.dbf"), TConvertType::XML));
  MakeWritable(dir.Dir().string());
  EXPECT_EQ(ReadFileBytes(Path("a.xml")), earlier);
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.dbf", "a.xml"}));
}

TEST_F(uFileConvertTest, ATextSourceIsReadInTheTextFormatAndOnlyItsSchemaSectionChanges) {
  WriteSettings("[TEXTFORMAT]\r\nDelimiterChar=;\r\nQuoteChar='\r\n");
  WriteFileBytes(Path("Schema.ini"), "; kept\r\n[other.txt]\r\nFormat=TabDelimited\r\n[a.txt]\r\nFormat=FixedLength\r\n"
                                     "Col1=A Text Width 3\r\n");
  WriteFileBytes(Path("a.txt"), "A;B\r\n1;'x;y'\r\n2;z\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("a.txt"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("a.mdb", "print(db.execute('select * from ExportResult').fetchall())\n"),
            "[(1, 'x;y'), (2, 'z')]\n");
  EXPECT_EQ(ReadFileBytes(Path("Schema.ini")),
            "; kept\r\n[other.txt]\r\nFormat=TabDelimited\r\n[a.txt]\r\nColNameHeader=True\r\nFormat=Delimited(;)\r\n"
            "TextDelimiter='\r\n");
}

TEST_F(uFileConvertTest, ATextSourceWithoutCaptionsNamesItsColumnsByPosition) {
  WriteSettings("[TEXTFORMAT]\r\nDelimiterChar=t\r\nIncludeTitle=0\r\n");
  WriteFileBytes(Path("a.txt"), "1\t\"x\ty\"\r\n2\tz\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("a.txt"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("a.mdb", "print([c[1] for c in db.execute('pragma table_info(ExportResult)')])\n"
                            "print(db.execute('select * from ExportResult').fetchall())\n"),
            "['F1', 'F2']\n[(1, 'x\\ty'), (2, 'z')]\n");
  EXPECT_NE(ReadFileBytes(Path("Schema.ini")).find("Format=TabDelimited\r\nTextDelimiter=\"\r\n"), std::string::npos);
}

TEST_F(uFileConvertTest, ATabDelimitedTextIsReadAsSuchWhateverTheTextFormat) {
  // Saved from a spreadsheet: tabs, a comma inside a value, no TEXTFORMAT section.
  WriteFileBytes(Path("a.txt"), "NAME\tQTY\tDAY\r\n\xd5\xc5,\xc0\xee\t3\t2024-01-02\r\nx\t4\t2024-01-03\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("a.txt"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("a.mdb", "print([c[1] for c in db.execute('pragma table_info(ExportResult)')])\n"
                            "print(db.execute('select * from ExportResult').fetchall())\n"),
            "['NAME', 'QTY', 'DAY']\n[('张,李', 3, '2024-01-02'), ('x', 4, '2024-01-03')]\n");
}

TEST_F(uFileConvertTest, ATextFormatThatCannotBeReadBackIsRefused) {
  WriteSettings("[TEXTFORMAT]\r\nDelimiterChar=,\r\nQuoteChar=,\r\n");
  WriteFileBytes(Path("a.txt"), "A\r\n1\r\n");
  EXPECT_FALSE(module->ConvertFile(Path("a.txt"), TConvertType::MDB));
  EXPECT_EQ(module->LastError(), "The delimiter and the quote character of the TXT format are the same character");
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.txt", "handheld-manager.ini"}));
}

TEST_F(uFileConvertTest, ACsvSourceHasItsCaptionLineFirst) {
  WriteFileBytes(Path("a.csv"), "HH,HM,DS\r\n\"0100101\",\"\xd5\xc5\xb9\xfa\xc7\xbf\",1234.5\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("a.csv"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("a.mdb", "print(db.execute('select * from ExportResult').fetchall())\n"),
            "[('0100101', '张国强', 1234.5)]\n");
}

TEST_F(uFileConvertTest, AllWritesEveryTypeInOrder) {
  MakeDbf("a.dbf", CustomerSpec, CustomerRecords);
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::ALL)) << module->LastError();
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.csv", "a.dbf", "a.dbt", "a.mdb", "a.txt", "a.xls", "a.xml"}));
  const std::vector<std::string> order = {"a.txt", "a.csv", "a.mdb", "a.xls", "a.xml"};
  for (std::size_t i = 1; i < order.size(); ++i)
    EXPECT_LE(std::filesystem::last_write_time(Path(order[i - 1])), std::filesystem::last_write_time(Path(order[i])))
        << order[i];
  // The workbook holds the table as the independent reader sees it.
  const TReaderResult r = RunPython("import xlrd, sys\n"
                                    "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                    "print(s.nrows, s.row_values(0), s.cell_value(1, 1))\n",
                                    "'" + Path("a.xls") + "' 2>&1");
  EXPECT_EQ(r.Output, "4 ['HH', 'HM', 'DS', 'KJ', 'RQ', 'YC', 'BZ'] 张国强\n");
}

TEST_F(uFileConvertTest, AllStopsAtTheFirstFailedTargetAndKeepsTheOnesBefore) {
  MakeDbf("a.dbf", "A N(5,0)", "[(1,)]");
  std::string jet(4096, '\0');
  jet.replace(4, 15, "Standard Jet DB");
  WriteFileBytes(Path("a.mdb"), jet);
  EXPECT_FALSE(module->ConvertFile(Path("a.dbf"), TConvertType::ALL));
  EXPECT_NE(module->LastError().find("is a Microsoft Access database"), std::string::npos) << module->LastError();
  EXPECT_EQ(ReadFileBytes(Path("a.mdb")), jet);
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.csv", "a.dbf", "a.mdb", "a.txt"}));
}

TEST_F(uFileConvertTest, ACsvFileIsWrittenTheSameWhateverTextFileWasWrittenBefore) {
  MakeDbf("a.dbf", "HH C(10); HM C(20)", "[('1', 'a b'), ('2', 'c')]");
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::CSV)) << module->LastError();
  const std::string fresh = ReadFileBytes(Path("a.csv"));
  EXPECT_EQ(fresh, "\"HH\",\"HM\"\r\n\"1\",\"a b\"\r\n\"2\",\"c\"\r\n");
  WriteSettings("[TEXTFORMAT]\r\nDelimiterChar=;\r\nQuoteChar='\r\nQuotedString=0\r\nIncludeTitle=0\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::TXT)) << module->LastError();
  EXPECT_EQ(ReadFileBytes(Path("a.txt")), "1;a b\r\n2;c\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::CSV)) << module->LastError();
  EXPECT_EQ(ReadFileBytes(Path("a.csv")), fresh);
}

TEST_F(uFileConvertTest, TextLengthsOfAnEarlierTableNeverCutALaterPacketsTexts) {
  // A packet keeps its fields' declared sizes; the lengths measured for an earlier table's
  // field of the same name must not apply to it.
  MakeDbf("long.dbf", "HM C(40)", "[('张国强城东区解放路12号3单元',)]");
  ASSERT_TRUE(module->ConvertFile(Path("long.dbf"), TConvertType::XML)) << module->LastError();
  std::filesystem::rename(Path("long.xml"), Path("b.xml"));
  WriteFileBytes(Path("short.csv"), "HM\r\nab\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("short.csv"), TConvertType::DBF)) << module->LastError();
  EXPECT_EQ(DbfRecords("short.dbf"), "['HM']\n['ab']\n");
  ASSERT_TRUE(module->ConvertFile(Path("b.xml"), TConvertType::DBF)) << module->LastError();
  EXPECT_EQ(DbfRecords("b.dbf"), "['HM']\n['张国强城东区解放路12号3单元']\n");
}
