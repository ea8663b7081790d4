#include "DatabaseFileKind.h"

#include <gtest/gtest.h>

#include "TDbTestFolder.h"

TEST(DatabaseFileKindTest, TheFirstBytesTellTheKind) {
  TDbTestFolder folder;
  const auto path = [&](const char* Name) { return AnsiString((folder.Path() / Name).string()); };
  folder.Write("a.mdb", std::string("SQLite format 3\0", 16) + std::string(100, '\0'));
  std::string jet(64, '\0');
  jet.replace(4, 15, "Standard Jet DB");
  folder.Write("jet.mdb", jet);
  jet.replace(4, 15, "Standard ACE DB");
  folder.Write("ace.accdb", jet);
  folder.Write("text.mdb", "hello");
  folder.Write("empty.mdb", "");
  EXPECT_EQ(DatabaseFileKind(path("a.mdb")), dfkSqlite);
  EXPECT_EQ(DatabaseFileKind(path("jet.mdb")), dfkAccess);
  EXPECT_EQ(DatabaseFileKind(path("ace.accdb")), dfkAccess);
  EXPECT_EQ(DatabaseFileKind(path("text.mdb")), dfkOther);
  EXPECT_EQ(DatabaseFileKind(path("empty.mdb")), dfkOther);
  EXPECT_EQ(DatabaseFileKind(path("missing.mdb")), dfkNone);
  EXPECT_EQ(DatabaseFileKind(folder.Path().string()), dfkNone);
}
