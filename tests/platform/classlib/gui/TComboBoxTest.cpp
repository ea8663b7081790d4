#include "TComboBox.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TStrings.h"

using namespace TestInput;

namespace {
class TComboBoxTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    combo = place<TComboBox>(10, 10, 150, 21);
    for (const AnsiString& item : {Ansi(u"系统整体密码"), Ansi(u"运行指定的程序"), Ansi(u"运行选定的程序")}) combo->Items()->Add(item);
    form->Show();
  }
  TComboBox* combo = nullptr;
};
}  // namespace

TEST_F(TComboBoxTest, ItemIndexChoosesAnItemAndItsText) {
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), Ansi(u"运行指定的程序"));
  combo->SetItemIndex(7);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
}

TEST_F(TComboBoxTest, AnEditableComboTakesAnyText) {
  combo->SetText("/pub");
  EXPECT_EQ(combo->Text(), "/pub");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetText(Ansi(u"运行选定的程序"));
  EXPECT_EQ(combo->ItemIndex(), 2);
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetText("");
  TypeText(combo, "ab");
  EXPECT_EQ(combo->Text(), "ab");
  EXPECT_EQ(changes, 2) << "the user's typing raises OnChange, the program's text does not";
}

TEST_F(TComboBoxTest, ChoosingWithTheKeyboardRaisesOnChangeAndOnClick) {
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(0);
  std::string log;
  combo->OnChange = [&](TObject*) { log += "change;"; };
  combo->OnClick = [&](TObject*) { log += "click;"; };
  PressKey(combo, VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(log, "change;click;");
}

TEST_F(TComboBoxTest, ItemsChangesShowAndSortedKeepsOrder) {
  combo->Items()->Clear();
  combo->SetSorted(true);
  combo->Items()->Add("b");
  combo->Items()->Add("A");
  combo->Items()->Add("c");
  EXPECT_EQ(combo->Items()->Text(), "A\r\nb\r\nc\r\n");
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "c");
  combo->Clear();
  EXPECT_EQ(combo->Items()->Count(), 0);
  EXPECT_EQ(combo->Text(), "");
}
