#include "TVxPartFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "EVxError.h"
#include "FileReplace.h"

namespace fs = std::filesystem;

namespace {

constexpr mode_t NewFileMode = 0644;

}  // namespace

TVxPartFile::TVxPartFile(fs::path path, std::int32_t failure) : path_(std::move(path)), failure_(failure) {
  create();
}

TVxPartFile::TVxPartFile(TReplace, const fs::path& target, std::int32_t failure) : failure_(failure) {
  fd_ = OpenReplacingPart(target, target_, path_);
  if (fd_ < 0) {
    path_.clear();
    throw EVxError(failure_);
  }
}

void TVxPartFile::create() {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode);
  if (fd_ < 0) {
    path_.clear();  // not ours to remove: another writer's, or none
    throw EVxError(failure_);
  }
}

TVxPartFile::~TVxPartFile() {
  if (fd_ >= 0) ::close(fd_);
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove(path_, ec);  // gone already when it was moved
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

void TVxPartFile::MoveTo(const fs::path& target) {
  Close();
  std::error_code ec;
  fs::rename(path_, target, ec);
  if (ec) throw EVxError(failure_);
  path_.clear();
}
