#include <benchmark/benchmark.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "TIniFile.h"
#include "TThread.h"

namespace {

// A settings file of state.range(0) keys in ten sections, removed at the end.
class TSettingsFile {
public:
  explicit TSettingsFile(int keys) {
    path_ = std::filesystem::temp_directory_path() / ("ini-bench-" + std::to_string(::getpid()) + ".ini");
    std::ofstream out(path_, std::ios::binary);
    for (int s = 0; s < 10; ++s) {
      out << "[section" << s << "]\r\n";
      for (int k = 0; k < keys / 10; ++k) out << "file" << k << "=C:\\data\\file" << k << ".dbf\r\n";
    }
  }
  ~TSettingsFile() { std::filesystem::remove(path_); }
  AnsiString Name() const { return path_.string(); }

private:
  std::filesystem::path path_;
};

// Reading a key of an unchanged file: a stat and a hash lookup.
void IniReadString(benchmark::State& state) {
  TSettingsFile file(static_cast<int>(state.range(0)));
  TIniFile ini(file.Name());
  int i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(ini.ReadString("section5", "file" + std::to_string(i++ % (state.range(0) / 10)), ""));
}
BENCHMARK(IniReadString)->Arg(100)->Arg(10000);

// Writing a changed value: the whole file written to a temporary one and renamed.
void IniWriteString(benchmark::State& state) {
  TSettingsFile file(static_cast<int>(state.range(0)));
  TIniFile ini(file.Name());
  int i = 0;
  for (auto _ : state) ini.WriteInteger("section5", "file1", i++);
}

// A settings save: 40 changed values and the one flush to the disk at the end.
void IniSaveSettings(benchmark::State& state) {
  TSettingsFile file(100);
  int round = 0;
  for (auto _ : state) {
    TIniFile ini(file.Name());
    for (int k = 0; k < 40; ++k) ini.WriteInteger("section" + std::to_string(k % 10), "file" + std::to_string(k), round);
    ++round;
  }
}
BENCHMARK(IniWriteString)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(IniSaveSettings)->Unit(benchmark::kMillisecond)->UseRealTime();

// A worker's Synchronize served by the main thread: the round trip of one hand-over.
void SynchronizeRoundTrip(benchmark::State& state) {
  std::atomic<bool> stop{false}, done{false};
  std::atomic<long> served{0};
  std::thread worker([&] {
    while (!stop) TThread::Synchronize(nullptr, [&] { ++served; });
    done = true;
  });
  for (auto _ : state) CheckSynchronize(100);
  stop = true;
  while (!done) CheckSynchronize(10);
  worker.join();
  state.SetItemsProcessed(served);
}
BENCHMARK(SynchronizeRoundTrip)->UseRealTime();

}  // namespace
