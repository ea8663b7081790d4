// TFileLoop: the bookkeeping of a worker routine that makes one library call per file.
//
// Every result goes through vxGetErrMsg, which says whether the call failed and whether the next
// file may be tried (the go-on flag). A failed file marks the run as not all-ok. On a COM port
// the library's go-on flag decides whether the loop goes on; on USB every file is tried.
//
//   TFileLoop loop(Thread.Port());
//   for (const AnsiString& name : names) {
//     if (!loop.GoOn()) break;            // later files are skipped, not failed
//     loop.Check(vxUploadFile(...));
//   }
//   PostStatus(loop.AllOk() ? INFO_UPLOAD_ALL_SUCESS : INFO_UPLOAD_PARTIAL_FAILED);
#pragma once

#include <array>
#include <cstdint>

#include "VxComm.h"

class TFileLoop {
public:
  explicit TFileLoop(std::int32_t Port) : port_(Port) {}

  bool GoOn() const { return goOn_ == 1; }
  bool AllOk() const { return allOk_ == 1; }
  // Hands a call's result to vxGetErrMsg; true when the call succeeded.
  bool Check(std::int32_t Result);
  // A file the routine refused before calling the library (a name or number it cannot use).
  void Fail() { allOk_ = 0; }

private:
  std::int32_t port_;
  std::int32_t allOk_ = 1;
  std::int32_t goOn_ = 1;
  // The library's text of the last failure; the file loops show none.
  std::array<char, COMM_TEXT_SIZE> text_{};
};
