// TWorkerLink: what the main window shares with the workers it starts.
//
// The window creates one link and keeps it for its whole life; every worker holds it too, so
// the link lives until the window and its last worker are gone. Through it a worker finds the
// window (only on the main thread, and only while the window exists) and marks the window busy;
// through it the window asks the running worker to terminate without ever holding a pointer to
// a thread object that may have freed itself.
#pragma once

#include <atomic>
#include <mutex>

class TFormmain;
class MyThread;

class TWorkerLink {
public:
  explicit TWorkerLink(TFormmain* Window) : window_(Window) {}
  TWorkerLink(const TWorkerLink&) = delete;
  TWorkerLink& operator=(const TWorkerLink&) = delete;

  // -1 from the moment a starter takes it until the worker's run ends; 0 otherwise. Written by
  // the starter and the worker, read by the window's handlers.
  int Busy() const { return busy_.load(); }
  void SetBusy(int Value) { busy_.store(Value); }

  // The window; nullptr once it is gone. Main thread only.
  TFormmain* Window() const { return window_; }
  // Called by the window's destructor: from then on workers find no window.
  void Detach() { window_ = nullptr; }

  // The worker that runs now, registered by the starter and withdrawn by the worker itself
  // before it frees itself.
  void SetRunning(MyThread* Thread);
  void ClearRunning(MyThread* Thread);
  // Asks the running worker, if any, to terminate; true when there was one.
  bool TerminateRunning();

private:
  std::atomic<int> busy_{0};
  TFormmain* window_;
  std::mutex lock_;  // guards running_ against the worker withdrawing itself
  MyThread* running_ = nullptr;
};
