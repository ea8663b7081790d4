// The simulated handheld terminal: a folder holding its files and recycle bin (TVxFileStore),
// its information and clock (TVxTerminalInfo), its memory areas (TVxMemoryStore) and the
// simulation's settings (TVxSettings). A TVxTerminal holds the folder for as long as it lives
// (one library call); a folder without the terminal's information is made into a new terminal
// first (TVxSeeder).
//
// Storage. The data area is Capacity - SystemRoom bytes, cut into blocks of BlockSize bytes of
// file data plus a 64-byte block header (16384 bytes for the usual 16320). A file takes
// ceil(size / BlockSize) blocks, an empty file none; files in the recycle bin keep their blocks
// until they are deleted for good.
//
// Every failure raises EVxError with the library's result code.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <vector>

#include "System.h"
#include "TVxFileStore.h"
#include "TVxFolderLock.h"
#include "TVxMemoryStore.h"
#include "TVxSettings.h"
#include "TVxTerminalInfo.h"
#include "VxTransfer.h"

// The four values of the space information.
struct TVxSpace {
  std::int32_t BlockRoom = 0;   // bytes one block takes on the medium, header included
  std::int32_t BlockSize = 0;   // bytes of file data per block as configured (0 = 16320)
  std::int32_t UsedBlocks = 0;  // blocks taken by the files and the recycle bin
  // Blocks of the data area, less the recycle bin's, less one per file: with the file count
  // and the block room this gives the system's share of the storage (the rest of the capacity).
  std::int32_t FileShare = 0;
};

struct TVxClock {
  int Year = 0;  // two digits: 0 to 99 stand for 2000 to 2099
  int Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

class TVxTerminal {
public:
  static constexpr std::int32_t DefaultBlockSize = 16320;
  static constexpr std::int32_t BlockHeader = TVxTerminalInfo::BlockHeader;

  // Takes the folder, creating and seeding it when it is not a terminal yet.
  explicit TVxTerminal(std::filesystem::path folder);

  // The folder of the terminal this process talks to: $VXCOMM_TERMINAL when set, else
  // "handheld-manager/terminal" in the user's data folder ($XDG_DATA_HOME, else
  // ~/.local/share).
  static std::filesystem::path DefaultFolder();

  const std::filesystem::path& Folder() const { return folder_; }
  TVxSettings Settings() const { return TVxSettings(folder_); }
  // How the transfers of this terminal are paced and reported.
  void SetTransfer(TVxTransferOptions transfer) { transfer_ = std::move(transfer); }

  std::vector<TVxFileEntry> Files() const { return files_.List(false); }
  std::vector<TVxFileEntry> RecycledFiles() const { return files_.List(true); }
  // Stores the PC file as name, replacing a file of that name in any case of its letters (which
  // keeps its number and its name). Only a regular file is read (vxErrPcFileRead for a device,
  // a pipe or a folder).
  void Download(const AnsiString& pcPath, const AnsiString& name);
  // Writes the file name to the PC path, replacing a file there only once all has arrived
  // (TVxPartFile::Replace): through a symbolic link its target is written, a file the user may
  // not write is refused with vxErrPcFileWrite, and a replaced file keeps its permissions.
  void Upload(const AnsiString& name, const AnsiString& pcPath);
  void CompleteDelete(const AnsiString& name);
  void Recycle(const AnsiString& name);
  // Deletes every file for good and empties the recycle bin.
  void Format();
  void Restore(std::int32_t number);
  // Deletes the file of that number for good, in or outside the recycle bin.
  void Destroy(std::int32_t number);

  std::int32_t Capacity() const { return info_.Capacity(); }
  std::int32_t FileCount() const { return static_cast<std::int32_t>(Files().size()); }
  TVxSpace Space() const;
  // Blocks a file of that size takes.
  std::int32_t BlocksOf(std::int64_t size) const;
  AnsiString SystemText(int id) const { return info_.SystemText(id); }
  void SetSystemText(int id, const AnsiString& text) { info_.SetSystemText(id, text); }
  AnsiString UserText(int id) const { return info_.UserText(id); }
  void SetUserText(int id, const AnsiString& text) { info_.SetUserText(id, text); }

  // The terminal's clock, and setting it (which moves it against the PC's clock).
  std::time_t Now() const;
  void SetClock(const TVxClock& clock);

  void WriteMemory(int area, std::int32_t address, const std::uint8_t* data, std::int32_t length);
  std::int32_t ReadMemory(int area, std::int32_t address, std::uint8_t* buffer, std::int32_t length);

private:
  std::int32_t effectiveBlockSize() const;
  std::int32_t dataBlocks() const;
  std::int64_t blocksTaken(const std::vector<TVxFileEntry>& entries) const;
  // Blocks taken by the files and the recycle bin.
  std::int32_t usedBlocks() const;
  std::int32_t nextNumber() const;
  void forget(const TVxFileEntry& entry);

  std::filesystem::path folder_;
  TVxFolderLock lock_;
  TVxFileStore files_;
  TVxTerminalInfo info_;
  TVxTransferOptions transfer_;
};
