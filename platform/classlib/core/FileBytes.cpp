#include "FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "CodePage.h"
#include "Exception.h"
#include "SysPath.h"

namespace {

// Closes the descriptor when the routine leaves, also by an exception.
class TFileHandle {
public:
  explicit TFileHandle(int fd) : fd_(fd) {}
  ~TFileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the last buffered writes reached the disk.
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

// The operating system's reason in the ANSI code page (its messages come as UTF-8).
AnsiString reason(int error) { return Utf8ToAnsi(std::strerror(error)); }

AnsiString quoted(std::string_view name) { return "\"" + AnsiString(name) + "\""; }

}  // namespace

AnsiString ReadFileBytes(std::string_view FileName) {
  TFileHandle file(::open(ToSysPath(FileName).c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    int error = errno;
    throw EFOpenError("Cannot open file " + quoted(FileName) + ". " + reason(error));
  }
  struct stat info {};
  if (::fstat(file.get(), &info) == 0 && S_ISDIR(info.st_mode))
    throw EFOpenError("Cannot open file " + quoted(FileName) + ". " + reason(EISDIR));
  AnsiString data;
  if (info.st_size > 0) data.reserve(static_cast<std::size_t>(info.st_size));
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(file.get(), buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EReadError("Stream read error: " + reason(errno));
    if (n == 0) break;
    data.append(buf, static_cast<std::size_t>(n));
  }
  return data;
}

void WriteFileBytes(std::string_view FileName, std::string_view Data) {
  TFileHandle file(::open(ToSysPath(FileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0) {
    int error = errno;
    throw EFCreateError("Cannot create file " + quoted(FileName) + ". " + reason(error));
  }
  std::size_t done = 0;
  while (done < Data.size()) {
    ssize_t n = ::write(file.get(), Data.data() + done, Data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EWriteError("Stream write error: " + reason(n < 0 ? errno : ENOSPC));
    done += static_cast<std::size_t>(n);
  }
  if (!file.close()) throw EWriteError("Stream write error: " + reason(errno));
}
