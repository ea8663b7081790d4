// The PC side of the comm page: the folder tree tv, the path edit edtpath, the hidden file list
// box flistCpu that holds the current PC folder, the file list listCpu built from it, and its
// popup menu popupCpu.
#include "DateRoutines.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "ShellApi.h"
#include "TEdit.h"
#include "TFileListBox.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TShellTreeView.h"
#include "TStrings.h"
#include "Updating.h"
#include "WinUser.h"
#include "uConstStrings.h"
#include "uFileTexts.h"
#include "uListViews.h"
#include "uMain.h"

namespace {

// The key code of "A", which with Ctrl selects every item of a list.
constexpr WORD KeyA = 'A';

void selectAllOnCtrlA(TListView* List, WORD Key, TShiftState Shift) {
  if (Key == KeyA && Shift.Contains(ssCtrl)) List->SelectAll();
}

// One listCpu row: the name, then size, date and type; the size is kept whole as the item's
// data value for sorting. A file that is gone by the time it is looked at keeps its name and
// empty size and date cells.
void addPcFileItem(TListView* List, const AnsiString& Folder, const AnsiString& Name) {
  TListItem* item = List->Items()->Add();
  item->SetImageIndex(-1);
  item->SetCaption(Name);
  // The attributes are read by name; the file itself is not opened.
  const AnsiString path = Folder + Name;
  const std::int64_t size = FileSizeByName(path);
  TDateTime modified = 0;
  const bool found = size >= 0 && FileAge(path, modified);
  TStrings* cells = item->SubItems();
  cells->Add(found ? FileSizeText(size) : AnsiString());
  SetItemNumber(item, found ? size : 0);
  if (found) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDateTime(modified, year, month, day, hour, minute, second, msec);
    cells->Add(FileDateText(year, month, day, hour, minute));
  } else {
    cells->Add(AnsiString());
  }
  cells->Add(PcFileTypeText(Name));
}

}  // namespace

void TFormmain::flistCpuChange(TObject*) {
  Updating(*listCpu->Items(), [this] {
    listCpu->Items()->Clear();
    const AnsiString folder = IncludeTrailingPathDelimiter(flistCpu->Directory());
    TStrings* names = flistCpu->Items();
    for (int i = 0; i < names->Count(); ++i) addPcFileItem(listCpu, folder, names->Strings(i));
    Resort(listCpu);
  });
}

void TFormmain::tvDblClick(TObject*) {
  const AnsiString path = tv->Path();
  if (!DirectoryExists(path)) return;
  edtpath->SetText(path);
  // Setting the folder reads it.
  flistCpu->SetDirectory(path);
}

void TFormmain::edtpathChange(TObject*) {
  const AnsiString text = edtpath->Text();
  const AnsiString folder = PcFolderOfText(text);
  // A text that names no folder (yet) is left alone until it does.
  if (folder.empty() || !DirectoryExists(folder)) return;
  if (text.find(PathDelim) == AnsiString::npos) {
    // "C:" becomes "C:/" and lists the root; the change comes back here with the new text.
    edtpath->SetText(text + PathDelim);
    return;
  }
  flistCpu->SetDirectory(folder);
}

void TFormmain::Image3Click(TObject*) {
  if (!DirectoryExists(tv->Path())) return;
  ShellExecute(Handle(), "open", "Explorer.exe", flistCpu->Directory(), "", SW_SHOWNORMAL);
}

void TFormmain::popupCpuPopup(TObject*) {
  const bool selected = listCpu->Selected() != nullptr;
  N4->SetEnabled(selected);
  N5->SetEnabled(selected);
}

void TFormmain::N5Click(TObject*) {
  if (Application->MessageBox(INFO_DELETE_SELECTED, INFO_WAITING, MB_YESNO | MB_ICONWARNING) != IDYES) return;
  const AnsiString folder = IncludeTrailingPathDelimiter(flistCpu->Directory());
  // Only files of the current folder, each named by its caption: a caption that would lead
  // elsewhere (a path delimiter, "..") or names no file is left alone. A file that cannot be
  // deleted stays; the list is rebuilt from what the folder holds then.
  for (const AnsiString& name : SelectedCaptions(listCpu))
    if (IsPlainFileName(name) && FileExists(folder + name)) DeleteFile(folder + name);
  flistCpu->Update();
}

void TFormmain::N7Click(TObject*) { flistCpu->Update(); }

void TFormmain::listCpuKeyDown(TObject*, WORD& Key, TShiftState Shift) { selectAllOnCtrlA(listCpu, Key, Shift); }

void TFormmain::listCbjKeyDown(TObject*, WORD& Key, TShiftState Shift) { selectAllOnCtrlA(listCbj, Key, Shift); }

void TFormmain::listdelCbjKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  selectAllOnCtrlA(listdelCbj, Key, Shift);
}
