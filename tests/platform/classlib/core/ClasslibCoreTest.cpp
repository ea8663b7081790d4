#include "ClasslibCore.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "CodePage.h"
#include "TThread.h"

namespace {

// Sets HHM_CODEPAGE for one test and puts the process's code page back afterwards.
class ClasslibCoreTest : public testing::Test {
protected:
  void TearDown() override {
    unsetenv("HHM_CODEPAGE");
    SetACP(936);
  }
};

}  // namespace

TEST_F(ClasslibCoreTest, InitialisationReadsTheCodePageSetting) {
  setenv("HHM_CODEPAGE", "65001", 1);
  TUnitList units({ClasslibCoreUnit});
  units.Initialize();
  EXPECT_EQ(GetACP(), 65001);
  EXPECT_TRUE(IsMainThread());
}

TEST_F(ClasslibCoreTest, UnusableCodePageSettingIsReportedAndFallsBackTo936) {
  SetACP(1252);
  setenv("HHM_CODEPAGE", "nonsense", 1);
  testing::internal::CaptureStderr();
  TUnitList units({ClasslibCoreUnit});
  units.Initialize();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(GetACP(), 936);
  EXPECT_NE(err.find("HHM_CODEPAGE=nonsense"), std::string::npos);
}
