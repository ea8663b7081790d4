// Times the Excel exporter on a meter-reading table of the terminal (dBASE), as the conversion
// runs it: the table is read into an in-memory data set, then exported with the conversion's
// settings (captions, automatic column widths, a page footer). Gnumeric's ssconvert converts the
// same file to .xls in the same run, and the report gives our time as a share of its time.
//
//   xls_export_bench [--keep DIR] [--no-peer] [records ...]     default: 60000 200000
//
// --keep copies each workbook to DIR/CBSJ-<records>.xls, to compare outputs between builds;
// --no-peer leaves ssconvert out (for profiling the exporter alone).
//
// For each size it prints the time to read and to export, the peak memory of the process after
// reading and in all, the sheets and rows the workbook holds (read back from the file), and
// ssconvert's time and the rows it kept.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "Biff8Records.h"
#include "ClasslibGui.h"
#include "CodePage.h"
#include "CompoundFile.h"
#include "DataExportUnit.h"
#include "DbaseSource.h"
#include "TClientDataSet.h"
#include "TDataExportXLS.h"
#include "TDataPacket.h"
#include "TDbfWriter.h"
#include "TWideStringList.h"
#include "TXLSOptions.h"
#include "TxlsFont.h"
#include "TxlsFormat.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// A line of /proc/self/status in MiB ("VmHWM").
double statusMiB(const std::string& key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
  return 0;
}

// Starts the peak over from the present size (Linux: writing 5 to clear_refs resets VmHWM).
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The readings table of the terminal with Count records: account, name, address, meter, read
// date, reading, usage, state, reader.
void writeTable(const fs::path& file, int count) {
  TDbfWriter table({{"HH", 'C', 10, 0},
                    {"HM", 'C', 20, 0},
                    {"DZ", 'C', 40, 0},
                    {"BH", 'C', 12, 0},
                    {"CBRQ", 'D', 8, 0},
                    {"BQDS", 'N', 10, 1},
                    {"SYL", 'N', 8, 1},
                    {"ZT", 'C', 4, 0},
                    {"CBY", 'C', 8, 0}},
                   2024, 5, 20);
  const char* names[] = {"张国强", "李秀英", "王志明", "刘桂兰", "陈建华", "杨丽娟", "赵德胜", "城东第二小学"};
  const char* streets[] = {"城东区解放路", "城东区建设街", "城东区和平路", "城西区人民路"};
  const char* states[] = {"正常", "正常", "正常", "表停", "估抄"};
  char text[64];
  for (int i = 0; i < count; ++i) {
    std::snprintf(text, sizeof text, "%07d", 100000 + i);
    const AnsiString account = text;
    std::snprintf(text, sizeof text, "BJ%08d", 20050000 + i);
    const AnsiString meter = text;
    const AnsiString address =
        Utf8ToAnsi(std::string(streets[i % 4]) + std::to_string(i % 97 + 1) + "号" + std::to_string(i % 6 + 1) + "单元");
    std::snprintf(text, sizeof text, "2024%02d%02d", 1 + i % 12, 1 + i % 28);
    const AnsiString day = text;
    std::snprintf(text, sizeof text, "%.1f", 100.0 + (i % 5000) * 1.7);
    const AnsiString reading = text;
    std::snprintf(text, sizeof text, "%.1f", (i % 400) * 0.5);
    const AnsiString used = text;
    table.AddRecord({account, Utf8ToAnsi(names[i % 8]), address, meter, day, reading, used, Utf8ToAnsi(states[i % 5]),
                     Utf8ToAnsi("王建国")});
  }
  std::ofstream(file, std::ios::binary) << table.Bytes();
}

// The whole table in an in-memory data set, as the conversion copies its source.
void readTable(const fs::path& folder, const std::string& name, TClientDataSet& into) {
  auto source = OpenDbaseSource(folder.string());
  auto cursor = source->OpenTable(name);
  TDataPacket packet(cursor->Columns());
  std::vector<Variant> row;
  while (cursor->Next(row)) packet.AppendRecord(row);
  into.SetData(std::move(packet));
}

// The exporter with the settings of the conversion's Excel exporter.
void configure(TDataExportXLS& xls) {
  xls.SetAutoCalcStrType(true);
  xls.SetAutoCalcColWidth(true);
  xls.Options()->SetPageFooter(u"Page &P of &N");
  xls.Options()->SetSheetTitle("Sheet 1");
  xls.Options()->CaptionsFormat()->Font()->SetStyle({xfsBold});
}

// Sheets and cells of a workbook read back from its stream.
struct TCounts {
  int Sheets = 0;
  long Rows = 0;  // rows holding a cell, captions included
};
TCounts countWorkbook(const fs::path& file) {
  TCounts counts;
  const std::string stream = ReadCompoundStream(file.string(), u"Workbook");
  long lastRow = -1;
  for (std::size_t at = 0; at + 4 <= stream.size();) {
    const auto id = static_cast<std::uint16_t>(static_cast<unsigned char>(stream[at]) | (static_cast<unsigned char>(stream[at + 1]) << 8));
    const std::size_t length = static_cast<unsigned char>(stream[at + 2]) | (static_cast<unsigned char>(stream[at + 3]) << 8);
    if (id == biff8::BOF && length >= 4 && stream[at + 6] == 0x10) {
      ++counts.Sheets;
      lastRow = -1;
    }
    if ((id == biff8::LABELSST || id == biff8::NUMBER || id == biff8::BLANK) && length >= 2) {
      const long row = static_cast<unsigned char>(stream[at + 4]) | (static_cast<unsigned char>(stream[at + 5]) << 8);
      if (row != lastRow) ++counts.Rows;
      lastRow = row;
    }
    at += 4 + length;
  }
  return counts;
}

// Runs ssconvert on the table; its time, and the rows of its workbook.
double runSsconvert(const fs::path& dbf, const fs::path& xls, TCounts& counts) {
  fs::remove(xls);
  const std::string command = "ssconvert -T Gnumeric_Excel:excel_biff8 '" + dbf.string() + "' '" + xls.string() + "' >/dev/null 2>&1";
  const auto start = Clock::now();
  const int status = std::system(command.c_str());
  const double time = seconds(start);
  if (status != 0 || !fs::exists(xls)) return -1;
  counts = countWorkbook(xls);
  return time;
}

}  // namespace

int main(int argc, char** argv) {
  ClasslibGuiInitialize();
  DataExportInitialize();
  std::vector<int> sizes;
  fs::path keep;
  bool peer = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--keep") == 0 && i + 1 < argc)
      keep = argv[++i];
    else if (std::strcmp(argv[i], "--no-peer") == 0)
      peer = false;
    else
      sizes.push_back(std::atoi(argv[i]));
  }
  if (sizes.empty()) sizes = {60000, 200000};
  const fs::path folder = fs::temp_directory_path() / ("xls-export-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::printf("%9s %8s %8s %8s %9s %9s %7s %9s | %10s %9s %7s\n", "records", "read s", "export s", "total s",
              "read MiB", "peak MiB", "sheets", "rows", "ssconvert", "its rows", "ratio");
  for (const int count : sizes) {
    const fs::path dbf = folder / "CBSJ.DBF";
    writeTable(dbf, count);
    TComponent owner(nullptr);
    auto* data = new TClientDataSet(&owner);
    auto* xls = new TDataExportXLS(&owner);
    configure(*xls);
    xls->SetDataSet(data);
    xls->SetFileName((folder / "CBSJ.xls").string());

    resetPeak();
    const auto start = Clock::now();
    readTable(folder, "CBSJ.DBF", *data);
    const double read = seconds(start);
    const double readPeak = statusMiB("VmHWM");
    const auto exportStart = Clock::now();
    xls->Execute();
    const double exported = seconds(exportStart);
    const double total = seconds(start);
    const double peak = statusMiB("VmHWM");
    const TCounts ours = countWorkbook(folder / "CBSJ.xls");
    if (!keep.empty())
      fs::copy_file(folder / "CBSJ.xls", keep / ("CBSJ-" + std::to_string(count) + ".xls"),
                    fs::copy_options::overwrite_existing);

    TCounts theirs;
    const double gnumeric = peer ? runSsconvert(dbf, folder / "gnumeric.xls", theirs) : 0.0;
    std::printf("%9d %8.3f %8.3f %8.3f %9.1f %9.1f %7d %9ld | %10.3f %9ld %7.2f\n", count, read, exported, total,
                readPeak, peak, ours.Sheets, ours.Rows, gnumeric, theirs.Rows, gnumeric > 0 ? total / gnumeric : 0.0);
  }
  fs::remove_all(folder);
  DataExportFinalize();
  ClasslibGuiFinalize();
  return 0;
}
