// Decides which calls an injected fault makes fail. It counts the calls of each function of
// each terminal folder from the first call that sees the fault, and starts counting afresh when
// the fault's settings change. Safe to use from several threads.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "TVxSettings.h"

class TVxFaultInjector {
public:
  // Counts this call of function on the terminal of folder and returns the code it must fail
  // with, or nothing when it runs normally.
  std::optional<std::int32_t> Check(const std::string& folder, std::string_view function,
                                    const std::optional<TVxFault>& fault);

private:
  struct Counter {
    TVxFault Fault;
    int Calls = 0;
  };
  std::mutex lock_;  // guards counters_
  std::map<std::string, Counter, std::less<>> counters_;
};
