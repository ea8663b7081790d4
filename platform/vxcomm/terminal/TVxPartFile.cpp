#include "TVxPartFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "EVxError.h"

TVxPartFile::TVxPartFile(std::filesystem::path path, std::int32_t failure) : path_(std::move(path)), failure_(failure) {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) throw EVxError(failure_);
}

TVxPartFile::~TVxPartFile() {
  if (fd_ >= 0) ::close(fd_);
  std::error_code ec;
  std::filesystem::remove(path_, ec);  // gone already when it was moved
}

std::filesystem::path TVxPartFile::PathBeside(const std::filesystem::path& target) {
  return target.parent_path() / ("." + target.filename().string() + ".part");
}

void TVxPartFile::Write(const void* data, std::size_t length) {
  const char* bytes = static_cast<const char*>(data);
  while (length > 0) {
    if (fd_ < 0) throw EVxError(failure_);
    const ssize_t n = ::write(fd_, bytes, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EVxError(failure_);
    bytes += n;
    length -= static_cast<std::size_t>(n);
  }
}

void TVxPartFile::Close() {
  if (fd_ < 0) return;
  const int result = ::close(fd_);
  fd_ = -1;
  if (result != 0) throw EVxError(failure_);
}

void TVxPartFile::MoveTo(const std::filesystem::path& target) {
  Close();
  std::error_code ec;
  std::filesystem::rename(path_, target, ec);
  if (ec) throw EVxError(failure_);
}
