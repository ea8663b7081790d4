#include "TCheckBox.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

using namespace TestInput;

namespace {
class TCheckBoxTest : public FormTest {};
}  // namespace

TEST_F(TCheckBoxTest, ClicksToggleAndEveryChangeRaisesOnClick) {
  auto* box = place<TCheckBox>(10, 10, 150, 17);
  box->SetCaption(Ansi(u"禁止自动更新时间"));
  std::vector<bool> seen;
  box->OnClick = [&](TObject*) { seen.push_back(box->Checked()); };
  form->Show();
  ClickControl(box, {}, 6);
  EXPECT_TRUE(box->Checked());
  box->SetChecked(false);  // the program's change raises it too
  box->SetChecked(false);  // no change, no event
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(TCheckBoxTest, GrayedOnlyWithAllowGrayed) {
  auto* box = place<TCheckBox>(10, 10, 150, 17);
  box->SetAllowGrayed(true);
  box->SetState(cbGrayed);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(box->State(), cbGrayed);
  box->SetAllowGrayed(false);
  EXPECT_EQ(box->State(), cbUnchecked);
  SetOrdProp(box, "Checked", 1);
  EXPECT_EQ(GetOrdProp(box, "State"), static_cast<int>(cbChecked));
}
