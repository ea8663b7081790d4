// The table header of a dBASE III file: its first 32 bytes (numbers little-endian).
//   0       version: dbase::VersionDbase3, or dbase::VersionDbase3Memo with a .dbt memo file
//   1 - 3   date of the last update: year - 2000, month, day
//   4 - 7   number of records
//   8 - 9   header length: 32 + 32 per field descriptor + 1 for the terminator byte
//   10 - 13 record length: 1 (the deletion flag) + the field lengths, written as a 32-bit
//           number (readers take offsets 10-11; 12-13 stay 0 below 65536 bytes)
//   14 - 31 zero; the language-driver byte at 29 stays 0: the text is in the code page the
//           reader assumes (the terminals' own)
#pragma once

#include <array>
#include <cstdint>

#include "DbaseFormat.h"

struct TDBFHeader {
  std::uint8_t Version = dbase::VersionDbase3;
  int Year = 2000;
  int Month = 1;
  int Day = 1;
  std::uint32_t RecordCount = 0;
  int FieldCount = 0;
  std::uint32_t RecordLength = 1;

  // (FieldCount + 1) * 32 + 1.
  std::uint16_t HeaderLength() const;
  std::array<std::uint8_t, dbase::HeaderSize> Bytes() const;
};

// The record count as stored at dbase::RecordCountOffset, for updating it in place.
std::array<std::uint8_t, 4> DbfRecordCount(std::uint32_t Count);
