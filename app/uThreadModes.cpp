// The table of the worker's transfer modes. Each mode's routine is filled in here by the unit
// that carries it out; a mode whose entry is empty runs nothing.
#include <array>
#include <atomic>

#include "uThread.h"
#include "uThreadFiles.h"
#include "uThreadFtp.h"
#include "uThreadRecycle.h"
#include "uThreadImages.h"
#include "uThreadLists.h"

namespace {

const TThreadRoutine defaultRoutines[ThreadModeCount] = {
    nullptr,  // 0: nothing
    &ListDeviceFiles,  // tmListFiles
    &DownloadSelectedFiles,  // tmDownloadSelected
    &UploadSelectedFiles,  // tmUploadSelected
    &DownloadFileList,  // tmDownloadList
    &UploadFileList,  // tmUploadList
    &RecycleSelectedFiles,  // tmRecycleSelected
    &DeleteAllFiles,  // tmDeleteAll
    &ListRecycledFiles,  // tmListRecycled
    &RestoreSelectedFiles,  // tmRestoreSelected
    &DestroySelectedFiles,  // tmDestroySelected
    &DestroyRecycledFiles,  // tmDestroyRecycled
    &UploadMemory,  // tmUploadMemory
    &DownloadMemory,  // tmDownloadMemory
    nullptr,  // 14: nothing
    &DownloadSystem,  // tmDownloadSystem
    &UploadSystem,  // tmUploadSystem
    &DeviceToFtp,  // tmDeviceToFtp
    &FtpToDevice,  // tmFtpToDevice
};

// The routines in force; atomic because a worker reads its entry while the main thread may
// replace another.
struct TRoutineTable {
  TRoutineTable() {
    for (int i = 0; i < ThreadModeCount; ++i) entries[i].store(defaultRoutines[i]);
  }
  std::array<std::atomic<TThreadRoutine>, ThreadModeCount> entries;
};

std::array<std::atomic<TThreadRoutine>, ThreadModeCount>& routines() {
  static TRoutineTable table;
  return table.entries;
}

bool validMode(int Mode) { return Mode > tmNone && Mode < ThreadModeCount && Mode != tmUnused14; }

}  // namespace

TThreadRoutine ThreadRoutine(int Mode) { return validMode(Mode) ? routines()[Mode].load() : nullptr; }

TThreadRoutine SetThreadRoutine(int Mode, TThreadRoutine Routine) {
  if (!validMode(Mode)) return nullptr;
  return routines()[Mode].exchange(Routine);
}
