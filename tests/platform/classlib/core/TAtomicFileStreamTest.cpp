#include "TAtomicFileStream.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Exception.h"
#include "TempFolder.h"

namespace {

std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int fileCount(const std::filesystem::path& dir) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
}

}  // namespace

TEST(TAtomicFileStreamTest, TheTargetChangesOnlyAtCommit) {
  TempFolder folder;
  const auto target = folder.path() / "out.csv";
  std::ofstream(target) << "old";
  ::chmod(target.c_str(), 0640);
  {
    TAtomicFileStream f(folder.prefix() + "out.csv");
    f.WriteBuffer("new data", 8);
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(fileCount(folder.path()), 2);
    f.Commit();
  }
  EXPECT_EQ(readFile(target), "new data");
  EXPECT_EQ(fileCount(folder.path()), 1);
  struct stat st {};
  ::stat(target.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(TAtomicFileStreamTest, WithoutCommitTheTargetKeepsItsContentsAndNoTemporaryFileStays) {
  TempFolder folder;
  const auto target = folder.path() / "out.csv";
  std::ofstream(target) << "old";
  {
    TAtomicFileStream f(folder.prefix() + "out.csv");
    f.WriteBuffer("partial", 7);
  }
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(fileCount(folder.path()), 1);
  { TAtomicFileStream f(folder.prefix() + "new.csv"); }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "new.csv"));
}

TEST(TAtomicFileStreamTest, SeekingAndReadingSeeTheBufferedWrites) {
  TempFolder folder;
  TAtomicFileStream f(folder.prefix() + "x.dbf");
  const std::string big(100000, 'a');
  f.WriteBuffer("0123456789", 10);
  f.WriteBuffer(big.data(), static_cast<std::int64_t>(big.size()));
  EXPECT_EQ(f.Size(), 100010);
  f.SetPosition(4);
  f.WriteBuffer("XY", 2);
  f.SetPosition(0);
  char head[8];
  f.ReadBuffer(head, 8);
  EXPECT_EQ(std::string(head, 8), "0123XY67");
  f.Seek(0, TSeekOrigin::soEnd);
  f.WriteBuffer("!", 1);
  f.Commit();
  const std::string written = readFile(folder.path() / "x.dbf");
  EXPECT_EQ(written.size(), 100011u);
  EXPECT_EQ(written.back(), '!');
}

TEST(TAtomicFileStreamTest, AFolderOrAMissingFolderCannotBeCreatedAsTheFile) {
  TempFolder folder;
  try {
    TAtomicFileStream f(folder.path().string());
    ADD_FAILURE() << "a folder was opened as a file";
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find("Cannot create file \"" + folder.path().string() + "\""), AnsiString::npos) << e.Message();
  }
  EXPECT_THROW(TAtomicFileStream(folder.prefix() + "missing/x.txt"), EFCreateError);
  EXPECT_THROW(TAtomicFileStream(""), EFCreateError);
}
