#include "ExportReaders.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool setImmutable(const std::string& path, bool on) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok && ((flags & FS_IMMUTABLE_FL) != 0) != on) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return ok;
}

}  // namespace

TExportTempDir::TExportTempDir() {
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() / ("hhm-export-" + std::to_string(rd()) + std::to_string(rd()));
  std::filesystem::create_directories(path_);
}

TExportTempDir::~TExportTempDir() {
  std::error_code ec;
  // What a test made unwritable is opened up again first.
  MakeWritable(path_.string());
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec); !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    MakeWritable(it->path().string());
  std::filesystem::remove_all(path_, ec);
}

TReaderResult RunReader(const std::string& Command) {
  TReaderResult result;
  FILE* pipe = popen(Command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.Output.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TReaderResult RunPython(const std::string& Script, const std::string& Arguments) {
  TExportTempDir dir;
  const std::string path = dir.Path("script.py");
  WriteFileBytes(path, Script);
  return RunReader("/usr/bin/python3 '" + path + "' " + Arguments);
}

bool MakeUnwritable(const std::string& Path) {
  if (::geteuid() != 0) {
    std::error_code ec;
    std::filesystem::permissions(Path, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                           std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove, ec);
    return !ec;
  }
  return setImmutable(Path, true);
}

void MakeWritable(const std::string& Path) {
  if (::geteuid() == 0) setImmutable(Path, false);
  std::error_code ec;
  std::filesystem::permissions(Path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
}

std::string ReadFileBytes(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::string& Path, const std::string& Bytes) {
  std::ofstream out(Path, std::ios::binary);
  out << Bytes;
}
