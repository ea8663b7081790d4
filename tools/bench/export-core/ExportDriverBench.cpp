// The export driver's own cost: 200,000 records of 12 fields in an in-memory data set, read by
// an exporter whose steps do nothing (NullSteps), against the bare walk over the same data set
// (DataSetWalk); the difference is what the driver adds per record. ValueTexts runs the base
// FillRow as well (every value formatted as the exporters receive it), for comparison.
//
// Allocations are counted by a replaced global operator new; "allocs/record" is reported for
// each run, after a first run has let every buffer reach its size.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "ClasslibGui.h"
#include "DataExportUnit.h"
#include "DateRoutines.h"
#include "TClientDataSet.h"
#include "TDataExport.h"
#include "TDataPacket.h"

namespace {

std::atomic<long long> allocations{0};

constexpr int Records = 200000;

class TNullExport : public TDataExport {
public:
  using TDataExport::TDataExport;
  void FillRow() override {}
  void WriteDataRow() override {}
};

class TValueExport : public TDataExport {
public:
  using TDataExport::TDataExport;
  void WriteDataRow() override {}
};

TDbColumn column(const char* name, TFieldType type, int size = 0) {
  TDbColumn c;
  c.Name = name;
  c.DataType = type;
  c.Size = size;
  return c;
}

// The shape of a terminal's meter-reading table.
TClientDataSet* readings() {
  TDataPacket packet({column("BOOKNO", ftString, 8), column("METERNO", ftString, 12), column("NAME", ftString, 20),
                      column("ADDRESS", ftString, 30), column("LASTREAD", ftInteger), column("THISREAD", ftInteger),
                      column("USAGE", ftFloat), column("PRICE", ftFloat), column("AMOUNT", ftCurrency),
                      column("READDATE", ftDate), column("PAID", ftBoolean), column("READER", ftString, 6)});
  const TDateTime day = EncodeDate(2026, 12, 1);
  for (int i = 0; i < Records; ++i)
    packet.AppendRecord({Variant("B" + std::to_string(i / 1000)), Variant("M" + std::to_string(100000000 + i)),
                         Variant("Customer " + std::to_string(i)), Variant("Street " + std::to_string(i % 977)),
                         Variant(i), Variant(i + 37), Variant(37.5), Variant(2.85),
                         Variant(Currency::FromDouble(106.88)), VarFromDateTime(day + i % 28), Variant(i % 3 == 0),
                         Variant("R07")});
  auto* ds = new TClientDataSet(nullptr);
  ds->SetData(std::move(packet));
  return ds;
}

TClientDataSet* dataSet() {
  static TClientDataSet* ds = readings();
  return ds;
}

template <class Export>
void runExport(benchmark::State& state) {
  Export e(nullptr);
  e.SetDataSet(dataSet());
  e.ExportToStream(nullptr);  // buffers reach their sizes
  long long before = 0;
  for (auto _ : state) {
    before = allocations.load();
    e.ExportToStream(nullptr);
    state.counters["allocs/record"] = static_cast<double>(allocations.load() - before) / Records;
  }
  state.counters["ns/record"] =
      benchmark::Counter(static_cast<double>(Records) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void NullSteps(benchmark::State& state) { runExport<TNullExport>(state); }
void ValueTexts(benchmark::State& state) { runExport<TValueExport>(state); }

void DataSetWalk(benchmark::State& state) {
  TClientDataSet* ds = dataSet();
  for (auto _ : state) {
    int n = 0;
    for (ds->First(); !ds->Eof(); ds->Next()) ++n;
    benchmark::DoNotOptimize(n);
  }
  state.counters["ns/record"] =
      benchmark::Counter(static_cast<double>(Records) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

BENCHMARK(DataSetWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(NullSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(ValueTexts)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  ClasslibGuiInitialize();
  DataExportInitialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  delete dataSet();
  DataExportFinalize();
  ClasslibGuiFinalize();
  return 0;
}
