#include "MdbSource.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "DateRoutines.h"
#include "TDbTestFolder.h"

namespace {

// A Jet 4 database written by the fixture generator: table Meters with a column of every
// type, and table Other.
const char* const MakeDatabase = R"(
import sys, datetime
sys.path.insert(0, ')" DB_TEST_FIXTURES R"(')
from jet4_mdb import *
cols = [Column('ID', LONGINT, autonumber=True), Column('Name', TEXT, 50), Column('Note', MEMO), Column('Qty', INT),
        Column('Small', BYTE), Column('Reading', DOUBLE), Column('Price', MONEY), Column('Taken', DATETIME),
        Column('Ok', BOOL), Column('Ratio', FLOAT), Column('Pic', OLE)]
rows = [[1, '张三', '备注 long text', 12, 200, 1234.5, 12.34, datetime.datetime(2024, 2, 29, 13, 45), True, 0.5, b'\x01\x00\x02'],
        [2, 'Old', None, -3, 0, -0.25, -7, datetime.datetime(1850, 6, 1, 6, 0), False, None, None],
        [3, None, 'x', None, None, None, None, None, False, None, None]]
write_mdb('db.mdb', [Table('Meters', cols, rows), Table('Other', [Column('A', TEXT, 10)], [['a']])])
)";

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "no error";
}

class MdbSourceTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetACP(936);
    folder_.Python(MakeDatabase);
  }
  TDbTestFolder folder_;
};

}  // namespace

TEST_F(MdbSourceTest, TheGeneratedFixtureIsReadByMdbtoolsOwnTools) {
  EXPECT_EQ(RunCommand("mdb-tables -1 '" + folder_.File("db.mdb") + "'").Output, "Meters\nOther\n");
  const std::string csv = RunCommand("mdb-export '" + folder_.File("db.mdb") + "' Meters").Output;
  EXPECT_NE(csv.find("1,\"张三\",\"备注 long text\",12,200,1234.5,12.3400,"), std::string::npos) << csv;
}

TEST_F(MdbSourceTest, ColumnsAreTypedAsAdoReportsAccessTypes) {
  auto source = OpenMdbSource(folder_.File("db.mdb"));
  EXPECT_EQ(source->TableNames(), (std::vector<AnsiString>{"Meters", "Other"}));
  auto cursor = source->OpenTable("meters");
  std::vector<TFieldType> types;
  for (const TDbColumn& c : cursor->Columns()) types.push_back(c.DataType);
  EXPECT_EQ(types, (std::vector<TFieldType>{ftAutoInc, ftWideString, ftWideMemo, ftSmallint, ftWord, ftFloat, ftBCD,
                                            ftDateTime, ftBoolean, ftFloat, ftBlob}));
  EXPECT_EQ(cursor->Columns()[1].Name, "Name");
  EXPECT_EQ(cursor->Columns()[1].Size, 50);
  EXPECT_EQ(cursor->RecordCountHint(), 3);
}

TEST_F(MdbSourceTest, ValuesMatchWhatTheFixtureHolds) {
  auto cursor = OpenMdbSource(folder_.File("db.mdb"))->OpenTable("Meters");
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][0].AsInteger(), 1);
  EXPECT_EQ(rows[0][1].AsWideString(), u"张三");
  EXPECT_EQ(rows[0][2].AsWideString(), u"备注 long text");
  EXPECT_EQ(rows[0][3].AsInteger(), 12);
  EXPECT_EQ(rows[0][4].AsInteger(), 200);
  EXPECT_EQ(rows[0][5].AsFloat(), 1234.5);
  EXPECT_EQ(rows[0][6].AsCurrency(), Currency::FromScaled(123400));
  EXPECT_NEAR(rows[0][7].AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 0, 0), 1e-9);
  EXPECT_TRUE(rows[0][8].AsBoolean());
  EXPECT_EQ(rows[0][9].AsFloat(), 0.5);
  EXPECT_EQ(rows[0][10].AsString(), std::string("\x01\x00\x02", 3));

  EXPECT_EQ(rows[1][3].AsInteger(), -3);
  EXPECT_EQ(rows[1][6].AsCurrency(), Currency::FromScaled(-70000));
  EXPECT_NEAR(rows[1][7].AsDateTime(), EncodeDate(1850, 6, 1) - 0.25, 1e-9) << "a date before 1900 keeps its value";
  EXPECT_FALSE(rows[1][8].AsBoolean());
  EXPECT_TRUE(rows[1][2].IsNull());
  EXPECT_TRUE(rows[1][9].IsNull());
  EXPECT_TRUE(rows[2][1].IsNull());
  EXPECT_TRUE(rows[2][7].IsNull());

  cursor->Rewind();
  EXPECT_EQ(ReadAll(*cursor).size(), 3u);
}

TEST_F(MdbSourceTest, FilesLibmdbCannotReadRaiseErrorsNamingTheFile) {
  const AnsiString name = folder_.File("bad.mdb");
  folder_.Write("bad.mdb", "not a database");
  EXPECT_EQ(errorOf([&] { OpenMdbSource(name); }), name + ": the file is too short for an Access database");
  folder_.Write("bad.mdb", std::string(8192, 'x'));
  EXPECT_EQ(errorOf([&] { OpenMdbSource(name); }), name + ": not an Access database");
  const std::string good = folder_.Read("db.mdb");
  folder_.Write("bad.mdb", good.substr(0, 8192));
  const std::string cut = errorOf([&] { ReadAll(*OpenMdbSource(name)->OpenTable("Meters")); });
  EXPECT_EQ(cut.substr(0, name.size() + 2), name + ": ") << cut;
  EXPECT_EQ(errorOf([&] { OpenMdbSource(folder_.File("db.mdb"))->OpenTable("Nope"); }),
            folder_.File("db.mdb") + ": the database has no table Nope");
  EXPECT_EQ(errorOf([&] { OpenMdbSource(folder_.File("none.mdb")); }), folder_.File("none.mdb") + ": no such file");
}
