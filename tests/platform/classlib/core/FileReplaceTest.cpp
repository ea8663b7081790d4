#include "FileReplace.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "System.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;

// 抄表 (meter reading) in GBK, as a name typed into the program.
const AnsiString kGbkName = "\xb3\xad\xb1\xed";

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void writeFile(const fs::path& p, const std::string& content) { std::ofstream(p, std::ios::binary) << content; }

bool save(const AnsiString& Name, const std::string& Bytes) {
  return WriteFileReplacing(Name, Bytes.data(), Bytes.size());
}

// The id of a process that has ended.
pid_t endedProcess() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

// The folder's entries: a failed or finished write leaves no part file behind.
int entries(const fs::path& Folder) {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(Folder)) ++n;
  return n;
}

}  // namespace

TEST(FileReplaceTest, NewFileIsWrittenUnderItsGbkName) {
  TempFolder tmp;
  ASSERT_TRUE(save(tmp.prefix() + kGbkName + ".img", std::string("a\0b", 3)));
  EXPECT_EQ(readFile(tmp.path() / "抄表.img"), std::string("a\0b", 3));
  EXPECT_EQ(entries(tmp.path()), 1);
}

TEST(FileReplaceTest, ExistingFileIsReplacedWholeAndKeepsItsPermissions) {
  TempFolder tmp;
  const fs::path target = tmp.path() / "os.img";
  writeFile(target, std::string(10000, 'o'));
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_TRUE(save(tmp.prefix() + "os.img", "new"));
  EXPECT_EQ(readFile(target), "new");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  ASSERT_TRUE(save(tmp.prefix() + "os.img", ""));
  EXPECT_EQ(fs::file_size(target), 0u);
  EXPECT_EQ(entries(tmp.path()), 1);
}

TEST(FileReplaceTest, ThroughALinkTheFileItNamesIsReplaced) {
  TempFolder tmp;
  writeFile(tmp.path() / "real", "old");
  fs::create_symlink(tmp.path() / "real", tmp.path() / "link");
  ASSERT_TRUE(save(tmp.prefix() + "link", "new"));
  EXPECT_TRUE(fs::is_symlink(tmp.path() / "link"));
  EXPECT_EQ(readFile(tmp.path() / "real"), "new");
}

TEST(FileReplaceTest, FailuresLeaveTheTargetAndNoPartFile) {
  TempFolder tmp;
  errno = 0;
  EXPECT_FALSE(save(tmp.prefix() + "missing/x.img", "x"));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(save("", "x"));
  fs::create_directory(tmp.path() / "folder");
  EXPECT_FALSE(save(tmp.prefix() + "folder", "x"));
  EXPECT_EQ(errno, EISDIR);
  EXPECT_TRUE(fs::is_directory(tmp.path() / "folder"));
  EXPECT_EQ(entries(tmp.path()), 1);
  EXPECT_EQ(entries(tmp.path() / "folder"), 0);
}

TEST(FileReplaceTest, ProtectedFilesAndFoldersAreNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not hold for root";
  TempFolder tmp;
  const fs::path target = tmp.path() / "kept.img";
  writeFile(target, "kept");
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  EXPECT_FALSE(save(tmp.prefix() + "kept.img", "new"));
  EXPECT_EQ(readFile(target), "kept");
  ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(tmp.path().c_str(), 0555), 0);
  EXPECT_FALSE(save(tmp.prefix() + "kept.img", "new"));
  ASSERT_EQ(::chmod(tmp.path().c_str(), 0755), 0);
  EXPECT_EQ(readFile(target), "kept");
  EXPECT_EQ(entries(tmp.path()), 1);
}

TEST(FileReplaceTest, PartFilesLeftByEndedProcessesAreSweptAndNoOtherFile) {
  TempFolder tmp;
  const std::string ended = std::to_string(endedProcess()), alive = std::to_string(::getppid());
  for (const std::string& name : {".os.img." + ended + ".3.part", ".os.img." + alive + ".3.part",
                                  ".font.img." + ended + ".3.part", std::string(".os.img.part"), std::string(".os.img.x.1.part")})
    writeFile(tmp.path() / name, "left");
  ASSERT_TRUE(save(tmp.prefix() + "os.img", "new"));
  EXPECT_FALSE(fs::exists(tmp.path() / (".os.img." + ended + ".3.part")));
  // A running program's part file, another target's, and the user's own files stay.
  EXPECT_EQ(entries(tmp.path()), 5);
  EXPECT_EQ(readFile(tmp.path() / ".os.img.part"), "left");
}

TEST(FileReplaceTest, PipesAndDevicesAreNotReplaced) {
  TempFolder tmp;
  ASSERT_EQ(::mkfifo((tmp.path() / "pipe").c_str(), 0644), 0);
  errno = 0;
  EXPECT_FALSE(save(tmp.prefix() + "pipe", "x"));
  EXPECT_EQ(errno, EINVAL);
  EXPECT_TRUE(fs::is_fifo(tmp.path() / "pipe"));
  EXPECT_EQ(entries(tmp.path()), 1);
}
