// A file being received: written under a temporary name and moved over its target only when
// complete, so that a transfer that fails half-way leaves the old file as it was. The part file
// is removed when the object goes without having been moved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

class TVxPartFile {
public:
  // Creates the file at path; failure raises EVxError(failure), the code that every later
  // failure of this file raises too.
  TVxPartFile(std::filesystem::path path, std::int32_t failure);
  ~TVxPartFile();
  TVxPartFile(const TVxPartFile&) = delete;
  TVxPartFile& operator=(const TVxPartFile&) = delete;

  // The temporary name beside target that a file received for target is written under.
  static std::filesystem::path PathBeside(const std::filesystem::path& target);

  const std::filesystem::path& Path() const { return path_; }
  void Write(const void* data, std::size_t length);
  // Flushes and closes the file; a file that could not be completed raises.
  void Close();
  // Closes the file and moves it over target.
  void MoveTo(const std::filesystem::path& target);

private:
  std::filesystem::path path_;
  std::int32_t failure_;
  int fd_ = -1;
};
