#include "uThreadFiles.h"

#include <cstdint>

#include "CodePage.h"
#include "DateRoutines.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "Format.h"
#include "IntegerText.h"
#include "TCheckBox.h"
#include "TFileListBox.h"
#include "TFileLoop.h"
#include "TLabel.h"
#include "TListItems.h"
#include "TListView.h"
#include "VxComm.h"
#include "Updating.h"
#include "uConstStrings.h"
#include "uFileTexts.h"
#include "uListViews.h"
#include "uMain.h"
#include "uTerminalList.h"
#include "uThread.h"
#include "uThreadConvert.h"

namespace {

// The block size a terminal with block size 0 has.
constexpr std::int64_t DefaultBlockSize = 16320;

// The terminal's figures as the two pages show them, in KiB. They are worked out in 64 bits,
// so that a large terminal cannot make them wrap.
struct TDeviceFigures {
  AnsiString Type;
  std::int64_t TotalK = 0;
  std::int64_t LeftK = 0;
  std::int64_t SysK = 0;
  std::int64_t Count = 0;
};

TDeviceFigures figuresOf(const AnsiString& Type, std::int32_t Capacity, const TCommSpaceInfo& Space,
                         const std::vector<TCommFileRecord>& Records) {
  const std::int64_t blockSize = Space.BlockSize == 0 ? DefaultBlockSize : Space.BlockSize;
  std::int64_t blocks = 0;
  for (const TCommFileRecord& record : Records) blocks += (record.Size + blockSize - 1) / blockSize;
  TDeviceFigures f;
  f.Type = Type;
  f.Count = static_cast<std::int64_t>(Records.size());
  f.TotalK = Capacity / 1024;
  const std::int64_t usedK = blocks * 16;
  f.SysK = f.TotalK - (std::int64_t{Space.OccupiedRoom} * f.Count) / 1024 -
           (std::int64_t{Space.OccupiedRoom} * Space.SpaceCount) / 1024;
  f.LeftK = f.TotalK - usedK - f.SysK;
  return f;
}

// Fills the terminal lists of both pages and their figures (main thread).
void showDeviceFiles(TFormmain& Window, const std::vector<TCommFileRecord>& Records, const TDeviceFigures& Figures) {
  for (TListView* view : {Window.listCbj, Window.listCbj2}) {
    Updating(*view->Items(), [&] {
      view->Items()->Clear();
      AddTerminalItems(view, Records);
      Resort(view);
    });
  }
  const AnsiString total = IntToStr(Figures.TotalK) + "K";
  const AnsiString left = IntToStr(Figures.LeftK) + "K";
  const AnsiString sys = IntToStr(Figures.SysK) + "K";
  const AnsiString count = IntToStr(Figures.Count) + Utf8ToAnsi("个");
  for (TLabel* label : {Window.lblMachType, Window.lblMachType2}) label->SetCaption(Figures.Type);
  for (TLabel* label : {Window.lblTotalSize, Window.lblTotalSize2}) label->SetCaption(total);
  for (TLabel* label : {Window.lblLeftSize, Window.lblLeftSize2}) label->SetCaption(left);
  for (TLabel* label : {Window.lblSysSize, Window.lblSysSize2}) label->SetCaption(sys);
  for (TLabel* label : {Window.lblFileNum, Window.lblFileNum2}) label->SetCaption(count);
}

AnsiString errText(MyThread& Thread) { return CommText(Thread.ErrMsg(), WorkerErrMsgSize); }

// One of the three reads before the listing; false (after the message and the communication
// failure) when it failed.
bool readInfo(MyThread& Thread, std::int32_t Id, void* Out, const AnsiString& FailureText) {
  if (vxGetErrMsg(vxGetMachSysInfo(Thread.Port(), Id, Out), Thread.ErrMsg(), nullptr) == 0) return true;
  PostInfoMessage(FailureText + errText(Thread));
  PostCommFailure();
  return false;
}

// The terminal's clock follows the PC's after every listing; how the terminal takes it is not
// looked at.
void setDeviceClock(std::int32_t Port) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
  DecodeDate(Date(), year, month, day);
  DecodeTime(Time(), hour, minute, second, msec);
  const TCommDateTime now{static_cast<std::uint8_t>(year % 100), static_cast<std::uint8_t>(month),
                          static_cast<std::uint8_t>(day),        static_cast<std::uint8_t>(hour),
                          static_cast<std::uint8_t>(minute),     static_cast<std::uint8_t>(second)};
  vxSetDateTime(Port, &now);
}

}  // namespace

AnsiString ListDeviceFilesNote(MyThread& Thread) {
  const std::int32_t port = Thread.Port();
  char type[COMM_TEXT_SIZE] = {};
  if (!readInfo(Thread, SYS_MACHINE_TYPE, type, INFO_READ_DEVICE_TYPE_FAILED)) return {};
  // The program's end asks a running routine to stop between two library calls.
  std::int32_t capacity = 0;
  if (Thread.Terminated() || !readInfo(Thread, SYS_CAPACITY, &capacity, ERR_READ_COMPACITY_FAILED)) return {};
  TCommSpaceInfo space{};
  if (Thread.Terminated() || !readInfo(Thread, SYS_SPACE_INFO, &space, ERR_READ_COMPACITY_FAILED)) return {};

  if (Thread.Terminated()) return {};
  SetStatusText(INFO_LIST_DEVICE_FILES);
  const TTerminalList list = ReadTerminalList(vxGetNormalFileList, port, COMM_FILE_LIST_MAX, Thread.ErrMsg());
  // A list that came in part is shown as far as it came, with a status saying so; one that
  // did not come at all is the library's error.
  AnsiString note;
  if (list.Cut())
    note = ERR_LIST_DEVICE_FILES + errText(Thread);
  else if (list.Failed)
    PostInfoMessage(ERR_LIST_DEVICE_FILES + errText(Thread));

  const TDeviceFigures figures = figuresOf(CommText(type, sizeof type), capacity, space, list.Records);
  if (!Thread.OnWindow([&](TFormmain& Window) { showDeviceFiles(Window, list.Records, figures); })) return {};

  if (!note.empty())
    PostStatus(note);
  else if (port == PORT_USB)
    PostStatus(INFO_CONECTED_USB);
  else
    PostStatus(Format(INFO_CONECTED_PORT, {port}));
  if (!Thread.Terminated()) setDeviceClock(port);
  return note;
}

void ListDeviceFiles(MyThread& Thread) { ListDeviceFilesNote(Thread); }

void PostSummary(bool AllOk, const AnsiString& AllSucceeded, const AnsiString& SomeFailed, const AnsiString& Note) {
  PostStatus(AllOk ? AllSucceeded : SomeFailed);
  if (!Note.empty()) PostStatus(Note);
}

void FinishTransfer(MyThread& Thread, bool AllOk, const AnsiString& AllSucceeded, const AnsiString& SomeFailed) {
  PostSummary(AllOk, AllSucceeded, SomeFailed, ListDeviceFilesNote(Thread));
}

void DownloadSelectedFiles(MyThread& Thread) {
  AnsiString folder;
  std::vector<AnsiString> names;
  if (!Thread.OnWindow([&](TFormmain& Window) {
        folder = Window.flistCpu->Directory() + PathDelim;
        names = SelectedCaptions(Window.listCpu);
      }))
    return;

  TFileLoop loop(Thread.Port());
  for (const AnsiString& name : names) {
    if (Thread.Terminated()) return;
    if (!loop.GoOn()) break;
    SetStatusText(INFO_DOWNLOADING + ExtractFileName(name));
    if (!IsPlainFileName(name)) {
      loop.Fail();
      continue;
    }
    const AnsiString path = FileToSend(folder + name, Thread.ConvertType(), loop);
    loop.Check(vxDownloadFile(Thread.Port(), path.c_str(), ExtractFileName(path).c_str()));
  }
  if (Thread.Terminated()) return;
  FinishTransfer(Thread, loop.AllOk(), INFO_DOWNLOAD_ALL_SUCESS, INFO_DOWNLOAD_PARTIAL_FAILED);
}

void UploadSelectedFiles(MyThread& Thread) {
  AnsiString folder;
  std::vector<AnsiString> names;
  bool deleteAfter = false;
  if (!Thread.OnWindow([&](TFormmain& Window) {
        folder = IncludeTrailingPathDelimiter(Window.flistCpu->Directory());
        names = SelectedCaptions(Window.listCbj);
        deleteAfter = Window.chkCompleteDelFile->Checked();
      }))
    return;

  TFileLoop loop(Thread.Port());
  TTransferNames received(names);
  for (const AnsiString& name : names) {
    if (Thread.Terminated()) return;
    if (!loop.GoOn()) break;
    SetStatusText(INFO_UPLOADING + name);
    // A terminal name that would lead out of the PC folder is not fetched.
    if (!IsPlainFileName(name)) {
      loop.Fail();
      received.Failed(name);
      continue;
    }
    const AnsiString target = folder + name;
    if (!loop.Check(vxUploadFile(Thread.Port(), name.c_str(), target.c_str()))) {
      received.Failed(name);
      continue;
    }
    // The library puts the PC file in place only once the whole file has come; the terminal's
    // copy goes only when the PC file is there and on the disk, so that a power cut cannot lose
    // both. A file that cannot be synced keeps the terminal's copy.
    if (deleteAfter && !Thread.Terminated()) {
      if (FlushFileToDisk(target))
        vxCompleteDelFile(Thread.Port(), name.c_str());
      else
        loop.Fail();
    }
    if (ConvertReceived(target, Thread.ConvertType(), received) != TConvertOutcome::Converted) loop.Fail();
  }
  if (Thread.Terminated()) return;
  FinishTransfer(Thread, loop.AllOk(), INFO_UPLOAD_ALL_SUCESS, INFO_UPLOAD_PARTIAL_FAILED);
  Thread.OnWindow([](TFormmain& Window) { Window.flistCpu->Update(); });
}
