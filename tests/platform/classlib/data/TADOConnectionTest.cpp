#include "TADOConnection.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "ComObj.h"
#include "FileRoutines.h"
#include "DateRoutines.h"
#include "TADOTable.h"
#include "TClientDataSet.h"
#include "TDataSetProvider.h"
#include "TDbTestFolder.h"
#include "TStringList.h"
#include "TypInfo.h"

namespace {

const AnsiString Jet = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";

AnsiString errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "no error";
}

std::vector<AnsiString> tableNames(TADOConnection& connection) {
  TStringList list;
  connection.GetTableNames(&list);
  std::vector<AnsiString> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Strings(i));
  return names;
}

class TADOConnectionTest : public ::testing::Test {
protected:
  void SetUp() override { SetACP(936); }
  TDbTestFolder folder;
  TADOConnection connection{nullptr};
};

}  // namespace

TEST_F(TADOConnectionTest, DbaseFolderOfPythonDbfTables) {
  folder.Python(
      "import dbf, datetime\n"
      "t = dbf.Table('meters.dbf', 'HM C(20); DS N(10,2); RQ D; OK L; BZ M', dbf_type='db3', codepage='cp936')\n"
      "t.open(dbf.READ_WRITE)\n"
      "t.append(('张三', 12.5, datetime.date(2024,2,29), True, '备注'))\n"
      "t.close()\n");
  connection.SetLoginPrompt(false);
  connection.SetConnectionString(Jet + folder.Folder() + ";Extended Properties=dBASE IV;User ID=Admin;Password=;");
  EXPECT_EQ(tableNames(connection), std::vector<AnsiString>{"meters.dbf"});
  EXPECT_TRUE(connection.Connected());
  TADOTable table(nullptr);
  table.SetConnection(&connection);
  table.SetTableDirect(true);
  table.SetTableName("meters.dbf");
  table.Open();
  EXPECT_EQ(table.FieldByName("HM")->AsString(), WideToAnsi(u"张三"));
  EXPECT_EQ(table.FieldByName("DS")->AsFloat(), 12.5);
  EXPECT_EQ(table.FieldByName("RQ")->AsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_TRUE(table.FieldByName("OK")->AsBoolean());
  EXPECT_TRUE(table.FieldByName("BZ")->IsBlob());
  EXPECT_EQ(table.FieldByName("BZ")->AsString(), WideToAnsi(u"备注"));
  // Closing the connection closes its tables.
  connection.Close();
  EXPECT_FALSE(table.Active());
}

TEST_F(TADOConnectionTest, QuotedExtendedPropertiesChooseTheTextReader) {
  folder.Write("a.csv", "Meter,Reading\nA-1,\"1,5\"\nA-2,7\n");
  folder.Write("b.txt", "Meter\tReading\nB-1\t3\n");
  folder.Write("Schema.ini", "[b.txt]\nFormat=TabDelimited\n");
  connection.SetConnectionString(Jet + folder.Folder() + ";Extended Properties=\"text;HDR=Yes;FMT=Delimited\";");
  TADOTable table(nullptr);
  table.SetConnection(&connection);
  table.SetTableName("a.csv");
  table.Open();
  EXPECT_EQ(table.FieldByName("Reading")->AsString(), "1,5");
  table.Close();
  table.SetTableName("b.txt");
  table.Open();
  EXPECT_EQ(table.FieldByName("Meter")->AsString(), "B-1");
  EXPECT_EQ(table.FieldByName("Reading")->AsInteger(), 3);
}

TEST_F(TADOConnectionTest, WorkbookSheetsAreItsTables) {
  folder.Write("a.csv", "Name,Qty\nx,1\ny,2\n");
  ASSERT_EQ(RunCommand("cd '" + folder.Path().string() + "' && ssconvert a.csv a.xls 2>&1").Status, 0);
  connection.SetConnectionString(Jet + folder.File("a.xls") + ";Extended Properties=\"Excel 8.0;HDR=Yes;IMEX=1\";");
  const std::vector<AnsiString> names = tableNames(connection);
  ASSERT_EQ(names.size(), 1u);
  TADOTable table(nullptr);
  table.SetConnection(&connection);
  table.SetTableName(names[0]);
  table.Open();
  EXPECT_EQ(table.RecordCount(), 2);
  EXPECT_EQ(table.FieldByName("Name")->AsString(), "x");
}

TEST_F(TADOConnectionTest, ADatabaseFileIsKnownByItsFirstBytes) {
  folder.Python(
      "import sqlite3\n"
      "c = sqlite3.connect('export.mdb')\n"
      "c.execute('create table ExportResult ([Name] nvarchar(30), [Qty] integer)')\n"
      "c.execute(\"insert into ExportResult values ('表', 3)\")\n"
      "c.commit()\n");
  folder.Write("other.mdb", std::string(200, '\x01'));
  connection.SetConnectionString(Jet + folder.File("export.mdb") + ";User Id=admin;Password=;");
  EXPECT_EQ(tableNames(connection), std::vector<AnsiString>{"ExportResult"});
  connection.Close();
  connection.SetConnectionString(Jet + folder.File("other.mdb"));
  EXPECT_EQ(errorOf([&] { connection.Open(); }), "Unrecognized database format '" + folder.File("other.mdb") + "'.");
  connection.SetConnectionString(Jet + folder.File("none.mdb"));
  EXPECT_EQ(errorOf([&] { connection.Open(); }), "Could not find file '" + folder.File("none.mdb") + "'.");
  EXPECT_FALSE(connection.Connected());
}

TEST_F(TADOConnectionTest, AccessDatabaseCopiedIntoAClientDataSetAndSavedAsXml) {
  folder.Python(R"(
import sys, datetime
sys.path.insert(0, ')" DB_TEST_FIXTURES R"(')
from jet4_mdb import *
cols = [Column('ID', LONGINT, autonumber=True), Column('Name', TEXT, 50), Column('Price', MONEY),
        Column('Taken', DATETIME), Column('Ok', BOOL)]
rows = [[1, '张三', 12.34, datetime.datetime(1850, 6, 1, 6, 0), True], [2, None, None, None, False]]
write_mdb('db.mdb', [Table('Meters', cols, rows)])
)");
  connection.SetConnectionString(Jet + folder.File("db.mdb") + ";User Id=admin;Password=;");
  EXPECT_EQ(tableNames(connection), std::vector<AnsiString>{"Meters"});
  TADOTable table(nullptr);
  table.SetConnection(&connection);
  table.SetTableName("Meters");
  TDataSetProvider provider(nullptr);
  provider.SetDataSet(&table);
  TClientDataSet client(nullptr);
  client.SetData(provider.Data());
  client.SaveToFile(folder.File("db.xml"));
  TClientDataSet loaded(nullptr);
  loaded.LoadFromFile(folder.File("db.xml"));
  EXPECT_EQ(loaded.RecordCount(), 2);
  EXPECT_EQ(loaded.FieldByName("ID")->DataType(), ftAutoInc);
  EXPECT_EQ(loaded.FieldByName("Name")->AsWideString(), u"张三");
  EXPECT_EQ(loaded.FieldByName("Price")->DataType(), ftBCD);
  EXPECT_EQ(loaded.FieldByName("Price")->AsCurrency(), Currency::FromScaled(123400));
  EXPECT_DOUBLE_EQ(loaded.FieldByName("Taken")->AsDateTime(), EncodeDate(1850, 6, 1) - 0.25);
  loaded.Next();
  EXPECT_TRUE(loaded.FieldByName("Name")->IsNull());
  EXPECT_FALSE(loaded.FieldByName("Ok")->AsBoolean());
}

TEST_F(TADOConnectionTest, ConnectionStringsThatCannotBeUsed) {
  connection.SetConnectionString("Provider=SQLOLEDB;Data Source=server");
  EXPECT_EQ(errorOf([&] { connection.Open(); }), "Provider cannot be found. It may not be properly installed.");
  connection.SetConnectionString(Jet + folder.Folder() + ";Extended Properties=\"text;HDR=Yes");
  EXPECT_EQ(errorOf([&] { connection.Open(); }),
            "Format of the initialization string is not valid: a quoted value is not closed, or text "
            "follows its closing quote.");
  connection.SetConnectionString(Jet + folder.Folder() + ";Extended Properties=dBASE IV;");
  connection.Open();
  EXPECT_EQ(errorOf([&] { connection.SetConnectionString("x"); }), "Operation is not allowed when the object is open.");
}

TEST_F(TADOConnectionTest, LoginPromptAsksOnLoginForTheNames) {
  connection.SetConnectionString("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + folder.Folder() +
                                 ";Extended Properties=dBASE IV;User ID='Ad;min';Password=\"p\"\"w\"");
  std::vector<AnsiString> asked;
  connection.OnLogin = [&](TObject*, AnsiString& user, AnsiString& password) {
    asked.push_back(user);
    asked.push_back(password);
  };
  connection.Open();
  EXPECT_EQ(asked, (std::vector<AnsiString>{"Ad;min", "p\"w"}));
  connection.Close();
  connection.SetLoginPrompt(false);
  connection.Open();
  EXPECT_EQ(asked.size(), 2u);
}

TEST_F(TADOConnectionTest, PublishedPropertiesRoundTrip) {
  SetStrProp(&connection, "ConnectionString", Jet + folder.Folder() + ";Extended Properties=dBASE IV");
  SetOrdProp(&connection, "LoginPrompt", 0);
  SetOrdProp(&connection, "Connected", 1);
  EXPECT_TRUE(connection.Connected());
  EXPECT_FALSE(connection.LoginPrompt());
  TADOTable table(nullptr);
  SetObjectProp(&table, "Connection", &connection);
  SetStrProp(&table, "TableName", "x.dbf");
  SetOrdProp(&table, "TableDirect", 1);
  EXPECT_EQ(GetObjectProp(&table, "Connection"), &connection);
  EXPECT_EQ(GetStrProp(&table, "TableName"), "x.dbf");
  EXPECT_TRUE(table.TableDirect());
}

TEST_F(TADOConnectionTest, AnyFileNameReadsBackAsAConnectionStringValue) {
  EXPECT_EQ(ConnectionStringValue("/data/a.mdb"), "/data/a.mdb");
  EXPECT_EQ(ConnectionStringValue("/data/a;b.mdb"), "\"/data/a;b.mdb\"");
  EXPECT_EQ(ConnectionStringValue("/data/say \"hi\".mdb"), "\"/data/say \"\"hi\"\".mdb\"");
  EXPECT_EQ(ConnectionStringValue("/data/it's "), "\"/data/it's \"");
  const AnsiString name = folder.Path().string() + "/a;b \"x\" .mdb";
  CreateOleObject("ADOX.Catalog")->Invoke("Create", {Variant(Jet + ConnectionStringValue(name))});
  EXPECT_TRUE(FileExists(name));
  connection.SetConnectionString(Jet + ConnectionStringValue(name));
  EXPECT_EQ(errorOf([&] { connection.Open(); }), "no error");
}
