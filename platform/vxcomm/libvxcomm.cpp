// The eighteen exported functions: each checks its pointers, then lets TVxLibrary run it
// against the terminal. Nothing here raises: TVxLibrary turns every failure into a code.
#include "libvxcomm.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <limits>
#include <vector>

#include "EVxError.h"
#include "TVxLibrary.h"
#include "VxText.h"

namespace {

constexpr int SysCapacity = 1;
constexpr int SysFileCount = 2;
constexpr int SysSpace = 3;

TVxLibrary& library() { return TVxLibrary::Instance(); }

void require(const void* pointer) {
  if (!pointer) throw EVxError(vxErrBadParameter);
}

AnsiString takeText(const char* text) {
  require(text);
  AnsiString value;
  if (!VxTakeText(text, VxTextMax, value)) throw EVxError(vxErrTextTooLong);
  return value;
}

// Names and paths have no length limit of their own; a name too long is refused by the store.
AnsiString takeString(const char* text) {
  require(text);
  return AnsiString(text);
}

void putInt(void* out, std::int32_t value) { std::memcpy(out, &value, sizeof value); }

VxFileRecord record(const TVxTerminal& terminal, const TVxFileEntry& entry) {
  VxFileRecord r;
  std::memset(&r, 0, sizeof r);
  r.Size = static_cast<std::int32_t>(std::min<std::int64_t>(entry.Size, std::numeric_limits<std::int32_t>::max()));
  r.Number = entry.Number;
  const AnsiString name = VxClipText(entry.Name, sizeof r.Name);
  std::memcpy(r.Name, name.data(), name.size());
  r.Blocks = terminal.BlocksOf(entry.Size);
  r.State = entry.Recycled ? 1 : 0;
  std::tm tm{};
  localtime_r(&entry.Modified, &tm);
  r.Year = static_cast<std::uint8_t>(tm.tm_year % 100);
  r.Month = static_cast<std::uint8_t>(tm.tm_mon + 1);
  r.Day = static_cast<std::uint8_t>(tm.tm_mday);
  r.Hour = static_cast<std::uint8_t>(tm.tm_hour);
  r.Minute = static_cast<std::uint8_t>(tm.tm_min);
  r.Second = static_cast<std::uint8_t>(tm.tm_sec);
  return r;
}

// Writes at most max records and the count written; more entries than that cut the list.
void putList(const TVxTerminal& terminal, const std::vector<TVxFileEntry>& entries, VxFileRecord* records,
             std::int32_t* count, std::size_t max) {
  const std::size_t n = std::min(entries.size(), max);
  for (std::size_t i = 0; i < n; ++i) {
    const VxFileRecord r = record(terminal, entries[i]);
    std::memcpy(&records[i], &r, sizeof r);
  }
  *count = static_cast<std::int32_t>(n);
  if (entries.size() > max) throw EVxError(vxErrListCut);
}

std::int32_t listFiles(const char* function, std::int32_t port, VxFileRecord* records, std::int32_t* count,
                       bool recycled, std::size_t max) {
  if (count) *count = 0;
  return library().Run(function, port, [&](TVxTerminal& t) {
    require(records);
    require(count);
    putList(t, recycled ? t.RecycledFiles() : t.Files(), records, count, max);
  });
}

}  // namespace

extern "C" {

int32_t VXCOMM_CALL vxCheckPort(void) { return library().CheckPort(); }

int32_t VXCOMM_CALL vxSetProgress(int32_t Enable, VxProgressProc Proc) {
  if (auto code = library().Fault("vxSetProgress")) return *code;
  library().SetProgress(Enable ? Proc : nullptr);
  return vxOk;
}

int32_t VXCOMM_CALL vxGetErrMsg(int32_t Result, char* Text, int32_t* GoOn) {
  if (auto code = library().Fault("vxGetErrMsg")) Result = *code;
  if (Text) {
    try {
      VxPutText(Text, VxResultText(Result), VxTextMax);
    } catch (...) {
      Text[0] = '\0';  // a text the code page cannot hold; the result still tells the caller
    }
  }
  if (GoOn) *GoOn = VxResultGoesOn(Result) ? 1 : 0;
  return Result;
}

int32_t VXCOMM_CALL vxGetMachSysInfo(int32_t Port, int32_t Id, void* Out) {
  return library().Run("vxGetMachSysInfo", Port, [&](TVxTerminal& t) {
    require(Out);
    switch (Id) {
      case SysCapacity: putInt(Out, t.Capacity()); break;
      case SysFileCount: putInt(Out, t.FileCount()); break;
      case SysSpace: {
        const TVxSpace space = t.Space();
        const VxSpaceInfo info{space.BlockRoom, space.BlockSize, space.UsedBlocks, space.FileShare};
        std::memcpy(Out, &info, sizeof info);
        break;
      }
      default: VxPutText(static_cast<char*>(Out), t.SystemText(Id), VxTextMax); break;
    }
  });
}

int32_t VXCOMM_CALL vxSetMachSysInfo(int32_t Port, int32_t Id, const char* Text) {
  return library().Run("vxSetMachSysInfo", Port, [&](TVxTerminal& t) { t.SetSystemText(Id, takeText(Text)); });
}

int32_t VXCOMM_CALL vxGetMachInfo(int32_t Port, int32_t Id, char* Text) {
  return library().Run("vxGetMachInfo", Port, [&](TVxTerminal& t) {
    require(Text);
    VxPutText(Text, t.UserText(Id), VxTextMax);
  });
}

int32_t VXCOMM_CALL vxSetMachInfo(int32_t Port, int32_t Id, const char* Text) {
  return library().Run("vxSetMachInfo", Port, [&](TVxTerminal& t) { t.SetUserText(Id, takeText(Text)); });
}

int32_t VXCOMM_CALL vxSetDateTime(int32_t Port, const VxDateTime* DateTime) {
  return library().Run("vxSetDateTime", Port, [&](TVxTerminal& t) {
    require(DateTime);
    t.SetClock({DateTime->Year, DateTime->Month, DateTime->Day, DateTime->Hour, DateTime->Minute, DateTime->Second});
  });
}

int32_t VXCOMM_CALL vxGetNormalFileList(int32_t Port, VxFileRecord* Records, int32_t* Count) {
  return listFiles("vxGetNormalFileList", Port, Records, Count, false, VXCOMM_FILE_LIST_MAX);
}

int32_t VXCOMM_CALL vxGetDelFileList(int32_t Port, VxFileRecord* Records, int32_t* Count) {
  return listFiles("vxGetDelFileList", Port, Records, Count, true, VXCOMM_RECYCLE_LIST_MAX);
}

int32_t VXCOMM_CALL vxDownloadFile(int32_t Port, const char* PcPath, const char* Name) {
  return library().Run("vxDownloadFile", Port, [&](TVxTerminal& t) { t.Download(takeString(PcPath), takeString(Name)); });
}

int32_t VXCOMM_CALL vxUploadFile(int32_t Port, const char* Name, const char* PcPath) {
  return library().Run("vxUploadFile", Port, [&](TVxTerminal& t) { t.Upload(takeString(Name), takeString(PcPath)); });
}

int32_t VXCOMM_CALL vxCompleteDelFile(int32_t Port, const char* Name) {
  return library().Run("vxCompleteDelFile", Port, [&](TVxTerminal& t) { t.CompleteDelete(takeString(Name)); });
}

int32_t VXCOMM_CALL vxDeleteFile(int32_t Port, const char* Name) {
  return library().Run("vxDeleteFile", Port, [&](TVxTerminal& t) {
    const AnsiString name = takeString(Name);
    if (name == "*.*")
      t.Format();
    else
      t.Recycle(name);
  });
}

int32_t VXCOMM_CALL vxDelRecyleFile(int32_t Port, int32_t Number) {
  return library().Run("vxDelRecyleFile", Port, [&](TVxTerminal& t) { t.Destroy(Number); });
}

int32_t VXCOMM_CALL vxRestoreFile(int32_t Port, int32_t Number) {
  return library().Run("vxRestoreFile", Port, [&](TVxTerminal& t) { t.Restore(Number); });
}

int32_t VXCOMM_CALL vxDownloadMemory(int32_t Port, int32_t Area, int32_t Address, int32_t Length, const void* Data) {
  return library().Run("vxDownloadMemory", Port, [&](TVxTerminal& t) {
    if (Length < 0 || (Length > 0 && !Data)) throw EVxError(vxErrBadParameter);
    t.WriteMemory(Area, Address, static_cast<const std::uint8_t*>(Data), Length);
  });
}

int32_t VXCOMM_CALL vxUploadMemory(int32_t Port, int32_t Area, int32_t Address, int32_t* Length, void* Buffer) {
  return library().Run("vxUploadMemory", Port, [&](TVxTerminal& t) {
    require(Length);
    require(Buffer);
    // Areas 1 and 2 come whole into the caller's buffer: 2 MiB, or less when the caller says so
    // in *Length. Callers that pass nothing in leave any value there, so only a room between 1
    // and 2 MiB is taken as said.
    std::int32_t room = *Length;
    if (Area != 0 && (room <= 0 || room > VXCOMM_IMAGE_MAX)) room = VXCOMM_IMAGE_MAX;
    *Length = t.ReadMemory(Area, Address, static_cast<std::uint8_t*>(Buffer), room);
  });
}

}  // extern "C"
