// TThread: a thread of execution, and the main thread's queue of work handed to it.
//
// A thread class derives from TThread and overrides Execute, which runs on the new thread:
//
//   class TCopyThread : public TThread {
//     DECLARE_CLASS(TCopyThread, TThread)
//   public:
//     TCopyThread() : TThread(true) {}
//   protected:
//     void Execute() override {
//       while (!Terminated() && copyNextBlock()) Queue([pos = position()] { showProgress(pos); });
//       Synchronize([this] { showDone(); });
//     }
//   };
//
//   auto* t = new TCopyThread;       // created suspended
//   t->SetFreeOnTerminate(true);     // deletes itself when Execute returns
//   t->Resume();
//
// Life cycle. A thread created suspended runs once Resume or Start is called. C++ gives a base
// class no hook that runs after the most-derived constructor, so a thread that should run from
// its creation (CreateSuspended false) is made with TThread::Create<T>(...), which starts it
// once the object is complete; made with plain new it waits, like a suspended one, until
// AfterConstruction, Resume or Start. A thread that was terminated before it started never
// enters Execute. When Execute returns, OnTerminate runs on the main thread (the thread waits
// for it) and the thread has finished.
//
// Ownership. Without FreeOnTerminate the creator owns the object and deletes it; deleting a
// running thread asks it to terminate and waits for it. That wait happens in ~TThread, after the
// derived class's members are gone, so a class whose Execute uses its own members terminates
// and waits in its own destructor (Terminate(); WaitFor();). With FreeOnTerminate the object
// deletes itself when it has finished, on its own thread, or on the main thread after the
// methods it queued have run, so a queued method may still use the thread object; nobody else
// may delete it or call WaitFor on it.
//
// Errors. An exception escaping Execute or OnTerminate ends the thread quietly and is kept in
// FatalException; it never reaches the process. An exception raised by a synchronized method
// on the main thread is raised again in the thread that called Synchronize. Start, WaitFor and
// CheckSynchronize raise EThread when they are used wrongly (see each).
//
// The main thread's queue. Synchronize and Queue hand a method to the main thread, which runs
// queued methods, in the order they were handed over, whenever it calls CheckSynchronize: the
// GUI layer's event loop does so when woken through the hook set with SetWakeMainThread, tests
// call it directly. Synchronize called on the main thread runs the method at once.
//
// Process end. FinalizeThreads (called by the class library's finalisation) asks every running
// thread to terminate and waits for them, running the queue meanwhile, up to a time limit. A
// thread still running after that is left alone and ends with the process: the queue and the
// bookkeeping it uses are never destroyed, so it cannot touch freed memory of this layer, and a
// Synchronize it calls then simply never returns. Nothing it would have queued runs.
// Free-on-terminate threads that have finished are joined there too (and when the next thread
// starts), so that no thread's thread-local clean-up runs while the program tears down what that
// clean-up touches, such as the GUI toolkit.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "Exception.h"
#include "TObject.h"

using TThreadID = std::uint32_t;
using TThreadMethod = std::function<void()>;

// The id of the calling thread: a small number unique in the process for its lifetime.
TThreadID GetCurrentThreadId();
// The thread the class library regards as the main (GUI) thread: the one that loaded the
// program, or the one that last called SetMainThreadID (the class library's initialisation).
TThreadID MainThreadID();
void SetMainThreadID(TThreadID ID);
bool IsMainThread();

// Runs the methods handed to the main thread that are waiting when it is called, oldest first.
// With nothing waiting, it first waits up to Timeout milliseconds for something to arrive.
// Returns whether it ran anything. Must be called on the main thread (EThread otherwise).
// When a queued method raises, the exception passes out of CheckSynchronize and the methods
// behind it stay queued for the next call; a synchronized method's exception goes to the
// thread that waits for it instead.
bool CheckSynchronize(int Timeout = 0);

// The hook called, on the queuing thread, each time a method is handed to the main thread, so
// that an event loop sleeping on the main thread wakes up and calls CheckSynchronize. Sender
// is the thread object that handed the method over, or nullptr. Empty by default.
void SetWakeMainThread(TNotifyEvent Hook);

// Asks every running thread to terminate and waits until they have finished, or until Timeout
// milliseconds have passed; on the main thread it runs the queue while waiting. Returns true
// when no thread is left running.
bool FinalizeThreads(int Timeout);

class TThread : public TObject {
  DECLARE_CLASS(TThread, TObject)

  explicit TThread(bool CreateSuspended);
  ~TThread() override;

  // Makes a T and, when it was created running, starts it once it is complete.
  template <class T, class... Args>
  static T* Create(Args&&... args) {
    T* thread = new T(std::forward<Args>(args)...);
    thread->AfterConstruction();
    return thread;
  }
  // Starts a thread created running; nothing for one created suspended or already started.
  void AfterConstruction();

  // Starts a suspended thread; nothing once it has been started.
  void Resume();
  // As Resume, but raises EThread for a thread that was already started.
  void Start();
  // Sets Terminated; Execute is expected to check it and return.
  void Terminate();
  // Waits until the thread has finished and returns its ReturnValue. On the main thread the
  // queue is run while waiting, so a thread calling Synchronize cannot dead-lock it. Raises
  // EThread for a thread that was never started, for a free-on-terminate thread and when the
  // thread would wait for itself.
  int WaitFor();

  // True until the thread has been started.
  bool Suspended() const;
  bool Terminated() const;
  // True once Execute and OnTerminate are over.
  bool Finished() const;
  bool FreeOnTerminate() const;
  void SetFreeOnTerminate(bool Value);
  int ReturnValue() const;
  TThreadID ThreadID() const;
  // The exception that escaped Execute or OnTerminate, or null.
  std::exception_ptr FatalException() const;

  // Runs on the main thread after Execute returned (Sender = this thread). Set it before the
  // thread starts.
  TNotifyEvent OnTerminate;

  // Runs Method on the main thread and waits until it has run; AThread (may be nullptr) is the
  // thread on whose behalf it runs.
  static void Synchronize(TThread* AThread, TThreadMethod Method);
  // Hands Method to the main thread to run later and returns at once.
  static void Queue(TThread* AThread, TThreadMethod Method);
  // Drops the methods AThread queued that have not run yet.
  static void RemoveQueuedEvents(TThread* AThread);

protected:
  virtual void Execute() = 0;
  // Runs OnTerminate through Synchronize; called on the thread after Execute.
  virtual void DoTerminate();
  void Synchronize(TThreadMethod Method) { Synchronize(this, std::move(Method)); }
  void Queue(TThreadMethod Method) { Queue(this, std::move(Method)); }
  void SetReturnValue(int Value);

private:
  struct TThreadPrivate;
  static void threadProc(TThread* self);
  // With the shared lock held: waits for the thread to finish, running the queue meanwhile
  // when called on the main thread.
  void waitUntilFinished(std::unique_lock<std::mutex>& held);
  void finish();
  std::unique_ptr<TThreadPrivate> d_;
};
