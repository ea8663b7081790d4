#include "TWinControl.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TEdit.h"
#include "TLabel.h"
#include "TPanel.h"

using namespace TestInput;

namespace {
class TWinControlTest : public FormTest {};
}  // namespace

TEST_F(TWinControlTest, FocusMovesLeaveAndEnterTheControlsOnTheWay) {
  auto* left = place<TPanel>(0, 0, 200, 200);
  auto* right = place<TPanel>(200, 0, 200, 200);
  auto* a = place<TEdit>(10, 10, 100, 21, left);
  auto* b = place<TEdit>(10, 40, 100, 21, left);
  auto* c = place<TEdit>(10, 10, 100, 21, right);
  std::string log;
  auto watch = [&](TWinControl* w, const char* name) {
    w->OnEnter = [&log, name](TObject*) { log += std::string("+") + name; };
    w->OnExit = [&log, name](TObject*) { log += std::string("-") + name; };
  };
  watch(left, "L");
  watch(right, "R");
  watch(a, "a");
  watch(b, "b");
  watch(c, "c");
  form->Show();
  ASSERT_TRUE(FocusControl(a));
  log.clear();
  ASSERT_TRUE(FocusControl(b));
  EXPECT_EQ(log, "-a+b");
  log.clear();
  ASSERT_TRUE(FocusControl(c));
  EXPECT_EQ(log, "-b-L+R+c");
}

TEST_F(TWinControlTest, TabFollowsTabOrderAndSkipsControlsWithoutTabStop) {
  auto* first = place<TEdit>(10, 10, 100, 21);
  auto* second = place<TEdit>(10, 40, 100, 21);
  auto* third = place<TEdit>(10, 70, 100, 21);
  third->SetTabOrder(0);
  EXPECT_EQ(first->TabOrder(), 1);
  EXPECT_EQ(second->TabOrder(), 2);
  second->SetTabStop(false);
  form->Show();
  ASSERT_TRUE(FocusControl(third));
  PressKey(third, VK_TAB);
  EXPECT_TRUE(first->Focused());
  PressKey(first, VK_TAB);
  EXPECT_TRUE(third->Focused()) << "the control without TabStop is passed over";
  second->SetTabOrder(99);
  EXPECT_EQ(second->TabOrder(), 2) << "a position beyond the last puts it last";
}

TEST_F(TWinControlTest, KeyPreviewLetsTheFormSeeKeysFirst) {
  auto* edit = place<TEdit>(10, 10, 100, 21);
  std::string log;
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    log += "form;";
    if (key == VK_F5) key = 0;
  };
  edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { log += "edit;"; };
  form->Show();
  PressKey(edit, 'X', {}, 'x');
  PressKey(edit, VK_F5);
  EXPECT_EQ(log, "form;edit;form;");
  EXPECT_EQ(edit->Text(), "x");
}

TEST_F(TWinControlTest, HintsShowWhenShowHintIsOnHereOrInheritedAndInTheApplication) {
  auto* panel = place<TPanel>(0, 0, 200, 200);
  auto* edit = place<TEdit>(10, 10, 100, 21, panel);
  edit->SetHint(Ansi(u"从计算机下装文件到抄表机|长说明"));
  EXPECT_EQ(ShownHint(edit), "");
  panel->SetShowHint(true);
  EXPECT_EQ(ShownHint(edit), Ansi(u"从计算机下装文件到抄表机")) << "the short part, before \"|\"";
  Application->SetShowHint(false);
  EXPECT_EQ(ShownHint(edit), "");
  Application->SetShowHint(true);
  EXPECT_EQ(ShownHint(edit), Ansi(u"从计算机下装文件到抄表机"));
}

TEST_F(TWinControlTest, WindowsFontNamesAreShownWithInstalledFonts) {
  auto* label = place<TLabel>(10, 10, 50, 20);
  label->SetCaption(Ansi(u"手持机通信软件"));
  for (auto name : {u"宋体", u"隶书"}) {
    label->Font()->SetName(Ansi(name));
    EXPECT_NE(ShownFontFamily(label).find("WenQuanYi"), AnsiString::npos) << ShownFontFamily(label);
  }
  label->Font()->SetName("Tahoma");
  EXPECT_NE(ShownFontFamily(label), "Tahoma");
  EXPECT_FALSE(ShownFontFamily(label).empty());
}
