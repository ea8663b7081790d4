#include "TCheckListBox.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TListBox.h"
#include "TStrings.h"

using namespace TestInput;

namespace {
class TCheckListBoxTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    list = place<TCheckListBox>(10, 10, 200, 150);
    for (const char* f : {"/data/a.txt", "/data/b.txt", "/data/c.txt"}) list->Items()->Add(f);
    form->Show();
  }
  TCheckListBox* list = nullptr;
};
}  // namespace

TEST_F(TCheckListBoxTest, MarksAreSetPerLineAndMoveWithTheLines) {
  list->SetChecked(1, true);
  EXPECT_FALSE(list->Checked(0));
  EXPECT_TRUE(list->Checked(1));
  list->Items()->Insert(0, "/data/new.txt");
  EXPECT_TRUE(list->Checked(2));
  list->Items()->Delete(0);
  EXPECT_TRUE(list->Checked(1));
  EXPECT_THROW(list->Checked(3), EListError);
  EXPECT_THROW(list->SetChecked(-1, true), EListError);
}

TEST_F(TCheckListBoxTest, SpaceTogglesTheFocusedMarkAndRaisesOnClickCheck) {
  int checks = 0;
  list->OnClickCheck = [&](TObject*) { ++checks; };
  ClickListBoxItem(list, 2);
  PressKey(list, VK_SPACE, {}, ' ');
  EXPECT_TRUE(list->Checked(2));
  EXPECT_EQ(checks, 1);
  list->SetChecked(2, false);
  EXPECT_EQ(checks, 1) << "the program's change is not the user's check";
}

TEST_F(TCheckListBoxTest, MultiSelectSelectsSeveralLines) {
  list->SetMultiSelect(true);
  ClickListBoxItem(list, 0);
  ClickListBoxItem(list, 2, {ssCtrl});
  EXPECT_TRUE(list->Selected(0));
  EXPECT_FALSE(list->Selected(1));
  EXPECT_TRUE(list->Selected(2));
  EXPECT_EQ(list->SelCount(), 2);
  // Removing the selected lines from the last to the first, as the batch lists do.
  for (int i = list->Items()->Count() - 1; i >= 0; --i)
    if (list->Selected(i)) list->Items()->Delete(i);
  EXPECT_EQ(list->Items()->Text(), "/data/b.txt\r\n");
}

TEST_F(TCheckListBoxTest, AListBoxReportsClicksAndItemIndex) {
  auto* plain = place<TListBox>(220, 10, 100, 100);
  plain->Items()->Add("x");
  plain->Items()->Add("y");
  int clicks = 0;
  plain->OnClick = [&](TObject*) { ++clicks; };
  ClickListBoxItem(plain, 1);
  EXPECT_EQ(plain->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  plain->SetItemIndex(0);
  EXPECT_EQ(clicks, 1) << "the program's choice raises no OnClick";
  plain->SetItemIndex(5);
  EXPECT_EQ(plain->ItemIndex(), -1);
  EXPECT_EQ(plain->ItemAtPos(Point(5, 5)), 0);
}
