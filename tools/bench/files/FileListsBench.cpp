// The file lists of the main window and the simulated terminal's transfers.
//
//   build/main/tools/bench/files/files_bench
//
// ListDeviceFiles3938: a terminal of 3,938 files listed into both terminal views with the
// figures and labels, from the worker's start to the last view update (target: under 100 ms).
// RebuildPcList10000 / ReadAndRebuildPcList10000: listCpu built for a folder of 10,000 files,
// from the file list box's names, and with the folder read again (target: under 300 ms).
// SortPcList10000/N: listCpu sorted by column N (target: under 50 ms).
// DownloadFile16MiB / UploadFile16MiB: one 16 MiB file through a simulated terminal of a few
// files, PC to terminal and back (target: at least 200 MB/s; see bytes_per_second).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "Forms.h"
#include "LmLangMgr.h"
#include "TFileListBox.h"
#include "TListColumns.h"
#include "TListItems.h"
#include "TListView.h"
#include "TestInput.h"
#include "TIniFile.h"
#include "VxComm.h"
#include "uConstStrings.h"
#include "uListViews.h"
#include "uMain.h"

namespace fs = std::filesystem;

namespace {

constexpr int TerminalFiles = 3938;
constexpr int PcFiles = 10000;
constexpr std::int64_t TransferSize = 16 * 1024 * 1024;

void writeFile(const fs::path& Path, const std::string& Bytes) {
  std::ofstream out(Path, std::ios::binary | std::ios::trunc);
  out << Bytes;
}

// The program's units, a terminal of 3,938 files, a PC folder of 10,000 files and the settings
// of a window on the comm page with that folder.
class TBenchEnvironment {
public:
  TBenchEnvironment() : units({ClasslibCoreUnit, ClasslibGuiUnit, LmLangMgrUnit, uConstStringsUnit, uMainUnit}) {
    folder = fs::temp_directory_path() / ("hhm-files-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "languages");
    fs::create_directories(folder / "pc");
    setenv("VXCOMM_TERMINAL", (folder / "terminal").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    units.Initialize();
    for (const auto& entry : fs::directory_iterator(HHM_LANGUAGES_DIR))
      fs::copy_file(entry.path(), folder / "languages" / entry.path().filename());
    ProgramFiles().SettingsFile = (folder / "handheld-manager.ini").string();
    ProgramFiles().LanguagePath = (folder / "languages").string() + "/";

    vxCheckPort();  // makes the folder a terminal
    const fs::path terminal = folder / "terminal";
    TIniFile((terminal / "terminal.ini").string()).WriteString("System", "Capacity", std::to_string(512 << 20));
    for (int i = 10; i < 10 + TerminalFiles - 3; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "%08d CB%06d.DBF", i, i);
      writeFile(terminal / "files" / name, std::string(static_cast<std::size_t>(i % 5000), 'd'));
    }
    for (int i = 0; i < PcFiles; ++i) {
      static const char* const exts[] = {".dbf", ".txt", ".csv", ".xls", ".rom", ".zip"};
      writeFile(folder / "pc" / ("file" + std::to_string(i * 7919 % PcFiles) + exts[i % 6]), std::string(i % 3000, 'p'));
    }
    writeFile(folder / "handheld-manager.ini", "[sysoptions]\nrunmode=1\nDir=" + (folder / "pc").string() + "\n");
  }
  ~TBenchEnvironment() {
    units.Finalize();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  fs::path folder;
  TUnitList units;
};

TBenchEnvironment& environment() {
  static TBenchEnvironment env;
  return env;
}

void waitIdle(TFormmain* Window) {
  TestInput::WaitUntil([Window] { return Window->Busy() == 0; }, 60000);
}

TFormmain* openWindow() {
  environment();
  auto* window = NewForm<TFormmain>(Application);
  window->Show();
  waitIdle(window);
  return window;
}

void ListDeviceFiles3938(benchmark::State& State) {
  TFormmain* window = openWindow();
  for (auto _ : State) {
    window->StartWorker(tmListFiles, true);
    waitIdle(window);
  }
  if (window->listCbj->Items()->Count() != TerminalFiles) State.SkipWithError("the list is not whole");
  delete window;
}
BENCHMARK(ListDeviceFiles3938)->Unit(benchmark::kMillisecond)->UseRealTime();

void RebuildPcList10000(benchmark::State& State) {
  TFormmain* window = openWindow();
  for (auto _ : State) window->flistCpuChange(window->flistCpu);
  if (window->listCpu->Items()->Count() != PcFiles) State.SkipWithError("the list is not whole");
  delete window;
}
BENCHMARK(RebuildPcList10000)->Unit(benchmark::kMillisecond);

void ReadAndRebuildPcList10000(benchmark::State& State) {
  TFormmain* window = openWindow();
  for (auto _ : State) window->flistCpu->Update();
  delete window;
}
BENCHMARK(ReadAndRebuildPcList10000)->Unit(benchmark::kMillisecond);

void SortPcList10000(benchmark::State& State) {
  TFormmain* window = openWindow();
  TListColumn* column = window->listCpu->Columns()->Items(static_cast<int>(State.range(0)));
  for (auto _ : State) window->listCpuColumnClick(window->listCpu, column);
  delete window;
}
BENCHMARK(SortPcList10000)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void checked(benchmark::State& State, std::int32_t Result) {
  if (vxGetErrMsg(Result, nullptr, nullptr) != 0) State.SkipWithError("the transfer failed");
}

// The PC file of the transfers, written once; the transfers go to a terminal of the usual few
// files (with room for the file), not to the one of 3,938 files.
fs::path bigFile() {
  const fs::path source = environment().folder / "big.bin";
  if (fs::exists(source)) return source;
  writeFile(source, std::string(TransferSize, 'b'));
  const fs::path terminal = environment().folder / "small-terminal";
  setenv("VXCOMM_TERMINAL", terminal.c_str(), 1);
  vxCheckPort();
  TIniFile((terminal / "terminal.ini").string()).WriteString("System", "Capacity", std::to_string(64 << 20));
  return source;
}

void DownloadFile16MiB(benchmark::State& State) {
  const fs::path source = bigFile();
  const std::int32_t port = vxCheckPort();
  for (auto _ : State) checked(State, vxDownloadFile(port, source.c_str(), "BIG.BIN"));
  State.SetBytesProcessed(State.iterations() * TransferSize);
}
BENCHMARK(DownloadFile16MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

void UploadFile16MiB(benchmark::State& State) {
  const fs::path target = environment().folder / "back.bin";
  const std::int32_t port = vxCheckPort();
  checked(State, vxDownloadFile(port, bigFile().c_str(), "BIG.BIN"));
  for (auto _ : State) checked(State, vxUploadFile(port, "BIG.BIN", target.c_str()));
  State.SetBytesProcessed(State.iterations() * TransferSize);
}
BENCHMARK(UploadFile16MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
