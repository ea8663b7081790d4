// The folder of one operation's own: new, private, and gone with everything in it, without
// following a link out of it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "FileNames.h"
#include "TTempFolder.h"

namespace fs = std::filesystem;

TEST(TTempFolderTest, IsANewPrivateFolderEndingInTheDelimiter) {
  TTempFolder first("hhm-test-");
  TTempFolder second("hhm-test-");
  EXPECT_NE(first.Path(), second.Path());
  EXPECT_EQ(first.Path().back(), PathDelim);
  EXPECT_EQ(ExtractFileName(ExcludeTrailingPathDelimiter(first.Path())).rfind("hhm-test-", 0), 0u);
  struct stat info {};
  ASSERT_EQ(::stat(first.Path().c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(TTempFolderTest, GoesWithEverythingInItButNotWhatLinksPointTo) {
  const fs::path outside = fs::temp_directory_path() / "hhm-temp-folder-outside.txt";
  { std::ofstream(outside) << "keep"; }
  AnsiString path;
  {
    TTempFolder folder("hhm-test-");
    path = folder.Path();
    fs::create_directories(fs::path(path) / "sub" / "deeper");
    std::ofstream(fs::path(path) / "sub" / "deeper" / "a.dbf") << "x";
    fs::create_symlink(outside, fs::path(path) / "link.txt");
    fs::create_directory_symlink(outside.parent_path(), fs::path(path) / "linkdir");
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(fs::exists(outside));
  fs::remove(outside);
}
