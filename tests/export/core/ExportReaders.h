// Helpers of the exporters' file tests: a temporary folder, and the independent programs that
// read what the exporters write (Debian's Python with its modules, the office suites).
#pragma once

#include <filesystem>
#include <string>

// A folder removed with everything in it at the end of the test.
class TExportTempDir {
public:
  TExportTempDir();
  ~TExportTempDir();
  TExportTempDir(const TExportTempDir&) = delete;
  TExportTempDir& operator=(const TExportTempDir&) = delete;

  // A file or folder in it, as a path in the ANSI code page (ASCII only).
  std::string Path(const std::string& Name) const { return (path_ / Name).string(); }
  const std::filesystem::path& Dir() const { return path_; }

private:
  std::filesystem::path path_;
};

struct TReaderResult {
  std::string Output;  // standard output; standard error goes with it when asked for
  int Status = -1;
};
// Runs a shell command.
TReaderResult RunReader(const std::string& Command);
// Runs a Python script with Debian's interpreter, the arguments quoted for the shell.
TReaderResult RunPython(const std::string& Script, const std::string& Arguments = {});

// Makes a file or folder that no process may write: read-only permissions, or for root, who
// ignores them, the file system's immutable flag. False when neither can be had (the test then
// has nothing to check). The temporary folder undoes it.
bool MakeUnwritable(const std::string& Path);
void MakeWritable(const std::string& Path);

std::string ReadFileBytes(const std::string& Path);
void WriteFileBytes(const std::string& Path, const std::string& Bytes);
