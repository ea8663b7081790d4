#include "FileDescriptor.h"

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
