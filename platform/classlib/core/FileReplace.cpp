#include "FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <string>

#include "SysPath.h"

namespace {

// Fails with Error, errno set to it.
bool failWith(int Error) {
  errno = Error;
  return false;
}

bool writeAll(int Fd, const unsigned char* Data, std::size_t Count) {
  while (Count > 0) {
    const ssize_t n = ::write(Fd, Data, Count);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return failWith(ENOSPC);
    Data += n;
    Count -= static_cast<std::size_t>(n);
  }
  return true;
}

// Opens a new file beside Target under a name no other writer uses; -1 (errno set) on failure.
int openPartFile(const std::filesystem::path& Target, std::filesystem::path& Part) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path folder = Target.parent_path();
  if (folder.empty()) folder = ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    Part = folder / ("." + Target.filename().native() + "." + std::to_string(::getpid()) + "." +
                     std::to_string(counter++) + ".part");
    const int fd = ::open(Part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool WriteFileReplacing(std::string_view FileName, const void* Data, std::size_t Count) {
  if (FileName.empty()) return failWith(ENOENT);
  std::filesystem::path target = ToSysPath(FileName);
  std::error_code ec;
  if (std::filesystem::is_symlink(target, ec)) {
    const std::filesystem::path resolved = std::filesystem::canonical(target, ec);
    if (!ec) target = resolved;
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return failWith(EISDIR);
  // A file the user may not write stays as it is, although its folder would let it be replaced.
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;

  std::filesystem::path part;
  const int fd = openPartFile(target, part);
  if (fd < 0) return false;
  bool written = (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) &&
                 writeAll(fd, static_cast<const unsigned char*>(Data), Count);
  int error = written ? 0 : errno;
  // A delayed write error (a full disk on a network file system) shows only at close.
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(part.c_str(), target.c_str()) == 0) return true;
  if (written) error = errno;
  ::unlink(part.c_str());
  return failWith(error);
}
