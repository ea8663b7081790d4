#include "TVxSeeder.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "CodePage.h"
#include "TDbfWriter.h"
#include "VxResult.h"
#include "TVxFileStore.h"
#include "TVxMemoryStore.h"
#include "TVxSettings.h"
#include "TVxTerminalInfo.h"

namespace fs = std::filesystem;

namespace {

struct Customer {
  const char* Account;   // 户号
  const char* Name;      // 户名
  const char* Address;   // 地址
  const char* Meter;     // 表号
  const char* Bore;      // 口径 in mm
  const char* Previous;  // 上期读数
};

const Customer Customers[] = {
    {"0100101", "张国强", "城东区解放路12号3单元101", "BJ20050011", "20", "1234.5"},
    {"0100102", "李秀英", "城东区解放路12号3单元102", "BJ20050012", "20", "876.0"},
    {"0100103", "王志明", "城东区解放路12号3单元201", "BJ20050013", "20", "2310.7"},
    {"0100201", "刘桂兰", "城东区建设街8号1单元302", "BJ20050021", "20", "455.2"},
    {"0100202", "陈建华", "城东区建设街8号2单元101", "BJ20050022", "25", "3021.9"},
    {"0100203", "杨丽娟", "城东区建设街8号2单元402", "BJ20050023", "20", "98.4"},
    {"0100301", "赵德胜", "城东区和平路45号", "BJ20050031", "25", "5127.3"},
    {"0100302", "城东第二小学", "城东区和平路47号", "BJ20050032", "50", "18342.0"},
};

struct Reading {
  int Customer;       // index into Customers
  int DaysAgo;        // when it was read
  const char* Value;  // 本期读数
  const char* Used;   // 用水量
  const char* State;  // 状态
};

const Reading Readings[] = {
    {0, 1, "1251.0", "16.5", "正常"}, {1, 1, "889.5", "13.5", "正常"},
    {2, 2, "2331.2", "20.5", "正常"}, {3, 2, "455.2", "0.0", "表停"},
    {4, 3, "3060.1", "38.2", "估抄"},
};

std::tm localDay(std::time_t now, int daysAgo) {
  const std::time_t t = now - static_cast<std::time_t>(daysAgo) * 24 * 60 * 60;
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

AnsiString dbfDate(const std::tm& tm) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  return text;
}

TDbfWriter newTable(std::vector<TDbfField> fields, std::time_t now) {
  const std::tm today = localDay(now, 0);
  return TDbfWriter(std::move(fields), today.tm_year + 1900, today.tm_mon + 1, today.tm_mday);
}

std::string customerTable(std::time_t now) {
  TDbfWriter table = newTable({{"HH", 'C', 10, 0},
                               {"HM", 'C', 20, 0},
                               {"DZ", 'C', 40, 0},
                               {"BH", 'C', 12, 0},
                               {"KJ", 'N', 3, 0},
                               {"SQDS", 'N', 10, 1},
                               {"SQRQ", 'D', 8, 0}},
                              now);
  const AnsiString lastMonth = dbfDate(localDay(now, 31));
  for (const Customer& c : Customers)
    table.AddRecord({c.Account, Utf8ToAnsi(c.Name), Utf8ToAnsi(c.Address), c.Meter, c.Bore, c.Previous, lastMonth});
  return table.Bytes();
}

std::string readingTable(std::time_t now) {
  TDbfWriter table = newTable({{"HH", 'C', 10, 0},
                               {"BH", 'C', 12, 0},
                               {"CBRQ", 'D', 8, 0},
                               {"BQDS", 'N', 10, 1},
                               {"SYL", 'N', 8, 1},
                               {"ZT", 'C', 4, 0},
                               {"CBY", 'C', 8, 0}},
                              now);
  for (const Reading& r : Readings) {
    const Customer& c = Customers[r.Customer];
    table.AddRecord({c.Account, c.Meter, dbfDate(localDay(now, r.DaysAgo)), r.Value, r.Used, Utf8ToAnsi(r.State),
                     Utf8ToAnsi("王建国")});
  }
  return table.Bytes();
}

// A binary image: a recognisable header, then bytes of a fixed pseudo-random sequence.
std::string image(const char* header, std::size_t size, std::uint32_t seed) {
  std::string bytes(header);
  bytes.reserve(size);
  std::uint32_t state = seed;
  while (bytes.size() < size) {
    state = state * 1664525u + 1013904223u;
    bytes += static_cast<char>(state >> 24);
  }
  return bytes;
}

void addFile(TVxFileStore& store, std::int32_t number, const char* name, const std::string& bytes, std::time_t now) {
  TVxPartFile part(store.NewPartPath(), vxErrStorage);
  part.Write(bytes.data(), bytes.size());
  store.Commit(part, number, name, now);
}

bool present(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

}  // namespace

void TVxSeeder::Seed(const fs::path& folder) {
  const std::time_t now = std::time(nullptr);
  if (!present(folder / TVxSettings::FileName)) TVxSettings::WriteDefaults(folder);

  TVxMemoryStore memory(folder, 0);
  if (!present(folder / "os.img")) memory.PutImage(TVxMemoryStore::AreaSystem, image("VXOS V3.21\x1A", 96 * 1024, 0x05u));
  if (!present(folder / "font.img"))
    memory.PutImage(TVxMemoryStore::AreaFont, image("VXFONT GB2312 HZK16 PY\x1A", 256 * 1024, 0x2312u));

  TVxFileStore store(folder);
  std::int32_t next = store.HighestNumber() + 1;
  if (next == 1) {
    addFile(store, 1, "CBJ.EXE", image("VXEXE CBJ 2.05\x1A", 24 * 1024, 0xCB05u), now);
    addFile(store, 2, "KHDA.DBF", customerTable(now), now);
    addFile(store, 3, "CBSJ.DBF", readingTable(now), now);
    next = 4;
  }
  // Written last: its presence marks a terminal whose seeding is complete.
  TVxTerminalInfo(folder).WriteDefaults(next);
}
