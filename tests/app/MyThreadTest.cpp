// The worker thread: the busy state over its run, the mode table, the reports it posts and the
// way it reaches (or no longer reaches) the window.
#include "uThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "Forms.h"
#include "TBlockingRoutine.h"
#include "TForm.h"
#include "TWorkerLink.h"
#include "TestInput.h"
#include "TypInfo.h"

using TestInput::WaitUntil;

namespace {

// A window that notes every report with the shared text current when the report arrives.
class TReportSink : public TForm {
  DECLARE_CLASS(TReportSink, TForm)

  explicit TReportSink(TComponent* AOwner) : TForm(AOwner) {}
  struct TReport {
    WPARAM Code;
    LPARAM Value;
    AnsiString Text;
  };
  std::vector<TReport> Reports;

protected:
  void WMCommReport(TMessage& Message) {
    const AnsiString text = Message.WParam == crMessage ? MessageText.Take(Message.LParam) : StatusText.Get();
    Reports.push_back({Message.WParam, Message.LParam, text});
  }
  BEGIN_MESSAGE_MAP
  MESSAGE_HANDLER(WM_COMMREPORT, TMessage, WMCommReport)
  END_MESSAGE_MAP(TForm)
};

}  // namespace

DEFINE_CLASS(TReportSink, TForm)

namespace {

class MyThreadTest : public ::testing::Test {
protected:
  MyThreadTest() : units({ClasslibCoreUnit, ClasslibGuiUnit}) {
    units.Initialize();
    sink = NewForm<TReportSink>(Application);
    SetReportWindow(sink->Handle());
    StatusText.Clear();
    MessageText.Clear();
  }
  ~MyThreadTest() override {
    WaitUntil([this] { return link->Busy() == 0; });
    SetReportWindow(nullptr);
    delete sink;
    units.Finalize();
  }
  // Starts a worker the way the window's starters do: busy taken first, then resumed.
  void start(int Mode) {
    auto* thread = new MyThread(link, 3);
    thread->SetFreeOnTerminate(true);
    thread->SetMode(Mode);
    link->SetBusy(-1);
    link->SetRunning(thread);
    thread->Resume();
  }

  TUnitList units;
  TReportSink* sink = nullptr;
  std::shared_ptr<TWorkerLink> link = std::make_shared<TWorkerLink>(nullptr);
};

}  // namespace

TEST_F(MyThreadTest, ModesWithoutRoutineRunNothing) {
  for (int mode : {-1, int{tmNone}, int{tmUnused14}, ThreadModeCount, 100}) EXPECT_EQ(ThreadRoutine(mode), nullptr) << mode;
  EXPECT_EQ(SetThreadRoutine(tmUnused14, [](MyThread&) {}), nullptr);
  EXPECT_EQ(ThreadRoutine(tmUnused14), nullptr);
  start(tmUnused14);
  EXPECT_TRUE(WaitUntil([&] { return link->Busy() == 0; }));
  EXPECT_TRUE(sink->Reports.empty());
}

TEST_F(MyThreadTest, BusyFromTheStartUntilTheRoutineEnds) {
  TBlockingRoutine routine(tmListFiles);
  start(tmListFiles);
  EXPECT_EQ(link->Busy(), -1);
  ASSERT_TRUE(routine.WaitEntered());
  EXPECT_EQ(link->Busy(), -1);
  routine.Release();
  EXPECT_TRUE(WaitUntil([&] { return link->Busy() == 0; }));
  EXPECT_FALSE(link->TerminateRunning());  // the worker has withdrawn itself
}

TEST_F(MyThreadTest, WorkerKnowsItsModeAndPort) {
  TBlockingRoutine routine(tmUploadMemory);
  start(tmUploadMemory);
  ASSERT_TRUE(routine.WaitEntered());
  std::atomic<int> mode{0}, port{0};
  routine.Release([&](MyThread& Thread) {
    mode = Thread.Mode();
    port = Thread.Port();
  });
  ASSERT_TRUE(WaitUntil([&] { return link->Busy() == 0; }));
  EXPECT_EQ(mode.load(), tmUploadMemory);
  EXPECT_EQ(port.load(), 3);
}

TEST_F(MyThreadTest, ReportsArriveInOrderWithTheirTexts) {
  TBlockingRoutine routine(tmDownloadSelected);
  start(tmDownloadSelected);
  ASSERT_TRUE(routine.WaitEntered());
  routine.Release([](MyThread&) {
    SetStatusText("a");
    CommProgressCallback(10);
    PostStatus("b");
    PostInfoMessage("c");
    PostCommFailure();
    PostProgressMax(77);
  });
  ASSERT_TRUE(WaitUntil([&] { return sink->Reports.size() == 5; }));
  EXPECT_EQ(sink->Reports[0].Code, crProgress);
  EXPECT_EQ(sink->Reports[0].Value, 10);
  EXPECT_EQ(sink->Reports[1].Code, crStatus);
  EXPECT_EQ(sink->Reports[1].Text, "b");
  EXPECT_EQ(sink->Reports[2].Code, crMessage);
  EXPECT_EQ(sink->Reports[2].Text, "c");
  EXPECT_EQ(sink->Reports[3].Code, crCommFailure);
  EXPECT_EQ(sink->Reports[4].Code, crProgressMax);
  EXPECT_EQ(sink->Reports[4].Value, 77);
}

TEST_F(MyThreadTest, RoutineThatRaisesStillClearsTheBusyState) {
  TBlockingRoutine routine(tmDeleteAll);
  start(tmDeleteAll);
  ASSERT_TRUE(routine.WaitEntered());
  routine.Release([](MyThread&) { throw Exception("the link broke"); });
  EXPECT_TRUE(WaitUntil([&] { return link->Busy() == 0; }));
}

TEST_F(MyThreadTest, TerminateReachesTheRunningWorker) {
  TBlockingRoutine routine(tmListRecycled);
  start(tmListRecycled);
  ASSERT_TRUE(routine.WaitEntered());
  EXPECT_TRUE(link->TerminateRunning());
  std::atomic<bool> terminated{false};
  routine.Release([&](MyThread& Thread) { terminated = Thread.Terminated(); });
  ASSERT_TRUE(WaitUntil([&] { return link->Busy() == 0; }));
  EXPECT_TRUE(terminated.load());
}

TEST_F(MyThreadTest, NoWindowMeansTheWorkDoesNotRun) {
  TBlockingRoutine routine(tmListFiles);
  start(tmListFiles);
  ASSERT_TRUE(routine.WaitEntered());
  std::atomic<int> reached{-1};
  std::atomic<bool> ran{false};
  routine.Release([&](MyThread& Thread) { reached = Thread.OnWindow([&](TFormmain&) { ran = true; }) ? 1 : 0; });
  ASSERT_TRUE(WaitUntil([&] { return link->Busy() == 0; }));
  EXPECT_EQ(reached.load(), 0);
  EXPECT_FALSE(ran.load());
}

TEST_F(MyThreadTest, ReportsToAGoneWindowAreDropped) {
  delete sink;
  sink = nullptr;
  PostStatus("x");
  PostCommFailure();
  TestInput::ProcessFor(20);
  EXPECT_EQ(StatusText.Get(), "x");
  sink = NewForm<TReportSink>(Application);
}
