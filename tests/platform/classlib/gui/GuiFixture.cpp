#include "GuiFixture.h"

#include "ClasslibGui.h"
#include "TCustomForm.h"
#include "TDataModule.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
  void SetUp() override { ClasslibGuiInitialize(); }
  void TearDown() override { ClasslibGuiFinalize(); }
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace

void GuiTest::SetUp() {
  Application->SetTestHook(&hook);
  Application->ProcessMessages();
  widgetsBefore_ = TestInput::LiveWidgetCount();
}

void GuiTest::TearDown() {
  Application->ProcessMessages();
  Application->SetTestHook(nullptr);
  EXPECT_EQ(Screen->FormCount(), 0) << "a form leaked";
  EXPECT_EQ(Screen->DataModuleCount(), 0) << "a data module leaked";
  EXPECT_EQ(Application->ComponentCount(), 0) << "a component owned by Application leaked";
  EXPECT_EQ(TestInput::LiveControlCount(), 0) << "a control leaked";
  EXPECT_LE(TestInput::LiveWidgetCount(), widgetsBefore_) << "a widget leaked: " << TestInput::DescribeWidgets();
  // Leave nothing for the next test.
  while (Screen->FormCount() > 0) Screen->Forms(Screen->FormCount() - 1)->Free();
  while (Application->ComponentCount() > 0) delete Application->Components(Application->ComponentCount() - 1);
}
