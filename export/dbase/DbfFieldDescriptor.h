// A field descriptor of a dBASE III table: 32 bytes per field after the table header.
//   0 - 10  name: at most 10 bytes, zero-filled (byte 10 is always 0)
//   11      type: 'C' character, 'N' numeric, 'D' date, 'L' logical, 'M' memo
//   12 - 15 the field's position in the record, counted from the first field (0 for it; the
//           deletion flag is not counted)
//   16      length in bytes
//   17      decimal count
//   18 - 31 zero
#pragma once

#include <array>
#include <cstdint>

#include "DbaseFormat.h"
#include "System.h"

struct TDBFFieldDescriptor {
  AnsiString Name;  // at most dbase::MaxFieldNameLength bytes; longer names are cut
  char Type = 'C';
  std::uint32_t Position = 0;
  int Length = 0;
  int Decimals = 0;

  std::array<std::uint8_t, dbase::FieldDescriptorSize> Bytes() const;
};
