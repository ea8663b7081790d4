// A file being received: written under a temporary name of its own and moved over its target
// only when complete, so that a transfer that fails half-way leaves the old file as it was and
// two transfers to one target never write into one file. The part file is removed when the
// object goes without having been moved, whatever made it fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

class TVxPartFile {
public:
  // Chooses the constructor that makes a part file to replace a target.
  struct TReplace {};
  static constexpr TReplace Replace{};

  // Creates the file at path, which must not exist yet; failure raises EVxError(failure), the
  // code that every later failure of this file raises too.
  TVxPartFile(std::filesystem::path path, std::int32_t failure);
  // A part file that is to replace target (Publish), opened as the class library's replacing
  // writes open theirs (FileReplace.h): through a symbolic link the file it points to is
  // replaced, an existing target must be a file the user may write and keeps its permissions,
  // the part file has a name of its own beside the target, and stale part files of ended
  // processes are swept. Failure raises EVxError(failure).
  TVxPartFile(TReplace, const std::filesystem::path& target, std::int32_t failure);
  ~TVxPartFile();
  TVxPartFile(const TVxPartFile&) = delete;
  TVxPartFile& operator=(const TVxPartFile&) = delete;

  // The part file's path; empty once it has been moved.
  const std::filesystem::path& Path() const { return path_; }
  void Write(const void* data, std::size_t length);
  // Flushes and closes the file; a file that could not be completed raises.
  void Close();
  // Closes the file and moves it over target.
  void MoveTo(const std::filesystem::path& target);
  // Closes the file and moves it over the target it was made to replace.
  void Publish() { MoveTo(target_); }

private:
  void create();

  std::filesystem::path path_;
  std::filesystem::path target_;
  std::int32_t failure_;
  int fd_ = -1;
};
