#include "TFileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "CodePage.h"
#include "Exception.h"
#include "FileDescriptor.h"
#include "SysPath.h"
#include "TypInfo.h"

DEFINE_CLASS(TFileStream, TStream)

namespace {

AnsiString reason(int error) { return Utf8ToAnsi(std::strerror(error)); }

}  // namespace

TFileStream::TFileStream(const AnsiString& FileName, std::uint16_t Mode) : fileName_(FileName) {
  const std::string path = ToSysPath(FileName).string();
  const bool create = Mode == fmCreate;
  int flags = O_CLOEXEC;
  if (create) {
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (Mode & 0x3) {
      case fmOpenWrite: flags |= O_WRONLY; break;
      case fmOpenReadWrite: flags |= O_RDWR; break;
      default: flags |= O_RDONLY; break;
    }
  }
  fd_ = ::open(path.c_str(), flags, 0666);
  int error = errno;
  if (fd_ >= 0) {
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd_);
      fd_ = -1;
      error = EISDIR;
    }
  }
  if (fd_ < 0) {
    if (create) throw EFCreateError("Cannot create file \"" + FileName + "\". " + reason(error));
    throw EFOpenError("Cannot open file \"" + FileName + "\". " + reason(error));
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

int TFileStream::ReleaseHandle() { return std::exchange(fd_, -1); }

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  return static_cast<std::int64_t>(ReadDescriptor(fd_, Buffer, static_cast<std::size_t>(Count)));
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  return static_cast<std::int64_t>(WriteDescriptor(fd_, Buffer, static_cast<std::size_t>(Count)));
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  int whence = SEEK_SET;
  if (Origin == TSeekOrigin::soCurrent) whence = SEEK_CUR;
  if (Origin == TSeekOrigin::soEnd) whence = SEEK_END;
  const off_t pos = ::lseek(fd_, static_cast<off_t>(Offset), whence);
  if (pos < 0) throw EStreamError("Stream seek error: " + reason(errno));
  return pos;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  if (::ftruncate(fd_, static_cast<off_t>(NewSize)) != 0) throw EStreamError("Stream size cannot be changed: " + reason(errno));
  if (Position() > NewSize) SetPosition(NewSize);
}
