// Start-up and language switch of the main window, on the simulated terminal.
//
//   build/main/tools/bench/app/app_bench
//
// ProgramStartToShownWindow: the whole program, from starting the process to its main window
// shown (it ends at once then, having written a picture of the window).
// StartupToShownWindow: from creating the main window (its FormCreate: translation, language
// detection, settings, run-mode switch) to the window shown (FormShow: folder views, terminal
// search and the start of the listing). LanguageSwitch: one switch of the whole main window and
// the message texts to the other language.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "Forms.h"
#include "LmLangMgr.h"
#include "TestInput.h"
#include "uConstStrings.h"
#include "uMain.h"

namespace {

// The program's units, a terminal folder and a settings folder of their own for the run.
class TBenchEnvironment {
public:
  TBenchEnvironment() : units({ClasslibCoreUnit, ClasslibGuiUnit, LmLangMgrUnit, uConstStringsUnit, uMainUnit}) {
    folder = std::filesystem::temp_directory_path() / ("hhm-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "languages");
    setenv("VXCOMM_TERMINAL", (folder / "terminal").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    units.Initialize();
    for (const auto& entry : std::filesystem::directory_iterator(HHM_LANGUAGES_DIR))
      std::filesystem::copy_file(entry.path(), folder / "languages" / entry.path().filename());
    ProgramFiles().SettingsFile = (folder / "handheld-manager.ini").string();
    ProgramFiles().LanguagePath = (folder / "languages").string() + "/";
  }
  ~TBenchEnvironment() {
    units.Finalize();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::filesystem::path folder;
  TUnitList units;
};

TBenchEnvironment& environment() {
  static TBenchEnvironment env;
  return env;
}

void waitIdle(TFormmain* Window) {
  TestInput::WaitUntil([Window] { return Window->Busy() == 0; });
}

void StartupToShownWindow(benchmark::State& State) {
  environment();
  for (auto _ : State) {
    auto* window = NewForm<TFormmain>(Application);
    window->Show();
    Application->ProcessMessages();
    State.PauseTiming();
    waitIdle(window);
    delete window;
    State.ResumeTiming();
  }
}
BENCHMARK(StartupToShownWindow)->Unit(benchmark::kMillisecond);

void ProgramStartToShownWindow(benchmark::State& State) {
  environment();
  const std::string picture = (environment().folder / "shown.png").string();
  const std::string command = std::string("\"") + HHM_PROGRAM + "\" --screenshot \"" + picture +
                              "\" --screenshot-delay 0 >/dev/null 2>&1";
  for (auto _ : State) {
    if (std::system(command.c_str()) != 0) State.SkipWithError("the program did not start");
  }
}
BENCHMARK(ProgramStartToShownWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void LanguageSwitch(benchmark::State& State) {
  environment();
  auto* window = NewForm<TFormmain>(Application);
  window->Show();
  waitIdle(window);
  int language = 0;
  for (auto _ : State) {
    language = 1 - language;
    window->SetLanguage(language);
  }
  delete window;
}
BENCHMARK(LanguageSwitch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
