#include "TVxTerminal.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "CodePage.h"
#include "EVxError.h"
#include "VxTestTerminal.h"

namespace {

// Output of a command (the independent dBASE reader).
std::string run(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[256];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
  return out;
}

std::int32_t error(const std::function<void()>& f) {
  try {
    f();
  } catch (const EVxError& e) {
    return e.Result;
  }
  return vxOk;
}

}  // namespace

TEST(TVxTerminalTest, SeededTablesReadWithAnIndependentReader) {
  TVxTestTerminal folder;
  TVxTerminal terminal(folder.Folder());
  const std::string script =
      "import dbfread,sys\n"
      "t=dbfread.DBF(sys.argv[1])\n"
      "print(t.encoding, len(t), [f.name for f in t.fields])\n"
      "r=list(t)[0]\n"
      "print(r['HM'], r['DZ'], r['SQDS'], r['SQRQ'].year > 2000)\n";
  TVxTestTerminal::Write(folder.Pc() / "read.py", script);
  const std::string out =
      run("/usr/bin/python3 " + (folder.Pc() / "read.py").string() + " '" + terminal.Files()[1].Path.string() + "' 2>&1");
  EXPECT_EQ(out,
            "cp936 8 ['HH', 'HM', 'DZ', 'BH', 'KJ', 'SQDS', 'SQRQ']\n"
            "张国强 城东区解放路12号3单元101 1234.5 True\n");
}

TEST(TVxTerminalTest, ExistingSettingsAndFilesSurviveSeeding) {
  TVxTestTerminal folder;
  folder.Settings("[Port]\nPort=COM4\n");
  std::filesystem::create_directories(folder.Folder() / "files");
  TVxTestTerminal::Write(folder.Folder() / "files" / "00000009 MINE.TXT", "mine");
  TVxTerminal terminal(folder.Folder());
  EXPECT_EQ(terminal.Settings().Port(), 4);
  ASSERT_EQ(terminal.Files().size(), 1u);
  EXPECT_EQ(terminal.Files()[0].Name, "MINE.TXT");
}

TEST(TVxTerminalTest, NumbersOfDeletedFilesAreNotGivenAgain) {
  TVxTestTerminal folder;
  TVxTerminal terminal(folder.Folder());
  TVxTestTerminal::Write(folder.Pc() / "a", "a");
  terminal.Download(folder.PcPath("a"), "A");
  EXPECT_EQ(terminal.Files().back().Number, 4);
  terminal.CompleteDelete("A");
  terminal.Download(folder.PcPath("a"), "B");
  EXPECT_EQ(terminal.Files().back().Number, 5);
  terminal.Format();
  terminal.Download(folder.PcPath("a"), "C");
  EXPECT_EQ(terminal.Files().back().Number, 6);
}

TEST(TVxTerminalTest, DownloadNeedsFreeBlocks) {
  TVxTestTerminal folder;
  TVxTerminal terminal(folder.Folder());
  TVxTestTerminal::Write(folder.Pc() / "big", std::string(8 * 1024 * 1024, 'x'));
  EXPECT_EQ(error([&] { terminal.Download(folder.PcPath("big"), "BIG"); }), vxErrNoSpace);
  EXPECT_EQ(terminal.Files().size(), 3u);  // nothing half-stored
}

TEST(TVxTerminalTest, ClockRefusesDatesThatDoNotExist) {
  TVxTestTerminal folder;
  TVxTerminal terminal(folder.Folder());
  for (const TVxClock& c : {TVxClock{26, 2, 29, 0, 0, 0}, TVxClock{26, 13, 1, 0, 0, 0}, TVxClock{26, 1, 0, 0, 0, 0},
                            TVxClock{26, 4, 31, 0, 0, 0}, TVxClock{26, 1, 1, 24, 0, 0}, TVxClock{26, 1, 1, 0, 60, 0},
                            TVxClock{100, 1, 1, 0, 0, 0}})
    EXPECT_EQ(error([&] { terminal.SetClock(c); }), vxErrBadDateTime) << c.Month << "-" << c.Day;
  EXPECT_EQ(error([&] { terminal.SetClock({28, 2, 29, 0, 0, 0}); }), vxOk);  // a leap year
}

TEST(TVxTerminalTest, TwoUploadsOfOneNameIntoOneFolderGiveOneWholeFile) {
  // Two terminals whose transfers overlap: the second runs whole while the first is half-way.
  TVxTestTerminal first, second;
  TVxTerminal a(first.Folder()), b(second.Folder());
  const std::string bytesA(300 * 1024, 'a'), bytesB(200 * 1024, 'b');
  TVxTestTerminal::Write(first.Pc() / "in", bytesA);
  TVxTestTerminal::Write(second.Pc() / "in", bytesB);
  a.Download(first.PcPath("in"), "SAME.DBF");
  b.Download(second.PcPath("in"), "SAME.DBF");
  const std::string target = first.PcPath("SAME.DBF");
  std::int32_t secondResult = -1;
  TVxTransferOptions options;
  options.OnProgress = [&](int percent) {
    if (percent > 0 && secondResult < 0) secondResult = error([&] { b.Upload("SAME.DBF", target); });
  };
  a.SetTransfer(options);
  EXPECT_EQ(error([&] { a.Upload("SAME.DBF", target); }), vxOk);
  EXPECT_EQ(secondResult, vxOk);
  EXPECT_TRUE(TVxTestTerminal::Read(target) == bytesA) << "the last upload's file, whole";
  for (const auto& entry : std::filesystem::directory_iterator(first.Pc()))
    EXPECT_FALSE(entry.path().filename().string().ends_with(".part")) << entry.path();
}

TEST(TVxTerminalTest, UploadKeepsThePcFilesPermissionsAndWritesThroughALink) {
  TVxTestTerminal folder;
  TVxTerminal terminal(folder.Folder());
  const std::filesystem::path real = folder.Pc() / "real.dbf", link = folder.Pc() / "link.dbf";
  TVxTestTerminal::Write(real, "old");
  std::filesystem::permissions(real, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::create_symlink(real, link);
  const AnsiString name = terminal.Files()[0].Name;
  EXPECT_EQ(error([&] { terminal.Upload(name, link.string()); }), vxOk);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TVxTestTerminal::Read(real).size(), static_cast<std::size_t>(terminal.Files()[0].Size));
  EXPECT_EQ(std::filesystem::status(real).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(TVxTerminalTest, UploadOverAReadOnlyPcFileIsRefused) {
  TVxTestTerminal folder;
  const std::filesystem::path target = folder.Pc() / "CBSJ.DBF";
  TVxTestTerminal::Write(target, "kept");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  const int result = TVxTestTerminal::AsOrdinaryUser([&] {
    TVxTerminal terminal(folder.Folder());
    return error([&] { terminal.Upload(terminal.Files()[0].Name, target.string()); });
  });
  EXPECT_EQ(result, vxErrPcFileWrite);
  EXPECT_EQ(TVxTestTerminal::Read(target), "kept");
}

TEST(TVxTerminalTest, DownloadReadsOnlyFiles) {
  TVxTestTerminal folder;
  TVxTerminal terminal(folder.Folder());
  const std::filesystem::path pipe = folder.Pc() / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  for (const std::string& source : {std::string("/dev/zero"), std::string("/dev/null"), pipe.string(), folder.Pc().string()})
    EXPECT_EQ(error([&] { terminal.Download(source, "DEV.DBF"); }), vxErrPcFileRead) << source;
  EXPECT_EQ(terminal.Files().size(), 3u);
}
