// A 2 MiB operating-system image through the management page and the simulated terminal.
//
//   build/main/tools/bench/images/images_bench
//
// SendImage: from the click on "开始下装" (port check, worker, reading the PC file, the library
// writing the terminal's image) to the success shown in the status line. ReadImageBack: from
// the click on "开始上传" to the success shown, the image written to its PC file (replacing the
// previous run's). Both run on the window as the user drives it; the time includes showing every
// progress report the worker posts.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <unistd.h>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "CodePage.h"
#include "Forms.h"
#include "LmLangMgr.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TEdit.h"
#include "TLabel.h"
#include "TPanel.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "VxComm.h"

namespace {

namespace fs = std::filesystem;

// The program's units, a terminal, a settings folder and a PC folder of their own for the run.
class TBenchEnvironment {
public:
  TBenchEnvironment() : units({ClasslibCoreUnit, ClasslibGuiUnit, LmLangMgrUnit, uConstStringsUnit, uMainUnit}) {
    folder = fs::temp_directory_path() / ("hhm-images-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "languages");
    fs::create_directories(folder / "pc");
    setenv("VXCOMM_TERMINAL", (folder / "terminal").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    units.Initialize();
    for (const auto& entry : fs::directory_iterator(HHM_LANGUAGES_DIR))
      fs::copy_file(entry.path(), folder / "languages" / entry.path().filename());
    ProgramFiles().SettingsFile = (folder / "handheld-manager.ini").string();
    ProgramFiles().LanguagePath = (folder / "languages").string() + "/";
    std::ofstream(ProgramFiles().SettingsFile) << "[sysoptions]\nrunmode=3\n";

    std::mt19937 random(7);
    std::string image(COMM_IMAGE_MAX, '\0');
    for (char& c : image) c = static_cast<char>(random());
    std::ofstream(folder / "pc" / "os.img", std::ios::binary) << image;

    window = NewForm<TFormmain>(Application);
    window->Show();
    window->ckDownOs->SetChecked(true);
    window->ckDownHzInput->SetChecked(false);
    window->edtDownOsName->SetText((folder / "pc" / "os.img").string());
    window->ckUpOs->SetChecked(true);
    window->ckUpHzInput->SetChecked(false);
    window->edtUpOsName->SetText((folder / "pc" / "os.back").string());
  }
  ~TBenchEnvironment() {
    delete window;
    units.Finalize();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  // Runs one transfer and handles the window's messages as its message loop does until the
  // last report is shown; false when the transfer did not succeed.
  bool run(TButton* Button, const AnsiString& Success) {
    window->pnlState->SetCaption("");
    Button->Click();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((window->Busy() != 0 || window->lblComm->Visible()) && std::chrono::steady_clock::now() < deadline)
      Application->ProcessMessages();
    return window->pnlState->Caption() == Success;
  }

  fs::path folder;
  TUnitList units;
  TFormmain* window = nullptr;
};

TBenchEnvironment& environment() {
  static TBenchEnvironment env;
  return env;
}

void SendImage(benchmark::State& State) {
  TBenchEnvironment& env = environment();
  for (auto _ : State)
    if (!env.run(env.window->btnDownPart, INFO_DOWN_MEMORY_SUCESS)) State.SkipWithError("the image was not sent");
  State.SetBytesProcessed(State.iterations() * static_cast<std::int64_t>(COMM_IMAGE_MAX));
}
BENCHMARK(SendImage)->Unit(benchmark::kMillisecond)->UseRealTime();

void ReadImageBack(benchmark::State& State) {
  TBenchEnvironment& env = environment();
  if (!env.run(env.window->btnDownPart, INFO_DOWN_MEMORY_SUCESS)) State.SkipWithError("the image was not sent");
  for (auto _ : State)
    if (!env.run(env.window->btnUpPart, INFO_UP_MEMORY_SUCESS)) State.SkipWithError("the image was not read");
  auto read = [](const fs::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  if (read(env.folder / "pc" / "os.back") != read(env.folder / "pc" / "os.img"))
    State.SkipWithError("the image read back differs");
  State.SetBytesProcessed(State.iterations() * static_cast<std::int64_t>(COMM_IMAGE_MAX));
}
BENCHMARK(ReadImageBack)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
