// The program with a long routine in the listing's place of the mode table, closed while that
// routine runs: ProgramMainTest runs it and looks at how the process ends.
//
//   closing-program checks   the routine calls the library and reads the message texts over and
//                            over, checking the terminate request between the calls
//   closing-program ignores  the same for 8 s without checking the request, as a routine that
//                            does not know of it
//   closing-program stuck    the routine is caught in one library call that lasts longer than
//                            the program's end waits (a memory transfer at a slow rate)
//
// Once the routine runs, it has the main thread close the window and answer Yes to
// INFO_FORCE_QUIT. The routine writes what it saw to standard output: "entered", then
// "terminate seen" and "returned" as it gets there.
#include <unistd.h>

#include <chrono>
#include <string_view>
#include <thread>
#include <vector>

#include "Forms.h"
#include "ProgramMain.h"
#include "TApplicationTestHook.h"
#include "TThread.h"
#include "VxComm.h"
#include "WinUser.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "uThread.h"

namespace {

void say(std::string_view Text) {
  const std::string line = std::string(Text) + "\n";
  [[maybe_unused]] ssize_t written = ::write(1, line.data(), line.size());
}

TApplicationTestHook hook;

// Closes the window from the main thread as a user answering Yes would.
void closeWindow() {
  TThread::Queue(nullptr, [] {
    Application->SetTestHook(&hook);
    hook.AnswerMessage(IDYES);
    Formmain->Close();
  });
}

// Calls the library and uses the texts as the routines do for Seconds, returning as soon as the
// program asks it to when Checks is set.
void callLibrary(MyThread& Thread, int Seconds, bool Checks) {
  say("entered");
  closeWindow();
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
  char text[COMM_TEXT_SIZE];
  while (std::chrono::steady_clock::now() < end) {
    if (Checks && Thread.Terminated()) {
      say("terminate seen");
      break;
    }
    SetStatusText(INFO_READ_DEVICE_TYPE + "...");
    const std::int32_t result = vxGetMachSysInfo(Thread.Port(), SYS_MACHINE_TYPE, text);
    std::int32_t goOn = 1;
    if (vxGetErrMsg(result, Thread.ErrMsg(), &goOn) != 0) PostInfoMessage(INFO_READ_DEVICE_TYPE_FAILED + Thread.ErrMsg());
    PostStatus(INFO_SET_DEVICE_TYPE_SUCEESS + text);
  }
  say("returned");
}

void checkingRoutine(MyThread& Thread) { callLibrary(Thread, 20, true); }
void ignoringRoutine(MyThread& Thread) { callLibrary(Thread, 8, false); }

// One memory transfer of 200 000 bytes at 10 000 bytes a second.
void stuckRoutine(MyThread& Thread) {
  say("entered");
  closeWindow();
  SetStatusText(INFO_DOWN_MEMORY);
  const std::vector<char> data(200000, 'm');
  const std::int32_t result = vxDownloadMemory(Thread.Port(), 0, 0, static_cast<std::int32_t>(data.size()), data.data());
  say(result == 0 ? "transfer done" : "transfer failed");
  say("returned");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string_view scenario = argv[1];
  SetThreadRoutine(tmListFiles, scenario == "stuck"     ? stuckRoutine
                                : scenario == "ignores" ? ignoringRoutine
                                                        : checkingRoutine);
  // The comm page lists the terminal at once; a run with --page keeps no settings.
  char page[] = "--page", comm[] = "comm";
  char* args[] = {argv[0], page, comm, nullptr};
  return ProgramMain(3, args);
}
