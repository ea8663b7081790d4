#include "TEdit.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

using namespace TestInput;

namespace {
class TEditTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    edit = place<TEdit>(10, 10, 150, 21);
    form->Show();
  }
  TEdit* edit = nullptr;
};
}  // namespace

TEST_F(TEditTest, TypingChangesTextAndRaisesOnChange) {
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  TypeText(edit, "ab1");
  EXPECT_EQ(edit->Text(), "ab1");
  EXPECT_EQ(changes, 3);
  edit->SetText("21");
  EXPECT_EQ(changes, 4);
}

TEST_F(TEditTest, OnKeyPressCanDiscardKeys) {
  // Digits, backspace and Enter only, as the password edit of the management page wants.
  edit->OnKeyPress = [](TObject*, char& key) {
    if (!((key >= '0' && key <= '9') || key == 8 || key == 13)) key = 0;
  };
  TypeText(edit, "1a2 b3");
  EXPECT_EQ(edit->Text(), "123");
  TypeText(edit, "\b");
  EXPECT_EQ(edit->Text(), "12");
}

TEST_F(TEditTest, OnKeyPressCanReplaceAKey) {
  edit->OnKeyPress = [](TObject*, char& key) {
    if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
  };
  TypeText(edit, "ab");
  EXPECT_EQ(edit->Text(), "AB");
}

TEST_F(TEditTest, MaxLengthLimitsTypingAndReadOnlyStopsIt) {
  edit->SetMaxLength(3);
  TypeText(edit, "abcdef");
  EXPECT_EQ(edit->Text(), "abc");
  edit->SetReadOnly(true);
  TypeText(edit, "x");
  EXPECT_EQ(edit->Text(), "abc");
  edit->SetText("longer than three");  // the program is not limited
  EXPECT_EQ(edit->Text(), "longer than three");
}

TEST_F(TEditTest, PublishedPropertiesRoundTrip) {
  SetStrProp(edit, "Text", Ansi(u"服务器"));
  EXPECT_EQ(edit->Text(), Ansi(u"服务器"));
  SetOrdProp(edit, "PasswordChar", '*');
  EXPECT_EQ(edit->PasswordChar(), '*');
  SetOrdProp(edit, "MaxLength", 100);
  EXPECT_EQ(GetOrdProp(edit, "MaxLength"), 100);
  SetOrdProp(edit, "ReadOnly", 1);
  EXPECT_TRUE(edit->ReadOnly());
}
