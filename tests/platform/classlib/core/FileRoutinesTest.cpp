#include "FileRoutines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "DateRoutines.h"
#include "Exception.h"
#include "TempFolder.h"

namespace {

// 抄表 (meter reading) in GBK, as a name typed into the program.
const AnsiString kGbkName = "\xb3\xad\xb1\xed";

void writeFile(const std::filesystem::path& p, const std::string& content) { std::ofstream(p, std::ios::binary) << content; }

}  // namespace

TEST(FileRoutinesTest, ChineseNamesReachTheFileSystemAsUtf8) {
  TempFolder tmp;
  const AnsiString dir = tmp.prefix() + kGbkName;
  EXPECT_FALSE(DirectoryExists(dir));
  EXPECT_TRUE(CreateDir(dir));
  EXPECT_TRUE(std::filesystem::is_directory(tmp.path() / "抄表"));
  const AnsiString file = dir + "/" + kGbkName + ".dbf";
  writeFile(tmp.path() / "抄表" / "抄表.dbf", "12345");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir));
  EXPECT_EQ(FileSizeByName(file), 5);
  EXPECT_EQ(FileSizeByName(dir), -1);
  EXPECT_TRUE(RenameFile(file, dir + "/b.dbf"));
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(DeleteFile(dir + "/b.dbf"));
  EXPECT_FALSE(DeleteFile(dir + "/b.dbf"));
  EXPECT_TRUE(RemoveDir(dir));
}

TEST(FileRoutinesTest, RenameNeverReplaces) {
  TempFolder tmp;
  writeFile(tmp.path() / "a", "old");
  writeFile(tmp.path() / "b", "keep");
  EXPECT_FALSE(RenameFile(tmp.prefix() + "a", tmp.prefix() + "b"));
  EXPECT_EQ(FileSizeByName(tmp.prefix() + "b"), 4);
  EXPECT_FALSE(RenameFile(tmp.prefix() + "missing", tmp.prefix() + "c"));
}

TEST(FileRoutinesTest, FoldersAreNotDeletedAsFiles) {
  TempFolder tmp;
  EXPECT_TRUE(CreateDir(tmp.prefix() + "d"));
  EXPECT_FALSE(DeleteFile(tmp.prefix() + "d"));
  EXPECT_TRUE(DirectoryExists(tmp.prefix() + "d/"));
  writeFile(tmp.path() / "d" / "f", "x");
  EXPECT_FALSE(RemoveDir(tmp.prefix() + "d"));
}

TEST(FileRoutinesTest, ForceDirectoriesBuildsTheWholeChain) {
  TempFolder tmp;
  EXPECT_TRUE(ForceDirectories(tmp.prefix() + "a/" + kGbkName + "/c/"));
  EXPECT_TRUE(std::filesystem::is_directory(tmp.path() / "a" / "抄表" / "c"));
  EXPECT_TRUE(ForceDirectories(tmp.prefix() + "a"));  // already there
  writeFile(tmp.path() / "file", "x");
  EXPECT_FALSE(ForceDirectories(tmp.prefix() + "file/sub"));
  EXPECT_THROW(ForceDirectories(""), EInOutError);
}

TEST(FileRoutinesTest, CurrentFolder) {
  TempFolder tmp;
  AnsiString before = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(tmp.prefix()));
  EXPECT_EQ(GetCurrentDir(), tmp.path().string());
  EXPECT_TRUE(FileExists(tmp.prefix() + "x") == FileExists("x"));
  EXPECT_FALSE(SetCurrentDir(tmp.prefix() + "missing"));
  ASSERT_TRUE(SetCurrentDir(before));
}

TEST(FileRoutinesTest, FileAgeIsTheLastWriteInLocalTime) {
  TempFolder tmp;
  const auto path = tmp.path() / "f.txt";
  writeFile(path, "x");
  // 2024-02-29 13:45:30 local time.
  std::tm tm{};
  tm.tm_year = 124;
  tm.tm_mon = 1;
  tm.tm_mday = 29;
  tm.tm_hour = 13;
  tm.tm_min = 45;
  tm.tm_sec = 30;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::from_sys(
                                             std::chrono::system_clock::from_time_t(t)));
  TDateTime age = 0;
  ASSERT_TRUE(FileAge(tmp.prefix() + "f.txt", age));
  EXPECT_NEAR(age, EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0), 1e-8);
  EXPECT_EQ(FileAge(tmp.prefix() + "f.txt"), DateTimeToFileDate(age));
  EXPECT_FALSE(FileAge(tmp.prefix() + "missing", age));
  EXPECT_EQ(FileAge(tmp.prefix()), -1);
}

TEST(FileRoutinesTest, ProgramFileNameIsThisTestProgram) {
  const AnsiString name = ProgramFileName();
  EXPECT_TRUE(FileExists(name)) << name;
  EXPECT_NE(name.find("classlib_core_tests"), AnsiString::npos) << name;
}
