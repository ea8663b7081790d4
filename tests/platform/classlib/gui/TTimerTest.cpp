#include "TTimer.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"

using namespace TestInput;

namespace {
class TTimerTest : public GuiTest {};
}  // namespace

TEST_F(TTimerTest, RunsOnTimerRepeatedlyWhileEnabled) {
  TTimer timer(nullptr);
  EXPECT_EQ(timer.Interval(), 1000u);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(10);
  EXPECT_TRUE(WaitUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  const int stopped = ticks;
  ProcessFor(50);
  EXPECT_EQ(ticks, stopped);
  timer.SetEnabled(true);
  timer.SetInterval(0);
  ProcessFor(30);
  EXPECT_EQ(ticks, stopped) << "an interval of 0 runs nothing";
}
