#include "TCustomForm.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TForm.h"
#include "WinUser.h"

using namespace TestInput;

namespace {

class TCustomFormTest : public GuiTest {};

// A form whose constructor builds a control and whose events are logged.
class TLogForm : public TForm {
  DECLARE_CLASS(TLogForm, TForm)
public:
  explicit TLogForm(TComponent* owner) : TForm(owner) {
    child = new TWinControl(this);
    child->SetParent(this);
    OnCreate = [this](TObject*) { log += "create(" + std::to_string(ControlCount()) + ");"; };
    OnShow = [this](TObject*) { log += "show;"; };
    OnHide = [this](TObject*) { log += "hide;"; };
    OnCloseQuery = [this](TObject*, bool& canClose) {
      log += "query;";
      canClose = allowClose;
    };
    OnClose = [this](TObject*, TCloseAction& action) {
      log += "close;";
      action = closeAction;
    };
    OnDestroy = [this](TObject*) { (*destroyLog) += Name() + " destroyed;"; };
  }
  TWinControl* child;
  std::string log;
  bool allowClose = true;
  TCloseAction closeAction = caHide;
  std::string* destroyLog = &log;
};
DEFINE_CLASS(TLogForm, TForm)

}  // namespace

TEST_F(TCustomFormTest, CreateFormRaisesOnCreateAfterTheConstructorAndMakesTheMainForm) {
  TLogForm* form = nullptr;
  Application->CreateForm(form);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->log, "create(1);");
  EXPECT_EQ(Application->MainForm(), form);
  EXPECT_EQ(Screen->FormCount(), 1);
  EXPECT_EQ(Screen->Forms(0), form);
  delete form;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(TCustomFormTest, ClientSizeExcludesTheFrameOfTheBorderStyle) {
  auto* form = NewForm<TForm>(nullptr);
  form->SetBorderStyle(bsSingle);
  form->SetClientWidth(854);
  form->SetClientHeight(553);
  EXPECT_EQ(form->Width(), 854 + 2 * GetSystemMetrics(SM_CXFIXEDFRAME));
  EXPECT_EQ(form->Height(), 553 + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION));
  form->SetBorderStyle(bsNone);
  EXPECT_EQ(form->ClientWidth(), 854);
  EXPECT_EQ(form->Width(), 854);
  form->Free();
}

TEST_F(TCustomFormTest, ShowRaisesOnShowAndCentresOnTheScreen) {
  auto* form = NewForm<TLogForm>(nullptr);
  form->SetPosition(poScreenCenter);
  form->SetBounds(0, 0, 300, 200);
  form->Show();
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(form->Showing());
  EXPECT_EQ(form->log, "create(1);show;");
  EXPECT_EQ(form->Left(), (Screen->Width() - 300) / 2);
  EXPECT_EQ(form->Top(), (Screen->Height() - 200) / 2);
  form->Free();
}

TEST_F(TCustomFormTest, CloseAsksCloseQueryThenHides) {
  auto* form = NewForm<TLogForm>(nullptr);
  form->Show();
  form->allowClose = false;
  form->Close();
  EXPECT_TRUE(form->Visible());
  form->allowClose = true;
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->log, "create(1);show;query;query;close;hide;");
  form->Free();
}

TEST_F(TCustomFormTest, CloseWithCaFreeFreesTheFormAfterTheEvent) {
  std::string destroyed;
  auto* form = NewForm<TLogForm>(nullptr);
  form->SetName("F");
  form->destroyLog = &destroyed;
  form->closeAction = caFree;
  form->Show();
  form->Close();
  EXPECT_EQ(Screen->FormCount(), 1) << "freed only after the current event";
  ASSERT_TRUE(WaitUntil([] { return Screen->FormCount() == 0; }));
  EXPECT_EQ(destroyed, "F destroyed;");
}

TEST_F(TCustomFormTest, ClosingTheMainFormTerminatesTheApplication) {
  TLogForm* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  form->Close();
  EXPECT_TRUE(Application->Terminated());
  delete form;
}

TEST_F(TCustomFormTest, OwnerRunsOnDestroyOfTheFormsItOwns) {
  std::string destroyed;
  auto* owner = NewForm<TLogForm>(nullptr);
  owner->SetName("Owner");
  owner->destroyLog = &destroyed;
  auto* owned = NewForm<TLogForm>(owner);
  owned->SetName("Owned");
  owned->destroyLog = &destroyed;
  owner->Free();
  EXPECT_EQ(destroyed, "Owner destroyed;Owned destroyed;");
  EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(TCustomFormTest, OwnerFormCentreIsOnTheOwnerForm) {
  auto* owner = NewForm<TForm>(nullptr);
  owner->SetBounds(100, 50, 860, 578);
  owner->Show();
  auto* wait = NewForm<TForm>(owner);
  wait->SetBorderStyle(bsDialog);
  wait->SetBorderIcons({});
  wait->SetClientWidth(468);
  wait->SetClientHeight(76);
  wait->SetPosition(poOwnerFormCenter);
  wait->Show();
  EXPECT_EQ(wait->Left(), 100 + (860 - wait->Width()) / 2);
  EXPECT_EQ(wait->Top(), 50 + (578 - wait->Height()) / 2);
  owner->Free();
  EXPECT_EQ(Screen->FormCount(), 0);
}
