// Notes every file and folder the program syncs to the disk (fsync) while it lives, each with
// what a probe of the test's said at that moment, e.g. whether the terminal still held a file.
//
// The test program takes fsync over for this: outside a recorder's life, and for every call
// besides noting it, the system's own fsync runs.
#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <vector>

class TSyncRecorder {
public:
  explicit TSyncRecorder(std::function<bool()> Probe);
  ~TSyncRecorder();
  TSyncRecorder(const TSyncRecorder&) = delete;
  TSyncRecorder& operator=(const TSyncRecorder&) = delete;

  // Whether Path (a file or a folder) was synced at a moment the probe said true.
  bool SyncedWhile(const std::filesystem::path& Path) const;

  // Called by the fsync of the test program.
  void Note(int Fd);

private:
  struct TSync {
    std::filesystem::path Path;
    bool Probe;
  };
  std::function<bool()> probe_;
  mutable std::mutex lock_;
  std::vector<TSync> synced_;
};
