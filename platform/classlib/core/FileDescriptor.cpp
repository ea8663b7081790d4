#include "FileDescriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

std::size_t ReadDescriptor(int Fd, void* Data, std::size_t Count) {
  std::size_t done = 0;
  while (done < Count) {
    const ssize_t n = ::read(Fd, static_cast<char*>(Data) + done, Count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::size_t WriteDescriptor(int Fd, const void* Data, std::size_t Count) {
  std::size_t done = 0;
  while (done < Count) {
    const ssize_t n = ::write(Fd, static_cast<const char*>(Data) + done, Count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    if (n == 0) {
      errno = ENOSPC;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  return done;
}

namespace {

bool syncPath(const std::filesystem::path& Path) {
  const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  errno = error;
  return synced;
}

}  // namespace

bool SyncFileAndFolder(const std::filesystem::path& File) {
  const std::filesystem::path folder = File.has_parent_path() ? File.parent_path() : ".";
  return syncPath(File) && syncPath(folder);
}
