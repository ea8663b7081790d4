// The benchmarks' meter-reading dBASE table: 200,000 records of 12 fields of C, N, D and L
// (account, name, address, meter number, multiplier, readings, amounts, reading dates, an
// exception flag), about 37 MB, written once into Folder by this plain writer of the format.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CodePage.h"

namespace bench {

constexpr int MeterTableRecords = 200000;

struct TMeterField {
  const char* Name;
  char Type;
  int Length;
  int Decimals;
};

inline const std::vector<TMeterField>& MeterFields() {
  static const std::vector<TMeterField> fields = {
      {"HH", 'C', 10, 0}, {"HM", 'C', 40, 0},   {"DZ", 'C', 60, 0},   {"BH", 'C', 12, 0},
      {"KJ", 'N', 3, 0},  {"SQDS", 'N', 10, 1}, {"BQDS", 'N', 10, 1}, {"SL", 'N', 10, 2},
      {"JE", 'N', 12, 2}, {"SQRQ", 'D', 8, 0},  {"CBRQ", 'D', 8, 0},  {"YC", 'L', 1, 0},
  };
  return fields;
}

// "meters.dbf" in Folder, made when it is not there yet.
inline std::filesystem::path MeterTable(const std::filesystem::path& Folder) {
  const std::filesystem::path path = Folder / "meters.dbf";
  if (std::filesystem::exists(path)) return path;
  std::filesystem::create_directories(Folder);
  auto padLeft = [](const std::string& s, int n) { return std::string(std::max(0, n - int(s.size())), ' ') + s; };
  auto padRight = [](const std::string& s, int n) { return (s + std::string(n, ' ')).substr(0, n); };
  int recordLength = 1;
  for (const TMeterField& f : MeterFields()) recordLength += f.Length;
  std::string header(32, '\0');
  header[0] = 0x03;
  auto put = [&](std::size_t at, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i) header[at + i] = char(value >> (8 * i));
  };
  put(4, MeterTableRecords, 4);
  put(8, unsigned(32 * (MeterFields().size() + 1) + 1), 2);
  put(10, unsigned(recordLength), 2);
  for (const TMeterField& f : MeterFields()) {
    std::string d(32, '\0');
    d.replace(0, std::strlen(f.Name), f.Name);
    d[11] = f.Type;
    d[16] = char(f.Length);
    d[17] = char(f.Decimals);
    header += d;
  }
  header += '\x0D';
  std::ofstream out(path, std::ios::binary);
  out << header;
  const std::string name = WideToAnsi(u"张国强");
  const std::string address = WideToAnsi(u"城东区解放路12号3单元101");
  char number[32];
  for (int i = 0; i < MeterTableRecords; ++i) {
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
  return path;
}

}  // namespace bench
