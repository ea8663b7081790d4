// Finding the terminal: the search with the search window, the management page's entry check
// and its direct port check.
#include <memory>

#include "TLabel.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "uTerminalList.h"
#include "uWait.h"
#include "VxComm.h"
#include "WinUser.h"

namespace {

// The search window lives for one search; it goes also when the search raises.
struct TFormWaitDeleter {
  void operator()(TFormWait* Form) const {
    if (FormWait == Form) FormWait = nullptr;
    delete Form;
  }
};

}  // namespace

void TFormmain::DetectDevice() {
  std::unique_ptr<TFormWait, TFormWaitDeleter> wait(NewForm<TFormWait>(this));
  FormWait = wait.get();
  wait->Show();
  wait->Update();
  // Blocks the main thread until the library has looked at the ports.
  FPort = vxCheckPort();
  wait.reset();
  if (FPort < 0) FPort = 0;
}

void TFormmain::CheckDeviceInfo() {
  DetectDevice();
  if (FPort <= 0) {
    Application->MessageBox(ERR_NOT_CONNECTED_DEVICE, INFO_INFOMATION, MB_ICONERROR);
    ResetDeviceInfo();
    return;
  }
  // The entry check looks at the raw results; vxGetErrMsg is not asked.
  char type[COMM_TEXT_SIZE] = {};
  const bool typeRead = vxGetMachSysInfo(FPort, SYS_MACHINE_TYPE, type) == 0;
  lblOsType->SetCaption(typeRead ? CommText(type, sizeof type) : INFO_UNKOWN1);
  char version[COMM_TEXT_SIZE] = {};
  const bool versionRead = vxGetMachSysInfo(FPort, SYS_VERSION, version) == 0;
  lblOsVer->SetCaption(versionRead ? CommText(version, sizeof version) : INFO_UNKOWN1);
}

bool TFormmain::CheckPortDirect() {
  FPort = vxCheckPort();
  if (FPort < 0) {
    ShowInfo(ERR_NOT_CONNECTED_DEVICE);
    return false;
  }
  return true;
}
