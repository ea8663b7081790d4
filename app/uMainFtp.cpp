// The FTP panel of the comm page: connecting to the server, its folders in comboPath and their
// listing in ListView1 (with a sort of its own), deleting on the server, ending a running fetch,
// and the client's events, which drive the connect button, the list's colour and the FTP
// progress bar. The transfers themselves are worker modes 17 and 18 (uThreadFtp).
//
// ListView1's rows keep the position of their entry in the client's last listing (the item's
// number), so that a row always leads to the entry it shows, whatever order the rows are in.
// The sort column is ListView1's Tag; it shows image 0 when ascending, 1 when descending.
#include <algorithm>
#include <climits>
#include <cmath>

#include "DateTimeText.h"
#include "Dialogs.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "IntegerText.h"
#include "ShellApi.h"
#include "StringRoutines.h"
#include "TBitBtn.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TIdFTP.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TPanel.h"
#include "TProgressBar.h"
#include "TStrings.h"
#include "uConstStrings.h"
#include "uFileTexts.h"
#include "uListViews.h"
#include "uMain.h"

namespace {

constexpr int NameColumn = 0;
constexpr int SizeColumn = 1;
constexpr int TimeColumn = 2;
constexpr int TypeColumn = 3;

constexpr int AscendingImage = 0;
constexpr int DescendingImage = 1;
constexpr int FolderImage = 6;
constexpr int FileImage = 8;

// The time column: the short date and the long time of the system's format settings.
const char* const TimeFormat = "ddddd tt";

bool confirmed(const AnsiString& Question) {
  return MessageDlg(Question, mtConfirmation, {mbYes, mbNo}) == mrYes;
}

// The progress bar holds int positions; a file above 2 GiB is shown at its bar's end.
int barValue(std::int64_t Value) { return static_cast<int>(std::clamp<std::int64_t>(Value, 0, INT_MAX)); }

// The entry of IdFTP1's listing that a row shows; nullptr when the listing has changed since.
const TIdFTPListItem* entryOf(const TIdFTP* Ftp, const TListItem* Item) {
  const std::int64_t index = ItemNumber(Item);
  const auto& listing = Ftp->DirectoryListing();
  return index >= 0 && index < static_cast<std::int64_t>(listing.size()) ? &listing[index] : nullptr;
}

TDateTime timeOfCell(const TListItem* Item) {
  TDateTime value = 0;
  return TryStrToDateTime(CellText(Item, TimeColumn), value) ? value : 0;
}

}  // namespace

void TFormmain::ToggleFtpConnection() {
  if (IdFTP1->Connected()) {
    if (confirmed(INFO_FTP_DISCONNECT)) IdFTP1->Disconnect();
    return;
  }
  try {
    // Whatever is left of an earlier connection goes first.
    IdFTP1->Disconnect();
    IdFTP1->SetHost(EditFtpHost->Text());
    IdFTP1->SetUsername(EditFtpUser->Text());
    IdFTP1->SetPassword(EditFtpPass->Text());
    IdFTP1->SetPort(StrToInt(EditFtpPort->Text()));
    if (IdFTP1->Host().empty()) return;
    IdFTP1->Connect();
    if (IdFTP1->Connected()) RefreshFtpList(comboPath->Text());
  } catch (const std::exception& e) {
    const AnsiString text = ERR_FTP_CONNECTING + e.what();
    lblComm->SetCaption(text);
    ShowMessage(text);
    EditFtpHost->SetFocus();
  }
}

void TFormmain::RefreshFtpList(const AnsiString& Dir) {
  if (!IdFTP1->Connected()) {
    if (!confirmed(INFO_FTP_CONNECT)) return;
    ToggleFtpConnection();
    // A connection that failed has been reported; there is nothing to list.
    if (!IdFTP1->Connected()) return;
  }
  IdFTP1->ChangeDir(Dir);
  RememberFtpPath(IdFTP1->RetrieveCurrentDir());
  IdFTP1->List();
  showFtpListing();
}

void TFormmain::showFtpListing() {
  TListItems* items = ListView1->Items();
  items->BeginUpdate();
  try {
    // An empty folder leaves the list empty, not showing the folder listed before.
    items->Clear();
    const auto& listing = IdFTP1->DirectoryListing();
    for (std::size_t i = 0; i < listing.size(); ++i) {
      const TIdFTPListItem& entry = listing[i];
      TListItem* item = items->Add();
      SetItemNumber(item, static_cast<std::int64_t>(i));
      item->SetCaption(entry.FileName);
      TStrings* cells = item->SubItems();
      cells->Add(entry.Size >= 0 ? IntToStr(entry.Size) : AnsiString());
      cells->Add(entry.HasModifiedDate ? FormatDateTime(TimeFormat, entry.ModifiedDate) : AnsiString());
      cells->Add(GetFileTypeName(entry.FileName));
      item->SetImageIndex(entry.ItemType == ditDirectory ? FolderImage : FileImage);
    }
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TFormmain::RememberFtpPath(const AnsiString& Path) {
  TStrings* items = comboPath->Items();
  bool known = false;
  for (int i = 0; i < items->Count() && !known; ++i) known = items->Strings(i) == Path;
  if (!known) items->Add(Path);
  comboPath->SetText(Path);
}

AnsiString TFormmain::GetFileTypeName(const AnsiString& FileName) {
  const AnsiString type = ShellFileTypeName(FileName);
  return type.empty() ? INFO_UNKOWN_TYPE : type;
}

void TFormmain::BitBtnConnectClick(TObject*) { ToggleFtpConnection(); }

void TFormmain::comboPathClick(TObject*) {
  if (!comboPath->Text().empty()) RefreshFtpList(comboPath->Text());
}

void TFormmain::MenuItem5Click(TObject*) { RefreshFtpList("."); }

void TFormmain::MenuItem3Click(TObject*) {
  // The names are taken before the first delete; a refusal ends the deleting and is shown.
  std::vector<AnsiString> names;
  for (const TListItem* item : SelectedItems(ListView1))
    if (const TIdFTPListItem* entry = entryOf(IdFTP1, item)) names.push_back(entry->FileName);
  TListItems* items = ListView1->Items();
  items->BeginUpdate();
  try {
    for (const AnsiString& name : names) IdFTP1->Delete(name);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  RefreshFtpList(".");
}

void TFormmain::ListView1DblClick(TObject* Sender) {
  const TListItem* item = ListView1->Selected();
  if (item == nullptr) return;
  const TIdFTPListItem* entry = entryOf(IdFTP1, item);
  if (entry == nullptr) return;
  if (entry->ItemType == ditDirectory)
    RefreshFtpList(entry->FileName);
  else
    sbtnLeftClick(Sender);
}

void TFormmain::ListView1ColumnClick(TObject*, TListColumn* Column) {
  const int column = Column->Index();
  const int previous = ListView1->Tag();
  if (column != previous && previous >= 0 && previous < ListView1->Columns()->Count())
    ListView1->Column(previous)->SetImageIndex(-1);
  ListView1->SetTag(column);
  // The first click sorts ascending, the next descending, then ascending again.
  Column->SetImageIndex(Column->ImageIndex() == AscendingImage ? DescendingImage : AscendingImage);
  ListView1->CustomSort(nullptr, column);
}

void TFormmain::ListView1Compare(TObject*, TListItem* Item1, TListItem* Item2, int, int& Compare) {
  const int column = ListView1->Tag();
  switch (column) {
    case NameColumn:
    case TypeColumn:
      Compare = CompareText(CellText(Item1, column), CellText(Item2, column));
      break;
    case SizeColumn:
      Compare = CompareNumbers(StrToInt64Def(CellText(Item1, column), 0), StrToInt64Def(CellText(Item2, column), 0));
      break;
    case TimeColumn: {
      // Whole days: entries less than half a day apart compare equal.
      const double days = std::nearbyint(timeOfCell(Item1) - timeOfCell(Item2));
      Compare = static_cast<int>(std::clamp(days, -1e9, 1e9));
      break;
    }
    default:
      Compare = 0;
      break;
  }
  if (column >= 0 && column < ListView1->Columns()->Count() &&
      ListView1->Column(column)->ImageIndex() == DescendingImage)
    Compare = -Compare;
}

void TFormmain::N3Click(TObject*) {
  if (!FFtpTransferring) return;
  if (!confirmed(INFO_FTP_CANCEL_DOWNLOAD)) return;
  // Ends the running transfer: the worker's fetch fails and counts as failed.
  IdFTP1->Disconnect();
  // The partly fetched file goes; it lies in the fetch's own folder, under a name that was
  // checked before the fetch began.
  const int index = IdFTP1->Tag();
  const auto& listing = IdFTP1->DirectoryListing();
  if (index >= 0 && index < static_cast<int>(listing.size()) && !FFtpRelayFolder.empty()) {
    const AnsiString& name = listing[index].FileName;
    if (IsPlainFileName(name) && FileExists(FFtpRelayFolder + name)) DeleteFile(FFtpRelayFolder + name);
  }
  lblComm->SetCaption(INFO_FTP_CANCELED);
}

void TFormmain::IdFTP1Connected(TObject*) {
  BitBtnConnect->SetCaption(INFO_DISCONNECT);
  ListView1->SetColor(clWindow);
}

void TFormmain::IdFTP1Disconnected(TObject*) {
  BitBtnConnect->SetCaption(INFO_CONNECT);
  pnlBottom->SetCaption(ERR_FTP_DISCONNECTED);
  ListView1->SetColor(clInfoBk);
}

void TFormmain::IdFTP1WorkBegin(TObject*, TWorkMode, std::int64_t AWorkCountMax) {
  ProgressBar1->SetVisible(true);
  if (AWorkCountMax > 0) ProgressBar1->SetMax(barValue(AWorkCountMax));
  FFtpTransferring = true;
}

void TFormmain::IdFTP1Work(TObject*, TWorkMode, std::int64_t AWorkCount) {
  ProgressBar1->SetPosition(barValue(AWorkCount));
  lblComm->SetCaption(INFO_FTP_TRANSFORTED + IntToStr(AWorkCount) + "/" + IntToStr(ProgressBar1->Max()));
}

void TFormmain::IdFTP1WorkEnd(TObject*, TWorkMode) {
  ProgressBar1->SetMax(0);
  FFtpTransferring = false;
  ProgressBar1->SetVisible(false);
}

void TFormmain::bindFtpEvents() {
  BitBtnConnect->OnClick = [this](TObject* Sender) { BitBtnConnectClick(Sender); };
  comboPath->OnClick = [this](TObject* Sender) { comboPathClick(Sender); };
  MenuItem5->OnClick = [this](TObject* Sender) { MenuItem5Click(Sender); };
  MenuItem3->OnClick = [this](TObject* Sender) { MenuItem3Click(Sender); };
  N3->OnClick = [this](TObject* Sender) { N3Click(Sender); };
  ListView1->OnDblClick = [this](TObject* Sender) { ListView1DblClick(Sender); };
  ListView1->OnColumnClick = [this](TObject* Sender, TListColumn* Column) { ListView1ColumnClick(Sender, Column); };
  ListView1->OnCompare = [this](TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
    ListView1Compare(Sender, Item1, Item2, Data, Compare);
  };
  IdFTP1->OnConnected = [this](TObject* Sender) { IdFTP1Connected(Sender); };
  IdFTP1->OnDisconnected = [this](TObject* Sender) { IdFTP1Disconnected(Sender); };
  IdFTP1->OnWorkBegin = [this](TObject* Sender, TWorkMode Mode, std::int64_t Max) {
    IdFTP1WorkBegin(Sender, Mode, Max);
  };
  IdFTP1->OnWork = [this](TObject* Sender, TWorkMode Mode, std::int64_t Count) { IdFTP1Work(Sender, Mode, Count); };
  IdFTP1->OnWorkEnd = [this](TObject* Sender, TWorkMode Mode) { IdFTP1WorkEnd(Sender, Mode); };
}
