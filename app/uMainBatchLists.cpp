// The special page's two batch lists: PC files downloaded to the terminal as one batch, and
// terminal files uploaded as one batch into a PC folder; the buttons that fill and empty them,
// and the two starters. The lists and their options are kept in the settings file.
//
// The terminal keeps its files by name only, so the download list holds no two paths with the
// same file name (compared exactly: "A.TXT" and "a.txt" are two files to the terminal).
#include "FileNames.h"
#include "StringRoutines.h"
#include "TButton.h"
#include "TCheckListBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TOpenDialog.h"
#include "TRadioGroup.h"
#include "TStrings.h"
#include "WinUser.h"
#include "uConstStrings.h"
#include "uMain.h"

namespace {

// Removes the selected lines of a list, from the last to the first.
void deleteSelected(TCheckListBox* List) {
  for (int i = List->Items()->Count() - 1; i >= 0; --i)
    if (List->Selected(i)) List->Items()->Delete(i);
}

// Steps 2 to 5 of starting a batch: the question, the empty list, the check marks cleared, the
// worker started with the page's convert type.
void startBatch(TFormmain& Window, TCheckListBox* List, const AnsiString& Question, const AnsiString& Caption,
                const AnsiString& NothingToDo, int Mode) {
  if (Application->MessageBox(Question, Caption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  if (List->Items()->Count() == 0) {
    Window.ShowInfo(NothingToDo);
    return;
  }
  for (int i = 0; i < List->Items()->Count(); ++i) List->SetChecked(i, false);
  List->Repaint();
  Window.StartWorker(Mode, true, static_cast<std::uint8_t>(Window.RadioGroup2->ItemIndex()));
}

}  // namespace

void TFormmain::btnAddDownFileClick(TObject*) {
  if (!odlgGetFileName->Execute()) return;
  const AnsiString path = Trim(odlgGetFileName->FileName());
  if (path.empty()) return;
  const AnsiString name = ExtractFileName(path);
  TStrings* items = listDownload->Items();
  for (int i = 0; i < items->Count(); ++i) {
    if (ExtractFileName(items->Strings(i)) == name) {
      ShowInfo(INFO_SAME_FILE_IN_LIST);
      return;
    }
  }
  items->Add(path);
}

void TFormmain::btnDelDownFileClick(TObject*) { deleteSelected(listDownload); }

void TFormmain::btnAssignUploadPathClick(TObject*) {
  const AnsiString folder = BrowseForFolder();
  if (!folder.empty()) edtUploadPath->SetText(folder);
}

void TFormmain::btnAddUpFileClick(TObject*) {
  const AnsiString name = Trim(cbxCbjFileList->Text());
  if (name.empty()) {
    ShowInfo(INFO_SELECT_FILE);
    return;
  }
  TStrings* items = listUpload->Items();
  for (int i = 0; i < items->Count(); ++i) {
    if (items->Strings(i) == name) {
      ShowInfo(INFO_SAME_FILE_IN_LIST);
      return;
    }
  }
  items->Add(name);
  cbxCbjFileList->SetText("");
  cbxCbjFileList->SetFocus();
}

void TFormmain::btnDelUpFileClick(TObject*) { deleteSelected(listUpload); }

void TFormmain::cbxCbjFileListEnter(TObject*) {
  cbxCbjFileList->SetText("");
  TStrings* items = cbxCbjFileList->Items();
  items->Clear();
  for (int i = 0; i < listCbj2->Items()->Count(); ++i) items->Add(listCbj2->Items()->Item(i)->Caption());
  if (items->Count() > 0) cbxCbjFileList->SetItemIndex(0);
}

void TFormmain::btnDownSpecialModeClick(TObject*) {
  if (IsBusy()) return;
  startBatch(*this, listDownload, INFO_DOWNLOAD_TO_DEVICE, INFO_DOWN_INFOMATION, INFO_NO_DOWN_FILE, tmDownloadList);
}

void TFormmain::btnUploadSpecialModeClick(TObject*) {
  if (IsBusy()) return;
  startBatch(*this, listUpload, INFO_UPLOAD_TO_DEVICE, INFO_UP_INFOMATION, INFO_NO_UP_FILE, tmUploadList);
}

void TFormmain::bindListEvents() {
  btnAddDownFile->OnClick = [this](TObject* Sender) { btnAddDownFileClick(Sender); };
  btnDelDownFile->OnClick = [this](TObject* Sender) { btnDelDownFileClick(Sender); };
  btnAssignUploadPath->OnClick = [this](TObject* Sender) { btnAssignUploadPathClick(Sender); };
  btnAddUpFile->OnClick = [this](TObject* Sender) { btnAddUpFileClick(Sender); };
  btnDelUpFile->OnClick = [this](TObject* Sender) { btnDelUpFileClick(Sender); };
  cbxCbjFileList->OnEnter = [this](TObject* Sender) { cbxCbjFileListEnter(Sender); };
  btnDownSpecialMode->OnClick = [this](TObject* Sender) { btnDownSpecialModeClick(Sender); };
  btnUploadSpecialMode->OnClick = [this](TObject* Sender) { btnUploadSpecialModeClick(Sender); };
}
