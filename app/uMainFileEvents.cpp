// Binds the handlers of the file lists (PC side, sorting, transfers, recycle bin) to their
// controls; the frame's handlers are bound by bindEvents.
#include "TEdit.h"
#include "TFileListBox.h"
#include "TImage.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TPopupMenu.h"
#include "TShellTreeView.h"
#include "TSpeedButton.h"
#include "uMain.h"

void TFormmain::bindFileEvents() {
  // PC side. The FTP panel's file list box rebuilds the same list from flistCpu.
  flistCpu->OnChange = [this](TObject* Sender) { flistCpuChange(Sender); };
  FileListBox1->OnChange = [this](TObject* Sender) { flistCpuChange(Sender); };
  tv->OnClick = [this](TObject* Sender) { tvDblClick(Sender); };
  edtpath->OnChange = [this](TObject* Sender) { edtpathChange(Sender); };
  Image3->OnClick = [this](TObject* Sender) { Image3Click(Sender); };
  popupCpu->OnPopup = [this](TObject* Sender) { popupCpuPopup(Sender); };
  PopupFtp->OnPopup = [this](TObject* Sender) { popupCpuPopup(Sender); };
  N5->OnClick = [this](TObject* Sender) { N5Click(Sender); };
  N7->OnClick = [this](TObject* Sender) { N7Click(Sender); };
  listCpu->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { listCpuKeyDown(Sender, Key, Shift); };
  listCbj->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { listCbjKeyDown(Sender, Key, Shift); };
  listdelCbj->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) {
    listdelCbjKeyDown(Sender, Key, Shift);
  };

  // Sorting.
  listCpu->OnColumnClick = [this](TObject* Sender, TListColumn* Column) { listCpuColumnClick(Sender, Column); };
  listCbj->OnColumnClick = [this](TObject* Sender, TListColumn* Column) { listCbjColumnClick(Sender, Column); };
  listCbj2->OnColumnClick = [this](TObject* Sender, TListColumn* Column) { listCbj2ColumnClick(Sender, Column); };
  listdelCbj->OnColumnClick = [this](TObject* Sender, TListColumn* Column) { listdelCbjColumnClick(Sender, Column); };
  listCpu->OnCompare = [this](TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
    listCpuCompare(Sender, Item1, Item2, Data, Compare);
  };
  listCbj->OnCompare = [this](TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
    listCbjCompare(Sender, Item1, Item2, Data, Compare);
  };
  listCbj2->OnCompare = [this](TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
    listCbj2Compare(Sender, Item1, Item2, Data, Compare);
  };
  listdelCbj->OnCompare = [this](TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
    listdelCbjCompare(Sender, Item1, Item2, Data, Compare);
  };

  // Transfers.
  sbtnLeft->OnClick = [this](TObject* Sender) { sbtnLeftClick(Sender); };
  sbtnRight->OnClick = [this](TObject* Sender) { sbtnRightClick(Sender); };
  listCpu->OnDblClick = [this](TObject* Sender) { listCpuDblClick(Sender); };
  N4->OnClick = [this](TObject* Sender) { N4Click(Sender); };
  MenuItem2->OnClick = [this](TObject* Sender) { N4Click(Sender); };
  miUploadFile->OnClick = [this](TObject* Sender) { miUpFileClick(Sender); };
  listCbj->OnDblClick = [this](TObject* Sender) { listCbjDblClick(Sender); };
  pmenuCbj->OnPopup = [this](TObject* Sender) { pmenuCbjPopup(Sender); };

  // Recycle bin and deletion.
  miDelFile->OnClick = [this](TObject* Sender) { miDelFileClick(Sender); };
  miDelAllFile->OnClick = [this](TObject* Sender) { miDelAllFileClick(Sender); };
  miDestroyFile->OnClick = [this](TObject* Sender) { miDestroyFileClick(Sender); };
  miGetDelList->OnClick = [this](TObject* Sender) { miGetDelListClick(Sender); };
  miRestoreFile->OnClick = [this](TObject* Sender) { miRestoreFileClick(Sender); };
  miDelRecyleFile->OnClick = [this](TObject* Sender) { miDelRecyleFileClick(Sender); };
  delFilePopMenu->OnPopup = [this](TObject* Sender) { delFilePopMenuPopup(Sender); };
}
