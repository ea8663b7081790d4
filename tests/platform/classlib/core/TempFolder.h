// A fresh folder under the system's temporary folder, removed with everything in it when the
// test ends.
#pragma once

#include <filesystem>
#include <random>
#include <string>

class TempFolder {
public:
  TempFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("hhm-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as UTF-8 text with a trailing "/"; ASCII only, so it is also valid GBK.
  std::string prefix() const { return path_.string() + "/"; }

private:
  std::filesystem::path path_;
};
