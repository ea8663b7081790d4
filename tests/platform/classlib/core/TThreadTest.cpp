#include "TThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "TypInfo.h"

namespace {

using namespace std::chrono_literals;

// Polls Condition until it holds or the timeout passes.
template <class F>
bool waitUntil(F Condition, std::chrono::milliseconds Timeout = 10s) {
  auto deadline = std::chrono::steady_clock::now() + Timeout;
  while (!Condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

// Runs a test-given body as Execute and reports its own deletion.
class TTestThread : public TThread {
  DECLARE_CLASS(TTestThread, TThread)
  TTestThread(bool CreateSuspended, std::function<void(TTestThread&)> Body, std::atomic<bool>* Deleted = nullptr)
      : TThread(CreateSuspended), body_(std::move(Body)), deleted_(Deleted) {}
  ~TTestThread() override {
    Terminate();
    if (!Suspended() && !FreeOnTerminate() && !Finished()) WaitFor();
    if (deleted_ != nullptr) *deleted_ = true;
  }
  using TThread::Queue;
  using TThread::SetReturnValue;
  using TThread::Synchronize;
  int Member = 42;

protected:
  void Execute() override { body_(*this); }

private:
  std::function<void(TTestThread&)> body_;
  std::atomic<bool>* deleted_;
};
DEFINE_CLASS(TTestThread, TThread)

}  // namespace

TEST(TThreadTest, SuspendedThreadRunsAfterResumeAndWaitForGivesReturnValue) {
  std::atomic<bool> ran{false};
  TThreadID seenId = 0;
  TTestThread thread(true, [&](TTestThread& self) {
    ran = true;
    seenId = GetCurrentThreadId();
    self.SetReturnValue(7);
  });
  EXPECT_TRUE(thread.Suspended());
  EXPECT_FALSE(ran);
  EXPECT_THROW(thread.WaitFor(), EThread);
  thread.Resume();
  EXPECT_FALSE(thread.Suspended());
  EXPECT_EQ(thread.WaitFor(), 7);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(thread.Finished());
  EXPECT_EQ(seenId, thread.ThreadID());
  EXPECT_NE(seenId, MainThreadID());
  EXPECT_EQ(thread.ReturnValue(), 7);
  thread.Resume();  // nothing once started
  EXPECT_THROW(thread.Start(), EThread);
}

TEST(TThreadTest, ThreadCreatedRunningStartsOnceComplete) {
  std::unique_ptr<TTestThread> thread(
      TThread::Create<TTestThread>(false, [](TTestThread& self) { self.SetReturnValue(self.Member); }));
  EXPECT_EQ(thread->WaitFor(), 42);
}

TEST(TThreadTest, ThreadTerminatedBeforeStartNeverExecutes) {
  std::atomic<bool> ran{false};
  bool terminated = false;
  TTestThread thread(true, [&](TTestThread&) { ran = true; });
  thread.OnTerminate = [&](TObject*) { terminated = true; };
  thread.Terminate();
  thread.Start();
  thread.WaitFor();
  EXPECT_FALSE(ran);
  EXPECT_TRUE(terminated);
}

TEST(TThreadTest, ExceptionEscapingExecuteIsKeptAndOnTerminateStillRuns) {
  bool terminated = false;
  TTestThread thread(true, [](TTestThread&) { throw EConvertError("bad value"); });
  thread.OnTerminate = [&](TObject* sender) {
    terminated = IsMainThread() && sender == &thread;
  };
  thread.Resume();
  thread.WaitFor();
  EXPECT_TRUE(terminated);
  ASSERT_TRUE(thread.FatalException());
  try {
    std::rethrow_exception(thread.FatalException());
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "bad value");
  }
}

TEST(TThreadTest, FreeOnTerminateThreadDeletesItselfAndRefusesWaitFor) {
  std::atomic<bool> deleted{false};
  std::atomic<bool> go{false};
  auto* thread = new TTestThread(true, [&](TTestThread&) { waitUntil([&] { return go.load(); }); }, &deleted);
  thread->SetFreeOnTerminate(true);
  thread->Resume();
  EXPECT_THROW(thread->WaitFor(), EThread);
  go = true;
  EXPECT_TRUE(waitUntil([&] { return deleted.load(); }));
}

TEST(TThreadTest, SynchronizeRunsOnMainThreadWhileTheWorkerWaits) {
  int counter = 0;  // touched only on the main thread
  std::vector<int> seenByWorker;
  bool allOnMain = true;
  TTestThread thread(true, [&](TTestThread& self) {
    for (int i = 0; i < 50; ++i) {
      self.Synchronize([&] {
        allOnMain = allOnMain && IsMainThread();
        ++counter;
      });
      seenByWorker.push_back(counter);  // the method has run when Synchronize returns
    }
  });
  thread.Resume();
  ASSERT_TRUE(waitUntil([&] {
    CheckSynchronize(10);
    return thread.Finished();
  }));
  EXPECT_TRUE(allOnMain);
  EXPECT_EQ(counter, 50);
  ASSERT_EQ(seenByWorker.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(seenByWorker[static_cast<std::size_t>(i)], i + 1);
}

TEST(TThreadTest, SynchronizeOnMainThreadRunsAtOnce) {
  bool ran = false;
  TThread::Synchronize(nullptr, [&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(CheckSynchronize());
}

TEST(TThreadTest, ExceptionOfSynchronizedMethodReachesTheCallingThread) {
  std::string message;
  TTestThread thread(true, [&](TTestThread& self) {
    try {
      self.Synchronize([] { throw EConvertError("on main"); });
    } catch (const EConvertError& e) {
      message = e.Message();
    }
  });
  thread.Resume();
  thread.WaitFor();  // runs the queue while it waits
  EXPECT_EQ(message, "on main");
}

TEST(TThreadTest, QueueDoesNotWaitAndRunsInOrder) {
  std::vector<int> order;
  std::atomic<int> wakes{0};
  TTestThread* sender = nullptr;
  SetWakeMainThread([&](TObject* Sender) {
    if (Sender == sender) ++wakes;
  });
  TTestThread thread(true, [&](TTestThread& self) {
    for (int i = 0; i < 100; ++i) self.Queue([&order, i] { order.push_back(i); });
  });
  sender = &thread;
  thread.Resume();
  ASSERT_TRUE(waitUntil([&] { return thread.Finished(); }));
  SetWakeMainThread(nullptr);
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(wakes, 100);
  EXPECT_TRUE(CheckSynchronize());
  ASSERT_EQ(order.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  EXPECT_FALSE(CheckSynchronize());
}

TEST(TThreadTest, QueuedExceptionPassesOutAndLeavesTheRestQueued) {
  std::vector<int> ran;
  TThread::Queue(nullptr, [&] { ran.push_back(1); });
  TThread::Queue(nullptr, [] { throw EConvertError("queued"); });
  TThread::Queue(nullptr, [&] { ran.push_back(3); });
  EXPECT_THROW(CheckSynchronize(), EConvertError);
  EXPECT_EQ(ran, std::vector<int>{1});
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

TEST(TThreadTest, WaitingForItselfOrDrainingTheQueueOffTheMainThreadRaises) {
  std::atomic<int> raised{0};
  TTestThread thread(true, [&](TTestThread& self) {
    try {
      self.WaitFor();
    } catch (const EThread&) {
      ++raised;
    }
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      ++raised;
    }
  });
  thread.Resume();
  thread.WaitFor();
  EXPECT_EQ(raised, 2);
}

TEST(TThreadTest, FreeOnTerminateThreadOutlivesTheMethodsItQueued) {
  std::atomic<bool> deleted{false};
  int seen = 0;
  auto* thread = new TTestThread(true, [&](TTestThread& self) {
    self.Queue([&seen, &self] { seen = self.Member; });
  }, &deleted);
  thread->SetFreeOnTerminate(true);
  thread->Resume();
  ASSERT_TRUE(waitUntil([&] {
    CheckSynchronize(10);
    return deleted.load();
  }));
  EXPECT_EQ(seen, 42);
}

TEST(TThreadTest, DeletingAThreadDropsWhatItQueued) {
  bool ran = false;
  auto thread = std::make_unique<TTestThread>(true, [&](TTestThread& self) { self.Queue([&] { ran = true; }); });
  thread->Resume();
  ASSERT_TRUE(waitUntil([&] { return thread->Finished(); }));
  thread.reset();
  EXPECT_FALSE(CheckSynchronize());
  EXPECT_FALSE(ran);
}

TEST(TThreadTest, DeletingARunningThreadTerminatesAndWaitsForIt) {
  std::atomic<bool> started{false};
  auto thread = std::make_unique<TTestThread>(true, [&](TTestThread& self) {
    started = true;
    while (!self.Terminated()) std::this_thread::yield();
  });
  thread->Resume();
  ASSERT_TRUE(waitUntil([&] { return started.load(); }));
  thread.reset();  // would hang if Terminate were not passed on
  SUCCEED();
}

TEST(TThreadTest, FinalizeThreadsEndsRunningAndBlockedThreads) {
  std::atomic<bool> loopDeleted{false}, blockedDeleted{false}, aborted{false};
  std::atomic<int> started{0};
  auto* looping = new TTestThread(true, [&](TTestThread& self) {
    ++started;
    while (!self.Terminated()) std::this_thread::yield();
  }, &loopDeleted);
  auto* blocked = new TTestThread(true, [&](TTestThread& self) {
    ++started;
    try {
      self.Synchronize([] { FAIL() << "ran after the program began to end"; });
    } catch (const EAbort&) {
      aborted = true;
    }
  }, &blockedDeleted);
  bool terminatedRan = false;
  blocked->OnTerminate = [&](TObject*) { terminatedRan = true; };
  for (TTestThread* t : {looping, blocked}) {
    t->SetFreeOnTerminate(true);
    t->Resume();
  }
  ASSERT_TRUE(waitUntil([&] { return started == 2; }));
  // Whether the blocked thread is already waiting or reaches Synchronize during the shut-down,
  // it gets EAbort.
  EXPECT_TRUE(FinalizeThreads(10000));
  EXPECT_TRUE(aborted);
  EXPECT_TRUE(loopDeleted);
  EXPECT_TRUE(blockedDeleted);
  EXPECT_FALSE(terminatedRan);
  EXPECT_FALSE(CheckSynchronize());
}

// Thread-local data whose destruction, at the end of its thread, takes a while.
std::atomic<int> slowCleanUpsDone{0};
struct TSlowCleanUp {
  ~TSlowCleanUp() {
    std::this_thread::sleep_for(100ms);
    ++slowCleanUpsDone;
  }
};
thread_local TSlowCleanUp slowCleanUp;

TEST(TThreadTest, FinalizeThreadsWaitsForTheEndOfThreadsThatFreedThemselves) {
  slowCleanUpsDone = 0;
  std::atomic<bool> plainDeleted{false}, queuedDeleted{false};
  // One deletes itself on its own thread, the other on the main thread after its queued method.
  auto* plain = new TTestThread(true, [](TTestThread&) { (void)&slowCleanUp; }, &plainDeleted);
  auto* queued = new TTestThread(true, [](TTestThread& self) {
    (void)&slowCleanUp;
    self.Queue([] {});
  }, &queuedDeleted);
  for (TTestThread* t : {plain, queued}) {
    t->SetFreeOnTerminate(true);
    t->Resume();
  }
  ASSERT_TRUE(waitUntil([&] {
    CheckSynchronize();
    return plainDeleted && queuedDeleted;
  }));
  EXPECT_TRUE(FinalizeThreads(10000));
  EXPECT_EQ(slowCleanUpsDone, 2);
}

TEST(TThreadTest, ProcessEndsCleanlyWithAFreeThreadStillRunning) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::atomic<bool> started{false};
        auto* stuck = new TTestThread(true, [&](TTestThread& self) {
          started = true;
          // Ignores Terminated, as a routine blocked in a device call would.
          for (;;) {
            std::this_thread::sleep_for(1ms);
            self.Queue([] {});
          }
        });
        stuck->SetFreeOnTerminate(true);
        stuck->Resume();
        waitUntil([&] { return started.load(); });
        bool ended = FinalizeThreads(50);
        std::exit(ended ? 1 : 0);
      },
      testing::ExitedWithCode(0), "");
}
