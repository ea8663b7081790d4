#include "TADOCommand.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "ComObj.h"
#include "FormatSettings.h"
#include "TADOConnection.h"
#include "TADOTable.h"
#include "TDbTestFolder.h"
#include "TypInfo.h"

namespace {

class TADOCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved = GetFormatSettings();
    TFormatSettings settings = saved;
    settings.ThousandSeparator = ',';
    settings.DecimalSeparator = '.';
    SetFormatSettings(settings);
    database = folder.File("out.mdb");
    connectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database;
  }
  void TearDown() override { SetFormatSettings(saved); }

  TFormatSettings saved;
  TDbTestFolder folder;
  AnsiString database;
  AnsiString connectionString;
};

}  // namespace

TEST_F(TADOCommandTest, ParametersComeFromTheColonNamesOutsideQuotes) {
  TADOCommand command(nullptr);
  command.SetCommandText("select ':NOT', [a:b], \"x:y\", 12::30 from T where a=:First and b = :Second_2," +
                         WideToAnsi(u":表"));
  ASSERT_EQ(command.Parameters()->Count(), 3);
  EXPECT_EQ(command.Parameters()->Items(0)->Name(), "First");
  EXPECT_EQ(command.Parameters()->Items(1)->Name(), "Second_2");
  EXPECT_EQ(command.Parameters()->Items(2)->Name(), WideToAnsi(u"表"));
  EXPECT_TRUE(command.Parameters()->Items(0)->Value().IsEmpty());
  EXPECT_EQ(command.Parameters()->ParamByName("second_2"), command.Parameters()->Items(1));
  EXPECT_THROW(command.Parameters()->ParamByName("third"), EDatabaseError);
  command.SetCommandText("delete from T");
  EXPECT_EQ(command.Parameters()->Count(), 0);
}

TEST_F(TADOCommandTest, AccessExportStatementsMakeATableReadBackWithItsTypes) {
  CreateOleObject("ADOX.Catalog")->Invoke("Create", {Variant(connectionString)});
  {
    TADOCommand create(nullptr);
    create.SetConnectionString(connectionString);
    create.SetCommandText("create table ExportResult ([Name] nvarchar(30),[Price] double,[Qty] integer,FIELD3 memo)");
    create.Execute();
  }
  TADOCommand insert(nullptr);
  insert.SetConnectionString(connectionString);
  insert.SetCommandText("insert into ExportResult([Name],[Price],[Qty],FIELD3) values(:PARAM0,:PARAM1,:PARAM2,:PARAM3)");
  const TFieldType types[] = {ftWideString, ftFloat, ftInteger, ftMemo};
  for (int i = 0; i < 4; ++i) insert.Parameters()->Items(i)->SetDataType(types[i]);
  insert.SetExecuteOptions({TExecuteOption::eoExecuteNoRecords});
  insert.SetPrepared(true);
  auto row = [&](std::vector<Variant> values) {
    for (int i = 0; i < 4; ++i) insert.Parameters()->Items(i)->SetValue(values[static_cast<std::size_t>(i)]);
    return insert.Execute();
  };
  EXPECT_EQ(row({Variant(u"水表"), Variant(u"1,234.5"), Variant(u"1,234"), Variant(u"备注")}), 1);
  EXPECT_EQ(row({Variant(u"B"), Variant(), Variant(u"7"), Variant()}), 1);
  EXPECT_TRUE(insert.Prepared());
  EXPECT_THROW(row({Variant(u"C"), Variant(u"x"), Variant(u"1"), Variant()}), EDatabaseError);

  // Another connection sees the rows once the command has let go of the database.
  insert.SetPrepared(false);
  insert.SetConnectionString("");
  TADOConnection connection(nullptr);
  connection.SetConnectionString(connectionString);
  TADOTable table(nullptr);
  table.SetConnection(&connection);
  table.SetTableName("ExportResult");
  table.Open();
  EXPECT_EQ(table.RecordCount(), 2);
  EXPECT_EQ(table.FieldByName("Name")->DataType(), ftWideString);
  EXPECT_EQ(table.FieldByName("Name")->Size(), 30);
  EXPECT_EQ(table.FieldByName("FIELD3")->DataType(), ftWideMemo);
  EXPECT_EQ(table.FieldByName("Name")->AsWideString(), u"水表");
  EXPECT_EQ(table.FieldByName("Price")->AsFloat(), 1234.5);
  EXPECT_EQ(table.FieldByName("Qty")->Value().VarType(), varInteger);
  EXPECT_EQ(table.FieldByName("Qty")->AsInteger(), 1234);
  table.Next();
  EXPECT_TRUE(table.FieldByName("Price")->IsNull());
  EXPECT_TRUE(table.FieldByName("FIELD3")->IsNull());
  // And Python's sqlite3 module reads the same numbers.
  EXPECT_EQ(folder.Python("import sqlite3\n"
                          "print(sqlite3.connect('out.mdb').execute('select Qty, Price from ExportResult').fetchall())\n"),
            "[(1234, 1234.5), (7, None)]\n");
}

TEST_F(TADOCommandTest, CommandsNeedAConnectionThatRunsThem) {
  TADOCommand command(nullptr);
  command.SetName("Command1");
  command.SetCommandText("delete from T");
  try {
    command.Execute();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Command1: Missing Connection or ConnectionString");
  }
  TADOConnection dbase(nullptr);
  dbase.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder.Folder() +
                            ";Extended Properties=dBASE IV;");
  command.SetConnection(&dbase);
  EXPECT_THROW(command.Execute(), EDatabaseError);
}

TEST_F(TADOCommandTest, ClosingTheConnectionDropsThePreparedStatement) {
  CreateOleObject("ADOX.Catalog")->Invoke("Create", {Variant(connectionString)});
  TADOConnection connection(nullptr);
  connection.SetConnectionString(connectionString);
  TADOCommand command(nullptr);
  command.SetConnection(&connection);
  command.SetCommandText("create table T (x integer)");
  command.Execute();
  command.SetCommandText("insert into T values(:X)");
  command.SetPrepared(true);
  command.Parameters()->Items(0)->SetValue(Variant(1));
  command.Execute();
  connection.Close();
  EXPECT_EQ(folder.Python("import sqlite3\nprint(sqlite3.connect('out.mdb').execute('select x from T').fetchall())\n"),
            "[(1,)]\n");
  command.Execute();  // prepared again, on a new connection
  EXPECT_TRUE(connection.Connected());
}

TEST_F(TADOCommandTest, PublishedPropertiesRoundTrip) {
  TADOCommand command(nullptr);
  TADOConnection connection(nullptr);
  SetStrProp(&command, "CommandText", "select * from T where a=:A");
  SetObjectProp(&command, "Connection", &connection);
  SetStrProp(&command, "ConnectionString", connectionString);
  SetOrdProp(&command, "ExecuteOptions", TExecuteOptions{TExecuteOption::eoExecuteNoRecords}.Bits());
  EXPECT_EQ(GetStrProp(&command, "CommandText"), "select * from T where a=:A");
  EXPECT_EQ(GetObjectProp(&command, "Connection"), &connection);
  EXPECT_EQ(GetStrProp(&command, "ConnectionString"), connectionString);
  EXPECT_TRUE(command.ExecuteOptions().Contains(TExecuteOption::eoExecuteNoRecords));
  EXPECT_EQ(static_cast<TParameters*>(GetObjectProp(&command, "Parameters"))->Count(), 1);
  EXPECT_FALSE(GetOrdProp(&command, "Prepared"));
}
