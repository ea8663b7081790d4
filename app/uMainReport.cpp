// The main window's side of the worker protocol: starting a worker, the report handler and
// the helpers it uses.
#include "IntegerText.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TPanel.h"
#include "TProgressBar.h"
#include "TWorkerLink.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "WinUser.h"

void TFormmain::StartWorker(int Mode, bool ShowProgressLine, std::uint8_t ConvertType, bool RepaintBar) {
  ShowProgress(ShowProgressLine);
  if (RepaintBar) barComm->Repaint();
  auto* thread = new MyThread(FWorker, FPort);
  thread->SetFreeOnTerminate(true);
  thread->SetConvertType(ConvertType);
  thread->SetMode(Mode);
  // The window is busy from here, before the worker runs, so that a second start in the
  // moment before the worker's Execute begins is refused as well.
  FWorker->SetBusy(-1);
  FWorker->SetRunning(thread);
  try {
    thread->Resume();
  } catch (...) {
    FWorker->ClearRunning(thread);
    FWorker->SetBusy(0);
    delete thread;
    throw;
  }
}

void TFormmain::WMCommReport(TMessage& Message) {
  const auto value = static_cast<std::int32_t>(Message.LParam);
  switch (Message.WParam) {
    case crProgress:
      lblComm->SetCaption(StatusText.Get() + INFO_CURRENT_PROGRESS + IntToStr(value) + "%");
      barComm->SetPosition(value);
      break;
    case crStatus:
      ShowProgress(false);
      pnlState->SetCaption(StatusText.Get());
      break;
    case crMessage:
      ShowInfo(MessageText.Take(Message.LParam));
      break;
    case crCommFailure:
      ShowProgress(false);
      ResetDeviceInfo();
      break;
    case crProgressMax:
      ProgressBar1->SetMax(value);
      break;
    default:
      break;
  }
}

void TFormmain::ShowProgress(bool Show) {
  if (Show) {
    pnlState->SetCaption("");
    barComm->SetVisible(true);
    barComm->SetPosition(0);
    lblComm->SetVisible(true);
    lblComm->SetCaption(INFO_WAITING);
  } else {
    lblComm->SetVisible(false);
    barComm->SetVisible(false);
  }
}

void TFormmain::ResetDeviceInfo() {
  listCbj->Items()->Clear();
  listCbj2->Items()->Clear();
  for (TLabel* label : {lblMachType, lblTotalSize, lblLeftSize, lblFileNum, lblMachType2, lblTotalSize2, lblLeftSize2,
                        lblFileNum2, lblOsType, lblOsVer})
    label->SetCaption(INFO_UNKOWN);
  lblComm->SetVisible(false);
  barComm->SetVisible(false);
  pnlState->SetVisible(true);
  pnlState->SetCaption(ERR_CONNECT_FAILED);
}

void TFormmain::ShowInfo(const AnsiString& Text) {
  Application->MessageBox(Text, INFO_INFOMATION, MB_OK | MB_ICONINFORMATION);
}

int TFormmain::IsBusy() {
  const int busy = Busy();
  if (busy != 0) ShowInfo(INFO_FINISHED_FIRST);
  return busy;
}
