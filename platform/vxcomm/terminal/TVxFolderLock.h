// Holds the terminal folder for one call, so that two programs using the same simulated
// terminal take turns as they would on one cable. The lock is an flock on ".lock" in the folder
// and ends with the object (or with the process).
#pragma once

#include <filesystem>

class TVxFolderLock {
public:
  // Waits for the folder; raises EVxError(vxErrStorage) when the lock file cannot be opened.
  explicit TVxFolderLock(const std::filesystem::path& folder);
  ~TVxFolderLock();
  TVxFolderLock(const TVxFolderLock&) = delete;
  TVxFolderLock& operator=(const TVxFolderLock&) = delete;

private:
  int fd_ = -1;
};
