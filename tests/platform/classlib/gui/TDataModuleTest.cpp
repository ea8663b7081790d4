#include "TDataModule.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TForm.h"

namespace {
class TDataModuleTest : public GuiTest {};
}  // namespace

TEST_F(TDataModuleTest, ListedOnTheScreenWithCreateAndDestroyEvents) {
  std::string log;
  struct TModule : TDataModule {
    explicit TModule(TComponent* owner, std::string& log) : TDataModule(owner) {
      OnCreate = [&log](TObject*) { log += "create;"; };
      OnDestroy = [&log](TObject*) { log += "destroy;"; };
    }
  };
  auto* owner = NewForm<TForm>(nullptr);
  auto* first = new TModule(owner, log);
  first->AfterConstruction();
  auto* second = NewDataModule<TDataModule>(nullptr);
  ASSERT_EQ(Screen->DataModuleCount(), 2);
  EXPECT_EQ(Screen->DataModules(0), first);
  EXPECT_EQ(Screen->DataModules(1), second);
  owner->Free();  // frees the module it owns, which runs OnDestroy first
  EXPECT_EQ(log, "create;destroy;");
  EXPECT_EQ(Screen->DataModuleCount(), 1);
  second->Free();
  EXPECT_THROW(Screen->DataModules(0), EListError);
}
