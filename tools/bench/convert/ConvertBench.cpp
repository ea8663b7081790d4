// The conversions of the program on a 200,000-record, 37 MB meter-reading dBASE table (see
// MeterTable.h), each run by convert-file in a process of its own, beside ogr2ogr (gdal-bin)
// doing the same in the same run:
//   DBF -> CSV, CSV -> DBF   convert-file and ogr2ogr, with the ratio of their times
//   DBF -> TXT, MDB, XLS, XML, and XML -> DBF  convert-file alone
// For each: the time convert-file reports for the conversion itself, the whole process's time
// and its peak memory (best of three runs). Run by hand: build/main/tools/bench/convert/convert_bench
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "MeterTable.h"

namespace fs = std::filesystem;

namespace {

struct TRun {
  double WallMs = 0;
  double PeakMiB = 0;
  bool Ok = false;
  std::string Output;
};

// Runs a program, its standard output kept, and measures it.
TRun run(const std::vector<std::string>& Args) {
  int pipeFds[2];
  TRun result;
  if (::pipe(pipeFds) != 0) return result;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], 1);
    ::close(pipeFds[0]);
    std::vector<char*> argv;
    for (const std::string& a : Args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) result.Output.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  result.WallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  result.PeakMiB = usage.ru_maxrss / 1024.0;
  result.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

// The conversion time convert-file printed ("... 123.4 ms, peak ...").
double reportedMs(const std::string& Output) {
  const std::size_t ms = Output.rfind(" ms,");
  if (ms == std::string::npos) return 0;
  const std::size_t space = Output.rfind(' ', ms - 1);
  return std::stod(Output.substr(space + 1, ms - space - 1));
}

struct TBest {
  TRun Run;
  double ConvertMs = 0;
};

// The best of three runs; Prepare runs before each (removing an earlier output).
template <class F>
TBest best(const std::vector<std::string>& Args, F Prepare) {
  TBest b;
  for (int i = 0; i < 3; ++i) {
    Prepare();
    TRun r = run(Args);
    if (!r.Ok) {
      std::fprintf(stderr, "failed: %s\n%s\n", Args[0].c_str(), r.Output.c_str());
      return b;
    }
    if (i == 0 || r.WallMs < b.Run.WallMs) {
      b.Run = r;
      b.ConvertMs = reportedMs(r.Output);
    }
  }
  return b;
}

void removeFile(const fs::path& Path) {
  std::error_code ec;
  fs::remove(Path, ec);
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "hhm-convert-bench";
  const fs::path table = bench::MeterTable(folder);
  const fs::path work = folder / "work";
  fs::create_directories(work);
  const std::string convertFile = CONVERT_FILE;
  auto copy = [&](const fs::path& From, const fs::path& To) { fs::copy_file(From, To, fs::copy_options::overwrite_existing); };

  copy(table, work / "meters.dbf");
  std::printf("%-14s %12s %12s %10s %12s %10s %8s\n", "conversion", "convert ms", "process ms", "peak MiB",
              "ogr2ogr ms", "ogr MiB", "ratio");
  auto line = [](const char* Name, const TBest& Ours, const TBest* Peer) {
    if (Peer != nullptr && Peer->Run.Ok)
      std::printf("%-14s %12.0f %12.0f %10.1f %12.0f %10.1f %8.2f\n", Name, Ours.ConvertMs, Ours.Run.WallMs,
                  Ours.Run.PeakMiB, Peer->Run.WallMs, Peer->Run.PeakMiB, Ours.Run.WallMs / Peer->Run.WallMs);
    else
      std::printf("%-14s %12.0f %12.0f %10.1f\n", Name, Ours.ConvertMs, Ours.Run.WallMs, Ours.Run.PeakMiB);
  };

  // DBF -> CSV
  const TBest dbfCsv = best({convertFile, (work / "meters.dbf").string(), "CSV"}, [&] { removeFile(work / "meters.csv"); });
  const TBest ogrDbfCsv =
      best({"ogr2ogr", "-f", "CSV", (work / "ogr.csv").string(), (work / "meters.dbf").string()},
           [&] { removeFile(work / "ogr.csv"); });
  line("DBF -> CSV", dbfCsv, &ogrDbfCsv);

  // CSV -> DBF, from the CSV written above
  copy(work / "meters.csv", work / "back.csv");
  const TBest csvDbf = best({convertFile, (work / "back.csv").string(), "DBF"}, [&] { removeFile(work / "back.dbf"); });
  const TBest ogrCsvDbf =
      best({"ogr2ogr", "-f", "ESRI Shapefile", (work / "ogrback.dbf").string(), (work / "back.csv").string()},
           [&] { removeFile(work / "ogrback.dbf"); });
  line("CSV -> DBF", csvDbf, &ogrCsvDbf);

  const TBest dbfMdb = best({convertFile, (work / "meters.dbf").string(), "MDB"}, [&] { removeFile(work / "meters.mdb"); });
  line("DBF -> MDB", dbfMdb, nullptr);
  const TBest dbfTxt = best({convertFile, (work / "meters.dbf").string(), "TXT"}, [&] { removeFile(work / "meters.txt"); });
  line("DBF -> TXT", dbfTxt, nullptr);
  const TBest dbfXml = best({convertFile, (work / "meters.dbf").string(), "XML"}, [&] { removeFile(work / "meters.xml"); });
  line("DBF -> XML", dbfXml, nullptr);
  const TBest dbfXls = best({convertFile, (work / "meters.dbf").string(), "XLS"}, [&] { removeFile(work / "meters.xls"); });
  line("DBF -> XLS", dbfXls, nullptr);
  copy(work / "meters.xml", work / "packet.xml");
  const TBest xmlDbf = best({convertFile, (work / "packet.xml").string(), "DBF"}, [&] { removeFile(work / "packet.dbf"); });
  line("XML -> DBF", xmlDbf, nullptr);
  return 0;
}
