// What the terminal knows about itself, kept in "terminal.ini" in the terminal folder:
//
//   [System]  Version, MachineType, MachineNo, Company (texts);
//             Capacity (bytes of storage), BlockSize (bytes of file data per block, 0 = 16320),
//             SystemRoom (bytes of storage kept for the system), MemorySize (bytes of memory
//             area 0)
//   [User]    Password1 .. Password7, Company, Name, Number, MachineNo, Memo (texts)
//   [Clock]   Offset: seconds the terminal's clock runs ahead of the PC's
//   [Files]   NextNumber: no new file gets a lower number
//
// Texts are stored in double quotes, with control characters and "%" written as %XX, so that
// blanks at either end and every byte survive the round trip. A figure that is missing or no
// number reads as its default; one outside its range (below 0, or sizes beyond 32 bits, a block
// whose room with its header is beyond 32 bits, a clock more than ClockOffsetMax away, a next
// number below 1) raises EVxError(vxErrStorage) when it is read.
#pragma once

#include <cstdint>
#include <filesystem>

#include "System.h"
#include "TIniFile.h"

class TVxTerminalInfo {
public:
  static constexpr const char* FileName = "terminal.ini";
  // Information ids: system texts 4 to 7, user texts 1 to 12.
  static constexpr int SystemTextFirst = 4;
  static constexpr int SystemTextLast = 7;
  static constexpr int UserTextFirst = 1;
  static constexpr int UserTextLast = 12;
  // Bytes of the header of each block on the medium.
  static constexpr std::int32_t BlockHeader = 64;
  // The largest block size: a block's room, its data and its header, is a 32-bit figure.
  static constexpr std::int32_t BlockSizeMax = 0x7FFFFFFF - BlockHeader;
  // The farthest the clock may run from the PC's, in seconds: the terminal's clock covers 2000
  // to 2099, and two hundred years hold every setting of it from any PC clock.
  static constexpr std::int64_t ClockOffsetMax = 200LL * 366 * 24 * 3600;

  explicit TVxTerminalInfo(const std::filesystem::path& folder);

  // Whether the folder holds a terminal's information (a folder without it is seeded).
  bool Exists() const;
  // Writes the information of a new terminal whose next file will get nextNumber.
  void WriteDefaults(std::int32_t nextNumber);

  // Raise EVxError(vxErrBadId) for an id outside their range; the texts read are clipped to
  // 100 bytes.
  AnsiString SystemText(int id) const;
  void SetSystemText(int id, const AnsiString& text);
  AnsiString UserText(int id) const;
  void SetUserText(int id, const AnsiString& text);

  std::int32_t Capacity() const;
  // As configured: 0 stands for 16320.
  std::int32_t BlockSize() const;
  std::int32_t SystemRoom() const;
  std::int32_t MemorySize() const;

  std::int64_t ClockOffset() const;
  void SetClockOffset(std::int64_t seconds);

  // The lowest number a new file may get: higher than any number of a file deleted for good.
  std::int32_t NextFileNumber() const;
  void SetNextFileNumber(std::int32_t number);

private:
  std::filesystem::path path_;
  // Kept for the life of the object (one library call): it parses the file once and again only
  // when the file has changed, where a new TIniFile per value would parse it for every value.
  mutable TIniFile ini_;
};
