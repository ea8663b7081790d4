#include "TSpeedButton.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

using namespace TestInput;

namespace {
class TSpeedButtonTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    form->Show();
  }
};
}  // namespace

TEST_F(TSpeedButtonTest, AToggleStaysDownAfterAClickAndComesUpAtTheNext) {
  auto* mode = place<TSpeedButton>(10, 10, 200, 22);
  mode->SetGroupIndex(7);
  mode->SetAllowAllUp(true);
  std::vector<bool> seen;
  mode->OnClick = [&](TObject*) { seen.push_back(mode->Down()); };
  ClickControl(mode);
  EXPECT_TRUE(mode->Down());
  ClickControl(mode);
  EXPECT_FALSE(mode->Down());
  ClickControl(mode);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

TEST_F(TSpeedButtonTest, AGroupKeepsOneButtonDown) {
  auto* a = place<TSpeedButton>(10, 10, 23, 22);
  auto* b = place<TSpeedButton>(40, 10, 23, 22);
  auto* other = place<TSpeedButton>(70, 10, 23, 22);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  other->SetGroupIndex(2);
  other->SetDown(true);
  ClickControl(a);
  EXPECT_TRUE(a->Down());
  ClickControl(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(other->Down()) << "another group is not touched";
  ClickControl(b);
  EXPECT_TRUE(b->Down()) << "without AllowAllUp the last button stays down";
  a->SetAllowAllUp(true);
  EXPECT_TRUE(b->AllowAllUp()) << "AllowAllUp belongs to the whole group";
  ClickControl(b);
  EXPECT_FALSE(b->Down());
}

TEST_F(TSpeedButtonTest, AButtonWithoutGroupNeverStaysDown) {
  auto* plain = place<TSpeedButton>(10, 10, 23, 22);
  int clicks = 0;
  plain->OnClick = [&](TObject*) { ++clicks; };
  ClickControl(plain);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicks, 1);
}
