#include "TADO_DataExportAccess.h"

#include <gtest/gtest.h>

#include "ExportFixture.h"
#include "ExportMessages.h"
#include "ExportReaders.h"
#include "TClientDataSet.h"
#include "TExportCustomColumn.h"
#include "TExportColumn.h"
#include "TExportCustomColumns.h"
#include "TStrings.h"
#include "TExportFormats.h"
#include "TExportIniFile.h"
#include "TExportLocale.h"
#include "TypInfo.h"

namespace {

class TADO_DataExportAccessTest : public ExportTest {
protected:
  // An exporter of the data set into Database.
  TADO_DataExportAccess* NewExport(TDataSet* Data, const std::string& Database) {
    auto* e = new TADO_DataExportAccess(owner);
    e->SetDataSet(Data);
    e->SetDatabaseName(Database);
    return e;
  }

  // Python's sqlite3 module on the database: Script runs with `db` connected.
  static std::string Sqlite(const std::string& Database, const std::string& Script) {
    const TReaderResult r = RunPython("import sqlite3, sys\ndb = sqlite3.connect(sys.argv[1])\n" + Script,
                                      "'" + Database + "' 2>&1");
    EXPECT_EQ(r.Status, 0) << r.Output;
    return r.Output;
  }

  TExportTempDir dir;
};

}  // namespace

TEST_F(TADO_DataExportAccessTest, StatementsNameEveryColumnWithItsDeclaredType) {
  TExportCustomSource* source =
      NewCustomSource({{"Name", ectString}, {"Price", ectFloat}, {"Blob", ectUnknown}}, {{"pen", 1.5, "x"}});
  source->Columns()->Items(0)->SetSize(30);
  source->Columns()->Items(2)->SetCaption("");
  auto* e = new TADO_DataExportAccess(owner);
  e->SetExportSource(esCustom);
  e->SetCustomSource(source);
  e->SetDatabaseName(dir.Path("a.mdb"));
  e->Execute();
  EXPECT_EQ(e->CreateStatement(), "create table ExportResult ([Name] nvarchar(30),[Price] double,FIELD2 memo)");
  EXPECT_EQ(e->InsertStatement(), "insert into ExportResult([Name],[Price],FIELD2) values(:PARAM0,:PARAM1,:PARAM2)");
  EXPECT_EQ(Sqlite(dir.Path("a.mdb"),
                   "print(db.execute(\"select sql from sqlite_master where name='ExportResult'\").fetchone()[0])\n"
                   "print(db.execute('select Name, Price, typeof(Price), FIELD2 from ExportResult').fetchall())\n"),
            "CREATE TABLE ExportResult ([Name] nvarchar(30),[Price] double,FIELD2 memo)\n"
            "[('pen', 1.5, 'real', 'x')]\n");
}

TEST_F(TADO_DataExportAccessTest, TextsLongerThan255CharactersAreMemos) {
  TExportColumn column(nullptr);
  column.SetColType(ectString);
  column.SetLength(255);
  EXPECT_EQ(AccessColumnType(column, false, true).SqlType, "nvarchar(255)");
  column.SetLength(256);
  EXPECT_EQ(AccessColumnType(column, false, true).SqlType, "memo");
  column.SetLength(10);
  column.SetIsMemo(true);
  EXPECT_EQ(AccessColumnType(column, false, true).SqlType, "memo");
  column.SetIsMemo(false);
  column.SetColType(ectDateTime);
  EXPECT_EQ(AccessColumnType(column, false, true).SqlType, "datetime");
  EXPECT_EQ(AccessColumnType(column, true, true).SqlType, "nvarchar(20)");
  column.SetColType(ectBigint);
  column.SetFieldType(ftLargeint);
  EXPECT_EQ(AccessColumnType(column, false, true).SqlType, "nvarchar(19)");
  EXPECT_EQ(AccessColumnType(column, false, false).SqlType, "integer");
  EXPECT_EQ(AccessColumnName("A]B", 0), "[A_B]");
}

TEST_F(TADO_DataExportAccessTest, EveryValueIsStoredAsItsColumnsDeclaredType) {
  TClientDataSet* data = NewDataSet(
      {Column("N", ftInteger), Column("BIG", ftLargeint), Column("F", ftFloat), Column("D", ftDate),
       Column("T", ftDateTime), Column("L", ftBoolean), Column("S", ftString, 20), Column("M", ftMemo)},
      {{1234567, 9007199254740993LL, 0.1, Variant::FromDateTime(45351.0), Variant::FromDateTime(45351.5), true,
        "\xd5\xc5\xb9\xfa\xc7\xbf", "memo"},
       {Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), false, "",
        Variant::Null()}});
  TADO_DataExportAccess* e = NewExport(data, dir.Path("types.mdb"));
  e->ExportedFields()->Add("N");
  for (const char* name : {"BIG", "F", "D", "T", "L", "S", "M"}) e->ExportedFields()->Add(name);
  e->Formats()->SetFloatFormat("");
  e->Formats()->SetIntegerFormat("0");
  e->Formats()->SetDateFormat("yyyy-mm-dd");
  e->Formats()->SetDateTimeFormat("yyyy-mm-dd hh:nn:ss");
  e->Execute();
  EXPECT_EQ(Sqlite(dir.Path("types.mdb"),
                   "for row in db.execute('select N, typeof(N), BIG, typeof(BIG), F, D, T, L, typeof(L), S, M "
                   "from ExportResult'):\n  print(row)\n"
                   "print([c[2] for c in db.execute('pragma table_info(ExportResult)')])\n"),
            "(1234567, 'integer', '9007199254740993', 'text', 0.1, '2024-02-29', '2024-02-29 12:00:00', 1, "
            "'integer', '张国强', 'memo')\n"
            "(None, 'null', None, 'null', None, None, None, 0, 'integer', None, None)\n"
            "['INTEGER', 'nvarchar(19)', 'double', 'datetime', 'datetime', 'LOGICAL', 'nvarchar(20)', 'memo']\n");
}

TEST_F(TADO_DataExportAccessTest, ASecondExportAppendsToTheTable) {
  TClientDataSet* data = NewDataSet({Column("A", ftInteger)}, {{1}, {2}});
  TADO_DataExportAccess* e = NewExport(data, dir.Path("twice.mdb"));
  e->Execute();
  e->Execute();
  EXPECT_EQ(Sqlite(dir.Path("twice.mdb"), "print(db.execute('select count(*) from ExportResult').fetchone()[0])\n"),
            "4\n");
}

TEST_F(TADO_DataExportAccessTest, TheNullTextStoresNull) {
  TClientDataSet* data = NewDataSet({Column("S", ftString, 10)}, {{"n/a"}, {"x"}});
  TADO_DataExportAccess* e = NewExport(data, dir.Path("null.mdb"));
  e->Formats()->SetNULLString(u"n/a");
  e->Execute();
  EXPECT_EQ(Sqlite(dir.Path("null.mdb"), "print(db.execute('select S from ExportResult').fetchall())\n"),
            "[(None,), ('x',)]\n");
}

TEST_F(TADO_DataExportAccessTest, ARealAccessDatabaseIsRefusedAndLeftAsItWas) {
  std::string jet(2048, '\0');
  jet.replace(4, 15, "Standard Jet DB");
  WriteFileBytes(dir.Path("real.mdb"), jet);
  TADO_DataExportAccess* e = NewExport(NewDataSet({Column("A", ftInteger)}, {{1}}), dir.Path("real.mdb"));
  EXPECT_EQ(ExportErrorOf([&] { e->Execute(); }),
            "Database \"" + dir.Path("real.mdb") +
                "\" is a Microsoft Access database, which is read but never written here: Access targets are "
                "written as SQLite databases");
  EXPECT_EQ(ReadFileBytes(dir.Path("real.mdb")), jet);
}

TEST_F(TADO_DataExportAccessTest, APasswordIsRefusedBeforeAnythingIsWritten) {
  TADO_DataExportAccess* e = NewExport(NewDataSet({Column("A", ftInteger)}, {{1}}), dir.Path("secret.mdb"));
  e->SetPassword("pw");
  EXPECT_NE(ExportErrorOf([&] { e->Execute(); }).find("cannot be protected by a password"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("secret.mdb")));
}

TEST_F(TADO_DataExportAccessTest, AValueThatDoesNotConvertEndsTheExportAndKeepsTheRowsBefore) {
  TExportCustomSource* source = NewCustomSource({{"Price", ectFloat}}, {{"1.5"}, {"abc"}, {"3"}});
  auto* e = new TADO_DataExportAccess(owner);
  e->SetExportSource(esCustom);
  e->SetCustomSource(source);
  e->SetDatabaseName(dir.Path("bad.mdb"));
  EXPECT_NE(ExportErrorOf([&] { e->Execute(); }), "");
  EXPECT_EQ(Sqlite(dir.Path("bad.mdb"), "print(db.execute('select Price from ExportResult').fetchall())\n"),
            "[(1.5,)]\n");
}

TEST_F(TADO_DataExportAccessTest, AnyFileNameReachesTheDatabase) {
  const std::string name = dir.Path("semi;colon \"quoted\" .mdb");
  TADO_DataExportAccess* e = NewExport(NewDataSet({Column("A", ftInteger)}, {{7}}), name);
  e->Execute();
  EXPECT_EQ(Sqlite(name, "print(db.execute('select A from ExportResult').fetchall())\n"), "[(7,)]\n");
}

TEST_F(TADO_DataExportAccessTest, PrintingNeedsAccessAndShowingAsksTheDesktop) {
  TADO_DataExportAccess* e = NewExport(NewDataSet({Column("A", ftInteger)}, {{7}}), dir.Path("shown.mdb"));
  e->SetShowFile(true);
  e->Execute();
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Kind, dkShellExecute);
  EXPECT_EQ(hook.Shown()[0].Caption, "open");
  EXPECT_EQ(hook.Shown()[0].Text, dir.Path("shown.mdb"));
  e->SetPrintFile(true);
  EXPECT_EQ(ExportErrorOf([&] { e->Execute(); }), "You need install and register the MS Access application");
}

TEST_F(TADO_DataExportAccessTest, TheFileVersionIsKeptInItsIniSection) {
  auto* e = new TADO_DataExportAccess(owner);
  e->SetFileVersion(afvAccess2007);
  {
    TExportIniFile ini(dir.Path("access.ini"));
    e->SaveToIni(&ini);
  }
  EXPECT_NE(ReadFileBytes(dir.Path("access.ini")).find("[ACCESS]\r\nVersion=1"), std::string::npos);
  auto* loaded = new TADO_DataExportAccess(owner);
  TExportIniFile ini(dir.Path("access.ini"));
  loaded->LoadFromIni(&ini);
  EXPECT_EQ(loaded->FileVersion(), afvAccess2007);
}

TEST_F(TADO_DataExportAccessTest, PublishedSettingsRoundTripThroughThePropertyTable) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TADO_DataExportAccess::StaticClass().Properties()) names.push_back(p->Name);
  const std::vector<std::string> tail(names.end() - 9, names.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"TableName", "Password", "AutoCreateDatabase", "AutoCreateTable",
                                            "DateTimeAsNvarchar", "LargeIntAsText", "FileVersion", "ShowFile",
                                            "PrintFile"}));
  TADO_DataExportAccess e(nullptr);
  EXPECT_EQ(GetStrProp(&e, "TableName"), "ExportResult");
  const TPropInfo* version = GetPropInfo(&e, "FileVersion");
  EXPECT_EQ(GetEnumName(*version, GetOrdProp(&e, "FileVersion")), "afvAccess2003");
  EXPECT_TRUE(GetOrdProp(&e, "LargeIntAsText"));
  EXPECT_TRUE(GetOrdProp(&e, "AutoCreateDatabase"));
  SetStrProp(&e, "TableName", "Readings");
  SetOrdProp(&e, "FileVersion", GetEnumValue(*version, "afvAccess2007"));
  SetOrdProp(&e, "DateTimeAsNvarchar", 1);
  EXPECT_EQ(e.TableName(), "Readings");
  EXPECT_EQ(e.FileVersion(), afvAccess2007);
  EXPECT_TRUE(e.DateTimeAsNvarchar());
  EXPECT_FALSE(e.Formats()->KeepOriginalFormat());
}
