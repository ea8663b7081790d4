#include "TSyncRecorder.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <string>

namespace {

std::atomic<TSyncRecorder*> recorder{nullptr};

}  // namespace

// Every fsync of the test program comes here first.
extern "C" int fsync(int Fd) {
  static const auto system = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  if (TSyncRecorder* r = recorder.load()) r->Note(Fd);
  return system(Fd);
}

TSyncRecorder::TSyncRecorder(std::function<bool()> Probe) : probe_(std::move(Probe)) { recorder.store(this); }

TSyncRecorder::~TSyncRecorder() { recorder.store(nullptr); }

void TSyncRecorder::Note(int Fd) {
  std::error_code ec;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(Fd), ec);
  const bool probe = probe_();
  std::lock_guard guard(lock_);
  synced_.push_back({std::move(path), probe});
}

bool TSyncRecorder::SyncedWhile(const std::filesystem::path& Path) const {
  std::error_code ec;
  const std::filesystem::path wanted = std::filesystem::weakly_canonical(Path, ec);
  std::lock_guard guard(lock_);
  return std::any_of(synced_.begin(), synced_.end(), [&](const TSync& s) { return s.Probe && s.Path == wanted; });
}
