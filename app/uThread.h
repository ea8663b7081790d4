// uThread: the worker thread that runs one terminal or FTP operation, and the report protocol
// through which it tells the main window what it is doing.
//
// Starting an operation (main thread, TFormmain::StartWorker): the window's busy state is taken
// first, then a MyThread is created suspended with the operation's mode and convert type and
// resumed; it frees itself when it is done. The window does not wait for it: it learns of the
// operation's course only through WM_COMMREPORT messages. Only the program's end waits for it
// (EndWorkers, below).
//
// Reporting (worker thread): SetStatusText, PostStatus, PostInfoMessage, PostCommFailure,
// PostProgressMax and the progress callback post WM_COMMREPORT to the main window with one of
// the codes below. The status text travels in the shared text StatusText of uMain, written just
// before the post and read by the window when the message arrives (the status line shows the
// latest); each message box's text is kept in MessageText under the number its report carries,
// so every box shows its own text however many reports are on their way.
//
// Touching the window (worker thread): a routine that fills the window's lists or labels, or
// reads its controls, does so through MyThread::OnWindow, which runs the work on the main
// thread and skips it once the window is gone, so a worker still running after the window has
// been closed never touches it.
//
// Ending (main thread, after the message loop): a worker may still run when the window closes;
// closing while busy asks INFO_FORCE_QUIT and then asks the worker to terminate. Nothing the
// worker can reach - the window, the shared texts, the message texts, the communication
// library - may be finalised under it, so the program calls EndWorkers before it finalises any
// unit, and a routine checks the request between two library calls and returns once it is set:
//
//   for (const AnsiString& name : names) {
//     if (Thread.Terminated()) return;  // the program is ending
//     SetStatusText(INFO_UPLOADING + name);
//     const std::int32_t result = vxUploadFile(Thread.Port(), name.c_str(), path.c_str());
//     ...
//   }
//
// While the program ends, OnWindow raises EAbort instead of reaching the window, which ends the
// routine as well.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "Messages.h"
#include "TPostedTexts.h"
#include "TSharedText.h"
#include "VxComm.h"
#include "TThread.h"

class TFormmain;
class TWorkerLink;

// The window message the worker posts to the main window.
constexpr UINT WM_COMMREPORT = WM_USER + 100;

// wParam of WM_COMMREPORT.
enum TCommReportCode : WPARAM {
  crProgress = 0,     // lParam: progress position in percent; text: StatusText
  crStatus = 1,       // the status line; text: StatusText
  crMessage = 2,      // a message box; lParam: the number of its text in MessageText
  crCommFailure = 3,  // the exchange with the terminal failed
  crProgressMax = 4,  // lParam: the maximum of the FTP progress bar
};

// The worker's transfer modes; 0 and 14 do nothing.
enum TThreadMode : int {
  tmNone = 0,
  tmListFiles = 1,
  tmDownloadSelected = 2,
  tmUploadSelected = 3,
  tmDownloadList = 4,
  tmUploadList = 5,
  tmRecycleSelected = 6,
  tmDeleteAll = 7,
  tmListRecycled = 8,
  tmRestoreSelected = 9,
  tmDestroySelected = 10,
  tmDestroyRecycled = 11,
  tmUploadMemory = 12,
  tmDownloadMemory = 13,
  tmUnused14 = 14,
  tmDownloadSystem = 15,
  tmUploadSystem = 16,
  tmDeviceToFtp = 17,
  tmFtpToDevice = 18,
};
inline constexpr int ThreadModeCount = 19;

class MyThread;
// The routine of one mode, run on the worker thread.
using TThreadRoutine = void (*)(MyThread& Thread);
// The routine a mode runs; nullptr for a mode that does nothing (0, 14, out of range, and the
// modes whose routine the program does not have).
TThreadRoutine ThreadRoutine(int Mode);
// Puts Routine in place for Mode and returns the routine it replaces; modes 0, 14 and those out
// of range keep running nothing (nullptr is returned). The units that carry out a mode, and
// tests, use it.
TThreadRoutine SetThreadRoutine(int Mode, TThreadRoutine Routine);

// Size of the worker's error-text buffer handed to vxGetErrMsg.
inline constexpr std::size_t WorkerErrMsgSize = 257;

class MyThread : public TThread {
  DECLARE_CLASS(MyThread, TThread)

  // Created suspended, for the window behind Link, to talk to the terminal on Port (the port
  // handle the window's last search found).
  MyThread(std::shared_ptr<TWorkerLink> Link, std::int32_t Port);
  ~MyThread() override;

  // The target of automatic conversion (a convert type 0 to 7).
  std::uint8_t ConvertType() const { return FConvertType; }
  void SetConvertType(std::uint8_t Value) { FConvertType = Value; }
  int Mode() const { return FMode; }
  void SetMode(int Value) { FMode = Value; }
  // The text buffer the routines hand to vxGetErrMsg.
  char* ErrMsg() { return FErrMsg.data(); }
  // The port handle the thread was created with.
  std::int32_t Port() const { return FPort; }

  // Runs Work on the main thread with the window and waits for it; false, without running
  // Work, when the window is gone.
  bool OnWindow(const std::function<void(TFormmain& Window)>& Work);

protected:
  void Execute() override;

private:
  std::uint8_t FConvertType = 0;
  int FMode = tmNone;
  std::array<char, WorkerErrMsgSize> FErrMsg{};
  std::int32_t FPort = 0;
  std::shared_ptr<TWorkerLink> link_;
};

// Worker side of the report protocol; each returns at once.
// The progress callback handed to vxSetProgress: posts crProgress with Pos.
void VXSTDCALL CommProgressCallback(std::int32_t Pos);
// Sets StatusText without posting (the next progress report shows it).
void SetStatusText(const AnsiString& Text);
void PostStatus(const AnsiString& Text);
void PostInfoMessage(const AnsiString& Text);
void PostCommFailure();
void PostProgressMax(int Max);

// The texts of the protocol: the texts of the message boxes on their way, and the status text
// of the current operation. The main window's unit empties them when the program ends.
extern TPostedTexts MessageText;
extern TSharedText StatusText;

// How long the program's end waits for a worker, in milliseconds: a routine that checks the
// terminate request between library calls ends well within it.
inline constexpr int WorkerEndTimeout = 5000;
// Asks the running worker to terminate and waits until every worker has ended, for at most
// WorkerEndTimeout. A worker still running then is caught in a library call that does not end:
// the process ends at once with ExitCode, through an exit that runs no finaliser (no unit
// finalisation, atexit handler or static destructor) that could pull anything from under the
// worker. A part file the library was writing on the terminal is the library's to clean up at
// its next call.
void EndWorkers(int ExitCode);

// The window the reports go to (the main window sets itself when it is created). Reports to a
// window that is gone are dropped.
void SetReportWindow(HWND Window);
HWND ReportWindow();
