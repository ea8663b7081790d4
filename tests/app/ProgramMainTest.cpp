// The program's end while a worker still runs: the program with a long routine in its mode
// table (closing/ClosingProgram.cpp) is closed with Yes to INFO_FORCE_QUIT, and its process is
// watched to the end, finalisers and all. In the sanitizer build a finalised text or library
// that the worker still uses shows as an error report and a failed exit.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VxTestTerminal.h"

extern char** environ;

namespace {

struct TEnd {
  int Status = -1;  // the exit status, -1 when the process did not exit by itself
  std::string Out, Err;
};

// Runs the closing program with its own simulated terminal.
TEnd runClosingProgram(const std::string& Scenario, const std::string& TerminalSettings = "") {
  TVxTestTerminal terminal;
  if (!TerminalSettings.empty()) {
    std::filesystem::create_directories(terminal.Folder());
    terminal.Settings(TerminalSettings);
  }
  const std::string out = terminal.PcPath("out.txt"), err = terminal.PcPath("err.txt");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::string program = HHM_CLOSING_PROGRAM;
  std::vector<char*> args = {program.data(), const_cast<char*>(Scenario.c_str()), nullptr};
  pid_t pid = 0;
  TEnd end;
  // VXCOMM_TERMINAL names the terminal's folder (TVxTestTerminal set it in this environment).
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, args.data(), environ) == 0) {
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) end.Status = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  end.Out = TVxTestTerminal::Read(out);
  end.Err = TVxTestTerminal::Read(err);
  return end;
}

bool has(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

}  // namespace

TEST(ProgramMainTest, RoutineThatChecksTheRequestEndsBeforeTheUnitsAreFinalised) {
  const TEnd end = runClosingProgram("checks");
  EXPECT_EQ(end.Status, 0) << end.Err;
  EXPECT_EQ(end.Out, "entered\nterminate seen\nreturned\n");
  EXPECT_FALSE(has(end.Err, "did not end")) << end.Err;
}

TEST(ProgramMainTest, RoutineThatIgnoresTheRequestIsLeftBehindWithoutFinalisers) {
  const TEnd end = runClosingProgram("ignores");
  EXPECT_EQ(end.Status, 0) << end.Err;
  EXPECT_EQ(end.Out, "entered\n") << "the process ended while the routine still ran";
  EXPECT_TRUE(has(end.Err, "a terminal operation did not end")) << end.Err;
  EXPECT_FALSE(has(end.Err, "Sanitizer")) << end.Err;
}

TEST(ProgramMainTest, LibraryCallThatOutlastsTheWaitIsLeftBehindWithoutFinalisers) {
  const TEnd end = runClosingProgram("stuck", "[Transfer]\nRate=10000\n");
  EXPECT_EQ(end.Status, 0) << end.Err;
  EXPECT_EQ(end.Out, "entered\n");
  EXPECT_TRUE(has(end.Err, "a terminal operation did not end")) << end.Err;
  EXPECT_FALSE(has(end.Err, "Sanitizer")) << end.Err;
}
