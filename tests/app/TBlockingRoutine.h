// A worker routine that runs until the test releases it, so that tests see a worker busy.
#pragma once

#include <functional>

#include "uThread.h"

class TBlockingRoutine {
public:
  // Installs the routine for Mode; the previous one comes back when this object goes.
  explicit TBlockingRoutine(int Mode);
  ~TBlockingRoutine();
  // Waits until a worker has entered the routine.
  bool WaitEntered();
  // Lets the worker run Work (on the worker thread) and leave the routine.
  void Release(std::function<void(MyThread&)> Work = nullptr);
  int Runs() const;

private:
  static void run(MyThread& Thread);
  int mode_;
  TThreadRoutine previous_;
};
