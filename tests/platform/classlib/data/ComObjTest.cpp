#include "ComObj.h"

#include <gtest/gtest.h>

#include "TDbTestFolder.h"

TEST(ComObjTest, CatalogCreatesADatabaseOtherToolsOpen) {
  TDbTestFolder folder;
  const AnsiString file = folder.File("new.mdb");
  auto catalog = CreateOleObject("adox.catalog");
  catalog->Invoke("Create", {Variant("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + file)});
  EXPECT_EQ(folder.Python("import sqlite3\nprint(sqlite3.connect('new.mdb').execute('select count(*) from sqlite_master').fetchone())\n"),
            "(0,)\n");
  try {
    catalog->Invoke("Create", {Variant("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file)});
    FAIL();
  } catch (const EOleException& e) {
    EXPECT_EQ(e.Message(), file + ": the database exists already");
  }
  EXPECT_THROW(catalog->Invoke("Tables", {}), EOleException);
}

TEST(ComObjTest, AccessApplicationIsNotOnThisPlatform) {
  try {
    CreateOleObject("Access.Application");
    FAIL();
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.ErrorCode, CO_E_CLASSSTRING);
    EXPECT_EQ(e.Message(), "Invalid class string");
  }
}
