#include "TVxPartFile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "EVxError.h"
#include "VxTestTerminal.h"

namespace {

namespace fs = std::filesystem;

// The names in a folder.
std::set<std::string> names(const fs::path& folder) {
  std::set<std::string> result;
  for (const auto& entry : fs::directory_iterator(folder)) result.insert(entry.path().filename().string());
  return result;
}

std::int32_t replaceError(const fs::path& target) {
  try {
    TVxPartFile part(TVxPartFile::Replace, target, vxErrPcFileWrite);
    part.Write("new", 3);
    part.Publish();
  } catch (const EVxError& e) {
    return e.Result;
  }
  return vxOk;
}

}  // namespace

TEST(TVxPartFileTest, TwoWritersOfOneTargetEachWriteAFileOfTheirOwn) {
  TVxTestTerminal folder;
  const fs::path target = folder.Pc() / "CBSJ.DBF";
  TVxPartFile first(TVxPartFile::Replace, target, vxErrPcFileWrite);
  TVxPartFile second(TVxPartFile::Replace, target, vxErrPcFileWrite);
  EXPECT_NE(first.Path(), second.Path());
  first.Write("first", 5);
  second.Write("second", 6);
  second.Publish();
  EXPECT_EQ(TVxTestTerminal::Read(target), "second");
  first.Publish();
  EXPECT_EQ(TVxTestTerminal::Read(target), "first");
  EXPECT_EQ(names(folder.Pc()), std::set<std::string>{"CBSJ.DBF"});
}

TEST(TVxPartFileTest, UnfinishedPartIsRemovedAndOthersFilesAreNeverTouched) {
  TVxTestTerminal folder;
  const fs::path target = folder.Pc() / "CBSJ.DBF";
  // A user's own file named as part files once were, and one that only looks like ours.
  TVxTestTerminal::Write(folder.Pc() / ".CBSJ.DBF.part", "mine");
  TVxTestTerminal::Write(folder.Pc() / ".CBSJ.DBF.x.1.part", "mine too");
  {
    TVxPartFile part(TVxPartFile::Replace, target, vxErrPcFileWrite);
    part.Write("half", 4);
  }
  EXPECT_EQ(names(folder.Pc()), (std::set<std::string>{".CBSJ.DBF.part", ".CBSJ.DBF.x.1.part"}));
  EXPECT_EQ(TVxTestTerminal::Read(folder.Pc() / ".CBSJ.DBF.part"), "mine");
}

TEST(TVxPartFileTest, ReplacedFileKeepsItsPermissionsAndLinksKeepPointing) {
  TVxTestTerminal folder;
  const fs::path target = folder.Pc() / "data" / "CBSJ.DBF";
  fs::create_directories(target.parent_path());
  TVxTestTerminal::Write(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = folder.Pc() / "link.dbf";
  fs::create_symlink(target, link);
  EXPECT_EQ(replaceError(link), vxOk);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(TVxTestTerminal::Read(target), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(names(target.parent_path()), std::set<std::string>{"CBSJ.DBF"});
}

TEST(TVxPartFileTest, FileTheUserMayNotWriteIsRefused) {
  TVxTestTerminal folder;
  const fs::path target = folder.Pc() / "CBSJ.DBF";
  TVxTestTerminal::Write(target, "read-only");
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(TVxTestTerminal::AsOrdinaryUser([&] { return replaceError(target); }), vxErrPcFileWrite);
  EXPECT_EQ(TVxTestTerminal::Read(target), "read-only");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(names(folder.Pc()), std::set<std::string>{"CBSJ.DBF"});
}
