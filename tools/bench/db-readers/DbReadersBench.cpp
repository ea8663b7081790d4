// Reading every field of every record: a 200,000-record meter-reading dBASE table (12 fields of
// C, N, D and L, 37 MB) and a 60,000-row workbook that gnumeric writes from a CSV. The files are
// made once in the temporary folder. "rss_growth_MB" is how much the peak resident memory grew
// during the runs: reading record by record, it stays near zero however large the file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "DbaseSource.h"
#include "XlsSource.h"

namespace {

const std::filesystem::path Folder = std::filesystem::temp_directory_path() / "hhm-db-readers-bench";
constexpr int TableRecords = 200000;
constexpr int WorkbookRows = 60000;

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct TField {
  const char* Name;
  char Type;
  int Length;
  int Decimals;
};

// Meter-reading shape: account, name, address, meter number, multiplier, readings, amounts,
// reading dates, an exception flag.
const std::vector<TField> MeterFields = {
    {"HH", 'C', 10, 0},   {"HM", 'C', 40, 0},   {"DZ", 'C', 60, 0},   {"BH", 'C', 12, 0},
    {"KJ", 'N', 3, 0},    {"SQDS", 'N', 10, 1}, {"BQDS", 'N', 10, 1}, {"SL", 'N', 10, 2},
    {"JE", 'N', 12, 2},   {"SQRQ", 'D', 8, 0},  {"CBRQ", 'D', 8, 0},  {"YC", 'L', 1, 0},
};

std::string padLeft(const std::string& s, int n) { return std::string(std::max(0, n - int(s.size())), ' ') + s; }
std::string padRight(const std::string& s, int n) { return (s + std::string(n, ' ')).substr(0, n); }

const std::filesystem::path& meterTable() {
  static const std::filesystem::path path = [] {
    std::filesystem::create_directories(Folder / "dbf");
    const std::filesystem::path p = Folder / "dbf" / "meters.dbf";
    int recordLength = 1;
    for (const TField& f : MeterFields) recordLength += f.Length;
    std::string header(32, '\0');
    header[0] = 0x03;
    auto put = [&](std::size_t at, unsigned value, int bytes) {
      for (int i = 0; i < bytes; ++i) header[at + i] = char(value >> (8 * i));
    };
    put(4, TableRecords, 4);
    put(8, unsigned(32 * (MeterFields.size() + 1) + 1), 2);
    put(10, unsigned(recordLength), 2);
    for (const TField& f : MeterFields) {
      std::string d(32, '\0');
      d.replace(0, std::strlen(f.Name), f.Name);
      d[11] = f.Type;
      d[16] = char(f.Length);
      d[17] = char(f.Decimals);
      header += d;
    }
    header += '\x0D';
    std::ofstream out(p, std::ios::binary);
    out << header;
    const std::string name = WideToAnsi(u"张国强");
    const std::string address = WideToAnsi(u"城东区解放路12号3单元101");
    char number[32];
    for (int i = 0; i < TableRecords; ++i) {
      std::string r = " ";
      std::snprintf(number, sizeof number, "%010d", i);
      r += number;
      r += padRight(name, 40) + padRight(address, 60) + padRight("M" + std::to_string(i), 12);
      r += padLeft(std::to_string(1 + i % 50), 3);
      std::snprintf(number, sizeof number, "%.1f", 1000 + i * 0.5);
      r += padLeft(number, 10);
      std::snprintf(number, sizeof number, "%.1f", 1100 + i * 0.5);
      r += padLeft(number, 10);
      r += padLeft("100.00", 10) + padLeft(std::to_string(i % 1000) + ".50", 12);
      r += "20240131";
      r += i % 17 == 0 ? "        " : "20240229";
      r += i % 3 == 0 ? "T" : "F";
      out << r;
    }
    out << '\x1A';
    return p;
  }();
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
