#include "SqliteDatabase.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>
#include <vector>

#include "CodePage.h"
#include "DateRoutines.h"
#include "FormatSettings.h"
#include "TDbTestFolder.h"

namespace {

struct DeclaredRow {
  const char* declared;
  TFieldType type;
  int size;
};

const DeclaredRow DeclaredRows[] = {
    {"integer", ftInteger, 0},      {"LONG", ftInteger, 0},          {"counter", ftAutoInc, 0},
    {"smallint", ftSmallint, 0},    {"byte", ftWord, 0},             {"bigint", ftLargeint, 0},
    {"double", ftFloat, 0},         {"currency", ftBCD, 0},          {"decimal(10,2)", ftBCD, 0},
    {"decimal(20,6)", ftFloat, 0},  {"datetime", ftDateTime, 0},     {"date", ftDate, 0},
    {"LOGICAL", ftBoolean, 0},      {"nvarchar(30)", ftWideString, 30}, {"varchar", ftWideString, 255},
    {"text(12)", ftWideString, 12}, {"text", ftWideMemo, 0},         {"memo", ftWideMemo, 0},
    {"longbinary", ftBlob, 0},      {"guid", ftGuid, 38},            {"unsigned big int", ftLargeint, 0},
    {"varying character(5)", ftWideMemo, 0}, {"", ftWideMemo, 0},
};

// One table with a column of each declared type, made once by Python.
class SqliteDeclaredTypeTest : public ::testing::TestWithParam<int> {
protected:
  static void SetUpTestSuite() {
    folder = new TDbTestFolder;
    std::string columns;
    for (std::size_t i = 0; i < std::size(DeclaredRows); ++i)
      columns += (i ? ", c" : "c") + std::to_string(i) + " " + DeclaredRows[i].declared;
    folder->Python("import sqlite3\nc = sqlite3.connect('t.db')\nc.execute('create table t (" + columns +
                   ")')\nc.commit()\n");
  }
  static void TearDownTestSuite() {
    delete folder;
    folder = nullptr;
  }
  static TDbTestFolder* folder;
};
TDbTestFolder* SqliteDeclaredTypeTest::folder = nullptr;

TEST_P(SqliteDeclaredTypeTest, ColumnTypeComesFromTheDeclaredType) {
  const DeclaredRow& row = DeclaredRows[GetParam()];
  auto cursor = OpenSqliteDatabase(folder->File("t.db"))->OpenTable("t");
  const TDbColumn& column = cursor->Columns()[static_cast<std::size_t>(GetParam())];
  EXPECT_EQ(column.Name, "c" + std::to_string(GetParam()));
  EXPECT_EQ(column.DataType, row.type) << row.declared;
  EXPECT_EQ(column.Size, row.size) << row.declared;
}

INSTANTIATE_TEST_SUITE_P(AccessAndSqlNames, SqliteDeclaredTypeTest,
                         ::testing::Range(0, static_cast<int>(std::size(DeclaredRows))),
                         [](const ::testing::TestParamInfo<int>& info) {
                           std::string name = DeclaredRows[info.param].declared;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return "T" + std::to_string(info.param) + "_" + name;
                         });

TEST(SqliteDatabaseTest, ReadsWhatPythonWrote) {
  TDbTestFolder folder;
  folder.Python(
      "import sqlite3\n"
      "c = sqlite3.connect('meters.db')\n"
      "c.execute('create table Zeta (a integer)')\n"
      "c.execute('create table readings (id counter primary key, meter nvarchar(20), amount currency, '\n"
      "          'value double, read_on datetime, ok logical, note memo, photo longbinary)')\n"
      "c.execute('insert into readings values (1, ?, 12.34, 0.5, ?, 1, ?, ?)',\n"
      "          ('水表-1', '2024-02-29 13:45:30', '第一行\\n第二行', b'\\x00\\xff'))\n"
      "c.execute('insert into readings values (2, NULL, NULL, NULL, 2460370.5, 0, NULL, NULL)')\n"
      "c.execute('create table alpha (a text)')\n"
      "c.commit()\n");
  auto db = OpenSqliteDatabase(folder.File("meters.db"));
  EXPECT_EQ(db->TableNames(), (std::vector<AnsiString>{"alpha", "readings", "Zeta"}));
  auto cursor = db->OpenTable("READINGS");
  EXPECT_EQ(cursor->RecordCountHint(), 2);
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0].AsInteger(), 1);
  EXPECT_EQ(rows[0][1].AsWideString(), u"水表-1");
  EXPECT_EQ(rows[0][2].VarType(), varCurrency);
  EXPECT_EQ(rows[0][2].AsCurrency(), Currency::FromScaled(123400));
  EXPECT_DOUBLE_EQ(rows[0][4].AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0));
  EXPECT_TRUE(rows[0][5].AsBoolean());
  EXPECT_EQ(rows[0][6].AsWideString(), u"第一行\n第二行");
  EXPECT_EQ(rows[0][7].AsString(), std::string("\x00\xff", 2));
  EXPECT_TRUE(rows[1][1].IsNull());
  EXPECT_TRUE(rows[1][2].IsNull());
  // A REAL in a date column is a Julian day.
  EXPECT_DOUBLE_EQ(rows[1][4].AsDateTime(), EncodeDate(2024, 3, 1));
  cursor->Rewind();
  EXPECT_EQ(ReadAll(*cursor).size(), 2u);
  EXPECT_THROW(db->OpenTable("missing"), EDatabaseError);
  EXPECT_THROW(db->OpenTable("sqlite_master"), EDatabaseError);
}

class SqliteWriteTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved = GetFormatSettings();
    TFormatSettings settings = saved;
    settings.ThousandSeparator = ',';
    settings.DecimalSeparator = '.';
    settings.ShortDateFormat = "yyyy/m/d";
    settings.DateSeparator = '/';
    SetFormatSettings(settings);
    file = folder.File("out.mdb");
    CreateSqliteDatabase(file);
  }
  void TearDown() override { SetFormatSettings(saved); }

  // The rows of table T as Python's sqlite3 module reads them: each value with its type.
  std::string pythonRows() {
    return folder.Python(
        "import sqlite3\n"
        "for r in sqlite3.connect('out.mdb').execute('select * from T'):\n"
        "    print([(type(v).__name__, v) for v in r])\n");
  }

  TFormatSettings saved;
  TDbTestFolder folder;
  AnsiString file;
};

TEST_F(SqliteWriteTest, ParametersAreStoredAsTheirDeclaredTypes) {
  {
    auto db = OpenSqliteDatabase(file);
    db->Prepare("create table T ([Qty] integer,[Price] double,[Amount] currency,[Day] datetime,[Ok] LOGICAL,"
                "[Name] nvarchar(30),FIELD6 memo)")
        ->Execute({});
    auto insert = db->Prepare("insert into T([Qty],[Price],[Amount],[Day],[Ok],[Name],FIELD6) values(?,?,?,?,?,?,?)");
    ASSERT_EQ(insert->ParamCount(), 7);
    auto row = [](std::vector<Variant> values) {
      const TFieldType types[] = {ftInteger, ftFloat, ftCurrency, ftDateTime, ftBoolean, ftWideString, ftMemo};
      std::vector<TDbParam> params;
      for (std::size_t i = 0; i < values.size(); ++i)
        params.push_back(TDbParam{"PARAM" + std::to_string(i), types[i], values[i]});
      return params;
    };
    EXPECT_EQ(insert->Execute(row({Variant(u"1,234"), Variant(u"1,234.5"), Variant(u"1,234.56"),
                                   Variant(u"2024/2/29 13:45:30"), Variant(u"true"), Variant(u"抄表员"),
                                   Variant(WideToAnsi(u"备注"))})),
              1);
    EXPECT_EQ(insert->Execute(row({Variant(), Variant(), Variant(), Variant(u"2024/3/1"), Variant(u"false"),
                                   Variant(u""), Variant::Null()})),
              1);
  }
  EXPECT_EQ(pythonRows(),
            "[('int', 1234), ('float', 1234.5), ('float', 1234.56), ('str', '2024-02-29 13:45:30'), ('int', 1), "
            "('str', '抄表员'), ('str', '备注')]\n"
            "[('NoneType', None), ('NoneType', None), ('NoneType', None), ('str', '2024-03-01'), ('int', 0), "
            "('str', ''), ('NoneType', None)]\n");
}

TEST_F(SqliteWriteTest, AValueThatDoesNotConvertNamesItsParameterAndKeepsEarlierRows) {
  {
    auto db = OpenSqliteDatabase(file);
    db->Prepare("create table T (Qty integer)")->Execute({});
    auto insert = db->Prepare("insert into T(Qty) values(?)");
    insert->Execute({TDbParam{"PARAM0", ftInteger, Variant("7")}});
    try {
      insert->Execute({TDbParam{"PARAM0", ftInteger, Variant("seven")}});
      FAIL();
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), file + ": parameter PARAM0: 'seven' is not a valid integer");
    }
    EXPECT_THROW(insert->Execute({}), EDatabaseError);
    EXPECT_THROW(db->Prepare("insert into Nowhere values(1)"), EDatabaseError);
    EXPECT_THROW(db->Prepare("create table A (x); drop table T"), EDatabaseError);
  }
  EXPECT_EQ(pythonRows(), "[('int', 7)]\n");
}

TEST_F(SqliteWriteTest, EachRowKeepsItsOwnTextsAndDates) {
  // A prepared insert run row after row, texts shrinking and growing, a refused row between;
  // a lone surrogate, which has no UTF-8 form, is stored as the substitute "?".
  {
    auto db = OpenSqliteDatabase(file);
    db->Prepare("create table T ([Name] nvarchar(40),[Note] memo,[Day] datetime)")->Execute({});
    auto insert = db->Prepare("insert into T([Name],[Note],[Day]) values(?,?,?)");
    auto run = [&](const Variant& Name, const Variant& Note, const Variant& Day) {
      insert->Execute({TDbParam{"PARAM0", ftWideString, Name}, TDbParam{"PARAM1", ftWideMemo, Note},
                       TDbParam{"PARAM2", ftDateTime, Day}});
    };
    run(Variant(u"a first name long enough for the heap"), Variant(u"水表 \U00020000 é"),
        Variant::FromDateTime(EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 250)));
    EXPECT_THROW(run(Variant(u"refused"), Variant(u"x"), Variant(u"2024-02-30")), EDatabaseError);
    EXPECT_THROW(run(Variant(u"refused"), Variant(u"x"), Variant(u"0000-01-01")), EDatabaseError);
    run(Variant(u"short"), Variant(std::u16string_view(u"lone \xD800 half", 11)), Variant(u" 0001-01-01 "));
    run(Variant(u""), Variant(), Variant(u"9999/12/31 00:00:05"));
  }
  EXPECT_EQ(pythonRows(),
            "[('str', 'a first name long enough for the heap'), ('str', '水表 \U00020000 é'), "
            "('str', '2024-02-29 13:45:30.250')]\n"
            "[('str', 'short'), ('str', 'lone ? half'), ('str', '0001-01-01')]\n"
            "[('str', ''), ('NoneType', None), ('str', '9999-12-31 00:00:05')]\n");
}

TEST_F(SqliteWriteTest, NumberTextsAreStoredAsTheNearestDoubleInTheProcesssFormat) {
  const std::vector<std::u16string> texts = {
      u"0.1", u"-0.0", u"-0", u"007.50", u"9007199254740993", u"123456789012345678901234", u"0.30000000000000004441",
      u"1.7976931348623157", u"2.5e3", u" 42 ", u"1,234.5", u"$12.25", u"-.5", u"5."};
  auto store = [&](const AnsiString& Table) {
    auto db = OpenSqliteDatabase(file);
    db->Prepare("create table " + Table + " (V double)")->Execute({});
    auto insert = db->Prepare("insert into " + Table + "(V) values(?)");
    for (const std::u16string& text : texts) insert->Execute({TDbParam{"PARAM0", ftFloat, Variant(text)}});
  };
  store("T");
  // Decimal comma and thousand point: "1.234" is a thousand and more, never one and a bit.
  TFormatSettings settings = GetFormatSettings();
  settings.DecimalSeparator = ',';
  settings.ThousandSeparator = '.';
  SetFormatSettings(settings);
  {
    auto db = OpenSqliteDatabase(file);
    db->Prepare("create table C (V double)")->Execute({});
    auto insert = db->Prepare("insert into C(V) values(?)");
    for (const char16_t* text : {u"1.234", u"1.234,5", u"-0,25"})
      insert->Execute({TDbParam{"PARAM0", ftFloat, Variant(text)}});
    // With a space between thousands, a point is no part of a number.
    settings.ThousandSeparator = ' ';
    SetFormatSettings(settings);
    EXPECT_THROW(insert->Execute({TDbParam{"PARAM0", ftFloat, Variant(u"1.5")}}), EDatabaseError);
  }
  // Python reads each plain text itself: its float() is the nearest double (SQLite keeps -0.0
  // as 0).
  EXPECT_EQ(folder.Python("import sqlite3\n"
                          "c = sqlite3.connect('out.mdb')\n"
                          "texts = ['0.1', '-0.0', '-0', '007.50', '9007199254740993', '123456789012345678901234',\n"
                          "         '0.30000000000000004441', '1.7976931348623157', '2.5e3', '42', '1234.5', '12.25',\n"
                          "         '-.5', '5.']\n"
                          "stored = [r[0] for r in c.execute('select V from T order by rowid')]\n"
                          "print(all(v == float(t) for v, t in zip(stored, texts)), len(stored))\n"
                          "print([r[0] for r in c.execute('select V from C order by rowid')])\n"),
            "True 14\n[1234.0, 1234.5, -0.25]\n");
}

TEST_F(SqliteWriteTest, OnlyDatabaseFilesOpenAndNewOnesAreRecognised) {
  EXPECT_TRUE(IsSqliteHeader(folder.Read("out.mdb")));
  EXPECT_THROW(CreateSqliteDatabase(file), EDatabaseError);
  folder.Write("fake.mdb", std::string(4096, 'x'));
  try {
    OpenSqliteDatabase(folder.File("fake.mdb"));
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message().rfind(folder.File("fake.mdb") + ": not a SQLite database", 0), 0u) << e.Message();
  }
  EXPECT_THROW(OpenSqliteDatabase(folder.File("none.mdb")), EDatabaseError);
}

}  // namespace
