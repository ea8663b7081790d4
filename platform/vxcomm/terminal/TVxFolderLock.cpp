#include "TVxFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "EVxError.h"

TVxFolderLock::TVxFolderLock(const std::filesystem::path& folder) {
  fd_ = ::open((folder / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) throw EVxError(vxErrStorage);
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd_);
      throw EVxError(vxErrStorage);
    }
  }
}

TVxFolderLock::~TVxFolderLock() { ::close(fd_); }
