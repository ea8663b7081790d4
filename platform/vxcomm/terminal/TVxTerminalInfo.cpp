#include "TVxTerminalInfo.h"

#include <cstdio>
#include <limits>

#include "CodePage.h"
#include "EVxError.h"
#include "IntegerText.h"
#include "TVxPartFile.h"
#include "SysPath.h"
#include "VxText.h"

namespace {

constexpr const char* System = "System";
constexpr const char* User = "User";
constexpr const char* Clock = "Clock";
constexpr const char* Files = "Files";

constexpr std::int32_t DefaultCapacity = 8 * 1024 * 1024;
constexpr std::int32_t DefaultBlockSize = 16320;
constexpr std::int32_t DefaultSystemRoom = 1024 * 1024;
constexpr std::int32_t DefaultMemorySize = 512 * 1024;

const char* const SystemKeys[] = {"Version", "MachineType", "MachineNo", "Company"};
const char* const UserKeys[] = {"Password1", "Password2", "Password3", "Password4", "Password5", "Password6",
                                "Password7", "Company",   "Name",      "Number",    "MachineNo", "Memo"};

// What a new terminal says about itself (UTF-8 here, stored in the ANSI code page).
const char* const SystemDefaults[] = {"V3.21", "VX-660", "660200718", "华信电子技术有限公司"};
const char* const UserDefaults[] = {"000000", "000000", "000000", "000000", "000000", "000000",
                                    "000000", "城东自来水公司", "王建国", "0025", "03", "城东片区第三抄表段"};

const char* systemKey(int id) {
  if (id < TVxTerminalInfo::SystemTextFirst || id > TVxTerminalInfo::SystemTextLast) throw EVxError(vxErrBadId);
  return SystemKeys[id - TVxTerminalInfo::SystemTextFirst];
}

const char* userKey(int id) {
  if (id < TVxTerminalInfo::UserTextFirst || id > TVxTerminalInfo::UserTextLast) throw EVxError(vxErrBadId);
  return UserKeys[id - TVxTerminalInfo::UserTextFirst];
}

// An ini line ends at a line break and loses blanks at its ends; quotes keep the blanks and
// %XX keeps the bytes a line cannot hold.
AnsiString encode(const AnsiString& text) {
  AnsiString out = "\"";
  for (char c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x20 || c == '%') {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

AnsiString decode(const AnsiString& stored) {
  AnsiString out;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '%' && i + 2 < stored.size() && hexDigit(stored[i + 1]) >= 0 && hexDigit(stored[i + 2]) >= 0) {
      out += static_cast<char>(hexDigit(stored[i + 1]) * 16 + hexDigit(stored[i + 2]));
      i += 2;
    } else {
      out += stored[i];
    }
  }
  return VxClipText(out, VxTextMax);
}

// A figure of the terminal's information: fallback when the key is missing or holds no number
// (as an ini file's integers read). A number outside [Min, Max] is damaged information that no
// figure worked out from it could survive - a block beyond 32 bits, a clock beyond its century -
// so it is refused as a storage that cannot be read.
std::int64_t readFigure(TIniFile& ini, const char* section, const char* key, std::int64_t fallback, std::int64_t min,
                        std::int64_t max) {
  std::int64_t value = 0;
  if (!TryStrToInt64(ini.ReadString(section, key, ""), value)) return fallback;
  if (value < min || value > max) throw EVxError(vxErrStorage);
  return value;
}

constexpr std::int64_t Int32Max = std::numeric_limits<std::int32_t>::max();

}  // namespace

TVxTerminalInfo::TVxTerminalInfo(const std::filesystem::path& folder)
    : path_(folder / FileName), ini_(FromSysPath(path_)) {}

bool TVxTerminalInfo::Exists() const {
  std::error_code ec;
  return std::filesystem::is_regular_file(path_, ec);
}

// Written in one piece, with a word on each section, rather than key by key.
void TVxTerminalInfo::WriteDefaults(std::int32_t nextNumber) {
  AnsiString text = "; What the simulated terminal knows about itself.\n\n[System]\n";
  for (int id = SystemTextFirst; id <= SystemTextLast; ++id)
    text += AnsiString(systemKey(id)) + "=" + encode(Utf8ToAnsi(SystemDefaults[id - SystemTextFirst])) + "\n";
  text += "; Bytes of storage, bytes of file data per block (0 = 16320), bytes kept for the system,\n"
          "; bytes of memory area 0.\n";
  text += "Capacity=" + std::to_string(DefaultCapacity) + "\nBlockSize=" + std::to_string(DefaultBlockSize) +
          "\nSystemRoom=" + std::to_string(DefaultSystemRoom) + "\nMemorySize=" + std::to_string(DefaultMemorySize) +
          "\n\n[User]\n";
  for (int id = UserTextFirst; id <= UserTextLast; ++id)
    text += AnsiString(userKey(id)) + "=" + encode(Utf8ToAnsi(UserDefaults[id - UserTextFirst])) + "\n";
  text += "\n[Clock]\n; Seconds the terminal's clock runs ahead of the PC's.\nOffset=0\n";
  text += "\n[Files]\nNextNumber=" + std::to_string(nextNumber) + "\n";
  TVxPartFile part(TVxPartFile::Replace, path_, vxErrStorage);
  part.Write(text.data(), text.size());
  part.Publish();
}

AnsiString TVxTerminalInfo::SystemText(int id) const {
  return decode(ini_.ReadString(System, systemKey(id), ""));
}

void TVxTerminalInfo::SetSystemText(int id, const AnsiString& text) {
  ini_.WriteString(System, systemKey(id), encode(text));
}

AnsiString TVxTerminalInfo::UserText(int id) const {
  return decode(ini_.ReadString(User, userKey(id), ""));
}

void TVxTerminalInfo::SetUserText(int id, const AnsiString& text) {
  ini_.WriteString(User, userKey(id), encode(text));
}

std::int32_t TVxTerminalInfo::Capacity() const {
  return static_cast<std::int32_t>(readFigure(ini_, System, "Capacity", DefaultCapacity, 0, Int32Max));
}

std::int32_t TVxTerminalInfo::BlockSize() const {
  return static_cast<std::int32_t>(readFigure(ini_, System, "BlockSize", DefaultBlockSize, 0, BlockSizeMax));
}

std::int32_t TVxTerminalInfo::SystemRoom() const {
  return static_cast<std::int32_t>(readFigure(ini_, System, "SystemRoom", DefaultSystemRoom, 0, Int32Max));
}

std::int32_t TVxTerminalInfo::MemorySize() const {
  return static_cast<std::int32_t>(readFigure(ini_, System, "MemorySize", DefaultMemorySize, 0, Int32Max));
}

// A terminal set to the end of the century runs more seconds ahead than 32 bits hold.
std::int64_t TVxTerminalInfo::ClockOffset() const {
  return readFigure(ini_, Clock, "Offset", 0, -ClockOffsetMax, ClockOffsetMax);
}

void TVxTerminalInfo::SetClockOffset(std::int64_t seconds) {
  ini_.WriteString(Clock, "Offset", std::to_string(seconds));
}

std::int32_t TVxTerminalInfo::NextFileNumber() const {
  return static_cast<std::int32_t>(readFigure(ini_, Files, "NextNumber", 1, 1, Int32Max));
}

void TVxTerminalInfo::SetNextFileNumber(std::int32_t number) {
  ini_.WriteInteger(Files, "NextNumber", number);
}
