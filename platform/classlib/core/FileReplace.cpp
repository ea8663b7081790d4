#include "FileReplace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <string>

#include "FileDescriptor.h"
#include "SysPath.h"

namespace {

// Fails with Error, errno set to it.
bool failWith(int Error) {
  errno = Error;
  return false;
}

// The same for a call that returns a file descriptor.
int failDescriptor(int Error) {
  errno = Error;
  return -1;
}

// The process id of a part file of Target's name; 0 for any other name.
pid_t partFileOwner(std::string_view Name, std::string_view TargetName) {
  constexpr std::string_view suffix = ".part";
  const std::string prefix = "." + std::string(TargetName) + ".";
  if (!Name.starts_with(prefix) || !Name.ends_with(suffix)) return 0;
  const std::string_view rest = Name.substr(prefix.size(), Name.size() - prefix.size() - suffix.size());
  const std::size_t dot = rest.find('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == rest.size()) return 0;
  const std::string_view digits = "0123456789";
  if (rest.find_first_not_of(digits) != dot || rest.substr(dot + 1).find_first_not_of(digits) != std::string_view::npos)
    return 0;
  pid_t pid = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + dot, pid);
  return ec == std::errc() && end == rest.data() + dot ? pid : 0;
}

// Removes the part files of Target's name that a process which no longer runs left beside it.
// Only the user's own regular files are touched, and none of a live process.
void sweepStaleParts(const std::filesystem::path& Folder, const std::string& TargetName) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(Folder, ec), end; !ec && it != end; it.increment(ec)) {
    const pid_t pid = partFileOwner(it->path().filename().native(), TargetName);
    if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
    struct stat st {};
    if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
    std::error_code ignored;
    std::filesystem::remove(it->path(), ignored);
  }
}

}  // namespace

int OpenReplacingPart(const std::filesystem::path& FileName, std::filesystem::path& Target,
                      std::filesystem::path& Part) {
  if (FileName.empty()) return failDescriptor(ENOENT);
  Target = FileName;
  std::error_code ec;
  if (std::filesystem::is_symlink(Target, ec)) {
    const std::filesystem::path resolved = std::filesystem::canonical(Target, ec);
    if (!ec) Target = resolved;
  }
  struct stat old {};
  const bool exists = ::stat(Target.c_str(), &old) == 0;
  // Only a file is replaced: a folder, a device or a pipe stays what it is.
  if (exists && !S_ISREG(old.st_mode)) return failDescriptor(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
  // A file the user may not write stays as it is, although its folder would let it be replaced.
  if (exists && ::faccessat(AT_FDCWD, Target.c_str(), W_OK, AT_EACCESS) != 0) return -1;

  static std::atomic<unsigned> counter{0};
  std::filesystem::path folder = Target.parent_path();
  if (folder.empty()) folder = ".";
  sweepStaleParts(folder, Target.filename().native());
  for (int attempt = 0; attempt < 100; ++attempt) {
    Part = folder / ("." + Target.filename().native() + "." + std::to_string(::getpid()) + "." +
                     std::to_string(counter++) + ".part");
    const int fd = ::open(Part.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd >= 0 && exists && ::fchmod(fd, old.st_mode & 07777) != 0) {
      const int error = errno;
      ::close(fd);
      ::unlink(Part.c_str());
      return failDescriptor(error);
    }
    return fd;
  }
  return -1;
}

bool CommitReplacingPart(int Fd, const std::filesystem::path& Part, const std::filesystem::path& Target) {
  int error = 0;
  if (::close(Fd) != 0) {
    error = errno;
  } else if (::rename(Part.c_str(), Target.c_str()) != 0) {
    error = errno;
  } else {
    return true;
  }
  ::unlink(Part.c_str());
  return failWith(error);
}

void DiscardReplacingPart(int Fd, const std::filesystem::path& Part) {
  if (Fd < 0) return;
  const int error = errno;
  ::close(Fd);
  ::unlink(Part.c_str());
  errno = error;
}

bool WriteFileReplacing(std::string_view FileName, const void* Data, std::size_t Count) {
  std::filesystem::path target, part;
  const int fd = OpenReplacingPart(FileName.empty() ? std::filesystem::path() : ToSysPath(FileName), target, part);
  if (fd < 0) return false;
  if (WriteDescriptor(fd, Data, Count) != Count) {
    DiscardReplacingPart(fd, part);
    return false;
  }
  return CommitReplacingPart(fd, part, target);
}
