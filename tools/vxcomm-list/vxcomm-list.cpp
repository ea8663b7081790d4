// vxcomm-list: finds the terminal through the communication library and lists its files and
// its recycle bin, the way the program's terminal page shows them.
//
//   vxcomm-list            the terminal the library reaches (VXCOMM_TERMINAL, else the default)
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "VxComm.h"

namespace {

// Texts from the library are in the ANSI code page; the console wants UTF-8.
std::string show(const char* ansi, std::size_t max) { return AnsiToUtf8(std::string_view(ansi, strnlen(ansi, max))); }

bool failed(std::int32_t result, const char* what) {
  char text[COMM_TEXT_SIZE] = {};
  if (vxGetErrMsg(result, text, nullptr) == 0) return false;
  std::fprintf(stderr, "vxcomm-list: %s: %s\n", what, show(text, sizeof text).c_str());
  return true;
}

void printList(std::int32_t port, bool recycled) {
  std::vector<TCommFileRecord> records(recycled ? COMM_RECYCLE_LIST_MAX : COMM_FILE_LIST_MAX);
  std::int32_t count = 0;
  const std::int32_t result = recycled ? vxGetDelFileList(port, records.data(), &count)
                                       : vxGetNormalFileList(port, records.data(), &count);
  failed(result, recycled ? "recycle bin" : "file list");  // a cut list is still shown
  std::printf("%s: %d\n", recycled ? "Recycle bin" : "Files", count);
  for (std::int32_t i = 0; i < count; ++i) {
    const TCommFileRecord& r = records[static_cast<std::size_t>(i)];
    std::printf("  %6d  %10d  %.2d-%.2d-%.2d %.2d:%.2d  %s\n", r.FileNo, r.Size, r.Year, r.Month, r.Day, r.Hour,
                r.Minute, show(r.Name, sizeof r.Name).c_str());
  }
}

}  // namespace

int main() {
  const std::int32_t port = vxCheckPort();
  if (port <= 0) {
    std::fprintf(stderr, "vxcomm-list: no terminal found\n");
    return 1;
  }
  char type[COMM_TEXT_SIZE] = {};
  char version[COMM_TEXT_SIZE] = {};
  std::int32_t capacity = 0;
  if (failed(vxGetMachSysInfo(port, SYS_MACHINE_TYPE, type), "machine type") ||
      failed(vxGetMachSysInfo(port, SYS_VERSION, version), "version") ||
      failed(vxGetMachSysInfo(port, SYS_CAPACITY, &capacity), "capacity"))
    return 1;
  const std::string where = port == PORT_USB ? "USB" : "COM" + std::to_string(port);
  std::printf("Terminal %s %s on %s, %dK\n", show(type, sizeof type).c_str(), show(version, sizeof version).c_str(),
              where.c_str(), capacity / 1024);
  printList(port, false);
  printList(port, true);
  return 0;
}
