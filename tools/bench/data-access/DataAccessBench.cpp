// The data sets over a 200,000-record, 37 MB meter-reading dBASE table (see MeterTable.h):
//   TableEveryField        every field of every record read through a TADOTable's fields, as
//                          text (AsString)
//   TableEveryValue        the same, each field's Value
//   CopyIntoClientDataSet  the table copied whole into a TClientDataSet through a provider;
//                          "memory_x_file" is the copy's memory over the file's size
//   XmlPacketSave/Load     the copy written as an XML data packet and read back
#include <benchmark/benchmark.h>

#include <filesystem>

#include "CodePage.h"
#include "DataPacketXml.h"
#include "MeterTable.h"
#include "TADOConnection.h"
#include "TADOTable.h"
#include "TClientDataSet.h"
#include "TDataSetProvider.h"
#include "TFileStream.h"

namespace {

const std::filesystem::path Folder = std::filesystem::temp_directory_path() / "hhm-data-access-bench";

struct TMeterConnection {
  TMeterConnection() {
    SetACP(936);
    file = bench::MeterTable(Folder);
    connection.SetLoginPrompt(false);
    connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Folder.string() +
                                   "/;Extended Properties=dBASE IV;");
    table.SetConnection(&connection);
    table.SetTableName("meters.dbf");
  }
  std::filesystem::path file;
  TADOConnection connection{nullptr};
  TADOTable table{nullptr};
};

void TableEveryField(benchmark::State& state) {
  TMeterConnection meters;
  for (auto _ : state) {
    meters.table.Open();
    std::size_t bytes = 0;
    const int fields = meters.table.FieldCount();
    for (; !meters.table.Eof(); meters.table.Next())
      for (int i = 0; i < fields; ++i) bytes += meters.table.Fields()->Fields(i)->AsString().size();
    benchmark::DoNotOptimize(bytes);
    meters.table.Close();
  }
  state.counters["MB"] = double(std::filesystem::file_size(meters.file)) / 1e6;
}
BENCHMARK(TableEveryField)->Unit(benchmark::kMillisecond);

// The same walk taking each field's Value, as the copy into a client data set reads them.
void TableEveryValue(benchmark::State& state) {
  TMeterConnection meters;
  for (auto _ : state) {
    meters.table.Open();
    std::size_t nulls = 0;
    const int fields = meters.table.FieldCount();
    for (; !meters.table.Eof(); meters.table.Next())
      for (int i = 0; i < fields; ++i) nulls += meters.table.Fields()->Fields(i)->Value().IsNull();
    benchmark::DoNotOptimize(nulls);
    meters.table.Close();
  }
}
BENCHMARK(TableEveryValue)->Unit(benchmark::kMillisecond);

void CopyIntoClientDataSet(benchmark::State& state) {
  TMeterConnection meters;
  TDataSetProvider provider(nullptr);
  provider.SetDataSet(&meters.table);
  std::size_t memory = 0;
  for (auto _ : state) {
    TClientDataSet client(nullptr);
    meters.table.Open();
    client.SetData(provider.Data());
    memory = client.Data().MemorySize();
    meters.table.Close();
    benchmark::DoNotOptimize(client.RecordCount());
  }
  state.counters["memory_MB"] = double(memory) / 1e6;
  state.counters["memory_x_file"] = double(memory) / double(std::filesystem::file_size(meters.file));
}
BENCHMARK(CopyIntoClientDataSet)->Unit(benchmark::kMillisecond);

TDataPacket meterPacket() {
  TMeterConnection meters;
  TDataSetProvider provider(nullptr);
  provider.SetDataSet(&meters.table);
  return provider.Data();
}

void XmlPacketSave(benchmark::State& state) {
  const TDataPacket packet = meterPacket();
  const AnsiString file = (Folder / "meters.xml").string();
  for (auto _ : state) {
    TFileStream out(file, fmCreate);
    WriteDataPacketXml(packet, &out);
  }
  state.counters["xml_MB"] = double(std::filesystem::file_size(file)) / 1e6;
}
BENCHMARK(XmlPacketSave)->Unit(benchmark::kMillisecond);

void XmlPacketLoad(benchmark::State& state) {
  const AnsiString file = (Folder / "meters.xml").string();
  {
    const TDataPacket packet = meterPacket();
    TFileStream out(file, fmCreate);
    WriteDataPacketXml(packet, &out);
  }
  for (auto _ : state) {
    TClientDataSet client(nullptr);
    client.LoadFromFile(file);
    benchmark::DoNotOptimize(client.RecordCount());
  }
}
BENCHMARK(XmlPacketLoad)->Unit(benchmark::kMillisecond);

}  // namespace
