#include "TDatabaseReplacement.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "DatabaseFileKind.h"
#include "Exception.h"
#include "FileNames.h"
#include "FileReplace.h"
#include "SysPath.h"

namespace {

[[noreturn]] void createError(const AnsiString& Target, int Error) {
  throw EFCreateError("Cannot create file \"" + Target + "\". " + std::generic_category().message(Error));
}

// Copies the file From to the open descriptor Fd; false (errno set) when a read or write fails.
bool copyInto(const std::filesystem::path& From, int Fd) {
  std::ifstream in(From, std::ios::binary);
  if (!in) {
    errno = EACCES;
    return false;
  }
  std::vector<char> buffer(1 << 20);
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const char* at = buffer.data();
    auto left = static_cast<std::size_t>(in.gcount());
    while (left > 0) {
      const ssize_t written = ::write(Fd, at, left);
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      at += written;
      left -= static_cast<std::size_t>(written);
    }
  }
  if (in.bad()) {
    errno = EIO;
    return false;
  }
  return true;
}

}  // namespace

TDatabaseReplacement::TDatabaseReplacement(const AnsiString& Target) : target_(Target), fileName_(Target) {
  const TDatabaseFileKind kind = DatabaseFileKind(Target);
  if (kind != dfkNone && kind != dfkSqlite) return;
  std::filesystem::path target, part;
  const int fd = OpenReplacingPart(ToSysPath(Target), target, part);
  if (fd < 0) createError(Target, errno);
  resolved_ = FromSysPath(target);
  part_ = FromSysPath(part);
  fileName_ = part_;
  bool ok = true;
  int error = 0;
  if (kind == dfkSqlite) {
    ok = copyInto(target, fd);
    error = errno;
    copied_ = ok;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    discard();
    createError(Target, error);
  }
  // A new database is made by its creator, which refuses a file that is already there.
  if (kind == dfkNone) ::unlink(part.c_str());
}

TDatabaseReplacement::~TDatabaseReplacement() { discard(); }

void TDatabaseReplacement::Commit() {
  if (part_.empty()) return;
  std::error_code ec;
  std::filesystem::rename(ToSysPath(part_), ToSysPath(resolved_), ec);
  if (ec) throw EInOutError("Cannot replace \"" + target_ + "\": " + ec.message(), ec.value());
  part_.clear();
}

void TDatabaseReplacement::discard() {
  if (part_.empty()) return;
  std::error_code ec;
  std::filesystem::remove(ToSysPath(part_), ec);
  std::filesystem::remove(ToSysPath(part_ + "-journal"), ec);
  part_.clear();
}
