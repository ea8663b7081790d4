#include "WinUser.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"

namespace {
class WinUserTest : public GuiTest {};
}  // namespace

TEST_F(WinUserTest, MetricsOfTheFrameAndTheMenu) {
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CYEDGE), 2);
  EXPECT_GE(GetSystemMetrics(SM_CYMENU), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), Screen->Width());
  EXPECT_EQ(GetSystemMetrics(9999), 0);
}
