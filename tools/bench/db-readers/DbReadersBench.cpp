// Reading every field of every record: a 200,000-record meter-reading dBASE table (12 fields of
// C, N, D and L, 37 MB) and a 60,000-row workbook that gnumeric writes from a CSV. The files are
// made once in the temporary folder. "rss_growth_MB" is how much the peak resident memory grew
// during the runs: reading record by record, it stays near zero however large the file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "DbaseSource.h"
#include "MeterTable.h"
#include "XlsSource.h"

namespace {

const std::filesystem::path Folder = std::filesystem::temp_directory_path() / "hhm-db-readers-bench";
constexpr int WorkbookRows = 60000;

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

const std::filesystem::path& meterTable() {
  static const std::filesystem::path path = bench::MeterTable(Folder / "dbf");
  return path;
}

const std::filesystem::path& workbook() {
  static const std::filesystem::path path = [] {
    std::filesystem::create_directories(Folder);
    const std::filesystem::path xls = Folder / "readings.xls";
    if (std::filesystem::exists(xls)) return xls;
    const std::filesystem::path csv = Folder / "readings.csv";
    {
      std::ofstream out(csv);
      out << "Account,Name,Multiplier,Previous,Current,Amount,Read on,Flag\n";
      for (int i = 0; i < WorkbookRows; ++i)
        out << i << ",Customer " << i % 977 << "," << 1 + i % 50 << "," << 1000 + i * 0.5 << "," << 1100 + i * 0.5 << ","
            << (i % 1000) + 0.25 << ",2024-02-" << 1 + i % 28 << ",TRUE\n";
    }
    const std::string command = "ssconvert '" + csv.string() + "' '" + xls.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "ssconvert failed\n");
    return xls;
  }();
  return path;
}

void readAll(TDbCursor& cursor, benchmark::State& state) {
  std::vector<Variant> row;
  long long records = 0;
  while (cursor.Next(row)) {
    benchmark::DoNotOptimize(row.data());
    ++records;
  }
  state.counters["records"] = double(records);
}

void DbaseMeterTable(benchmark::State& state) {
  SetACP(936);
  auto source = OpenDbaseSource(meterTable().parent_path().string());
  const long before = peakRssKb();
  for (auto _ : state) {
    auto cursor = source->OpenTable("meters.dbf");
    readAll(*cursor, state);
  }
  state.counters["MB"] = double(std::filesystem::file_size(meterTable())) / 1e6;
  state.counters["rss_growth_MB"] = double(peakRssKb() - before) / 1024;
}
BENCHMARK(DbaseMeterTable)->Unit(benchmark::kMillisecond);

void Workbook60000Rows(benchmark::State& state) {
  const AnsiString file = workbook().string();
  const long before = peakRssKb();
  for (auto _ : state) {
    auto source = OpenXlsSource(file);
    auto cursor = source->OpenTable(source->TableNames().front());
    readAll(*cursor, state);
  }
  state.counters["rss_growth_MB"] = double(peakRssKb() - before) / 1024;
}
BENCHMARK(Workbook60000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
