#include "TVxTerminal.h"

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
