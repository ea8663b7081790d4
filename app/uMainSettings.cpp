// The main window's settings file: LoadSettings at start-up, SaveSettings at close.
#include <memory>

#include "FileNames.h"
#include "FileRoutines.h"
#include "IntegerText.h"
#include "LmLangMgr.h"
#include "StringRoutines.h"
#include "TCheckBox.h"
#include "TCheckListBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TIniFile.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TPanel.h"
#include "TRadioGroup.h"
#include "TShellTreeView.h"
#include "TStringList.h"
#include "TTabSheet.h"
#include "uMain.h"

namespace {

const AnsiString SysOptions = "sysoptions";
const AnsiString DownloadFile = "downloadfile";
const AnsiString UploadFile = "uploadfile";
const AnsiString Ftp = "FTP";
const AnsiString FileKey = "file";

// The default FTP server: the local machine itself.
const AnsiString DefaultFtpServer = "localhost";
// The PC folder shown when the stored one no longer exists: the root of the system drive.
const AnsiString DefaultDir(1, PathDelim);

// The highest i for which the section holds a key "file" + i. A stored count is only an upper
// bound of the entries; bounding the loop by the keys that exist keeps a damaged count (say two
// thousand million) from stalling the start-up.
int highestFileEntry(TCustomIniFile& Ini, const AnsiString& Section) {
  TStringList keys;
  Ini.ReadSection(Section, &keys);
  int highest = 0;
  for (int i = 0; i < keys.Count(); ++i) {
    const AnsiString& key = keys.Strings(i);
    if (key.size() <= FileKey.size() || !SameText(key.substr(0, FileKey.size()), FileKey)) continue;
    const int n = StrToIntDef(key.substr(FileKey.size()), 0);
    if (n > highest) highest = n;
  }
  return highest;
}

// Entries "file1" .. "fileN" of a section, N being the stored count; each is trimmed and an
// empty one skipped.
void readFileList(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& CountKey, TStrings* List) {
  const int count = std::min(Ini.ReadInteger(Section, CountKey, 0), highestFileEntry(Ini, Section));
  for (int i = 1; i <= count; ++i) {
    const AnsiString entry = Trim(Ini.ReadString(Section, FileKey + IntToStr(i), ""));
    if (!entry.empty()) List->Add(entry);
  }
}

// The count and the entries as the list holds them. Entries above the new count stay in the
// file; the count keeps the next load from reading them.
void writeFileList(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& CountKey, TStrings* List) {
  Ini.WriteInteger(Section, CountKey, List->Count());
  for (int i = 1; i <= List->Count(); ++i) Ini.WriteString(Section, FileKey + IntToStr(i), List->Strings(i - 1));
}

}  // namespace

void TFormmain::LoadSettings() {
  {
    auto ini = std::make_unique<TIniFile>(ProgramFiles().SettingsFile);
    FRunMode = ini->ReadInteger(SysOptions, "runmode", rmComm);
    tsSysParaSetting->SetTabVisible(ini->ReadBool(SysOptions, "SysSetting", false));
    FFtpVisible = ini->ReadInteger(SysOptions, "ftpvisible", 0);
    if (FFtpVisible == 1) GroupBoxFtp->SetVisible(true);
    SetLanguage(ini->ReadInteger(SysOptions, "Language", 0));

    readFileList(*ini, DownloadFile, "downloadnum", listDownload->Items());

    edtUploadPath->SetText(Trim(ini->ReadString(UploadFile, "uploadpath", "")));
    chkDelCbjFile->SetChecked(ini->ReadBool(UploadFile, "deluploadfile", false));
    chkCompleteDelFile->SetChecked(ini->ReadBool(UploadFile, "CompleteDelFile", false));
    readFileList(*ini, UploadFile, "uploadnum", listUpload->Items());

    EditFtpHost->SetText(ini->ReadString(Ftp, "Server", DefaultFtpServer));
    EditFtpUser->SetText(ini->ReadString(Ftp, "UserName", "Anonymous"));
    EditFtpPass->SetText(ini->ReadString(Ftp, "Password", ""));
    EditFtpPort->SetText(ini->ReadString(Ftp, "Port", "21"));
    comboPath->SetText(ini->ReadString(Ftp, "Path", "/"));

    RadioGroup1->SetItemIndex(ini->ReadInteger(SysOptions, "ConvertType", 0));
    RadioGroup2->SetItemIndex(RadioGroup1->ItemIndex());

    const AnsiString dir = ini->ReadString(SysOptions, "Dir", DefaultDir);
    tv->SetPath(DirectoryExists(dir) ? dir : DefaultDir);
    edtpath->SetText(tv->Path());
  }
  SwitchRunMode(FRunMode);
}

void TFormmain::SaveSettings() {
  // A run that only shows the window a given way (ProgramMain's view options) keeps no settings.
  if (ProgramFiles().SettingsFile.empty()) return;
  auto ini = std::make_unique<TIniFile>(ProgramFiles().SettingsFile);
  ini->WriteInteger(SysOptions, "runmode", FRunMode);
  ini->WriteInteger(SysOptions, "ftpvisible", FFtpVisible);
  ini->WriteInteger(SysOptions, "Language", LmLangManager1->CurrentLanguageIndex());

  writeFileList(*ini, DownloadFile, "downloadnum", listDownload->Items());

  ini->WriteString(UploadFile, "uploadpath", edtUploadPath->Text());
  ini->WriteBool(UploadFile, "deluploadfile", chkDelCbjFile->Checked());
  ini->WriteBool(UploadFile, "CompleteDelFile", chkCompleteDelFile->Checked());
  writeFileList(*ini, UploadFile, "uploadnum", listUpload->Items());

  ini->WriteString(Ftp, "Server", Trim(EditFtpHost->Text()));
  ini->WriteString(Ftp, "UserName", Trim(EditFtpUser->Text()));
  ini->WriteString(Ftp, "Password", Trim(EditFtpPass->Text()));
  ini->WriteString(Ftp, "Port", Trim(EditFtpPort->Text()));
  ini->WriteString(Ftp, "Path", comboPath->Text());

  ini->WriteInteger(SysOptions, "ConvertType", RadioGroup1->ItemIndex());
  if (DirectoryExists(tv->Path())) ini->WriteString(SysOptions, "Dir", tv->Path());
}
