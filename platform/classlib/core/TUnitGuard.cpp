#include "TUnitGuard.h"

void TUnitGuard::Initialize(const std::function<void()>& Body) {
  std::lock_guard lock(lock_);
  if (count_++ > 0) return;
  try {
    if (Body) Body();
  } catch (...) {
    count_ = 0;
    throw;
  }
}

void TUnitGuard::Finalize(const std::function<void()>& Body) {
  std::lock_guard lock(lock_);
  if (count_ == 0 || --count_ > 0) return;
  if (Body) Body();
}

bool TUnitGuard::Initialized() const {
  std::lock_guard lock(lock_);
  return count_ > 0;
}
