#include "TVxFaultInjector.h"

#include <gtest/gtest.h>

#include <vector>

#include "VxResult.h"

namespace {

// Which of n calls fail under the fault.
std::vector<bool> failures(TVxFaultInjector& injector, const TVxFault& fault, int n) {
  std::vector<bool> failed;
  for (int i = 0; i < n; ++i) failed.push_back(injector.Check("/t", "vxUploadFile", fault).has_value());
  return failed;
}

TVxFault fault(TVxFaultWhen when, int call) {
  TVxFault f;
  f.Result = vxErrTimeout;
  f.When = when;
  f.Call = call;
  return f;
}

}  // namespace

TEST(TVxFaultInjectorTest, ChangedFaultCountsAfresh) {
  TVxFaultInjector injector;
  failures(injector, fault(TVxFaultWhen::Once, 1), 2);
  EXPECT_EQ(failures(injector, fault(TVxFaultWhen::Once, 2), 2), (std::vector<bool>{false, true}));
  EXPECT_FALSE(injector.Check("/t", "vxUploadFile", std::nullopt));
  EXPECT_EQ(failures(injector, fault(TVxFaultWhen::Once, 2), 2), (std::vector<bool>{false, true}));
}

