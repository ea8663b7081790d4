#include "TRadioGroup.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TStrings.h"

using namespace TestInput;

namespace {
class TRadioGroupTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    group = place<TRadioGroup>(10, 10, 200, 200);
    group->SetCaption(Ansi(u"自动转换"));
    for (const char* item : {"ALL", "TXT", "CSV", "MDB", "XLS", "XML", "NONE"}) group->Items()->Add(item);
    form->Show();
  }
  TRadioGroup* group = nullptr;
};
}  // namespace

TEST_F(TRadioGroupTest, ItemIndexIsClampedAsTheOriginalDoes) {
  group->SetItemIndex(3);
  EXPECT_EQ(group->ItemIndex(), 3);
  group->SetItemIndex(99);
  EXPECT_EQ(group->ItemIndex(), 6) << "beyond the last selects the last (NONE)";
  group->SetItemIndex(-5);
  EXPECT_EQ(group->ItemIndex(), -1) << "below -1 selects nothing";
  group->SetItemIndex(2);
  group->SetItemIndex(-1);
  EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(TRadioGroupTest, AClickChoosesTheItemAndRaisesOnClick) {
  std::vector<int> seen;
  group->OnClick = [&](TObject*) { seen.push_back(group->ItemIndex()); };
  ClickRadioItem(group, 4);
  EXPECT_EQ(group->ItemIndex(), 4);
  ClickRadioItem(group, 4);
  EXPECT_EQ(group->ItemIndex(), 4) << "clicking the chosen item keeps it";
  group->SetItemIndex(1);
  EXPECT_EQ(seen, (std::vector<int>{4, 1}));
}

TEST_F(TRadioGroupTest, FewerItemsKeepTheChoiceWithinThem) {
  group->SetItemIndex(6);
  group->Items()->Delete(6);
  EXPECT_EQ(group->ItemIndex(), 5);
  group->Items()->Clear();
  EXPECT_EQ(group->ItemIndex(), -1);
  group->SetItemIndex(0);
  EXPECT_EQ(group->ItemIndex(), -1) << "no items, nothing to choose";
}

TEST_F(TRadioGroupTest, PublishedPropertiesRoundTrip) {
  SetOrdProp(group, "Columns", 2);
  EXPECT_EQ(group->Columns(), 2);
  SetOrdProp(group, "ItemIndex", 5);
  EXPECT_EQ(group->ItemIndex(), 5);
  SetStrProp(group, "Caption", Ansi(u"转换"));
  EXPECT_EQ(group->Caption(), Ansi(u"转换"));
  auto* items = dynamic_cast<TStrings*>(GetObjectProp(group, "Items"));
  ASSERT_NE(items, nullptr);
  items->SetText("A\r\nB\r\n");
  EXPECT_EQ(group->Items()->Count(), 2);
}
