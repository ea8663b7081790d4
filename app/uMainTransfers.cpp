// The comm page's transfers: the two arrow buttons between the PC's files and the terminal's,
// what leads to them (double clicks, menu entries), and the terminal list's popup menu.
#include "TListView.h"
#include "TMenuItem.h"
#include "TPanel.h"
#include "TRadioGroup.h"
#include "uMain.h"

void TFormmain::sbtnLeftClick(TObject*) {
  // With the FTP panel shown the arrow sends the server's selected files instead.
  const bool ftp = GroupBoxFtp->Visible();
  TListView* source = ftp ? ListView1 : listCpu;
  if (source->Selected() == nullptr) return;
  if (IsBusy()) return;
  StartWorker(ftp ? tmFtpToDevice : tmDownloadSelected, true, static_cast<std::uint8_t>(RadioGroup1->ItemIndex()));
}

void TFormmain::sbtnRightClick(TObject*) {
  if (listCbj->Selected() == nullptr) return;
  if (IsBusy()) return;
  StartWorker(GroupBoxFtp->Visible() ? tmDeviceToFtp : tmUploadSelected, true,
              static_cast<std::uint8_t>(RadioGroup1->ItemIndex()));
}

void TFormmain::listCpuDblClick(TObject* Sender) { sbtnLeftClick(Sender); }
void TFormmain::N4Click(TObject* Sender) { sbtnLeftClick(Sender); }
void TFormmain::miUpFileClick(TObject* Sender) { sbtnRightClick(Sender); }
void TFormmain::listCbjDblClick(TObject* Sender) { sbtnRightClick(Sender); }

void TFormmain::pmenuCbjPopup(TObject*) {
  const bool selected = listCbj->Selected() != nullptr;
  for (TMenuItem* item : {miUploadFile, miDelFile, miDestroyFile}) item->SetEnabled(selected);
}
