#include "TVxSettings.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>

#include "EVxError.h"
#include "StringRoutines.h"
#include "SysPath.h"
#include "VxResult.h"

namespace {

const char* const DefaultText =
    "; Settings of the simulated handheld terminal kept in this folder. Changes take effect at\n"
    "; the next call of the communication library.\n"
    "\n"
    "[Port]\n"
    "; The port the terminal answers on: USB, COM1 .. COM254, or None (no terminal attached).\n"
    "Port=USB\n"
    "\n"
    "[Transfer]\n"
    "; Bytes per second a transfer moves; 0 = as fast as the PC can. 20000 makes the progress of\n"
    "; a transfer easy to follow.\n"
    "Rate=0\n"
    "\n"
    "[Link]\n"
    "; 1 = the link is broken: every call to the terminal fails as with a pulled cable.\n"
    "Lost=0\n"
    "\n"
    "; A fault makes one function of the library fail, for example:\n"
    ";\n"
    "; [Fault.vxUploadFile]\n"
    "; Result=102     the result code to return (102 = time-out)\n"
    "; When=From      Always, Once (only the Call-th call) or From (the Call-th call on)\n"
    "; Call=3\n"
    "; GoOn=1         the go-on flag reported for it (missing: the code's own)\n";

constexpr std::string_view PortCheck = "vxCheckPort";

bool parseInt(std::string_view text, std::int64_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

TVxFaultWhen parseWhen(const AnsiString& text) {
  if (SameText(text, "Once")) return TVxFaultWhen::Once;
  if (SameText(text, "From")) return TVxFaultWhen::From;
  return TVxFaultWhen::Always;
}

}  // namespace

std::int32_t TVxFault::Code() const {
  if (!GoOn || Result <= 0) return Result;
  return Result | (*GoOn ? vxFlagGoOn : vxFlagStop);
}

TVxSettings::TVxSettings(const std::filesystem::path& folder) : ini_(FromSysPath(folder / FileName)) {
  port_ = ParsePort(ini_.ReadString("Port", "Port", "USB"));
  rate_ = std::max(0, ini_.ReadInteger("Transfer", "Rate", 0));
  linkLost_ = ini_.ReadInteger("Link", "Lost", 0) != 0;
}

std::optional<TVxFault> TVxSettings::Fault(std::string_view function) const {
  const AnsiString section = "Fault." + std::string(function);
  std::int64_t result = 0;
  if (!parseInt(ini_.ReadString(section, "Result", ""), result) || result < INT32_MIN || result > INT32_MAX)
    return std::nullopt;
  // 0 is no failure, except as the port handle the port check answers with.
  if (result == 0 && function != PortCheck) return std::nullopt;
  TVxFault fault;
  fault.Result = static_cast<std::int32_t>(result);
  fault.When = parseWhen(ini_.ReadString(section, "When", "Always"));
  fault.Call = std::max(1, ini_.ReadInteger(section, "Call", 1));
  if (ini_.ValueExists(section, "GoOn")) fault.GoOn = ini_.ReadInteger(section, "GoOn", 1) != 0;
  return fault;
}

void TVxSettings::WriteDefaults(const std::filesystem::path& folder) {
  std::ofstream out(folder / FileName, std::ios::binary | std::ios::trunc);
  out << DefaultText;
  out.close();
  if (!out) throw EVxError(vxErrStorage);
}

std::int32_t TVxSettings::ParsePort(std::string_view text) {
  AnsiString port = UpperCase(text);
  if (port == "USB") return PortUsb;
  if (port.starts_with("COM")) port.erase(0, 3);
  std::int64_t number = 0;
  if (parseInt(port, number) && number >= 1 && number <= PortUsb) return static_cast<std::int32_t>(number);
  return PortNone;
}
