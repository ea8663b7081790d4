#include "TProgressBar.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {
class TProgressBarTest : public FormTest {};
}  // namespace

TEST_F(TProgressBarTest, PositionStaysWithinMinAndMax) {
  auto* bar = place<TProgressBar>(0, 0, 150, 16);
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 100);
  bar->SetPosition(-3);
  EXPECT_EQ(bar->Position(), 0);
  bar->SetPosition(40);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 50);
  bar->SetMax(30);
  EXPECT_EQ(bar->Position(), 30);
  bar->SetMax(0);  // an empty range: an empty bar, not an error
  EXPECT_EQ(bar->Max(), 0);
  SetOrdProp(bar, "Max", 2048);
  SetOrdProp(bar, "Position", 1024);
  EXPECT_EQ(GetOrdProp(bar, "Position"), 1024);
}
