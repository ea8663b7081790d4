#include "TButton.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TEdit.h"

using namespace TestInput;

namespace {
class TButtonTest : public FormTest {};
}  // namespace

TEST_F(TButtonTest, AClickGivesTheFormItsModalResultBeforeOnClick) {
  auto* button = place<TButton>(10, 10, 75, 25);
  button->SetModalResult(mrRetry);
  TModalResult seen = mrNone;
  button->OnClick = [&](TObject*) { seen = form->ModalResult(); };
  form->Show();
  ClickControl(button);
  EXPECT_EQ(seen, mrRetry);
}

TEST_F(TButtonTest, ShowModalEndsWithTheResultOfTheButtonPressed) {
  auto* ok = place<TButton>(10, 10, 75, 25);
  ok->SetModalResult(mrOk);
  int closes = 0;
  form->OnClose = [&](TObject*, TCloseAction& action) {
    ++closes;
    EXPECT_EQ(action, caHide);
  };
  hook.OnShowModal = [&](TCustomForm* modal) {
    EXPECT_EQ(modal, form);
    ClickControl(ok);
  };
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(hook.Shown().back().Kind, dkModalForm);
}

TEST_F(TButtonTest, CloseQueryCanKeepAModalFormOpen) {
  auto* ok = place<TButton>(10, 10, 75, 25);
  ok->SetModalResult(mrOk);
  int asked = 0;
  form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
  hook.OnShowModal = [&](TCustomForm*) {
    ClickControl(ok);
    EXPECT_TRUE(form->Visible()) << "the first close was refused";
    ClickControl(ok);
  };
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(asked, 2);
  EXPECT_THROW(
      {
        form->Show();
        form->ShowModal();
      },
      EInvalidOperation);
  form->Hide();
}

TEST_F(TButtonTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
  auto* edit = place<TEdit>(10, 50, 100, 21);
  auto* ok = place<TButton>(10, 10, 75, 25);
  auto* cancel = place<TButton>(90, 10, 75, 25);
  ok->SetDefault(true);
  cancel->SetCancel(true);
  std::string log;
  ok->OnClick = [&](TObject*) { log += "ok;"; };
  cancel->OnClick = [&](TObject*) { log += "cancel;"; };
  form->Show();
  PressKey(edit, VK_RETURN);
  PressKey(edit, VK_ESCAPE);
  EXPECT_EQ(log, "ok;cancel;");
}

TEST_F(TButtonTest, ADisabledButtonIsNotClicked) {
  auto* button = place<TButton>(10, 10, 75, 25);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->SetEnabled(false);
  form->Show();
  ClickControl(button);
  button->Click();
  EXPECT_EQ(clicks, 0);
  button->SetEnabled(true);
  ClickControl(button);
  EXPECT_EQ(clicks, 1) << "the same click reaches the enabled button";
}
