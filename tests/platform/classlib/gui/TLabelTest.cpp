#include "TLabel.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

using namespace TestInput;

namespace {
class TLabelTest : public FormTest {};
}  // namespace

TEST_F(TLabelTest, AutoSizeFollowsTheTextAndFont) {
  auto* label = place<TLabel>(10, 10, 5, 5);
  label->SetCaption(Ansi(u"手持机"));
  const int narrow = label->Width();
  EXPECT_GT(narrow, 5);
  label->SetCaption(Ansi(u"手持机通信软件"));
  const int wide = label->Width();
  EXPECT_GT(wide, narrow);
  label->Font()->SetHeight(-25);
  EXPECT_GT(label->Width(), wide);
  EXPECT_GE(label->Height(), 25);
  label->SetAutoSize(false);
  label->SetCaption("x");
  EXPECT_GT(label->Width(), wide) << "without AutoSize the size stays";
}

TEST_F(TLabelTest, AClickRaisesOnClickAndDoesNotReachTheParent) {
  auto* label = place<TLabel>(10, 10, 50, 20);
  label->SetCaption("http://example.com");
  int labelClicks = 0;
  int formClicks = 0;
  label->OnClick = [&](TObject*) { ++labelClicks; };
  form->OnClick = [&](TObject*) { ++formClicks; };
  form->Show();
  ClickControl(label);
  EXPECT_EQ(labelClicks, 1);
  EXPECT_EQ(formClicks, 0);
}

TEST_F(TLabelTest, PublishedPropertiesRoundTrip) {
  auto* label = place<TLabel>(10, 10, 50, 20);
  SetOrdProp(label, "Transparent", 1);
  EXPECT_TRUE(label->Transparent());
  SetOrdProp(label, "Alignment", static_cast<int>(taCenter));
  EXPECT_EQ(label->Alignment(), taCenter);
  SetOrdProp(label, "WordWrap", 1);
  EXPECT_TRUE(label->WordWrap());
  SetOrdProp(label, "ShowAccelChar", 0);
  EXPECT_FALSE(label->ShowAccelChar());
  SetOrdProp(label, "Layout", static_cast<int>(tlCenter));
  EXPECT_EQ(label->Layout(), tlCenter);
}
