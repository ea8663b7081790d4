#include "uThread.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "TWorkerLink.h"
#include "TypInfo.h"

DEFINE_CLASS(MyThread, TThread)

TPostedTexts MessageText;
TSharedText StatusText;

namespace {

// The main window's handle. The progress callback has no context of its own, so the reports
// find the window here; a handle whose window is gone names no window and the post is dropped.
std::atomic<HWND> reportWindow{nullptr};

bool post(TCommReportCode Code, LPARAM Value) { return PostMessage(reportWindow.load(), WM_COMMREPORT, Code, Value); }

// Ends a worker's run whatever way its routine leaves: withdraws it from the window's link and
// clears the busy state, so the next operation can start.
class TRunGuard {
public:
  TRunGuard(TWorkerLink& Link, MyThread* Thread) : link_(Link), thread_(Thread) {}
  ~TRunGuard() {
    link_.ClearRunning(thread_);
    link_.SetBusy(0);
  }
  TRunGuard(const TRunGuard&) = delete;
  TRunGuard& operator=(const TRunGuard&) = delete;

private:
  TWorkerLink& link_;
  MyThread* thread_;
};

}  // namespace

void EndWorkers(int ExitCode) {
  if (FinalizeThreads(WorkerEndTimeout)) return;
  std::fprintf(stderr, "handheld-manager: a terminal operation did not end within %d s; ending without clean-up\n",
               WorkerEndTimeout / 1000);
  std::fflush(stderr);
  std::_Exit(ExitCode);
}

void SetReportWindow(HWND Window) { reportWindow.store(Window); }
HWND ReportWindow() { return reportWindow.load(); }

void VXSTDCALL CommProgressCallback(std::int32_t Pos) { post(crProgress, Pos); }

void SetStatusText(const AnsiString& Text) { StatusText.Set(Text); }

void PostStatus(const AnsiString& Text) {
  StatusText.Set(Text);
  post(crStatus, 0);
}

void PostInfoMessage(const AnsiString& Text) {
  const std::intptr_t ticket = MessageText.Put(Text);
  if (!post(crMessage, ticket)) MessageText.Take(ticket);
}

void PostCommFailure() { post(crCommFailure, 0); }

void PostProgressMax(int Max) { post(crProgressMax, Max); }

MyThread::MyThread(std::shared_ptr<TWorkerLink> Link, std::int32_t Port)
    : TThread(true), FPort(Port), link_(std::move(Link)) {}

MyThread::~MyThread() = default;

bool MyThread::OnWindow(const std::function<void(TFormmain& Window)>& Work) {
  bool reached = false;
  Synchronize([&] {
    if (TFormmain* window = link_->Window()) {
      reached = true;
      Work(*window);
    }
  });
  return reached;
}

void MyThread::Execute() {
  link_->SetBusy(-1);
  TRunGuard guard(*link_, this);
  // Registered before every operation: the library keeps only the last callback given.
  vxSetProgress(1, CommProgressCallback);
  // An exception of the routine ends the run silently (TThread keeps it); the guard still
  // clears the busy state.
  if (TThreadRoutine routine = ThreadRoutine(FMode)) routine(*this);
}
