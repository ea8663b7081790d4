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

}  // namespace dbase
