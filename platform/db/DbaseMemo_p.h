// Internal to the dBASE reader: the ".dbt" memo file of a table.
#pragma once

#include <cstdint>
#include <memory>

#include "TStream.h"
#include "System.h"

class TDbaseMemoFile {
public:
  // Dbase4 selects the dBASE IV layout (block size from the header, memos prefixed by their
  // length); otherwise 512-byte blocks of text ended by 0x1A.
  TDbaseMemoFile(std::unique_ptr<TStream> Stream, bool Dbase4, AnsiString FileName);

  // The memo starting at Block (> 0). Raises EDatabaseError for a block past the end of the
  // file or a length that runs past it.
  AnsiString Read(std::uint32_t Block);

private:
  AnsiString readUntilTerminator(std::int64_t Offset);

  std::unique_ptr<TStream> stream_;
  AnsiString fileName_;
  std::int64_t size_ = 0;
  std::int64_t blockSize_ = 512;
};
