#include "FileNames.h"

#include <gtest/gtest.h>

#include "FileRoutines.h"

TEST(FileNamesTest, TakingNamesApart) {
  EXPECT_EQ(ExtractFileName("/data/in/a.dbf"), "a.dbf");
  EXPECT_EQ(ExtractFileName("a.dbf"), "a.dbf");
  EXPECT_EQ(ExtractFileName("/data/"), "");
  EXPECT_EQ(ExtractFilePath("/data/in/a.dbf"), "/data/in/");
  EXPECT_EQ(ExtractFilePath("a.dbf"), "");
  EXPECT_EQ(ExtractFileDir("/data/in/a.dbf"), "/data/in");
  EXPECT_EQ(ExtractFileDir("/a.dbf"), "/");
  EXPECT_EQ(ExtractFileDir("a.dbf"), "");
  EXPECT_EQ(ExtractFileExt("/data/in/a.b.DBF"), ".DBF");
  EXPECT_EQ(ExtractFileExt("/data.d/readme"), "");
  EXPECT_EQ(ExtractFileExt(".profile"), ".profile");
}

TEST(FileNamesTest, ChangingTheExtension) {
  EXPECT_EQ(ChangeFileExt("/d/a.dbf", ".txt"), "/d/a.txt");
  EXPECT_EQ(ChangeFileExt("/d.x/readme", ".txt"), "/d.x/readme.txt");
  EXPECT_EQ(ChangeFileExt("a.dbf", ""), "a");
  // A GBK name whose last byte is a delimiter-like trail byte: 癮 = F1 5C.
  EXPECT_EQ(ChangeFileExt("\xf1\x5c.dbf", ".xls"), "\xf1\x5c.xls");
}

TEST(FileNamesTest, TrailingDelimiters) {
  EXPECT_EQ(IncludeTrailingPathDelimiter("/data"), "/data/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/data/"), "/data/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/data/"), "/data");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/data"), "/data");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(FileNamesTest, ExpandFileNameResolvesAgainstTheCurrentFolder) {
  AnsiString cwd = GetCurrentDir();
  EXPECT_EQ(ExpandFileName("x/../y.txt"), IncludeTrailingPathDelimiter(cwd) + "y.txt");
  EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
  EXPECT_EQ(ExpandFileName(""), "");
}
