// Writes a workbook of 60,000 rows by 12 columns (texts, some repeated and some unique, CJK,
// integers, amounts, dates, booleans and blanks) straight through the workbook writer into a
// file, and reports the peak memory of the process besides the time. With XLS_BENCH_KEEP set to
// a file name, the last workbook written is copied there (to compare outputs between builds).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ClasslibGui.h"
#include "TxlsWorkbookFile.h"
#include "TxlsWorkbookWriter.h"

namespace {

constexpr int kRows = 60000;
constexpr int kColumns = 12;

// A line of /proc/self/status in MiB ("VmRSS", "VmHWM").
double statusMiB(const std::string& key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
  return 0;
}

// Starts the peak over from the present size (Linux: writing 5 to clear_refs resets VmHWM).
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void WriteWorkbook(benchmark::State& state) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("xls-bench-" + std::to_string(::getpid()) + ".xls")).string();
  const char16_t* districts[] = {u"东城区", u"西城区", u"朝阳区", u"海淀区", u"丰台区"};
  resetPeak();
  const double before = statusMiB("VmRSS");
  std::int64_t bytes = 0;
  std::uint32_t strings = 0;
  for (auto _ : state) {
    TxlsWorkbookFile file(path);
    TxlsWorkbookWriter writer(file.Stream());
    writer.SetGatherCells(true);  // as the exporter writes
    writer.WriteWorkbookPrologue();
    TxlsSheetFrame frame;
    frame.Title = u"Readings";
    frame.ColumnWidths.assign(kColumns, 12);
    writer.WriteSheetPrologue(frame);
    const std::uint16_t amount = writer.Formats().XFIndex(nullptr, u"#,##0.00", nullptr);
    const std::uint16_t date = writer.Formats().XFIndex(nullptr, u"yyyy-mm-dd", nullptr);
    std::u16string meter = u"M-000000";
    for (int r = 0; r < kRows; ++r) {
      for (int k = 0, n = r; k < 6; ++k, n /= 10) meter[7 - k] = static_cast<char16_t>(u'0' + n % 10);
      writer.WriteLabelSST(r, 0, meter, 15);                      // unique
      writer.WriteLabelSST(r, 1, districts[r % 5], 15);           // repeated CJK
      writer.WriteNumber(r, 2, r, 15);                            // integer
      writer.WriteNumber(r, 3, r * 1.25 + 0.01, amount);          // amount
      writer.WriteNumber(r, 4, 45000 + r % 365, date);            // date
      writer.WriteBoolErr(r, 5, r % 3 == 0, 15);                  // boolean
      writer.WriteNumber(r, 6, (r % 997) * 0.001, 15);            // fraction
      writer.WriteLabelSST(r, 7, r % 2 ? u"open" : u"closed", 15);  // repeated
      if (r % 4 == 0)
        writer.WriteBlank(r, 8, 15);
      else
        writer.WriteNumber(r, 8, -r, 15);
      writer.WriteNumber(r, 9, 1e6 + r, amount);
      writer.WriteLabelSST(r, 10, u"note " + meter, 15);  // unique
      writer.WriteNumber(r, 11, 45000.5 + r % 30, date);
    }
    writer.WriteSheetEpilogue(frame);
    writer.WriteWorkbookGlobals({});
    bytes = file.Stream().Size();
    strings = writer.SST().UniqueStrings();
    file.Commit();
  }
  if (const char* keep = std::getenv("XLS_BENCH_KEEP"))
    std::filesystem::copy_file(path, keep, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::remove(path);
  state.counters["stream_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
  state.counters["unique_strings"] = strings;
  state.counters["peak_growth_MiB"] = statusMiB("VmHWM") - before;
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}
BENCHMARK(WriteWorkbook)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  // Column widths are measured with the screen's font metrics; no screen is needed.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ClasslibGuiInitialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  ClasslibGuiFinalize();
  return 0;
}
