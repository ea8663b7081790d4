#include "LangManagerFixture.h"

#include "ClasslibGui.h"
#include "Forms.h"
#include "TCustomForm.h"

namespace {

class LangManagerEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ClasslibGuiInitialize();
    LmLangMgrInitialize();
  }
  void TearDown() override {
    LmLangMgrFinalize();
    ClasslibGuiFinalize();
  }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new LangManagerEnvironment);

}  // namespace

void LangManagerTest::SetUp() {
  folder.Write("Chinese.txt", {"!LanguageID=2052", "!LanguageName=简体中文", "DLG_TITLE=标题", "EMPTY_VALUE="});
  folder.Write("English.txt", {"!LanguageID=1033", "!LanguageName=English", "DLG_TITLE=Title", "EMPTY_VALUE="});
  owner = new TComponent(nullptr);
}

void LangManagerTest::TearDown() {
  delete owner;
  EXPECT_EQ(CurrentLangManager(), nullptr) << "a language manager leaked";
  EXPECT_EQ(Screen->FormCount(), 0) << "a form leaked";
  while (Screen->FormCount() > 0) Screen->Forms(Screen->FormCount() - 1)->Free();
}

TLmLangManager* LangManagerTest::NewManager() { return new TLmLangManager(owner); }

TLmHashLangFileStorage* LangManagerTest::NewStorage() { return new TLmHashLangFileStorage(owner); }
