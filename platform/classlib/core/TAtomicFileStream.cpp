#include "TAtomicFileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "CodePage.h"
#include "Exception.h"
#include "FileNames.h"
#include "SysPath.h"
#include "TypInfo.h"

DEFINE_CLASS(TAtomicFileStream, TStream)

namespace {

// Writes reach the file in blocks of this size.
constexpr std::size_t BufferSize = 64 * 1024;

AnsiString reason(int error) { return Utf8ToAnsi(std::strerror(error)); }

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

TAtomicFileStream::TAtomicFileStream(const AnsiString& FileName) : fileName_(FileName) {
  const std::string target = ToSysPath(FileName).string();
  if (FileName.empty()) createError(ENOENT);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) createError(EISDIR);
  // The platform refuses to create over a file the user may not write, although its folder
  // would let it be replaced.
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) createError(errno);

  static std::atomic<unsigned> counter{0};
  const AnsiString folder = ExtractFilePath(FileName);
  for (int attempt = 0; fd_ < 0; ++attempt) {
    tempName_ = folder + "." + ExtractFileName(FileName) + "." + std::to_string(::getpid()) + "." +
                std::to_string(counter++) + ".tmp";
    fd_ = ::open(ToSysPath(tempName_).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && (errno != EEXIST || attempt > 100)) createError(errno);
  }
  if (exists) ::fchmod(fd_, old.st_mode & 07777);
  buffer_.reserve(BufferSize);
}

TAtomicFileStream::~TAtomicFileStream() {
  if (!committed_) discard();
}

void TAtomicFileStream::createError(int Error) const {
  throw EFCreateError("Cannot create file \"" + fileName_ + "\". " + reason(Error));
}

void TAtomicFileStream::discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
    ::unlink(ToSysPath(tempName_).c_str());
  }
}

bool TAtomicFileStream::flush() {
  if (buffer_.empty()) return true;
  const bool ok = writeAll(fd_, buffer_.data(), buffer_.size());
  buffer_.clear();
  return ok;
}

void TAtomicFileStream::flushOrRaise() {
  if (!flush()) throw EWriteError("Stream write error: " + reason(errno));
}

std::int64_t TAtomicFileStream::Read(void* Buffer, std::int64_t Count) {
  if (fd_ < 0) return 0;
  flushOrRaise();
  std::int64_t done = 0;
  while (done < Count) {
    const ssize_t n = ::read(fd_, static_cast<char*>(Buffer) + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TAtomicFileStream::Write(const void* Buffer, std::int64_t Count) {
  if (fd_ < 0 || Count <= 0) return 0;
  const char* data = static_cast<const char*>(Buffer);
  const auto size = static_cast<std::size_t>(Count);
  if (buffer_.size() + size > BufferSize) {
    if (!flush()) return 0;
    if (size >= BufferSize) return writeAll(fd_, data, size) ? Count : 0;
  }
  buffer_.insert(buffer_.end(), data, data + size);
  return Count;
}

std::int64_t TAtomicFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  if (fd_ < 0) throw EStreamError("Stream seek error: " + reason(EBADF));
  flushOrRaise();
  int whence = SEEK_SET;
  if (Origin == TSeekOrigin::soCurrent) whence = SEEK_CUR;
  if (Origin == TSeekOrigin::soEnd) whence = SEEK_END;
  const off_t pos = ::lseek(fd_, static_cast<off_t>(Offset), whence);
  if (pos < 0) throw EStreamError("Stream seek error: " + reason(errno));
  return pos;
}

void TAtomicFileStream::SetSize(std::int64_t NewSize) {
  flushOrRaise();
  if (fd_ < 0 || ::ftruncate(fd_, static_cast<off_t>(NewSize)) != 0)
    throw EStreamError("Stream size cannot be changed: " + reason(errno));
  if (Position() > NewSize) SetPosition(NewSize);
}

void TAtomicFileStream::Commit() {
  if (committed_) return;
  if (fd_ < 0) createError(EBADF);
  const bool written = flush();
  int error = errno;
  const bool closed = ::close(fd_) == 0;
  if (written && !closed) error = errno;
  fd_ = -1;
  const std::string temp = ToSysPath(tempName_).string();
  if (!written || !closed || ::rename(temp.c_str(), ToSysPath(fileName_).c_str()) != 0) {
    if (written && closed) error = errno;
    ::unlink(temp.c_str());
    createError(error);
  }
  committed_ = true;
}
