#include "TBlockingRoutine.h"

#include <condition_variable>
#include <mutex>

#include "TestInput.h"

namespace {

// The one blocking routine's state; one test runs at a time in a process.
struct TBlockState {
  std::mutex lock;
  std::condition_variable changed;
  int entered = 0;
  bool released = false;
  std::function<void(MyThread&)> work;
};
TBlockState& blockState() {
  static TBlockState state;
  return state;
}

}  // namespace

TBlockingRoutine::TBlockingRoutine(int Mode) : mode_(Mode) {
  TBlockState& state = blockState();
  std::lock_guard guard(state.lock);
  state.entered = 0;
  state.released = false;
  state.work = nullptr;
  previous_ = SetThreadRoutine(Mode, &TBlockingRoutine::run);
}

TBlockingRoutine::~TBlockingRoutine() {
  Release();
  SetThreadRoutine(mode_, previous_);
}

void TBlockingRoutine::run(MyThread& Thread) {
  TBlockState& state = blockState();
  std::function<void(MyThread&)> work;
  {
    std::unique_lock guard(state.lock);
    ++state.entered;
    state.changed.notify_all();
    state.changed.wait(guard, [&] { return state.released; });
    work = state.work;
  }
  if (work) work(Thread);
}

bool TBlockingRoutine::WaitEntered() {
  return TestInput::WaitUntil([] {
    std::lock_guard guard(blockState().lock);
    return blockState().entered > 0;
  });
}

void TBlockingRoutine::Release(std::function<void(MyThread&)> Work) {
  TBlockState& state = blockState();
  std::lock_guard guard(state.lock);
  if (state.released) return;
  state.work = std::move(Work);
  state.released = true;
  state.changed.notify_all();
}

int TBlockingRoutine::Runs() const {
  std::lock_guard guard(blockState().lock);
  return blockState().entered;
}
