// uTerminalList: reading one of the terminal's lists (its files, or its recycle bin) and
// showing it in a list view.
//
// The caller's list has room for a fixed number of records, which the library is not told; it
// writes at most that many and sets the count to the number written. When the terminal holds
// more, the library says so through its result while the count is that of the records it did
// write: the list is then shown as far as it came, and the caller tells the user that it is
// incomplete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "System.h"
#include "VxComm.h"

class TListView;

// vxGetNormalFileList or vxGetDelFileList.
using TCommListCall = std::int32_t(VXSTDCALL*)(std::int32_t Port, TCommFileRecord* Files, std::int32_t* Count);

struct TTerminalList {
  std::vector<TCommFileRecord> Records;  // as many as the count says, never more than the room
  bool Failed = false;                   // vxGetErrMsg called the result an error
  // Failed with records written: the list came only in part.
  bool Cut() const { return Failed && !Records.empty(); }
};

// Calls the library with a list of Room records and hands the result to vxGetErrMsg, which
// writes its text into ErrMsg.
TTerminalList ReadTerminalList(TCommListCall Call, std::int32_t Port, std::size_t Room, char* ErrMsg);

// Adds one item per record to View: the name, then the size in bytes, the date, the file number,
// and the file number again in the cells "首块" and "状态" (the records carry nothing the
// program reads for them).
void AddTerminalItems(TListView* View, const std::vector<TCommFileRecord>& Records);

// The column of the terminal lists that holds the file number.
inline constexpr int FileNoColumn = 3;

// A text the library wrote into a buffer of Size bytes: up to its first NUL, never past the
// buffer.
AnsiString CommText(const char* Buffer, std::size_t Size);
