#include "FileRoutines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "DateRoutines.h"
#include "Exception.h"
#include "FileDescriptor.h"
#include "FileNames.h"
#include "SysPath.h"

namespace {

bool statOf(std::string_view name, struct stat& st) {
  return !name.empty() && ::stat(ToSysPath(name).c_str(), &st) == 0;
}

}  // namespace

bool FileExists(std::string_view FileName) {
  struct stat st {};
  return statOf(FileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view Directory) {
  struct stat st {};
  return statOf(Directory, st) && S_ISDIR(st.st_mode);
}

bool DeleteFile(std::string_view FileName) {
  if (DirectoryExists(FileName)) {
    errno = EISDIR;
    return false;
  }
  return !FileName.empty() && ::unlink(ToSysPath(FileName).c_str()) == 0;
}

bool RenameFile(std::string_view OldName, std::string_view NewName) {
  if (OldName.empty() || NewName.empty()) {
    errno = ENOENT;
    return false;
  }
  const std::string from = ToSysPath(OldName).string(), to = ToSysPath(NewName).string();
  // Renaming must never replace another file, as on the systems the program came from.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace flag: check first (the gap is unavoidable there).
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool FlushFileToDisk(std::string_view FileName) {
  if (FileName.empty()) {
    errno = ENOENT;
    return false;
  }
  return SyncFileAndFolder(ToSysPath(FileName));
}

bool CreateDir(std::string_view Dir) { return !Dir.empty() && ::mkdir(ToSysPath(Dir).c_str(), 0777) == 0; }

bool ForceDirectories(std::string_view Dir) {
  if (Dir.empty()) throw EInOutError("Unable to create directory", ENOENT);
  AnsiString dir = ExcludeTrailingPathDelimiter(Dir);
  if (DirectoryExists(dir)) return true;
  AnsiString parent = ExtractFileDir(dir);
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  // Another process may have made it meanwhile; that is as good.
  return CreateDir(dir) || DirectoryExists(dir);
}

bool RemoveDir(std::string_view Dir) { return !Dir.empty() && ::rmdir(ToSysPath(Dir).c_str()) == 0; }

AnsiString ProgramFileName() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? AnsiString() : FromSysPath(self);
}

AnsiString GetCurrentDir() {
  std::string buf(256, '\0');
  while (::getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buf.resize(buf.size() * 2);
  }
  return FromSysPath(buf.c_str());
}

bool SetCurrentDir(std::string_view Dir) { return !Dir.empty() && ::chdir(ToSysPath(Dir).c_str()) == 0; }

std::int64_t FileSizeByName(std::string_view FileName) {
  struct stat st {};
  if (!statOf(FileName, st) || S_ISDIR(st.st_mode)) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

bool FileAge(std::string_view FileName, TDateTime& FileDateTime) {
  struct stat st {};
  if (!statOf(FileName, st) || S_ISDIR(st.st_mode)) return false;
  FileDateTime = SystemTimeToDateTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  return true;
}

std::int32_t FileAge(std::string_view FileName) {
  TDateTime age;
  if (!FileAge(FileName, age)) return -1;
  return DateTimeToFileDate(age);
}
