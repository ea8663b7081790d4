#include "TVxTerminal.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <limits>

#include "DateRoutines.h"
#include "EVxError.h"
#include "TFileStream.h"
#include "TVxPartFile.h"
#include "TVxSeeder.h"
#include "SysPath.h"

namespace fs = std::filesystem;

namespace {

fs::path created(fs::path folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec)) throw EVxError(vxErrStorage);
  return folder;
}

const char* env(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

fs::path homeFolder() {
  if (const char* home = env("HOME")) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  throw EVxError(vxErrStorage);
}

// A count of blocks as the 32-bit figures of the space information hold it.
std::int32_t clampBlocks(std::int64_t blocks) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(blocks, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// The terminal's clock runs from 2000 to 2099.
bool validDate(const TVxClock& c) {
  TDateTime unused;
  return c.Year >= 0 && c.Year <= 99 && TryEncodeDate(2000 + c.Year, c.Month, c.Day, unused) &&
         TryEncodeTime(c.Hour, c.Minute, c.Second, 0, unused);
}

}  // namespace

TVxTerminal::TVxTerminal(fs::path folder)
    : folder_(created(std::move(folder))), lock_(folder_), files_(folder_), info_(folder_) {
  if (!info_.Exists()) TVxSeeder::Seed(folder_);
}

fs::path TVxTerminal::DefaultFolder() {
  if (const char* chosen = env("VXCOMM_TERMINAL")) return chosen;
  const char* data = env("XDG_DATA_HOME");
  const fs::path base = data && fs::path(data).is_absolute() ? fs::path(data) : homeFolder() / ".local" / "share";
  return base / "handheld-manager" / "terminal";
}

std::int32_t TVxTerminal::effectiveBlockSize() const {
  const std::int32_t size = info_.BlockSize();
  return size == 0 ? DefaultBlockSize : size;
}

std::int32_t TVxTerminal::BlocksOf(std::int64_t size) const {
  const std::int64_t blockSize = effectiveBlockSize();
  return clampBlocks((size + blockSize - 1) / blockSize);
}

std::int32_t TVxTerminal::dataBlocks() const {
  const std::int64_t room = std::int64_t{effectiveBlockSize()} + BlockHeader;
  const std::int64_t area = std::int64_t{info_.Capacity()} - info_.SystemRoom();
  return area > 0 ? static_cast<std::int32_t>(area / room) : 0;
}

std::int64_t TVxTerminal::blocksTaken(const std::vector<TVxFileEntry>& entries) const {
  std::int64_t blocks = 0;
  for (const TVxFileEntry& e : entries) blocks += BlocksOf(e.Size);
  return blocks;
}

std::int32_t TVxTerminal::usedBlocks() const {
  return clampBlocks(blocksTaken(Files()) + blocksTaken(RecycledFiles()));
}

TVxSpace TVxTerminal::Space() const {
  const std::vector<TVxFileEntry> files = Files();
  const std::int64_t fileBlocks = blocksTaken(files);
  const std::int32_t used = clampBlocks(fileBlocks + blocksTaken(RecycledFiles()));
  const std::int64_t recycledBlocks = used - fileBlocks;
  TVxSpace space;
  space.BlockRoom = effectiveBlockSize() + BlockHeader;
  space.BlockSize = info_.BlockSize();
  space.UsedBlocks = used;
  space.FileShare = clampBlocks(dataBlocks() - recycledBlocks - static_cast<std::int64_t>(files.size()));
  return space;
}

void TVxTerminal::Download(const AnsiString& pcPath, const AnsiString& name) {
  if (!TVxFileStore::IsValidName(name)) throw EVxError(vxErrBadName);
  // Only a file has a size and an end: a device would give an endless or an empty file, and a
  // pipe would hold the call until someone writes to it.
  std::error_code ec;
  if (!fs::is_regular_file(ToSysPath(pcPath), ec)) throw EVxError(vxErrPcFileRead);
  std::unique_ptr<TFileStream> source;
  std::int64_t size = 0;
  try {
    source = std::make_unique<TFileStream>(pcPath, fmOpenRead | fmShareDenyWrite);
    size = source->Size();
  } catch (const EStreamError&) {
    throw EVxError(vxErrPcFileRead);
  }
  const std::optional<TVxFileEntry> old = files_.Find(name);
  const std::int64_t free = std::int64_t{dataBlocks()} - usedBlocks() + (old ? BlocksOf(old->Size) : 0);
  if (size > std::numeric_limits<std::int32_t>::max() || BlocksOf(size) > free) throw EVxError(vxErrNoSpace);

  TVxPartFile part(files_.NewPartPath(), vxErrStorage);
  std::vector<char> chunk;
  VxTransfer(size, transfer_, [&](std::int64_t, std::size_t length) {
    chunk.resize(length);
    if (source->Read(chunk.data(), static_cast<std::int64_t>(length)) != static_cast<std::int64_t>(length))
      throw EVxError(vxErrPcFileRead);
    part.Write(chunk.data(), length);
  });
  // A file replaced under a name spelt in another case keeps its number and its name.
  if (old)
    files_.Commit(part, old->Number, old->Name, Now());
  else
    files_.Commit(part, nextNumber(), name, Now());
}

void TVxTerminal::Upload(const AnsiString& name, const AnsiString& pcPath) {
  if (!TVxFileStore::IsValidName(name)) throw EVxError(vxErrBadName);
  const std::optional<TVxFileEntry> entry = files_.Find(name);
  if (!entry) throw EVxError(vxErrFileNotFound);
  const fs::path target = ToSysPath(pcPath);
  if (pcPath.empty() || !target.has_filename()) throw EVxError(vxErrPcFileWrite);
  std::ifstream source(entry->Path, std::ios::binary);
  if (!source) throw EVxError(vxErrStorage);

  TVxPartFile part(TVxPartFile::Replace, target, vxErrPcFileWrite);
  std::vector<char> chunk;
  VxTransfer(entry->Size, transfer_, [&](std::int64_t, std::size_t length) {
    chunk.resize(length);
    if (!source.read(chunk.data(), static_cast<std::streamsize>(length))) throw EVxError(vxErrStorage);
    part.Write(chunk.data(), length);
  });
  part.Publish();
}

// A new file takes the number after the highest there is; the numbers of files deleted for
// good are remembered in the terminal's information (forget), so that a number the PC still
// shows never names another file later.
std::int32_t TVxTerminal::nextNumber() const {
  const std::int32_t highest = files_.HighestNumber();
  if (highest == std::numeric_limits<std::int32_t>::max()) throw EVxError(vxErrNoSpace);
  return std::max(highest + 1, info_.NextFileNumber());
}

void TVxTerminal::forget(const TVxFileEntry& entry) {
  const std::int32_t next = nextNumber();
  if (next > info_.NextFileNumber()) info_.SetNextFileNumber(next);
  files_.Remove(entry);
}

void TVxTerminal::CompleteDelete(const AnsiString& name) {
  const std::optional<TVxFileEntry> entry = files_.Find(name);
  if (!entry) throw EVxError(TVxFileStore::IsValidName(name) ? vxErrFileNotFound : vxErrBadName);
  forget(*entry);
}

void TVxTerminal::Recycle(const AnsiString& name) {
  const std::optional<TVxFileEntry> entry = files_.Find(name);
  if (!entry) throw EVxError(TVxFileStore::IsValidName(name) ? vxErrFileNotFound : vxErrBadName);
  files_.MoveToRecycleBin(*entry);
}

void TVxTerminal::Format() {
  info_.SetNextFileNumber(nextNumber());
  files_.RemoveAll();
}

void TVxTerminal::Restore(std::int32_t number) {
  const std::optional<TVxFileEntry> entry = files_.Find(number);
  if (!entry || !entry->Recycled) throw EVxError(vxErrFileNoNotFound);
  if (files_.Find(entry->Name)) throw EVxError(vxErrFileExists);
  files_.Restore(*entry);
}

void TVxTerminal::Destroy(std::int32_t number) {
  const std::optional<TVxFileEntry> entry = files_.Find(number);
  if (!entry) throw EVxError(vxErrFileNoNotFound);
  forget(*entry);
}

std::time_t TVxTerminal::Now() const { return std::time(nullptr) + static_cast<std::time_t>(info_.ClockOffset()); }

void TVxTerminal::SetClock(const TVxClock& clock) {
  if (!validDate(clock)) throw EVxError(vxErrBadDateTime);
  std::tm tm{};
  tm.tm_year = 2000 + clock.Year - 1900;
  tm.tm_mon = clock.Month - 1;
  tm.tm_mday = clock.Day;
  tm.tm_hour = clock.Hour;
  tm.tm_min = clock.Minute;
  tm.tm_sec = clock.Second;
  tm.tm_isdst = -1;
  const std::time_t set = std::mktime(&tm);
  if (set == static_cast<std::time_t>(-1)) throw EVxError(vxErrBadDateTime);
  info_.SetClockOffset(static_cast<std::int64_t>(set) - std::time(nullptr));
}

void TVxTerminal::WriteMemory(int area, std::int32_t address, const std::uint8_t* data, std::int32_t length) {
  TVxMemoryStore(folder_, info_.MemorySize()).Write(area, address, data, length, transfer_);
}

std::int32_t TVxTerminal::ReadMemory(int area, std::int32_t address, std::uint8_t* buffer, std::int32_t length) {
  return TVxMemoryStore(folder_, info_.MemorySize()).Read(area, address, buffer, length, transfer_);
}
