#include <benchmark/benchmark.h>

#include <string>

#include "DateTimeText.h"
#include "FloatText.h"
#include "Format.h"
#include "TStringList.h"

namespace {

// Filling a sorted list in random order: every Add is a binary search and an insertion.
void SortedAdd(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TStringList list;
    list.SetSorted(true);
    for (int i = 0; i < n; ++i) list.Add("key" + std::to_string(static_cast<long long>(i) * 7919 % n));
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(SortedAdd)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void TextRoundTrip(benchmark::State& state) {
  TStringList list;
  for (int i = 0; i < 100000; ++i) list.Add("line " + std::to_string(i));
  for (auto _ : state) list.SetText(list.Text());
}
BENCHMARK(TextRoundTrip)->Unit(benchmark::kMillisecond);

void ValuesLookup(benchmark::State& state) {
  TStringList list;
  for (int i = 0; i < 200; ++i) list.Add("Column" + std::to_string(i) + "=value");
  for (auto _ : state) benchmark::DoNotOptimize(list.Values("Column150"));
}
BENCHMARK(ValuesLookup);

void FormatMixed(benchmark::State& state) {
  const TFormatSettings fs;
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(Format("%s: %d %.2f", {"name", ++i, i * 0.5}, fs));
}
BENCHMARK(FormatMixed);

void FormatFloatMask(benchmark::State& state) {
  const TFormatSettings fs;
  double v = 0;
  for (auto _ : state) benchmark::DoNotOptimize(FormatFloat("#,##0.00", v += 1.25, fs));
}
BENCHMARK(FormatFloatMask);

void FormatDateTimeMask(benchmark::State& state) {
  const TFormatSettings fs;
  double v = 45000;
  for (auto _ : state) benchmark::DoNotOptimize(FormatDateTime("yyyy-mm-dd hh:nn:ss", v += 0.01, fs));
}
BENCHMARK(FormatDateTimeMask);

}  // namespace
