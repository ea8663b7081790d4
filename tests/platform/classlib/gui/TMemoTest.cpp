#include "TMemo.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TStrings.h"

using namespace TestInput;

namespace {
class TMemoTest : public FormTest {};
}  // namespace

TEST_F(TMemoTest, LinesAndTextAreOneAndFollowTheUsersTyping) {
  auto* memo = place<TMemo>(10, 10, 200, 100);
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  memo->Lines()->Add("first");
  memo->Lines()->Add("second");
  EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n");
  EXPECT_EQ(changes, 2);
  form->Show();
  memo->Clear();
  TypeText(memo, "ab\rc");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(0), "ab");
  EXPECT_EQ(memo->Lines()->Strings(1), "c");
}

TEST_F(TMemoTest, PublishedPropertiesRoundTrip) {
  auto* memo = place<TMemo>(10, 10, 200, 100);
  EXPECT_TRUE(memo->WordWrap());
  SetOrdProp(memo, "WordWrap", 0);
  SetOrdProp(memo, "ReadOnly", 1);
  SetOrdProp(memo, "ScrollBars", static_cast<int>(ssBoth));
  EXPECT_FALSE(memo->WordWrap());
  EXPECT_TRUE(memo->ReadOnly());
  EXPECT_EQ(memo->ScrollBars(), ssBoth);
  auto* lines = dynamic_cast<TStrings*>(GetObjectProp(memo, "Lines"));
  ASSERT_NE(lines, nullptr);
  lines->SetText("x\r\ny");
  EXPECT_EQ(memo->Lines()->Count(), 2);
}
