// The library's state in the process, behind the eighteen exported functions: it serves the
// calls one at a time, applies the settings' link checks and injected faults, hands the
// registered progress procedure to the terminal, and turns every exception into a result code
// so that none crosses the C boundary. One instance per process (Instance).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>

#include "TVxFaultInjector.h"
#include "TVxTerminal.h"
#include "libvxcomm.h"

class TVxLibrary {
public:
  static TVxLibrary& Instance();

  // Runs a call that talks to the terminal on port: vxErrLinkLost, an injected fault,
  // vxErrNoDevice or vxErrBadPort when the settings say so, else op's outcome.
  std::int32_t Run(std::string_view function, std::int32_t port, const std::function<void(TVxTerminal&)>& op);
  // The port the terminal answers on, -1 when none does (or an injected fault's value).
  std::int32_t CheckPort();
  // The injected fault of a function that does not talk to the terminal (vxSetProgress,
  // vxGetErrMsg); never raises.
  std::optional<std::int32_t> Fault(std::string_view function);
  void SetProgress(VxProgressProc proc) { progress_.store(proc); }

private:
  TVxLibrary() = default;
  // Runs body holding the terminal: one call at a time, and none from inside a progress report.
  std::int32_t serve(std::int32_t busy, const std::function<std::int32_t(TVxTerminal&, const TVxSettings&)>& body);

  std::mutex lock_;  // held for the whole of a call that talks to the terminal
  std::atomic<VxProgressProc> progress_{nullptr};
  TVxFaultInjector faults_;
};
