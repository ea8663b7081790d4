#include "TADOTable.h"

#include <gtest/gtest.h>

#include "TADOConnection.h"
#include "TClientDataSet.h"
#include "TDataSetProvider.h"
#include "TDbTestFolder.h"

namespace {

// A dBASE table of 50 records written by python3-dbf, read through a connection: its reader
// streams the file and cannot tell the record count without reading it.
class TADOTableTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder.Python(
        "import dbf\n"
        "t = dbf.Table('t.dbf', 'ID N(5,0); NAME C(10)', dbf_type='db3')\n"
        "t.open(dbf.READ_WRITE)\n"
        "for i in range(1, 51): t.append((i, 'n%d' % i))\n"
        "t.close()\n");
    connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder.Folder() +
                                   ";Extended Properties=dBASE IV;");
    table.SetName("table1");
    table.SetConnection(&connection);
    table.SetTableName("t.dbf");
  }
  int id() { return table.FieldByName("ID")->AsInteger(); }

  TDbTestFolder folder;
  TADOConnection connection{nullptr};
  TADOTable table{nullptr};
};

}  // namespace

TEST_F(TADOTableTest, BookmarksAndCountsWorkOnAStreamedTable) {
  table.Open();
  for (int i = 0; i < 9; ++i) table.Next();
  EXPECT_EQ(id(), 10);
  TBookmark ten = table.GetBookmark();
  EXPECT_EQ(table.RecordCount(), 50);
  EXPECT_EQ(id(), 10) << "counting keeps the current record";
  table.Next();
  EXPECT_EQ(id(), 11) << "and the cursor behind it";
  while (!table.Eof()) table.Next();
  EXPECT_EQ(id(), 50);
  table.GotoBookmark(ten);
  EXPECT_EQ(id(), 10);
  table.Next();
  EXPECT_EQ(id(), 11);
  table.First();
  EXPECT_EQ(id(), 1);
}

TEST_F(TADOTableTest, CopiedWholeIntoAClientDataSet) {
  TDataSetProvider provider(nullptr);
  provider.SetDataSet(&table);
  TClientDataSet client(nullptr);
  table.DisableControls();
  table.Open();
  client.SetData(provider.Data());
  table.EnableControls();
  EXPECT_EQ(client.RecordCount(), 50);
  client.GotoBookmark(client.GetBookmark());
  EXPECT_EQ(client.FieldByName("NAME")->AsString(), "n1");
  EXPECT_EQ(id(), 1) << "the table stays on its record";
}

TEST_F(TADOTableTest, OpeningNeedsAConnectionAndATableName) {
  TADOTable bare(nullptr);
  bare.SetTableName("t.dbf");
  EXPECT_THROW(bare.Open(), EDatabaseError);
  table.SetTableName("");
  try {
    table.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "table1: No table name given");
  }
  table.SetTableName("missing.dbf");
  EXPECT_THROW(table.Open(), EDatabaseError);
  EXPECT_FALSE(table.Active());
  table.SetTableName("t.dbf");
  table.Open();
  EXPECT_THROW(table.SetTableName("u.dbf"), EDatabaseError);
}

TEST_F(TADOTableTest, DestroyedConnectionLeavesTheTableWithout) {
  auto* own = new TADOConnection(nullptr);
  own->SetConnectionString(connection.ConnectionString());
  TADOTable other(nullptr);
  other.SetConnection(own);
  other.SetTableName("t.dbf");
  other.Open();
  delete own;
  EXPECT_FALSE(other.Active());
  EXPECT_EQ(other.Connection(), nullptr);
}
