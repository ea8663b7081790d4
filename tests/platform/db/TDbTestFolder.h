// A temporary folder for one test's database files, removed with the object, and the helpers
// the backend tests share: writing bytes, running an independent producer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "DbTypes.h"

class TDbTestFolder {
public:
  TDbTestFolder();
  ~TDbTestFolder();
  TDbTestFolder(const TDbTestFolder&) = delete;
  TDbTestFolder& operator=(const TDbTestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder with a trailing "/", as the data sources take it.
  AnsiString Folder() const { return path_.string() + "/"; }
  AnsiString File(const std::string& Name) const { return (path_ / Name).string(); }

  void Write(const std::string& Name, const std::string& Bytes) const;
  std::string Read(const std::string& Name) const;
  // Runs a Python script (Debian's interpreter) in the folder; returns its standard output and
  // fails the test when it exits non-zero.
  std::string Python(const std::string& Script) const;

private:
  std::filesystem::path path_;
};

// The output of a shell command and its exit status.
struct TCommandResult {
  std::string Output;
  int Status = -1;
};
TCommandResult RunCommand(const std::string& Command);

// Every remaining record of a cursor.
std::vector<std::vector<Variant>> ReadAll(TDbCursor& Cursor);
