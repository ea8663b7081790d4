// The main window's settings file: LoadSettings at start-up, SaveSettings at close.
#include <memory>

#include "FileNames.h"
#include "FileRoutines.h"
#include "Forms.h"
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
#include "TTabSheet.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "uSettingsLists.h"
#include "WinUser.h"

namespace {

const AnsiString SysOptions = "sysoptions";
const AnsiString DownloadFile = "downloadfile";
const AnsiString UploadFile = "uploadfile";
const AnsiString Ftp = "FTP";

// The default FTP server: the local machine itself.
const AnsiString DefaultFtpServer = "localhost";
// The PC folder shown when the stored one no longer exists: the root of the system drive.
const AnsiString DefaultDir(1, PathDelim);

}  // namespace

void TFormmain::LoadSettings() {
  {
    auto ini = std::make_unique<TIniFile>(ProgramFiles().SettingsFile);
    FRunMode = ini->ReadInteger(SysOptions, "runmode", rmComm);
    tsSysParaSetting->SetTabVisible(ini->ReadBool(SysOptions, "SysSetting", false));
    FFtpVisible = ini->ReadInteger(SysOptions, "ftpvisible", 0);
    if (FFtpVisible == 1) GroupBoxFtp->SetVisible(true);
    SetLanguage(ini->ReadInteger(SysOptions, "Language", 0));

    ReadFileList(*ini, DownloadFile, "downloadnum", listDownload->Items());

    edtUploadPath->SetText(Trim(ini->ReadString(UploadFile, "uploadpath", "")));
    chkDelCbjFile->SetChecked(ini->ReadBool(UploadFile, "deluploadfile", false));
    chkCompleteDelFile->SetChecked(ini->ReadBool(UploadFile, "CompleteDelFile", false));
    ReadFileList(*ini, UploadFile, "uploadnum", listUpload->Items());

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
  try {
    writeSettings();
  } catch (const EIniFileException&) {
    // The first write that fails ends the save; the user hears of it once, in his language.
    Application->MessageBox(ERR_FILE_CREATE_FAILED + ProgramFiles().SettingsFile, ERR_INFO, MB_ICONERROR);
  }
}

void TFormmain::writeSettings() {
  auto ini = std::make_unique<TIniFile>(ProgramFiles().SettingsFile);
  ini->WriteInteger(SysOptions, "runmode", FRunMode);
  ini->WriteInteger(SysOptions, "ftpvisible", FFtpVisible);
  ini->WriteInteger(SysOptions, "Language", LmLangManager1->CurrentLanguageIndex());

  WriteFileList(*ini, DownloadFile, "downloadnum", listDownload->Items());

  ini->WriteString(UploadFile, "uploadpath", edtUploadPath->Text());
  ini->WriteBool(UploadFile, "deluploadfile", chkDelCbjFile->Checked());
  ini->WriteBool(UploadFile, "CompleteDelFile", chkCompleteDelFile->Checked());
  WriteFileList(*ini, UploadFile, "uploadnum", listUpload->Items());

  ini->WriteString(Ftp, "Server", Trim(EditFtpHost->Text()));
  ini->WriteString(Ftp, "UserName", Trim(EditFtpUser->Text()));
  ini->WriteString(Ftp, "Password", Trim(EditFtpPass->Text()));
  ini->WriteString(Ftp, "Port", Trim(EditFtpPort->Text()));
  ini->WriteString(Ftp, "Path", comboPath->Text());

  ini->WriteInteger(SysOptions, "ConvertType", RadioGroup1->ItemIndex());
  if (DirectoryExists(tv->Path())) ini->WriteString(SysOptions, "Dir", tv->Path());
}
