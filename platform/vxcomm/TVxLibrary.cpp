#include "TVxLibrary.h"

#include <new>

#include "Exception.h"

#include "EVxError.h"

namespace {

// Set while this thread is inside a call, so that a call made from the progress procedure is
// refused instead of waiting for itself.
thread_local bool insideCall = false;

struct InsideCall {
  InsideCall() { insideCall = true; }
  ~InsideCall() { insideCall = false; }
  InsideCall(const InsideCall&) = delete;
  InsideCall& operator=(const InsideCall&) = delete;
};

}  // namespace

TVxLibrary& TVxLibrary::Instance() {
  static TVxLibrary library;
  return library;
}

std::int32_t TVxLibrary::serve(std::int32_t busy,
                               const std::function<std::int32_t(TVxTerminal&, const TVxSettings&)>& body) {
  if (insideCall) return busy;
  std::lock_guard<std::mutex> guard(lock_);
  InsideCall inside;
  TVxTerminal terminal(TVxTerminal::DefaultFolder());
  return body(terminal, terminal.Settings());
}

std::int32_t TVxLibrary::Run(std::string_view function, std::int32_t port,
                             const std::function<void(TVxTerminal&)>& op) {
  try {
    return serve(vxErrBusy, [&](TVxTerminal& terminal, const TVxSettings& settings) -> std::int32_t {
      if (settings.LinkLost()) return vxErrLinkLost;
      if (auto code = faults_.Check(terminal.Folder().string(), function, settings.Fault(function))) return *code;
      if (settings.Port() == TVxSettings::PortNone) return vxErrNoDevice;
      if (port != settings.Port()) return vxErrBadPort;
      TVxTransferOptions transfer;
      transfer.Rate = settings.Rate();
      if (VxProgressProc proc = progress_.load()) transfer.OnProgress = [proc](int percent) { proc(percent); };
      terminal.SetTransfer(std::move(transfer));
      op(terminal);
      return vxOk;
    });
  } catch (const EVxError& e) {
    return e.Result;
  } catch (const std::bad_alloc&) {
    return vxErrNoMemory;
  } catch (const Exception&) {
    return vxErrStorage;  // the class library failed on the terminal's folder
  } catch (...) {
    return vxErrInternal;
  }
}

std::int32_t TVxLibrary::CheckPort() {
  constexpr std::string_view function = "vxCheckPort";
  try {
    return serve(TVxSettings::PortNone, [&](TVxTerminal& terminal, const TVxSettings& settings) -> std::int32_t {
      if (settings.LinkLost()) return TVxSettings::PortNone;
      const std::optional<TVxFault> fault = settings.Fault(function);
      if (faults_.Check(terminal.Folder().string(), function, fault)) return fault->Result;
      return settings.Port();
    });
  } catch (...) {
    return TVxSettings::PortNone;  // a terminal that cannot be read does not answer
  }
}

std::optional<std::int32_t> TVxLibrary::Fault(std::string_view function) {
  try {
    const std::filesystem::path folder = TVxTerminal::DefaultFolder();
    return faults_.Check(folder.string(), function, TVxSettings(folder).Fault(function));
  } catch (...) {
    return std::nullopt;  // no readable settings, no fault
  }
}
