#include "uThreadRecycle.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "IntegerText.h"
#include "TFileLoop.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "VxComm.h"
#include "Updating.h"
#include "uConstStrings.h"
#include "uListViews.h"
#include "uMain.h"
#include "uTerminalList.h"
#include "uThread.h"
#include "uThreadFiles.h"

namespace {

// The name vxDeleteFile takes as "every file, for good": a listed file of that name is never
// handed to it as one file.
const AnsiString AllFiles = "*.*";

// One selected entry of a terminal list: its name and, when its cell holds one, its number.
struct TSelectedFile {
  AnsiString Name;
  std::optional<std::int32_t> Number;
};

std::vector<TSelectedFile> selectedFiles(const TListView* View) {
  std::vector<TSelectedFile> files;
  for (const TListItem* item : SelectedItems(View)) {
    TSelectedFile file{item->Caption(), std::nullopt};
    int number = 0;
    if (TryStrToInt(CellText(item, FileNoColumn), number)) file.Number = number;
    files.push_back(std::move(file));
  }
  return files;
}

// Takes the snapshot of a list's selection on the main thread; false when the window is gone.
bool snapshot(MyThread& Thread, TListView* TFormmain::*List, std::vector<TSelectedFile>& Files) {
  return Thread.OnWindow([&](TFormmain& Window) { Files = selectedFiles(Window.*List); });
}

// The texts of one operation on selected files.
struct TFileOperation {
  const AnsiString& Prefix;      // status before each file's name
  const char* Suffix;            // after the name
  const AnsiString& AllOk;       // end status: all files succeeded
  const AnsiString& SomeFailed;  // end status: some failed
};

// The loop of modes 6, 9, 10 and 11: one call per selected entry, by name or by number, while the
// go-on flag allows. Returns whether all succeeded.
template <class Call>
bool eachFile(MyThread& Thread, const std::vector<TSelectedFile>& Files, const TFileOperation& Op, Call&& call) {
  TFileLoop loop(Thread.Port());
  for (const TSelectedFile& file : Files) {
    if (Thread.Terminated()) break;  // the program is ending: the routine leaves after the loop
    if (!loop.GoOn()) break;
    PostStatus(Op.Prefix + file.Name + Op.Suffix);
    const std::optional<std::int32_t> result = call(file);
    if (result)
      loop.Check(*result);
    else
      loop.Fail();
  }
  return loop.AllOk();
}

// The end of a routine: its summary, then again the note of a list that came only in part.
void postSummary(bool AllOk, const TFileOperation& Op, const AnsiString& ListNote) {
  PostStatus(AllOk ? Op.AllOk : Op.SomeFailed);
  if (!ListNote.empty()) PostStatus(ListNote);
}

std::optional<std::int32_t> byNumber(const TSelectedFile& File, std::int32_t(VXSTDCALL* Call)(std::int32_t, std::int32_t),
                                     std::int32_t Port) {
  if (!File.Number) return std::nullopt;  // a cell without a number names no file
  return Call(Port, *File.Number);
}

AnsiString listRecycledFilesNote(MyThread& Thread) {
  if (!Thread.OnWindow([](TFormmain& Window) { Window.listdelCbj->Items()->Clear(); })) return {};
  if (Thread.Terminated()) return {};
  SetStatusText(INFO_LIST_DELETED_FILES);
  const TTerminalList list = ReadTerminalList(vxGetDelFileList, Thread.Port(), COMM_RECYCLE_LIST_MAX, Thread.ErrMsg());
  const AnsiString failure = INFO_LIST_DELETED_FILES_FAILED + CommText(Thread.ErrMsg(), WorkerErrMsgSize);
  if (list.Failed && !list.Cut()) {
    PostInfoMessage(failure);
    PostStatus(INFO_LIST_DELETED_FILES_FAILED);
    return {};
  }
  if (!Thread.OnWindow([&](TFormmain& Window) {
        Updating(*Window.listdelCbj->Items(), [&] {
          AddTerminalItems(Window.listdelCbj, list.Records);
          Resort(Window.listdelCbj);
        });
      }))
    return {};
  // A bin that came only in part is shown as far as it came, and the status says so.
  const AnsiString note = list.Cut() ? failure : AnsiString();
  PostStatus(list.Cut() ? note : INFO_LIST_DELETED_FILES_SUCESS);
  return note;
}

}  // namespace

void RecycleSelectedFiles(MyThread& Thread) {
  std::vector<TSelectedFile> files;
  if (!snapshot(Thread, &TFormmain::listCbj, files)) return;
  const TFileOperation op{INFO_RECYCLEING, "...", INFO_RECYCLE_ALL_SUCESS, INFO_RECYCLE_PARTIAL_FAILED};
  const bool allOk = eachFile(Thread, files, op, [&](const TSelectedFile& File) -> std::optional<std::int32_t> {
    if (File.Name == AllFiles) return std::nullopt;
    return vxDeleteFile(Thread.Port(), File.Name.c_str());
  });
  if (Thread.Terminated()) return;
  postSummary(allOk, op, ListDeviceFilesNote(Thread));
}

void DeleteAllFiles(MyThread& Thread) {
  PostStatus(INFO_DELETEING);
  const std::int32_t failed = vxGetErrMsg(vxDeleteFile(Thread.Port(), AllFiles.c_str()), nullptr, nullptr);
  if (Thread.Terminated()) return;
  const AnsiString note = ListDeviceFilesNote(Thread);
  PostStatus(failed == 0 ? INFO_DELETE_ALL_SUCESS : INFO_DELETE_PARTIAL_FAILED);
  if (!note.empty()) PostStatus(note);
}

void ListRecycledFiles(MyThread& Thread) { listRecycledFilesNote(Thread); }

void RestoreSelectedFiles(MyThread& Thread) {
  std::vector<TSelectedFile> files;
  if (!snapshot(Thread, &TFormmain::listdelCbj, files)) return;
  const TFileOperation op{INFO_RESTOREING, "", INFO_RESTORE_ALL_SUCESS, INFO_RESTORE_PARTIAL_FAILED};
  const bool allOk =
      eachFile(Thread, files, op, [&](const TSelectedFile& File) { return byNumber(File, vxRestoreFile, Thread.Port()); });
  if (Thread.Terminated()) return;
  postSummary(allOk, op, listRecycledFilesNote(Thread));
}

void DestroySelectedFiles(MyThread& Thread) {
  std::vector<TSelectedFile> files;
  if (!snapshot(Thread, &TFormmain::listCbj, files)) return;
  const TFileOperation op{INFO_PERMANENT_DELETEING, "...", INFO_PERMANENT_DELETE_ALL_SUCESS,
                          INFO_PERMANENT_DELETE_PARTIAL_FAILED};
  const bool allOk = eachFile(Thread, files, op,
                              [&](const TSelectedFile& File) { return byNumber(File, vxDelRecyleFile, Thread.Port()); });
  if (Thread.Terminated()) return;
  postSummary(allOk, op, ListDeviceFilesNote(Thread));
}

void DestroyRecycledFiles(MyThread& Thread) {
  std::vector<TSelectedFile> files;
  if (!snapshot(Thread, &TFormmain::listdelCbj, files)) return;
  const TFileOperation op{INFO_PERMANENT_DELETEING, "", INFO_PERMANENT_DELETE_ALL_SUCESS,
                          INFO_PERMANENT_DELETE_PARTIAL_FAILED};
  const bool allOk = eachFile(Thread, files, op,
                              [&](const TSelectedFile& File) { return byNumber(File, vxDelRecyleFile, Thread.Port()); });
  if (Thread.Terminated()) return;
  postSummary(allOk, op, listRecycledFilesNote(Thread));
}
