#include "TWorkerLink.h"

#include "uThread.h"

void TWorkerLink::SetRunning(MyThread* Thread) {
  std::lock_guard guard(lock_);
  running_ = Thread;
}

void TWorkerLink::ClearRunning(MyThread* Thread) {
  std::lock_guard guard(lock_);
  if (running_ == Thread) running_ = nullptr;
}

bool TWorkerLink::TerminateRunning() {
  std::lock_guard guard(lock_);
  if (running_ == nullptr) return false;
  running_->Terminate();
  return true;
}
