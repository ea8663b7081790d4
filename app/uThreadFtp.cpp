#include "uThreadFtp.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#include "Exception.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "TCheckBox.h"
#include "TFileListBox.h"
#include "TFileLoop.h"
#include "TIdFTP.h"
#include "TListItem.h"
#include "TListView.h"
#include "TTempFolder.h"
#include "VxComm.h"
#include "uConstStrings.h"
#include "uFileConvert.h"
#include "uFileTexts.h"
#include "uListViews.h"
#include "uMain.h"
#include "uThread.h"
#include "uThreadConvert.h"
#include "uThreadFiles.h"

namespace {

const char* const RelayPrefix = "hhm-ftp-";

// A file of the server's current folder, by its absolute path ("/" between folder and name).
AnsiString serverPath(const AnsiString& Folder, const AnsiString& Name) {
  return !Folder.empty() && Folder.back() == '/' ? Folder + Name : Folder + "/" + Name;
}

// The FTP progress bar holds int positions; a larger file is shown at the bar's end.
int progressMax(std::int64_t Size) { return static_cast<int>(std::clamp<std::int64_t>(Size, 0, INT_MAX)); }

// The relay folder of one operation; nullptr, after saying why with Failure, when none can be
// made.
std::unique_ptr<TTempFolder> makeRelay(const AnsiString& Failure) {
  try {
    return std::make_unique<TTempFolder>(RelayPrefix);
  } catch (const EInOutError& e) {
    PostInfoMessage(Failure + e.Message());
    return nullptr;
  }
}

// Stores one local file in the server's folder under Name; false, after saying why, when it
// failed.
bool store(TIdFTP& Ftp, const AnsiString& Local, const AnsiString& Folder, const AnsiString& Name) {
  SetStatusText(INFO_FTP_UPLOAD_FILE + Name);
  PostProgressMax(progressMax(FileSizeByName(Local)));
  try {
    Ftp.Put(Local, serverPath(Folder, Name));
    return true;
  } catch (const EIdFTPError& e) {
    PostInfoMessage(ERR_FTP_UPLOAD + e.Message());
    return false;
  }
}

// The types a dBASE file from the terminal is stored as: those its conversion writes, in their
// order; the file as it came (NONE) when the convert type writes none.
std::vector<TConvertType> storedTypes(std::uint8_t Type) {
  std::vector<TConvertType> types;
  if (Type <= static_cast<std::uint8_t>(TConvertType::NONE)) types = ConvertTargets(static_cast<TConvertType>(Type));
  if (types.empty()) types.push_back(TConvertType::NONE);
  return types;
}

}  // namespace

void DeviceToFtp(MyThread& Thread) {
  std::vector<AnsiString> names;
  bool deleteAfter = false;
  TIdFTP* ftp = nullptr;
  AnsiString serverFolder;
  if (!Thread.OnWindow([&](TFormmain& Window) {
        names = SelectedCaptions(Window.listCbj);
        deleteAfter = Window.chkCompleteDelFile->Checked();
        ftp = Window.IdFTP1;
        serverFolder = ftp->RetrieveCurrentDir();
      }))
    return;
  const std::unique_ptr<TTempFolder> relay = makeRelay(ERR_FTP_UPLOAD);
  if (!relay) {
    PostStatus(INFO_UPLOAD_PARTIAL_FAILED);
    return;
  }
  const AnsiString& dir = relay->Path();
  const std::uint8_t type = Thread.ConvertType();

  TFileLoop loop(Thread.Port());
  // The files the server's folder gets from this relay under the terminal's names.
  TTransferNames relayed(names);
  for (const AnsiString& name : names) {
    if (Thread.Terminated()) return;
    if (!loop.GoOn()) break;
    SetStatusText(INFO_UPLOADING + name);
    if (!IsPlainFileName(name)) {
      loop.Fail();
      relayed.Failed(name);
      continue;
    }
    const AnsiString path = dir + name;
    if (!loop.Check(vxUploadFile(Thread.Port(), name.c_str(), path.c_str()))) {
      relayed.Failed(name);
      continue;
    }
    if (!FileExists(path)) {
      PostInfoMessage(ERR_NO_TEMP_FILE);
      loop.Fail();
      relayed.Failed(name);
      continue;
    }

    bool stored = true;
    if (!IsDbaseFile(name)) {
      stored = store(*ftp, path, serverFolder, name);
      DeleteFile(path);
    } else {
      // A conversion that fails ends the whole operation, as the user has to look at why. A
      // target left out, so as not to replace a file this relay stores under that name, is not
      // stored; the others are.
      const TConvertOutcome converted = ConvertReceived(path, type, relayed);
      if (converted == TConvertOutcome::Failed) return;
      stored = converted == TConvertOutcome::Converted;
      for (TConvertType target : storedTypes(type)) {
        const AnsiString targetName = ChangeFileType(name, target);
        if (target != TConvertType::NONE && relayed.Holds(targetName)) continue;
        stored = store(*ftp, dir + targetName, serverFolder, targetName) && stored;
        DeleteFile(dir + targetName);
        if (!stored && !ftp->Connected()) break;
      }
      DeleteFile(path);
    }
    if (!stored) {
      loop.Fail();
      relayed.Failed(name);
      // Without the connection (a cancel, or the server ended it) the files left are not tried.
      if (!ftp->Connected()) break;
      continue;
    }
    // The terminal's file goes only once the server holds all that was made of it.
    if (deleteAfter && !Thread.Terminated()) vxCompleteDelFile(Thread.Port(), name.c_str());
  }
  if (Thread.Terminated()) return;
  const AnsiString note = ListDeviceFilesNote(Thread);
  // A listing the server refuses ends the routine here, before its summary.
  Thread.OnWindow([](TFormmain& Window) { Window.RefreshFtpList("."); });
  PostSummary(loop.AllOk(), INFO_UPLOAD_ALL_SUCESS, INFO_UPLOAD_PARTIAL_FAILED, note);
  Thread.OnWindow([](TFormmain& Window) { Window.flistCpu->Update(); });
}

void FtpToDevice(MyThread& Thread) {
  struct TRow {
    int Index;
    AnsiString Name;
  };
  std::vector<TRow> rows;
  TIdFTP* ftp = nullptr;
  AnsiString serverFolder;
  const std::unique_ptr<TTempFolder> relay = makeRelay(ERR_FTP_DOWNLOAD);
  if (!Thread.OnWindow([&](TFormmain& Window) {
        ftp = Window.IdFTP1;
        serverFolder = ftp->RetrieveCurrentDir();
        const auto& listing = ftp->DirectoryListing();
        for (const TListItem* item : SelectedItems(Window.ListView1)) {
          const std::int64_t index = ItemNumber(item);
          if (index >= 0 && index < static_cast<std::int64_t>(listing.size()))
            rows.push_back({static_cast<int>(index), listing[index].FileName});
        }
        if (relay) Window.SetFtpRelayFolder(relay->Path());
      }))
    return;
  if (!relay) {
    PostStatus(INFO_DOWNLOAD_PARTIAL_FAILED);
    return;
  }
  // The cancel command finds the fetch's folder and entry only while the fetch runs.
  struct TFetchEnd {
    MyThread& Thread;
    ~TFetchEnd() {
      try {
        Thread.OnWindow([](TFormmain& Window) {
          Window.SetFtpRelayFolder("");
          Window.IdFTP1->SetTag(NoFetchTag);
        });
      } catch (...) {
        // The program is ending: there is no window left to tell.
      }
    }
  } fetchEnd{Thread};

  const AnsiString& dir = relay->Path();
  TFileLoop loop(Thread.Port());
  for (const TRow& row : rows) {
    if (Thread.Terminated()) return;
    if (!loop.GoOn()) break;
    AnsiString name = row.Name;
    SetStatusText(INFO_FTP_DOWNLOAD_FILE + name);
    const AnsiString fetched = dir + name;
    bool got = false;
    try {
      // A name that would lead out of the relay folder is never used for a file.
      CheckLocalFileName(name);
      Thread.OnWindow([&](TFormmain& Window) { Window.IdFTP1->SetTag(row.Index); });
      PostProgressMax(progressMax(ftp->Size(serverPath(serverFolder, name))));
      ftp->Get(serverPath(serverFolder, name), fetched, true, true);
      got = true;
    } catch (const EIdFTPError& e) {
      PostInfoMessage(ERR_FTP_DOWNLOAD + e.Message());
    }
    if (!got) {
      // What arrived of the file goes; nothing of it reaches the terminal.
      if (IsPlainFileName(name) && FileExists(fetched)) DeleteFile(fetched);
      loop.Fail();
      if (!ftp->Connected()) break;
      continue;
    }

    const AnsiString local = FileToSend(fetched, Thread.ConvertType(), loop);
    name = ExtractFileName(local);
    SetStatusText(INFO_DOWNLOADING + name);
    if (!FileExists(local))
      loop.Fail();
    else
      loop.Check(vxDownloadFile(Thread.Port(), local.c_str(), name.c_str()));
    DeleteFile(local);
    if (local != fetched) DeleteFile(fetched);
  }
  if (Thread.Terminated()) return;
  FinishTransfer(Thread, loop.AllOk(), INFO_DOWNLOAD_ALL_SUCESS, INFO_DOWNLOAD_PARTIAL_FAILED);
}
