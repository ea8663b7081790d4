#include "TFileStream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CodePage.h"
#include "Exception.h"
#include "TMemoryStream.h"
#include "TempFolder.h"

namespace {

class TFileStreamTest : public ::testing::Test {
protected:
  // A path as the class library takes it: ANSI code page text.
  AnsiString path(const std::string& utf8Name) const { return Utf8ToAnsi(folder.prefix() + utf8Name); }

  TempFolder folder;
  const std::filesystem::path& dir_ = folder.path();
};

}  // namespace

TEST_F(TFileStreamTest, CreateWriteAndReopen) {
  const AnsiString name = path("语言.txt");  // a GBK file name reaches the file system as UTF-8
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("abc", 3);
  }
  ASSERT_TRUE(std::filesystem::exists(dir_ / "语言.txt"));
  TFileStream f(name, fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(f.Size(), 3);
  char buf[3];
  f.ReadBuffer(buf, 3);
  EXPECT_EQ(std::string(buf, 3), "abc");
  EXPECT_THROW(f.ReadBuffer(buf, 1), EReadError);
}

TEST_F(TFileStreamTest, CreateTruncatesAnExistingFile) {
  { TFileStream(path("a"), fmCreate).WriteBuffer("long text", 9); }
  { TFileStream f(path("a"), fmCreate); }
  EXPECT_EQ(std::filesystem::file_size(dir_ / "a"), 0u);
}

TEST_F(TFileStreamTest, MissingFilesAndFoldersAreNotOpened) {
  try {
    TFileStream f(path("missing.txt"), fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot open file \"" + path("missing.txt") + "\". ", 0), 0u) << e.Message();
  }
  EXPECT_THROW(TFileStream(Utf8ToAnsi(dir_.string()), fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(path("no/such/dir/x"), fmCreate), EFCreateError);
}

TEST_F(TFileStreamTest, MemoryStreamLoadsAndSavesFiles) {
  TMemoryStream m;
  m.WriteBuffer("\xEF\xBB\xBFx", 4);
  m.SaveToFile(path("m.bin"));
  TMemoryStream back;
  back.LoadFromFile(path("m.bin"));
  ASSERT_EQ(back.Size(), 4);
  EXPECT_EQ(back.Position(), 0);
  EXPECT_EQ(std::string(back.Memory(), 4), "\xEF\xBB\xBFx");
}
