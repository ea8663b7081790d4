// Internal to the dBASE reader: the ".dbt" memo file of a table.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "TStream.h"
#include "System.h"

class TDbaseMemoFile {
public:
  // Dbase4 selects the dBASE IV layout (block size from the header, memos prefixed by their
  // length); otherwise 512-byte blocks of text ended by 0x1A. FileName and TableName name the
  // memo file and its table in error messages.
  TDbaseMemoFile(std::unique_ptr<TStream> Stream, bool Dbase4, AnsiString FileName, AnsiString TableName);

  // The memo starting at Block (> 0), valid as long as this object. Raises EDatabaseError for
  // a block past the end of the file, a length that runs past it, and a dBASE III memo without
  // its end mark.
  std::string_view Read(std::uint32_t Block);

private:
  void load();
  std::string_view readAt(std::uint32_t Block);

  std::unique_ptr<TStream> stream_;
  AnsiString fileName_;
  AnsiString tableName_;
  bool dbase4_ = false;
  bool loaded_ = false;
  // The whole file, read at the first memo: what records take from it is never more than it
  // holds, however many records point at one block.
  AnsiString bytes_;
  std::int64_t blockSize_ = 512;
  std::unordered_map<std::uint32_t, std::string_view> memos_;  // read so far, by first block
};
