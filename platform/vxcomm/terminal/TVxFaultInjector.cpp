#include "TVxFaultInjector.h"

#include <limits>

std::optional<std::int32_t> TVxFaultInjector::Check(const std::string& folder, std::string_view function,
                                                    const std::optional<TVxFault>& fault) {
  const std::string key = folder + '\n' + std::string(function);
  std::lock_guard<std::mutex> guard(lock_);
  if (!fault) {
    counters_.erase(key);
    return std::nullopt;
  }
  Counter& counter = counters_[key];
  if (!(counter.Fault == *fault)) counter = Counter{*fault, 0};
  if (counter.Calls < std::numeric_limits<int>::max()) ++counter.Calls;
  const int call = counter.Calls;
  bool fails = true;
  switch (fault->When) {
    case TVxFaultWhen::Always: break;
    case TVxFaultWhen::Once: fails = call == fault->Call; break;
    case TVxFaultWhen::From: fails = call >= fault->Call; break;
  }
  if (!fails) return std::nullopt;
  return fault->Code();
}
