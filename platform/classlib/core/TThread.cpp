#include "TThread.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <map>
#include <system_error>
#include <thread>
#include <vector>

#include "TypInfo.h"

DEFINE_CLASS(TThread, TObject)

namespace {

// One method handed to the main thread.
struct TSyncRequest {
  TThread* Thread = nullptr;  // on whose behalf it runs; RemoveQueuedEvents matches it
  TThreadMethod Method;
  bool Waited = false;        // Synchronize: a thread waits for Done
  TThread* Frees = nullptr;   // a free-on-terminate thread this request deletes, nothing else
  bool Done = false;
  std::exception_ptr Error;   // what Method raised, for the waiting thread
};
using TSyncRequestPtr = std::shared_ptr<TSyncRequest>;

// What the threads share. It is never destroyed: a thread still running when the process ends
// keeps using it while static objects are torn down.
struct TThreadsState {
  std::mutex Lock;
  // Notified when a method is queued, a synchronized method has run, a thread finished.
  std::condition_variable Changed;
  std::deque<TSyncRequestPtr> Queue;
  // Started threads until they are over (for free-on-terminate ones: deleted); the object is
  // null while it is being deleted.
  std::map<TThreadID, TThread*> Running;
  TNotifyEvent Wake;
  // Set by FinalizeThreads: the main thread no longer runs what threads hand to it.
  bool ShuttingDown = false;
  // A queued method's exception caught where it could not be raised (inside a wait); the next
  // CheckSynchronize raises it.
  std::exception_ptr Deferred;
  // Free-on-terminate threads past their last use of this layer, not yet joined. They are
  // joined rather than detached because the thread's own end still runs code: the destructors
  // of its thread-local data, the GUI toolkit's among them, which must not run while the
  // process tears that toolkit down.
  std::vector<std::thread> Ended;
};

TThreadsState& threads() {
  static TThreadsState* state = new TThreadsState;
  return *state;
}

// Joins the ended threads (each is at most finishing its thread-local clean-up). Called without
// the shared lock, never by one of them.
void joinEnded(TThreadsState& s) {
  std::vector<std::thread> ended;
  {
    std::lock_guard lock(s.Lock);
    ended.swap(s.Ended);
  }
  for (std::thread& thread : ended) thread.join();
}

std::atomic<TThreadID> nextThreadId{1};
thread_local TThreadID currentThreadId = 0;

std::atomic<TThreadID>& mainThreadId() {
  static std::atomic<TThreadID> id{GetCurrentThreadId()};
  return id;
}
// Fixes the main thread while the program loads, before any other thread exists.
const TThreadID loadedOnThread = MainThreadID();

void wake(TThreadsState& s, std::unique_lock<std::mutex>& held, TThread* sender) {
  TNotifyEvent hook = s.Wake;
  held.unlock();
  // Waking is a courtesy to the event loop: a hook that fails only delays the queue until the
  // loop's next CheckSynchronize, so its error must not abort the hand-over.
  if (hook) try {
      hook(sender);
    } catch (...) {
    }
}

// Runs the methods waiting on entry, one at a time so that a nested CheckSynchronize (a
// method showing a modal dialog) keeps the order. Raise: a queued method's exception passes
// on; otherwise it is kept for the next CheckSynchronize.
bool runQueue(bool raise) {
  TThreadsState& s = threads();
  std::unique_lock lock(s.Lock);
  std::size_t pending = s.Queue.size();
  bool ran = false;
  while (pending-- > 0 && !s.Queue.empty()) {
    TSyncRequestPtr request = s.Queue.front();
    s.Queue.pop_front();
    lock.unlock();
    ran = true;
    std::exception_ptr error;
    try {
      request->Method();
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    if (request->Waited) {
      request->Error = error;
      request->Done = true;
      s.Changed.notify_all();
    } else if (error) {
      if (raise) std::rethrow_exception(error);
      if (!s.Deferred) s.Deferred = error;
    }
  }
  return ran;
}

}  // namespace

TThreadID GetCurrentThreadId() {
  if (currentThreadId == 0) currentThreadId = nextThreadId.fetch_add(1);
  return currentThreadId;
}

TThreadID MainThreadID() { return mainThreadId().load(); }

void SetMainThreadID(TThreadID ID) { mainThreadId().store(ID); }

bool IsMainThread() { return GetCurrentThreadId() == MainThreadID(); }

bool CheckSynchronize(int Timeout) {
  if (!IsMainThread())
    throw EThread("CheckSynchronize called from thread " + std::to_string(GetCurrentThreadId()) +
                  ", which is not the main thread");
  TThreadsState& s = threads();
  {
    std::unique_lock lock(s.Lock);
    if (s.Deferred) std::rethrow_exception(std::exchange(s.Deferred, nullptr));
    if (s.Queue.empty() && Timeout > 0)
      s.Changed.wait_for(lock, std::chrono::milliseconds(Timeout), [&] { return !s.Queue.empty(); });
  }
  return runQueue(true);
}

void SetWakeMainThread(TNotifyEvent Hook) {
  TThreadsState& s = threads();
  std::lock_guard lock(s.Lock);
  s.Wake = std::move(Hook);
}

bool FinalizeThreads(int Timeout) {
  TThreadsState& s = threads();
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(Timeout, 0));
  std::unique_lock lock(s.Lock);
  s.ShuttingDown = true;
  for (auto& [id, thread] : s.Running)
    if (thread != nullptr) thread->Terminate();
  // What the threads handed over was meant for windows that are gone by now: queued methods
  // are dropped, and threads waiting in Synchronize get EAbort so that they unwind and end.
  // Free-on-terminate threads waiting to be deleted after their queued methods are deleted now.
  std::vector<TThread*> finished;
  for (const TSyncRequestPtr& request : s.Queue) {
    if (request->Frees != nullptr) finished.push_back(request->Frees);
    if (!request->Waited) continue;
    request->Error = std::make_exception_ptr(EAbort("The program is ending"));
    request->Done = true;
  }
  s.Queue.clear();
  s.Changed.notify_all();
  s.Changed.wait_until(lock, deadline, [&] { return s.Running.empty(); });
  bool allEnded = s.Running.empty();
  s.ShuttingDown = false;
  lock.unlock();
  for (TThread* thread : finished) delete thread;
  joinEnded(s);
  return allEnded;
}

struct TThread::TThreadPrivate {
  TThreadID Id = nextThreadId.fetch_add(1);
  bool CreateSuspended = true;
  std::thread Handle;
  std::atomic<bool> Terminated{false};
  std::atomic<bool> FreeOnTerminate{false};
  std::atomic<int> ReturnValue{0};
  // Guarded by the shared lock.
  bool Started = false;
  bool Finished = false;
  bool Destroying = false;
  std::exception_ptr Fatal;
};

TThread::TThread(bool CreateSuspended) : d_(std::make_unique<TThreadPrivate>()) {
  d_->CreateSuspended = CreateSuspended;
}

TThread::~TThread() {
  TThreadsState& s = threads();
  bool running;
  {
    std::lock_guard lock(s.Lock);
    d_->Destroying = true;
    running = d_->Started && !d_->Finished;
  }
  if (d_->Handle.joinable() && d_->Handle.get_id() == std::this_thread::get_id()) {
    d_->Handle.detach();  // deleted from its own Execute; nothing to wait for
  } else {
    if (running) {
      Terminate();
      std::unique_lock lock(s.Lock);
      waitUntilFinished(lock);
    }
    if (d_->Handle.joinable()) d_->Handle.join();
  }
  RemoveQueuedEvents(this);
}

void TThread::AfterConstruction() {
  if (!d_->CreateSuspended) Resume();
}

void TThread::Resume() {
  TThreadsState& s = threads();
  joinEnded(s);  // so that a program starting thread after thread holds no ended ones
  std::lock_guard lock(s.Lock);
  if (d_->Started) return;
  try {
    d_->Handle = std::thread(threadProc, this);
  } catch (const std::system_error& e) {
    throw EThread(AnsiString("Thread creation error: ") + e.what());
  }
  d_->Started = true;
  s.Running[d_->Id] = this;
}

void TThread::Start() {
  {
    std::lock_guard lock(threads().Lock);
    if (d_->Started) throw EThread("Cannot call Start on a running or finished thread");
  }
  Resume();
}

void TThread::Terminate() { d_->Terminated = true; }

int TThread::WaitFor() {
  TThreadsState& s = threads();
  std::unique_lock lock(s.Lock);
  if (!d_->Started) throw EThread("Cannot wait for a thread that was never started");
  if (d_->FreeOnTerminate) throw EThread("Cannot wait for a thread that frees itself");
  if (d_->Id == GetCurrentThreadId()) throw EThread("A thread cannot wait for itself");
  waitUntilFinished(lock);
  return d_->ReturnValue;
}

void TThread::waitUntilFinished(std::unique_lock<std::mutex>& held) {
  TThreadsState& s = threads();
  bool onMain = IsMainThread();
  while (!d_->Finished) {
    // The thread may be blocked in Synchronize waiting for this very thread.
    if (onMain && !s.Queue.empty()) {
      held.unlock();
      runQueue(false);
      held.lock();
      continue;
    }
    s.Changed.wait(held);
  }
}

bool TThread::Suspended() const {
  std::lock_guard lock(threads().Lock);
  return !d_->Started;
}

bool TThread::Terminated() const { return d_->Terminated; }

bool TThread::Finished() const {
  std::lock_guard lock(threads().Lock);
  return d_->Finished;
}

bool TThread::FreeOnTerminate() const { return d_->FreeOnTerminate; }

void TThread::SetFreeOnTerminate(bool Value) { d_->FreeOnTerminate = Value; }

int TThread::ReturnValue() const { return d_->ReturnValue; }

void TThread::SetReturnValue(int Value) { d_->ReturnValue = Value; }

TThreadID TThread::ThreadID() const { return d_->Id; }

std::exception_ptr TThread::FatalException() const {
  std::lock_guard lock(threads().Lock);
  return d_->Fatal;
}

void TThread::DoTerminate() {
  {
    // An owner deleting a running thread is tearing it down; the derived object is already
    // gone, so its handler must not see it.
    std::lock_guard lock(threads().Lock);
    if (d_->Destroying) return;
  }
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Synchronize(TThread* AThread, TThreadMethod Method) {
  if (!Method) return;
  if (IsMainThread()) {
    Method();
    return;
  }
  TThreadsState& s = threads();
  auto request = std::make_shared<TSyncRequest>();
  request->Thread = AThread;
  request->Method = std::move(Method);
  request->Waited = true;
  std::unique_lock lock(s.Lock);
  if (s.ShuttingDown) throw EAbort("The program is ending");
  s.Queue.push_back(request);
  s.Changed.notify_all();
  wake(s, lock, AThread);
  lock.lock();
  s.Changed.wait(lock, [&] { return request->Done; });
  if (request->Error) std::rethrow_exception(request->Error);
}

void TThread::Queue(TThread* AThread, TThreadMethod Method) {
  if (!Method) return;
  TThreadsState& s = threads();
  auto request = std::make_shared<TSyncRequest>();
  request->Thread = AThread;
  request->Method = std::move(Method);
  std::unique_lock lock(s.Lock);
  if (s.ShuttingDown) return;
  s.Queue.push_back(std::move(request));
  s.Changed.notify_all();
  wake(s, lock, AThread);
}

void TThread::RemoveQueuedEvents(TThread* AThread) {
  TThreadsState& s = threads();
  std::lock_guard lock(s.Lock);
  std::erase_if(s.Queue, [&](const TSyncRequestPtr& r) { return !r->Waited && r->Thread == AThread; });
}

void TThread::threadProc(TThread* self) {
  currentThreadId = self->d_->Id;
  auto keep = [self](std::exception_ptr error) {
    std::lock_guard lock(threads().Lock);
    if (!self->d_->Fatal) self->d_->Fatal = error;
  };
  if (!self->Terminated()) try {
      self->Execute();
    } catch (...) {
      keep(std::current_exception());
    }
  try {
    self->DoTerminate();
  } catch (...) {
    keep(std::current_exception());
  }
  self->finish();
}

void TThread::finish() {
  TThreadsState& s = threads();
  TThreadID id = d_->Id;
  std::unique_lock lock(s.Lock);
  d_->Finished = true;
  s.Changed.notify_all();
  if (!d_->FreeOnTerminate || d_->Destroying) {  // the owner deletes it; touch nothing more
    s.Running.erase(id);
    return;
  }
  std::thread handle = std::move(d_->Handle);
  bool queuedForIt = std::any_of(s.Queue.begin(), s.Queue.end(),
                                 [&](const TSyncRequestPtr& r) { return !r->Waited && r->Thread == this; });
  if (!queuedForIt) {
    // It counts as running until it is deleted, so that FinalizeThreads does not let the
    // process end in the middle of its destructor.
    s.Running[id] = nullptr;
    lock.unlock();
    delete this;
    lock.lock();
    s.Running.erase(id);
    s.Ended.push_back(std::move(handle));
    s.Changed.notify_all();
    return;
  }
  // Methods it queued may still use the object: free it on the main thread after them.
  s.Running.erase(id);
  s.Ended.push_back(std::move(handle));
  auto request = std::make_shared<TSyncRequest>();
  request->Frees = this;
  request->Method = [this] { delete this; };
  s.Queue.push_back(std::move(request));
  s.Changed.notify_all();
  wake(s, lock, nullptr);
}
