#include "TVxFileStore.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "VxResult.h"
#include "VxTestTerminal.h"

namespace {

class TVxFileStoreTest : public ::testing::Test {
protected:
  TVxTestTerminal terminal;
  TVxFileStore store{terminal.Folder()};

  void add(std::int32_t number, const AnsiString& name, const std::string& bytes) {
    TVxPartFile part(store.NewPartPath(), vxErrStorage);
    part.Write(bytes.data(), bytes.size());
    store.Commit(part, number, name, 1'200'000'000);
  }
};

}  // namespace

TEST_F(TVxFileStoreTest, CommittedFilesAreFoundByNameAndNumber) {
  add(7, "CBSJ.DBF", "readings");
  add(3, Utf8ToAnsi("抄表.DBF"), "x");
  const auto files = store.List(false);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Number, 3);  // in the order of the numbers
  EXPECT_EQ(files[0].Name, Utf8ToAnsi("抄表.DBF"));
  EXPECT_EQ(files[1].Size, 8);
  EXPECT_EQ(files[1].Modified, 1'200'000'000);
  EXPECT_EQ(store.Find("CBSJ.DBF")->Number, 7);
  // Names are one whatever the case of their ASCII letters, as on a DOS file system; the
  // second byte of a double-byte character is no letter.
  EXPECT_EQ(store.Find("cbsj.dbf")->Name, "CBSJ.DBF");
  add(5, "\x81\x41.TXT", "x");
  EXPECT_FALSE(store.Find("\x81\x61.TXT"));
  EXPECT_EQ(store.Find("\x81\x41.txt")->Number, 5);
  EXPECT_EQ(store.Find(3)->Name, Utf8ToAnsi("抄表.DBF"));
  EXPECT_EQ(store.HighestNumber(), 7);
}

TEST_F(TVxFileStoreTest, NamesThatDifferOnlyInCaseFindTheExactOneFirst) {
  // Files stored before names were matched without regard to case.
  add(4, "a.txt", "lower");
  add(2, "A.TXT", "upper");
  EXPECT_EQ(store.Find("a.txt")->Number, 4);
  EXPECT_EQ(store.Find("A.TXT")->Number, 2);
  EXPECT_EQ(store.Find("a.TXT")->Number, 2);  // else the one of the lowest number
}

TEST_F(TVxFileStoreTest, UnfinishedPartFilesLeaveNoTrace) {
  {
    TVxPartFile part(store.NewPartPath(), vxErrStorage);
    part.Write("half", 4);
  }  // never committed
  EXPECT_TRUE(store.List(false).empty());
  TVxTestTerminal::Write(terminal.Folder() / ".part-1-1", "left by a crash");
  TVxFileStore reopened(terminal.Folder());
  EXPECT_FALSE(std::filesystem::exists(terminal.Folder() / ".part-1-1"));
}

TEST_F(TVxFileStoreTest, ForeignFilesInTheFoldersAreIgnored) {
  TVxTestTerminal::Write(terminal.Folder() / "files" / "notes.txt", "x");
  TVxTestTerminal::Write(terminal.Folder() / "files" / "0 ZERO.TXT", "x");
  add(1, "A.TXT", "a");
  EXPECT_EQ(store.List(false).size(), 1u);
}

TEST(TVxFileStoreNameTest, ValidNames) {
  EXPECT_TRUE(TVxFileStore::IsValidName("CBSJ.DBF"));
  EXPECT_TRUE(TVxFileStore::IsValidName(std::string(32, 'A')));
  EXPECT_TRUE(TVxFileStore::IsValidName(Utf8ToAnsi("抄表数据 2026.dbf")));
  EXPECT_TRUE(TVxFileStore::IsValidName("\xAD\\"));  // a double-byte character whose second byte is '\'
}

TEST(TVxFileStoreNameTest, InvalidNames) {
  for (const char* name : {"", ".", "..", "A/B", "A\\B", "A:B", "A*", "A?", "A\"", "A<", "A>", "A|", "A\tB", "A.", "A "})
    EXPECT_FALSE(TVxFileStore::IsValidName(name)) << name;
  EXPECT_FALSE(TVxFileStore::IsValidName(std::string(33, 'A')));
  EXPECT_FALSE(TVxFileStore::IsValidName("A\xB3"));  // a double-byte character cut in half
  EXPECT_FALSE(TVxFileStore::IsValidName("\x81\x20" "A"));  // a lead byte without its second byte
}
