#include "FindFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "TempFolder.h"

namespace {

std::vector<AnsiString> find(const AnsiString& path, int attr) {
  std::vector<AnsiString> names;
  TSearchRec sr;
  if (FindFirst(path, attr, sr) == 0) {
    do names.push_back(sr.Name);
    while (FindNext(sr) == 0);
    FindClose(sr);
  }
  return names;
}

class FindFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"b.DBF", "a.dbf", "c.txt", ".hidden.dbf", "抄表.dbf", "noext"})
      std::ofstream(tmp.path() / name) << "1234";
    std::filesystem::create_directory(tmp.path() / "sub.dbf");
  }
  TempFolder tmp;
};

using Names = std::vector<AnsiString>;

}  // namespace

TEST_F(FindFileTest, MasksMatchWithoutRegardToCase) {
  EXPECT_EQ(find(tmp.prefix() + "*.dbf", faAnyFile & ~faHidden & ~faDirectory), (Names{"a.dbf", "b.DBF", "\xb3\xad\xb1\xed.dbf"}));
  EXPECT_EQ(find(tmp.prefix() + "?.*", 0), (Names{"a.dbf", "b.DBF", "c.txt"}));
  EXPECT_EQ(find(tmp.prefix() + "*.*", 0).size(), 5u);  // every name, "noext" too
  EXPECT_EQ(find(tmp.prefix() + "NOEXT", 0), (Names{"noext"}));
  EXPECT_TRUE(find(tmp.prefix() + "*.xls", faAnyFile).empty());
}

TEST_F(FindFileTest, HiddenFilesAndFoldersOnlyWhenAskedFor) {
  EXPECT_EQ(find(tmp.prefix() + "*.dbf", faHidden), (Names{".hidden.dbf", "a.dbf", "b.DBF", "\xb3\xad\xb1\xed.dbf"}));
  Names withFolders = find(tmp.prefix() + "*", faDirectory);
  EXPECT_EQ(withFolders.front(), ".");
  EXPECT_NE(std::find(withFolders.begin(), withFolders.end(), "sub.dbf"), withFolders.end());
}

TEST_F(FindFileTest, RecordsCarrySizeAttributesAndTime) {
  TSearchRec sr;
  ASSERT_EQ(FindFirst(tmp.prefix() + "sub.dbf", faDirectory, sr), 0);
  EXPECT_EQ(sr.Attr & faDirectory, faDirectory);
  ASSERT_EQ(FindFirst(tmp.prefix() + "a.dbf", faAnyFile, sr), 0);
  EXPECT_EQ(sr.Size, 4);
  EXPECT_EQ(sr.Attr, faArchive);
  EXPECT_GT(sr.TimeStamp, 40000);  // some day after 2009
  EXPECT_NE(sr.Time, 0);
  EXPECT_EQ(FindNext(sr), ENOENT);
  EXPECT_NE(FindFirst(tmp.prefix() + "missing/*", faAnyFile, sr), 0);
}
