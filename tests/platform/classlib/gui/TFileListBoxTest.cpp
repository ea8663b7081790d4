#include "TFileListBox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FileRoutines.h"
#include "FormFixture.h"
#include "TStrings.h"

using namespace TestInput;

namespace {

class TFileListBoxTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    saved = GetCurrentDir();
    dir = std::filesystem::temp_directory_path() / ("hhm-filelist-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "sub");
    for (const char* name : {"b.TXT", "a.dbf", ".hidden", "C.rom"}) std::ofstream(dir / name) << "x";
    box = place<TFileListBox>(10, 10, 150, 150);
  }
  void TearDown() override {
    SetCurrentDir(saved);
    std::filesystem::remove_all(dir);
    FormTest::TearDown();
  }
  AnsiString saved;
  std::filesystem::path dir;
  TFileListBox* box = nullptr;
};

}  // namespace

TEST_F(TFileListBoxTest, DirectoryListsItsFilesSortedAndBecomesTheCurrentFolder) {
  int changes = 0;
  box->OnChange = [&](TObject*) { ++changes; };
  box->SetDirectory(dir.string());
  EXPECT_EQ(box->Items()->Text(), "a.dbf\r\nb.TXT\r\nC.rom\r\n");
  EXPECT_EQ(GetCurrentDir(), dir.string());
  EXPECT_EQ(box->Directory(), dir.string());
  EXPECT_EQ(changes, 1);
}

TEST_F(TFileListBoxTest, HiddenFilesAndFoldersFollowFileType) {
  box->SetFileType({ftNormal, ftHidden, ftSystem, ftReadOnly, ftArchive});
  box->SetDirectory(dir.string());
  EXPECT_EQ(box->Items()->Text(), ".hidden\r\na.dbf\r\nb.TXT\r\nC.rom\r\n") << "no folders";
  box->SetFileType({ftNormal, ftDirectory});
  EXPECT_NE(box->Items()->IndexOf("[sub]"), -1);
}

TEST_F(TFileListBoxTest, MaskFiltersWithoutRegardToCase) {
  box->SetDirectory(dir.string());
  box->SetMask("*.txt;*.ROM");
  EXPECT_EQ(box->Items()->Text(), "b.TXT\r\nC.rom\r\n");
}

TEST_F(TFileListBoxTest, UpdateReadsTheFolderAgain) {
  box->SetDirectory(dir.string());
  int changes = 0;
  box->OnChange = [&](TObject*) { ++changes; };
  std::filesystem::remove(dir / "a.dbf");
  box->Update();
  EXPECT_EQ(box->Items()->IndexOf("a.dbf"), -1);
  EXPECT_EQ(changes, 1);
}

TEST_F(TFileListBoxTest, AFolderThatDoesNotExistIsRefused) {
  box->SetDirectory(dir.string());
  EXPECT_THROW(box->SetDirectory((dir / "missing").string()), EInOutError);
  EXPECT_EQ(box->Directory(), dir.string());
  EXPECT_EQ(box->Items()->Count(), 3);
}
