#include "uThreadImages.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "Exception.h"
#include "FileReplace.h"
#include "IntegerText.h"
#include "TCheckBox.h"
#include "TEdit.h"
#include "TFileStream.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "uTerminalList.h"
#include "uThread.h"
#include "VxComm.h"

namespace {

using TBuffer = std::unique_ptr<std::uint8_t[]>;

// Room for Size bytes, left uncleared for the file or the library to fill; null when the PC
// has not that much memory. A memory range is asked for by a typed length, which may be large.
TBuffer newBuffer(std::size_t Size) {
  try {
    return std::make_unique_for_overwrite<std::uint8_t[]>(Size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// An address typed on the page: a signed 32-bit number, decimal or hexadecimal after "$". The
// library takes the address as those 32 bits, so "$80000000" and above (negative numbers once
// read) name the upper half of the terminal's address space.
bool readAddress(const AnsiString& Text, std::int32_t& Value) {
  int value = 0;
  if (!TryStrToInt(Text, value)) return false;
  Value = value;
  return true;
}

// A length typed on the page: a number as an address is, that is not negative.
bool readLength(const AnsiString& Text, std::int32_t& Value) { return readAddress(Text, Value) && Value >= 0; }

// How a transfer of the page ends when it fails: the message box (none for an empty text), then
// the failure status.
void fail(const AnsiString& Message, const AnsiString& Status) {
  if (!Message.empty()) PostInfoMessage(Message);
  PostStatus(Status);
}

// Hands Result to the library's error function; false (after the failure text followed by the
// library's text, and the failure status) for an error.
bool commSucceeded(MyThread& Thread, std::int32_t Result, const AnsiString& Failed) {
  if (vxGetErrMsg(Result, Thread.ErrMsg(), nullptr) == 0) return true;
  fail(Failed + CommText(Thread.ErrMsg(), WorkerErrMsgSize), Failed);
  return false;
}

// Writes the PC file into Area at Address; false after reporting the failure.
bool sendFile(MyThread& Thread, std::int32_t Area, std::int32_t Address, const AnsiString& FileName) {
  TBuffer data;
  std::int32_t size = 0;
  try {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    const std::int64_t length = file.Size();
    // The library takes the length as a signed 32-bit number; no terminal holds more.
    if (length > std::numeric_limits<std::int32_t>::max()) {
      fail(ERR_FILE_TOO_LARGE + FileName, INFO_DOWN_MEMORY_FAILED);
      return false;
    }
    size = static_cast<std::int32_t>(length);
    data = newBuffer(static_cast<std::size_t>(size));
    if (!data) {
      fail(INFO_DOWN_MEMORY_FAILED + ERR_NO_MEMORY, INFO_DOWN_MEMORY_FAILED);
      return false;
    }
    file.ReadBuffer(data.get(), size);
  } catch (const EStreamError&) {
    // Not there, a folder, not readable, or shorter than it said when it was opened.
    fail(ERR_FILE_OPEN, INFO_DOWN_MEMORY_FAILED);
    return false;
  }
  return commSucceeded(Thread, vxDownloadMemory(Thread.Port(), Area, Address, size, data.get()),
                       INFO_DOWN_MEMORY_FAILED);
}

// Reads Area at Address into Buffer, which has Room bytes, and writes what came as the PC file;
// false after reporting the failure. The library is told the room and answers with the length
// it put there.
bool receiveFile(MyThread& Thread, std::int32_t Area, std::int32_t Address, std::uint8_t* Buffer, std::int32_t Room,
                 const AnsiString& FileName) {
  std::int32_t length = Room;
  if (!commSucceeded(Thread, vxUploadMemory(Thread.Port(), Area, Address, &length, Buffer), INFO_UP_MEMORY_FAILED))
    return false;
  if (length < 0 || length > Room) {
    // A length the buffer cannot have received: what the file would get is not the image.
    fail(ERR_FILE_TOO_LARGE + FileName, INFO_UP_MEMORY_FAILED);
    return false;
  }
  if (!WriteFileReplacing(FileName, Buffer, static_cast<std::size_t>(length))) {
    fail(ERR_FILE_CREATE_FAILED + FileName, INFO_UP_MEMORY_FAILED);
    return false;
  }
  return true;
}

// One image of the system transfers: its area, status text and PC file.
struct TImageJob {
  std::int32_t Area;
  const AnsiString* Status;
  AnsiString FileName;
};

// The checked rows of the page, operating system first; false when the window is gone.
bool readImageJobs(MyThread& Thread, bool Download, std::vector<TImageJob>& Jobs) {
  return Thread.OnWindow([&](TFormmain& Window) {
    TCheckBox* system = Download ? Window.ckDownOs : Window.ckUpOs;
    TCheckBox* font = Download ? Window.ckDownHzInput : Window.ckUpHzInput;
    if (system->Checked())
      Jobs.push_back({AREA_SYSTEM, Download ? &INFO_DOWNLOAD_SYSTEM : &INFO_UPLOAD_SYSTEM,
                      (Download ? Window.edtDownOsName : Window.edtUpOsName)->Text()});
    if (font->Checked())
      Jobs.push_back({AREA_FONT, Download ? &INFO_DOWNLOAD_FONT : &INFO_UPLOAD_FONT,
                      (Download ? Window.edtDownHzName : Window.edtUpHzName)->Text()});
  });
}

}  // namespace

void DownloadMemory(MyThread& Thread) {
  SetStatusText(INFO_DOWN_MEMORY);
  AnsiString addressText, fileName;
  if (!Thread.OnWindow([&](TFormmain& Window) {
        addressText = Window.edtDownMemAddr->Text();
        fileName = Window.edtDownMemName->Text();
      }))
    return;
  std::int32_t address = 0;
  if (!readAddress(addressText, address)) {
    PostStatus(INFO_DOWN_MEMORY_FAILED + ERR_BAD_ADDRESS + addressText);
    return;
  }
  if (sendFile(Thread, AREA_MEMORY, address, fileName)) PostStatus(INFO_DOWN_MEMORY_SUCESS);
}

void UploadMemory(MyThread& Thread) {
  SetStatusText(INFO_UP_MEMORY);
  AnsiString addressText, lengthText, fileName;
  if (!Thread.OnWindow([&](TFormmain& Window) {
        addressText = Window.edtUpMemAddr->Text();
        lengthText = Window.edtUpMemLen->Text();
        fileName = Window.edtUpMemName->Text();
      }))
    return;
  std::int32_t address = 0, length = 0;
  if (!readAddress(addressText, address)) {
    PostStatus(INFO_UP_MEMORY_FAILED + ERR_BAD_ADDRESS + addressText);
    return;
  }
  if (!readLength(lengthText, length)) {
    PostStatus(INFO_UP_MEMORY_FAILED + ERR_BAD_LENGTH + lengthText);
    return;
  }
  const TBuffer buffer = newBuffer(static_cast<std::size_t>(length));
  if (!buffer) {
    fail(INFO_UP_MEMORY_FAILED + ERR_NO_MEMORY, INFO_UP_MEMORY_FAILED);
    return;
  }
  if (receiveFile(Thread, AREA_MEMORY, address, buffer.get(), length, fileName)) PostStatus(INFO_UP_MEMORY_SUCESS);
}

void DownloadSystem(MyThread& Thread) {
  std::vector<TImageJob> jobs;
  if (!readImageJobs(Thread, true, jobs)) return;
  for (const TImageJob& job : jobs) {
    if (Thread.Terminated()) return;
    SetStatusText(*job.Status);
    if (!sendFile(Thread, job.Area, 0, job.FileName)) return;
  }
  PostStatus(INFO_DOWN_MEMORY_SUCESS);
}

void UploadSystem(MyThread& Thread) {
  std::vector<TImageJob> jobs;
  if (!readImageJobs(Thread, false, jobs)) return;
  constexpr auto room = static_cast<std::int32_t>(COMM_IMAGE_MAX);
  const TBuffer buffer = newBuffer(room);
  if (!buffer) {
    fail(INFO_UP_MEMORY_FAILED + ERR_NO_MEMORY, INFO_UP_MEMORY_FAILED);
    return;
  }
  for (const TImageJob& job : jobs) {
    if (Thread.Terminated()) return;
    SetStatusText(*job.Status);
    if (!receiveFile(Thread, job.Area, 0, buffer.get(), room, job.FileName)) return;
  }
  PostStatus(INFO_UP_MEMORY_SUCESS);
}
