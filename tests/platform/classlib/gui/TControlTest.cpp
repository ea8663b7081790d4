#include "TControl.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TForm.h"
#include "TPopupMenu.h"
#include "TypInfo.h"

using namespace TestInput;

namespace {

class TControlTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = NewForm<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    if (form != nullptr) form->Free();
    GuiTest::TearDown();
  }
  TWinControl* place(TWinControl* parent, TAlign align, int l, int t, int w, int h) {
    auto* c = new TWinControl(form);
    c->SetBounds(l, t, w, h);
    c->SetParent(parent);
    c->SetAlign(align);
    return c;
  }
  TForm* form = nullptr;
};

}  // namespace

TEST_F(TControlTest, AlignDocksTopBottomLeftRightThenClient) {
  TWinControl* top = place(form, alTop, 0, 0, 10, 30);
  TWinControl* bottom = place(form, alBottom, 0, 0, 10, 28);
  TWinControl* left = place(form, alLeft, 0, 0, 50, 10);
  TWinControl* right = place(form, alRight, 0, 0, 94, 10);
  TWinControl* client = place(form, alClient, 0, 0, 1, 1);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 272, 400, 300));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, 272));
  EXPECT_EQ(right->BoundsRect(), Rect(306, 30, 400, 272));
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 306, 272));

  form->SetBounds(0, 0, 500, 400);
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 372, 500, 400));
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 406, 372));

  top->SetVisible(false);
  EXPECT_EQ(client->Top(), 0) << "hidden controls give up their room";
}

TEST_F(TControlTest, AlignedControlsKeepTheOrderOfTheirPositions) {
  // As when a form definition is loaded: every position is set before aligning.
  form->DisableAlign();
  TWinControl* second = place(form, alTop, 0, 50, 10, 20);
  TWinControl* first = place(form, alTop, 0, 10, 10, 30);
  form->EnableAlign();
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(second->Top(), 30);
}

TEST_F(TControlTest, ChildrenAreNotAlignedWhileAlignIsDisabled) {
  form->DisableAlign();
  TWinControl* client = place(form, alClient, 5, 5, 1, 1);
  EXPECT_EQ(client->Width(), 1);
  form->EnableAlign();
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 400, 300));
}

TEST_F(TControlTest, ParentFreedFirstFreesItsChildrenOnce) {
  TWinControl* panel = place(form, alNone, 0, 0, 100, 100);
  TWinControl* inner = place(panel, alNone, 0, 0, 10, 10);
  inner->SetName("inner");
  place(inner, alNone, 0, 0, 5, 5);
  EXPECT_EQ(form->ComponentCount(), 3);
  delete panel;  // owned by the form, like its children
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_EQ(form->FindComponent("inner"), nullptr);
  EXPECT_EQ(LiveControlCount(), 1);
}

TEST_F(TControlTest, ControlFreedOnItsOwnLeavesParentAndOwner) {
  TWinControl* a = place(form, alTop, 0, 0, 10, 40);
  TWinControl* b = place(form, alTop, 0, 50, 10, 40);
  delete a;
  EXPECT_EQ(form->ControlCount(), 1);
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(b->Top(), 0) << "the remaining controls are aligned again";
}

TEST_F(TControlTest, FreeingAFormFreesEveryWidgetAndRaisesNoEventIntoIt) {
  struct TWatched : TForm {
    using TForm::TForm;
    ~TWatched() override { gone = true; }
    bool gone = false;
  };
  int eventsAfterDestruction = 0;
  auto* watched = NewForm<TForm>(nullptr);
  bool formGone = false;
  auto* edit = new TWinControl(watched);
  edit->SetParent(watched);
  edit->SetBounds(0, 0, 50, 20);
  edit->OnExit = [&](TObject*) {
    if (formGone) ++eventsAfterDestruction;
  };
  edit->OnEnter = edit->OnExit;
  watched->Show();
  FocusControl(edit);
  formGone = true;
  watched->Free();
  ProcessFor(20);
  EXPECT_EQ(eventsAfterDestruction, 0);
  EXPECT_EQ(LiveControlCount(), 1) << "only the fixture's form is left";
}

TEST_F(TControlTest, ParentFontIsFollowedUntilTheControlsOwnFontChanges) {
  TWinControl* panel = place(form, alNone, 0, 0, 100, 100);
  TWinControl* child = place(panel, alNone, 0, 0, 10, 10);
  form->Font()->SetName("Tahoma");
  form->Font()->SetSize(12);
  EXPECT_TRUE(child->ParentFont());
  EXPECT_EQ(child->Font()->Name(), "Tahoma");
  EXPECT_EQ(child->Font()->Size(), 12);

  child->Font()->SetStyle({fsBold});
  EXPECT_FALSE(child->ParentFont());
  form->Font()->SetSize(20);
  EXPECT_EQ(panel->Font()->Size(), 20);
  EXPECT_EQ(child->Font()->Size(), 12) << "no longer follows";

  child->SetParentFont(true);
  EXPECT_EQ(child->Font()->Size(), 20);
  EXPECT_TRUE(child->Font()->Style().Empty());
}

TEST_F(TControlTest, ParentColorAndShowHintFollowTheParent) {
  TWinControl* panel = place(form, alNone, 0, 0, 100, 100);
  TWinControl* child = place(panel, alNone, 0, 0, 10, 10);
  child->SetParentColor(true);
  panel->SetColor(clInfoBk);
  EXPECT_EQ(child->Color(), clInfoBk);
  panel->SetShowHint(true);
  EXPECT_TRUE(child->ShowHint());
  child->SetShowHint(false);
  EXPECT_FALSE(child->ParentShowHint());
}

TEST_F(TControlTest, AControlWithoutParentIsNeverShown) {
  auto* orphan = new TWinControl(form);
  form->Show();
  EXPECT_TRUE(orphan->Visible());
  EXPECT_FALSE(orphan->Showing());
  orphan->SetParent(form);
  EXPECT_TRUE(orphan->Showing());
  EXPECT_THROW(form->SetParent(orphan), EInvalidOperation);
}

TEST_F(TControlTest, RightClickPopsUpThePopupMenuOfTheControlOrItsParent) {
  auto* menu = new TPopupMenu(form);
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  TWinControl* panel = place(form, alNone, 0, 0, 100, 100);
  TWinControl* child = place(panel, alNone, 0, 0, 50, 50);
  panel->SetPopupMenu(menu);
  form->Show();
  RightClickControl(child);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu->PopupComponent(), child);
  menu->CloseMenu();
  delete child;
  EXPECT_EQ(menu->PopupComponent(), nullptr) << "the menu forgets a freed control";
  delete menu;
  EXPECT_EQ(panel->PopupMenu(), nullptr);
}

TEST_F(TControlTest, ExceptionOfAnEventHandlerIsShownNotThrown) {
  TWinControl* c = place(form, alNone, 0, 0, 50, 50);
  c->OnClick = [](TObject*) { throw EConvertError("bad value"); };
  c->Click();
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Text, "bad value.");
  EXPECT_EQ(hook.Shown()[0].Flags, MB_OK | MB_ICONSTOP);
}
