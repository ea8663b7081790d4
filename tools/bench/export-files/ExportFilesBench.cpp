// The text and dBASE exporters over the terminals' meter-reading table: 200,000 records of 12
// fields (account, name, address, meter number, multiplier, two readings, usage, amount, two
// reading dates, an exception flag; 37 MB as a dBASE table), held in a client data set, written
// to a CSV file and to a dBASE file.
//
// Reported per run: ms per export, ns per record, and "MB above source": how far the process's
// peak resident memory rose above what it held before the export (the data set included), so
// that memory growing with the record count shows. Run with --benchmark_filter=Small to see the
// same figure for a tenth of the records.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ClasslibGui.h"
#include "CodePage.h"
#include "DataExportUnit.h"
#include "DateRoutines.h"
#include "TClientDataSet.h"
#include "TDataExportASCII.h"
#include "TDataExportDBF.h"
#include "TDataPacket.h"
#include "TExportFormats.h"
#include "TStrings.h"

namespace {

constexpr int Records = 200000;

TDbColumn column(const char* name, TFieldType type, int size = 0) {
  TDbColumn c;
  c.Name = name;
  c.DataType = type;
  c.Size = size;
  return c;
}

// The table as a terminal keeps it: text in GBK, readings with one decimal, amounts with two.
TClientDataSet* meterTable(int records) {
  TDataPacket packet({column("HH", ftString, 10), column("HM", ftString, 40), column("DZ", ftString, 60),
                      column("BH", ftString, 12), column("KJ", ftInteger), column("SQDS", ftFloat), column("BQDS", ftFloat),
                      column("SL", ftFloat), column("JE", ftFloat), column("SQRQ", ftDate), column("CBRQ", ftDate),
                      column("YC", ftBoolean)});
  const AnsiString name = WideToAnsi(u"张国强");
  const AnsiString address = WideToAnsi(u"城东区解放路12号3单元101");
  const TDateTime last = EncodeDate(2024, 1, 31), read = EncodeDate(2024, 2, 29);
  char account[16];
  for (int i = 0; i < records; ++i) {
    std::snprintf(account, sizeof account, "%010d", i);
    packet.AppendRecord({Variant(account), Variant(name), Variant(address), Variant("M" + std::to_string(i)),
                         Variant(1 + i % 50), Variant(1000 + i * 0.5), Variant(1100 + i * 0.5), Variant(100.0),
                         Variant(i % 1000 + 0.5), VarFromDateTime(last),
                         i % 17 == 0 ? Variant::Null() : VarFromDateTime(read), Variant(i % 3 == 0)});
  }
  auto* ds = new TClientDataSet(nullptr);
  ds->SetData(std::move(packet));
  return ds;
}

long statusKiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
  return 0;
}

// Starts the peak resident memory afresh from what is resident now.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

template <class Export>
void run(benchmark::State& state, Export& e, int records) {
  e.Execute();  // buffers and caches reach their sizes
  double aboveSource = 0;
  for (auto _ : state) {
    resetPeak();
    const long before = statusKiB("VmRSS:");
    e.Execute();
    aboveSource = static_cast<double>(statusKiB("VmHWM:") - before) / 1024.0;
  }
  state.counters["MB above source"] = aboveSource;
  state.counters["ns/record"] =
      benchmark::Counter(static_cast<double>(records) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  std::filesystem::remove(e.FileName());
  std::filesystem::remove(std::filesystem::path(e.FileName()).replace_extension(".dbt"));
}

std::string target(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void ToCsv(benchmark::State& state, int records) {
  TClientDataSet* ds = meterTable(records);
  TDataExportASCII e(nullptr);
  e.SetExportType(etCSV);
  e.SetCSVComma(',');
  e.Formats()->SetThousandSeparator(' ');
  e.SetDataSet(ds);
  e.SetFileName(target("hhm-bench-meters.csv"));
  run(state, e, records);
  delete ds;
}

void ToDbase(benchmark::State& state, int records) {
  TClientDataSet* ds = meterTable(records);
  TDataExportDBF e(nullptr);
  e.SetDataSet(ds);
  e.ColumnsPrecision()->Add("SQDS=10,1");
  e.ColumnsPrecision()->Add("BQDS=10,1");
  e.ColumnsPrecision()->Add("SL=10,2");
  e.ColumnsPrecision()->Add("JE=12,2");
  e.SetFileName(target("hhm-bench-meters.dbf"));
  run(state, e, records);
  delete ds;
}

// The driver and the row values alone, for comparison: what the exporters add is the rest.
class TRowsOnly : public TDataExport {
public:
  using TDataExport::TDataExport;
  void WriteDataRow() override {}
};

void MetersRowValuesOnly(benchmark::State& state) {
  TClientDataSet* ds = meterTable(Records);
  TRowsOnly e(nullptr);
  e.SetDataSet(ds);
  for (auto _ : state) e.ExportToStream(nullptr);
  delete ds;
}

void MetersToCsv(benchmark::State& state) { ToCsv(state, Records); }
void MetersToDbase(benchmark::State& state) { ToDbase(state, Records); }
void SmallMetersToCsv(benchmark::State& state) { ToCsv(state, Records / 10); }
void SmallMetersToDbase(benchmark::State& state) { ToDbase(state, Records / 10); }

}  // namespace

BENCHMARK(MetersRowValuesOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(MetersToCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(MetersToDbase)->Unit(benchmark::kMillisecond);
BENCHMARK(SmallMetersToCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(SmallMetersToDbase)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  ClasslibGuiInitialize();
  DataExportInitialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  DataExportFinalize();
  ClasslibGuiFinalize();
  return 0;
}
