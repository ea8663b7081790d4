// Starting the recycle-bin operations: from the terminal list of the comm page (to the bin, for
// good, all files) and from the bin's list on the management page (list, restore, for good).
#include "TListView.h"
#include "TMenuItem.h"
#include "WinUser.h"
#include "uConstStrings.h"
#include "uMain.h"

namespace {

// The question before an operation that deletes; true when the user answers Yes.
bool confirmed(const AnsiString& Question) {
  return Application->MessageBox(Question, INFO_WAITING, MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace

void TFormmain::miDelFileClick(TObject*) {
  if (listCbj->Selected() == nullptr) return;
  if (IsBusy() || !confirmed(INFO_RECYCLE_FILE)) return;
  StartWorker(tmRecycleSelected, false);
}

void TFormmain::miDelAllFileClick(TObject*) {
  if (IsBusy() || !confirmed(INFO_DELETE_ALL)) return;
  StartWorker(tmDeleteAll, false, 0, false);
}

void TFormmain::miDestroyFileClick(TObject*) {
  if (listCbj->Selected() == nullptr) return;
  if (IsBusy() || !confirmed(INFO_DELETE_PERMENENT)) return;
  StartWorker(tmDestroySelected, false);
}

void TFormmain::miGetDelListClick(TObject*) {
  if (IsBusy()) return;
  StartWorker(tmListRecycled, true);
}

// The popup enables these two only with a selection; run without one, the bin is listed again.
void TFormmain::miRestoreFileClick(TObject*) {
  if (IsBusy()) return;
  StartWorker(tmRestoreSelected, false);
}

void TFormmain::miDelRecyleFileClick(TObject*) {
  if (IsBusy()) return;
  StartWorker(tmDestroyRecycled, false);
}

void TFormmain::delFilePopMenuPopup(TObject*) {
  const bool selected = listdelCbj->Selected() != nullptr;
  miRestoreFile->SetEnabled(selected);
  miDelRecyleFile->SetEnabled(selected);
}
