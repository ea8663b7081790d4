#include "LmLangMgr.h"

#include <gtest/gtest.h>

#include <vector>

#include "LangManagerFixture.h"
#include "LmExceptions.h"
#include "LmHashLangStorage.h"
#include "LmLangCollection.h"
#include "TForm.h"

namespace {

class LmLangMgrTest : public LangManagerTest {};

}  // namespace

TEST_F(LmLangMgrTest, WithoutAManagerNothingIsTranslated) {
  EXPECT_EQ(CurrentLangManager(), nullptr);
  AnsiString text = "原文";
  TranslateStr(text, "TFormmain.Caption");
  EXPECT_EQ(text, "原文");
  try {
    TranslateRegisteredStrings();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Language Manager NOT initialized.");
  }
  // A base manager is no current manager.
  auto* base = new TLmBaseLangManager(nullptr);
  EXPECT_EQ(CurrentLangManager(), nullptr);
  delete base;
}

TEST_F(LmLangMgrTest, ANewStorageJoinsTheCurrentManager) {
  auto* manager = NewManager();
  EXPECT_EQ(CurrentLangManager(), manager);
  int storageChanges = 0;
  manager->OnStorageChanged = [&](TObject* sender) {
    EXPECT_EQ(sender, manager);
    ++storageChanges;
  };
  auto* storage = NewStorage();
  EXPECT_EQ(manager->LanguageStorage(), storage);
  EXPECT_EQ(storageChanges, 1);
  // A second storage does not replace the first.
  auto* other = new TLmHashLangFileStorage(owner);
  EXPECT_EQ(manager->LanguageStorage(), storage);
  manager->SetLanguageStorage(other);
  EXPECT_EQ(storageChanges, 2);
  manager->SetLanguageStorage(other);  // the same again: nothing
  EXPECT_EQ(storageChanges, 2);
  manager->SetLanguageStorage(nullptr);
  EXPECT_EQ(storageChanges, 3);
  EXPECT_EQ(manager->CurrentLanguageIndex(), -1);
}

TEST_F(LmLangMgrTest, SwitchingLoadsAndRaisesTheEvent) {
  auto* manager = NewManager();
  NewStorage()->SetLanguagePath(folder.Path());
  std::vector<WideString> seen;
  manager->OnLanguageChanged = [&](TObject*) {
    AnsiString text = "unchanged";
    TranslateStr(text, "DLG_TITLE");
    seen.push_back(AnsiToWide(text));
  };
  manager->SetCurrentLanguageIndex(1);
  manager->SetCurrentLanguageIndex(0);
  EXPECT_EQ(seen, (std::vector<WideString>{u"Title", u"标题"}));
  // Out of range: the index is kept, nothing loads, the event still comes and the texts are
  // those the storage holds.
  manager->SetCurrentLanguageIndex(7);
  EXPECT_EQ(manager->CurrentLanguageIndex(), 7);
  EXPECT_EQ(manager->LanguageStorage()->CurrentLanguageIndex(), 0);
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen.back(), u"标题");
  // Absent, empty and differently cased keys leave the text as it is.
  AnsiString text = "keep";
  for (const char* key : {"NO_SUCH_KEY", "EMPTY_VALUE", "dlg_title"}) TranslateStr(text, key);
  EXPECT_EQ(text, "keep");
}

TEST_F(LmLangMgrTest, TheStorageDroppingItsLanguageOrGoing) {
  auto* manager = NewManager();
  TLmHashLangFileStorage* storage = NewStorage();
  storage->SetLanguagePath(folder.Path());
  manager->SetCurrentLanguageIndex(1);
  // After a new detection the storage holds no language: the next lookup loads it again.
  storage->DetectLanguages();
  WideString value;
  manager->TranslateString(u"DLG_TITLE", value);
  EXPECT_EQ(value, u"Title");
  EXPECT_EQ(storage->CurrentLanguageIndex(), 1);
  // A freed storage is forgotten without OnStorageChanged.
  manager->OnStorageChanged = [](TObject*) { FAIL(); };
  delete storage;
  EXPECT_EQ(manager->LanguageStorage(), nullptr);
  manager->TranslateString(u"DLG_TITLE", value);
  EXPECT_EQ(value, u"");
}

TEST_F(LmLangMgrTest, AStorageWithALanguageSelectsItInTheManager) {
  auto* storage = NewStorage();
  storage->SetLanguagePath(folder.Path());
  storage->SelectLanguage(1);
  auto* manager = new TLmLangManager(owner);
  int changes = 0;
  manager->OnLanguageChanged = [&](TObject*) { ++changes; };
  manager->SetLanguageStorage(storage);
  EXPECT_EQ(manager->CurrentLanguageIndex(), 1);
  EXPECT_EQ(changes, 1);
  manager->SelectLanguageByID(2052);
  EXPECT_EQ(manager->CurrentLanguageIndex(), 0);
  manager->SelectLanguageByID(1041);  // no Japanese file: nothing changes
  EXPECT_EQ(manager->CurrentLanguageIndex(), 0);
  EXPECT_EQ(changes, 2);
}

TEST_F(LmLangMgrTest, RegisteredStringsAreTranslatedAfterASwitch) {
  auto* manager = NewManager();
  NewStorage()->SetLanguagePath(folder.Path());
  AnsiString title = "默认";
  WideString wideTitle = u"default";
  AnsiString untranslated = "stays";
  RegisterTranslatableString(&title, u"DLG_TITLE");
  RegisterTranslatableString(&wideTitle, u"DLG_TITLE");
  RegisterTranslatableString(&untranslated, u"NO_SUCH_KEY");
  manager->SetCurrentLanguageIndex(1);
  EXPECT_EQ(title, "Title");
  EXPECT_EQ(wideTitle, u"Title");
  EXPECT_EQ(untranslated, "stays");
  manager->SetCurrentLanguageIndex(0);
  EXPECT_EQ(AnsiToWide(title), u"标题");
  UnregisterTranslatableString(&title);
  manager->SetCurrentLanguageIndex(1);
  EXPECT_EQ(AnsiToWide(title), u"标题");
  EXPECT_EQ(wideTitle, u"Title");
  manager->SetAutoTranslateStrings(false);
  manager->SetCurrentLanguageIndex(0);
  EXPECT_EQ(wideTitle, u"Title");
  UnregisterTranslatableString(&wideTitle);
  UnregisterTranslatableString(&untranslated);
}

TEST_F(LmLangMgrTest, ResourceStringsAreRedirectedAndRestored) {
  static TResStringRec sTitle = {"Built-in title"};
  auto* manager = NewManager();
  NewStorage()->SetLanguagePath(folder.Path());
  RegisterTranslatableResourceString(&sTitle, u"DLG_TITLE");
  EXPECT_EQ(LoadResString(&sTitle), "Built-in title");
  manager->SetCurrentLanguageIndex(1);
  EXPECT_EQ(LoadResString(&sTitle), "Title");
  UnregisterTranslatableResourceString(&sTitle);
  EXPECT_EQ(LoadResString(&sTitle), "Built-in title");
  // Finalising the unit also gives registered resource strings their own texts back.
  RegisterTranslatableResourceString(&sTitle, u"DLG_TITLE");
  manager->SetCurrentLanguageIndex(0);
  EXPECT_EQ(AnsiToWide(LoadResString(&sTitle)), u"标题");
  LmLangMgrFinalize();
  EXPECT_EQ(LoadResString(&sTitle), "Built-in title");
  LmLangMgrInitialize();
}

TEST_F(LmLangMgrTest, ChangeNotifiersFollowTheEventInOrder) {
  auto* manager = NewManager();
  std::vector<int> calls;
  manager->OnLanguageChanged = [&](TObject*) { calls.push_back(0); };
  const int first = manager->AddChangeNotifier([&](TObject*) { calls.push_back(1); });
  manager->AddChangeNotifier([&](TObject*) { calls.push_back(2); });
  manager->SetCurrentLanguageIndex(0);
  EXPECT_EQ(calls, (std::vector<int>{0, 1, 2}));
  manager->RemoveChangeNotifier(first);
  calls.clear();
  manager->SetCurrentLanguageIndex(0);
  EXPECT_EQ(calls, (std::vector<int>{0, 2}));
}

TEST_F(LmLangMgrTest, FinalisingFreesEveryManagerStillAlive) {
  auto* form = new TForm(nullptr);
  new TLmLangManager(form);
  new TLmLangManager(nullptr);
  LmLangMgrFinalize();
  EXPECT_EQ(CurrentLangManager(), nullptr);
  EXPECT_EQ(form->ComponentCount(), 0);
  LmLangMgrInitialize();
  form->Free();
}
