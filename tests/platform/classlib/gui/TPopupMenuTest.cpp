#include "TPopupMenu.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TPanel.h"

using namespace TestInput;

namespace {

class TPopupMenuTest : public FormTest {
protected:
  TMenuItem* item(const AnsiString& caption, int tag, TMenuItem* parent) {
    auto* mi = new TMenuItem(form);
    mi->SetCaption(caption);
    mi->SetTag(tag);
    parent->Add(mi);
    return mi;
  }
};

}  // namespace

TEST_F(TPopupMenuTest, ItemsAddedAtRunTimeRaiseTheirOnClickWithTheirTag) {
  auto* menu = new TPopupMenu(form);
  auto* languages = item(Ansi(u"语言(&L)"), 0, menu->Items());
  std::vector<int> chosen;
  for (int i = 0; i < 3; ++i) {
    TMenuItem* mi = item("Language " + std::to_string(i), i, languages);
    mi->OnClick = [&](TObject* sender) { chosen.push_back(static_cast<TMenuItem*>(sender)->Tag()); };
  }
  ASSERT_EQ(languages->Count(), 3);
  EXPECT_EQ(languages->Items(2)->MenuIndex(), 2);
  EXPECT_EQ(languages->Items(1)->GetParentMenu(), menu);
  ChooseMenuItem(languages->Items(2));
  ChooseMenuItem(languages->Items(0));
  EXPECT_EQ(chosen, (std::vector<int>{2, 0}));
}

TEST_F(TPopupMenuTest, DisabledItemsAreNotChosenAndChecksStayAsSet) {
  auto* menu = new TPopupMenu(form);
  TMenuItem* a = item("&Upload", 0, menu->Items());
  TMenuItem* line = item("-", 0, menu->Items());
  int clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  a->SetEnabled(false);
  ChooseMenuItem(a);
  EXPECT_EQ(clicks, 0);
  a->SetEnabled(true);
  a->SetChecked(true);
  ChooseMenuItem(a);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(a->Checked());
  EXPECT_TRUE(line->IsLine());
  EXPECT_THROW(menu->Items()->Add(a), EMenuError);
  EXPECT_THROW(menu->Items()->Items(5), EMenuError);
}

TEST_F(TPopupMenuTest, PopupRaisesOnPopupWhereItemsAreEnabled) {
  auto* menu = new TPopupMenu(form);
  TMenuItem* del = item(Ansi(u"删除文件"), 0, menu->Items());
  bool haveSelection = false;
  menu->OnPopup = [&](TObject*) { del->SetEnabled(haveSelection); };
  form->Show();
  const TPoint p = form->ClientToScreen(Point(10, 10));
  menu->Popup(p.x, p.y);
  EXPECT_FALSE(del->Enabled());
  EXPECT_TRUE(menu->IsPoppedUp());
  menu->CloseMenu();
  haveSelection = true;
  menu->Popup(p.x, p.y);
  EXPECT_TRUE(del->Enabled());
  menu->CloseMenu();
}

TEST_F(TPopupMenuTest, AutoPopupOffKeepsTheMenuFromRightClicks) {
  auto* menu = new TPopupMenu(form);
  menu->SetAutoPopup(false);
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  auto* panel = place<TPanel>(0, 0, 100, 100);
  panel->SetPopupMenu(menu);
  form->Show();
  RightClickControl(panel);
  EXPECT_EQ(popups, 0);
  menu->SetAutoPopup(true);
  RightClickControl(panel);
  EXPECT_EQ(popups, 1) << "the same click pops the menu up once AutoPopup is on";
  menu->CloseMenu();
}

TEST_F(TPopupMenuTest, ItemsAreFreedWithTheirParentOrOwnerInAnyOrder) {
  auto* menu = new TPopupMenu(form);
  TMenuItem* sub = item("sub", 0, menu->Items());
  TMenuItem* leaf = item("leaf", 0, sub);
  delete leaf;
  EXPECT_EQ(sub->Count(), 0);
  item("leaf2", 0, sub);
  delete sub;  // frees its sub-item too
  EXPECT_EQ(menu->Items()->Count(), 0);
  item("last", 0, menu->Items());
  delete menu;  // the owner still owns "last"; the menu frees it first
  EXPECT_EQ(form->ComponentCount(), 0);
}
