#include "TVxPartFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <string>
#include <string_view>

#include "EVxError.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view PartSuffix = ".part";
constexpr mode_t NewFileMode = 0644;

// The process id of a part file of target's name, "." + name + "." + pid + "." + n + ".part";
// 0 for any other name.
pid_t partFileOwner(std::string_view fileName, std::string_view targetName) {
  const std::string prefix = "." + std::string(targetName) + ".";
  if (!fileName.starts_with(prefix) || !fileName.ends_with(PartSuffix)) return 0;
  std::string_view rest = fileName.substr(prefix.size(), fileName.size() - prefix.size() - PartSuffix.size());
  const std::size_t dot = rest.find('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == rest.size()) return 0;
  const std::string_view counter = rest.substr(dot + 1);
  if (counter.find_first_not_of("0123456789") != std::string_view::npos) return 0;
  pid_t pid = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + dot, pid);
  return ec == std::errc() && end == rest.data() + dot && pid > 0 ? pid : 0;
}

// Removes the part files of target's name that a process which no longer runs left beside it
// (a crash, a power cut). Only our own regular files are touched, and none of a live process.
void sweepStaleParts(const fs::path& folder, const std::string& targetName) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const pid_t pid = partFileOwner(name, targetName);
    if (pid == 0 || pid == ::getpid()) continue;
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
    struct stat st {};
    if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
    std::error_code ignored;
    fs::remove(it->path(), ignored);
  }
}

}  // namespace

TVxPartFile::TVxPartFile(fs::path path, std::int32_t failure) : path_(std::move(path)), failure_(failure) {
  create();
}

TVxPartFile::TVxPartFile(TReplace, const fs::path& target, std::int32_t failure) : failure_(failure) {
  std::error_code ec;
  target_ = target;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target_ = resolved;
  }
  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  // Only a file is replaced, and only one the user may write: its folder alone would let a
  // read-only file be replaced.
  if (exists && (!S_ISREG(st.st_mode) || ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0))
    throw EVxError(failure_);
  fs::path folder = target_.parent_path();
  if (folder.empty()) folder = ".";
  const std::string name = target_.filename().string();
  sweepStaleParts(folder, name);
  static std::atomic<unsigned> counter{0};
  path_ = folder / ("." + name + "." + std::to_string(::getpid()) + "." + std::to_string(++counter) +
                    std::string(PartSuffix));
  create();
  // A replaced file keeps exactly its permissions, which the umask would cut.
  if (exists) ::fchmod(fd_, st.st_mode & 07777);
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
