#include "uThreadLists.h"

#include <cstddef>
#include <vector>

#include "FileNames.h"
#include "FileRoutines.h"
#include "TCheckBox.h"
#include "TCheckListBox.h"
#include "TEdit.h"
#include "TFileLoop.h"
#include "TStrings.h"
#include "VxComm.h"
#include "uConstStrings.h"
#include "uFileTexts.h"
#include "uMain.h"
#include "uThread.h"
#include "uThreadConvert.h"
#include "uThreadFiles.h"

namespace {

std::vector<AnsiString> linesOf(const TCheckListBox* List) {
  std::vector<AnsiString> lines;
  for (int i = 0; i < List->Items()->Count(); ++i) lines.push_back(List->Items()->Strings(i));
  return lines;
}

// Checks the entry that succeeded. The user may change the list while the batch runs, so the
// entry is found again by its text when its line holds another one by now.
void markDone(MyThread& Thread, TCheckListBox* TFormmain::*List, std::size_t Index, const AnsiString& Entry) {
  Thread.OnWindow([&](TFormmain& Window) {
    TCheckListBox* list = Window.*List;
    const int count = list->Items()->Count();
    if (Index < static_cast<std::size_t>(count) && list->Items()->Strings(static_cast<int>(Index)) == Entry) {
      list->SetChecked(static_cast<int>(Index), true);
      return;
    }
    for (int i = 0; i < count; ++i) {
      if (list->Items()->Strings(i) == Entry && !list->Checked(i)) {
        list->SetChecked(i, true);
        return;
      }
    }
  });
}

}  // namespace

void DownloadFileList(MyThread& Thread) {
  std::vector<AnsiString> entries;
  if (!Thread.OnWindow([&](TFormmain& Window) { entries = linesOf(Window.listDownload); })) return;

  TFileLoop loop(Thread.Port());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (Thread.Terminated()) return;
    if (!loop.GoOn()) break;
    const AnsiString& entry = entries[i];
    SetStatusText(INFO_DOWNLOADING + entry);
    if (!FileExists(entry)) {
      loop.Fail();
      continue;
    }
    const AnsiString path = FileToSend(entry, Thread.ConvertType(), loop);
    if (loop.Check(vxDownloadFile(Thread.Port(), path.c_str(), ExtractFileName(path).c_str())))
      markDone(Thread, &TFormmain::listDownload, i, entry);
  }
  if (Thread.Terminated()) return;
  FinishTransfer(Thread, loop.AllOk(), INFO_DOWNLOAD_ALL_SUCESS, INFO_DOWNLOAD_PARTIAL_FAILED);
}

void UploadFileList(MyThread& Thread) {
  std::vector<AnsiString> names;
  AnsiString folder;
  bool deleteAfter = false;
  if (!Thread.OnWindow([&](TFormmain& Window) {
        names = linesOf(Window.listUpload);
        folder = Window.edtUploadPath->Text();
        deleteAfter = Window.chkDelCbjFile->Checked();
      }))
    return;

  TFileLoop loop(Thread.Port());
  TTransferNames received(names);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (Thread.Terminated()) return;
    if (!loop.GoOn()) break;
    const AnsiString& name = names[i];
    SetStatusText(INFO_UPLOADING + name);
    // The separator is always added ("C:\data\" gives two in a row, which names the same
    // folder). A name that would lead out of the folder is not fetched, and without a folder
    // nothing is: the files would land in the root of the file system.
    const AnsiString target = folder + PathDelim + name;
    if (folder.empty() || !IsPlainFileName(name)) {
      loop.Fail();
      received.Failed(name);
      continue;
    }
    const bool uploaded = loop.Check(vxUploadFile(Thread.Port(), name.c_str(), target.c_str()));
    if (uploaded) {
      // The entry is done: a conversion that fails is a failure of its own, told and counted.
      if (ConvertReceived(target, Thread.ConvertType(), received) != TConvertOutcome::Converted) loop.Fail();
      markDone(Thread, &TFormmain::listUpload, i, name);
    } else {
      received.Failed(name);
    }
    // Only a file that arrived whole in this run, and is on the disk, is deleted on the
    // terminal; the check marks, which the user can change meanwhile, do not decide it.
    if (deleteAfter && uploaded && !Thread.Terminated()) {
      if (FlushFileToDisk(target))
        loop.Check(vxCompleteDelFile(Thread.Port(), name.c_str()));
      else
        loop.Fail();
    }
  }
  if (Thread.Terminated()) return;
  FinishTransfer(Thread, loop.AllOk(), INFO_UPLOAD_ALL_SUCESS, INFO_UPLOAD_PARTIAL_FAILED);
}
