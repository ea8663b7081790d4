// Internal to the workbook reader: the records of a BIFF8 stream and the bytes of one record.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "System.h"

// The data of one record, followed by that of its CONTINUE records where the record may go on
// in them. Every read is checked against the data: reading past it raises EDatabaseError
// naming the file.
class TBiff8Data {
public:
  TBiff8Data(std::vector<std::string_view> Fragments, const AnsiString& FileName);

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  double F64();
  void Skip(std::uint64_t Count);
  std::size_t Remaining() const;
  // A string with a character count of CountBytes (1 or 2) bytes, its option flags, and its
  // rich-text runs and phonetic data, which are skipped. Characters that continue in the next
  // fragment start there with new option flags.
  WideString UnicodeString(int CountBytes);

private:
  void next();
  const std::uint8_t* take(std::size_t Count);

  std::vector<std::string_view> fragments_;
  const AnsiString& fileName_;
  std::size_t fragment_ = 0;
  std::size_t at_ = 0;
  std::uint8_t scratch_[8] = {};
};

struct TBiff8Record {
  std::uint16_t Id = 0;
  std::string_view Data;
  std::size_t Offset = 0;  // of the record's header in the stream
};

// Walks the records of a stream from a position. A record whose length runs past the end of
// the stream raises EDatabaseError.
class TBiff8RecordReader {
public:
  TBiff8RecordReader(std::string_view Stream, const AnsiString& FileName) : stream_(Stream), fileName_(FileName) {}

  void Seek(std::size_t Offset) { at_ = Offset; }
  // False at the end of the stream.
  bool Next(TBiff8Record& Record);
  // The record's data and that of the CONTINUE records right after it, which are consumed.
  TBiff8Data WithContinues(const TBiff8Record& Record);
  TBiff8Data Data(const TBiff8Record& Record) const { return TBiff8Data({Record.Data}, fileName_); }

private:
  std::string_view stream_;
  const AnsiString& fileName_;
  std::size_t at_ = 0;
};
