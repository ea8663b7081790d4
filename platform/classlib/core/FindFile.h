// Listing a folder: FindFirst, FindNext and FindClose over a TSearchRec.
//
//   TSearchRec sr;
//   if (FindFirst(dir + "*.dbf", faAnyFile, sr) == 0) {
//     do { ... sr.Name, sr.Size, sr.Attr ... } while (FindNext(sr) == 0);
//     FindClose(sr);
//   }
//
// The mask, the last part of Path, may hold "*" (any run of characters) and "?" (one
// character); letters match without regard to case, and "*.*" matches every name. Entries come
// in name order. Files without special attributes are always found; hidden files (names that
// begin with "."), system files (devices, pipes, sockets) and folders ("." and ".." among them)
// only when Attr includes faHidden, faSysFile or faDirectory. FindFirst and FindNext return 0
// for a found entry and an error number (ENOENT when there is none left) otherwise.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "System.h"

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchRec {
  TSearchRec();
  ~TSearchRec();
  TSearchRec(TSearchRec&&) noexcept;
  TSearchRec& operator=(TSearchRec&&) noexcept;

  std::int32_t Time = 0;  // last write as an MS-DOS file date (see DateTimeToFileDate)
  TDateTime TimeStamp = 0;  // the same in full
  std::int64_t Size = 0;
  int Attr = 0;
  AnsiString Name;
  int ExcludeAttr = 0;

  struct TFindState;
  std::unique_ptr<TFindState> FindHandle;
};

int FindFirst(std::string_view Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
// Ends a search; the record may be used again. Also done when the record goes away.
void FindClose(TSearchRec& F);
