// The dBASE III/IV table and memo file layout: the numbers that the table reader and the dBASE
// writer must agree on. Offsets are from the start of the file; multi-byte numbers are
// little-endian.
#pragma once

#include <cstdint>

namespace dbase {

// First byte of the table header: the file's version and whether a memo file goes with it.
constexpr std::uint8_t VersionDbase3 = 0x03;       // dBASE III, no memo file
constexpr std::uint8_t VersionDbase3Memo = 0x83;   // dBASE III with a .dbt memo file
constexpr std::uint8_t VersionDbase4Memo = 0x8B;   // dBASE IV with a .dbt memo file
constexpr std::uint8_t VersionVisualFoxPro = 0x30; // written by some tools for plain tables

constexpr int HeaderSize = 32;           // fixed part of the header
constexpr int FieldDescriptorSize = 32;  // one per field, after the fixed header
constexpr std::uint8_t HeaderTerminator = 0x0D;
constexpr std::uint8_t EndOfFile = 0x1A;
constexpr std::uint8_t RecordLive = ' ';
constexpr std::uint8_t RecordDeleted = '*';

constexpr int MemoBlockSize = 512;  // dBASE III .dbt blocks

// Places in the table header and limits of the fields.
constexpr int RecordCountOffset = 4;     // 32-bit number of records
constexpr int LanguageDriverOffset = 29; // the code page of the text; 0: the reader's own
constexpr int FieldNameSize = 11;        // name bytes of a descriptor, zero-filled
constexpr int MaxFieldNameLength = 10;   // the name's last byte is always 0
constexpr int MaxCharacterLength = 254;  // longest character field
constexpr int DateLength = 8;            // a date field: yyyymmdd
constexpr int MemoFieldLength = 10;      // a memo field: its first block, right-aligned
constexpr int MaxNumericLength = 20;     // longest number field dBASE writes: sign, digits, point
// The header and record lengths are 16-bit numbers for every reader (offsets 8-9 and 10-11).
constexpr int MaxHeaderLength = 65535;
constexpr int MaxRecordLength = 65535;

}  // namespace dbase
