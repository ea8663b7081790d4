// The simulated terminal's settings: the file "settings.ini" in the terminal folder, read at
// every call so that a change takes effect at once. Its keys - the port, the transfer rate, a
// lost link and the faults injected per function - are described in libvxcomm.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "TIniFile.h"

enum class TVxFaultWhen { Always, Once, From };

struct TVxFault {
  std::int32_t Result = 0;
  TVxFaultWhen When = TVxFaultWhen::Always;
  int Call = 1;
  std::optional<bool> GoOn;
  bool operator==(const TVxFault&) const = default;

  // Result with the flag that fixes the go-on flag, when GoOn is given.
  std::int32_t Code() const;
};

class TVxSettings {
public:
  static constexpr std::int32_t PortUsb = 255;
  static constexpr std::int32_t PortNone = -1;
  static constexpr const char* FileName = "settings.ini";

  // Reads the settings file of the terminal folder; a missing file gives the defaults.
  explicit TVxSettings(const std::filesystem::path& folder);

  // 255 for USB, 1 to 254 for a COM port, PortNone when no terminal answers.
  std::int32_t Port() const { return port_; }
  std::int64_t Rate() const { return rate_; }
  bool LinkLost() const { return linkLost_; }
  // The fault injected into the exported function of that name, if any.
  std::optional<TVxFault> Fault(std::string_view function) const;

  // Writes a settings file with the defaults and a comment on every key.
  static void WriteDefaults(const std::filesystem::path& folder);

  // The port a text of the Port key names (see above).
  static std::int32_t ParsePort(std::string_view text);

private:
  // The file is parsed once for the settings and every fault asked for.
  mutable TIniFile ini_;
  std::int32_t port_ = PortUsb;
  std::int64_t rate_ = 0;
  bool linkLost_ = false;
};
