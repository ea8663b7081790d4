#include "LmLangMgr.h"

#include <algorithm>

#include "CodePage.h"
#include "Forms.h"
#include "LmExceptions.h"
#include "LmLangCollection.h"
#include "LmLangStorage.h"
#include "TCustomForm.h"
#include "TDataModule.h"
#include "TUnitGuard.h"
#include "TypInfo.h"

DEFINE_CLASS(TLmBaseLangManager, TLmComponent,
             Published::Integer("CurrentLanguageIndex", &TLmBaseLangManager::CurrentLanguageIndex,
                                &TLmBaseLangManager::SetCurrentLanguageIndex),
             Published::Event("OnStorageChanged", &TLmBaseLangManager::OnStorageChanged),
             Published::Event("OnLanguageChanged", &TLmBaseLangManager::OnLanguageChanged),
             Published::Boolean("AutoTranslateStrings", &TLmBaseLangManager::AutoTranslateStrings,
                                &TLmBaseLangManager::SetAutoTranslateStrings),
             Published::Class("LanguageStorage", &TLmBaseLangManager::LanguageStorage,
                              &TLmBaseLangManager::SetLanguageStorage))

DEFINE_CLASS(TLmCustomLangManager, TLmBaseLangManager)

DEFINE_CLASS(TLmLangManager, TLmCustomLangManager,
             Published::Boolean("AutoTranslate", &TLmLangManager::AutoTranslate, &TLmLangManager::SetAutoTranslate),
             Published::Boolean("TranslateTreeNode", &TLmLangManager::TranslateTreeNode,
                                &TLmLangManager::SetTranslateTreeNode),
             Published::Boolean("TranslateListItem", &TLmLangManager::TranslateListItem,
                                &TLmLangManager::SetTranslateListItem),
             Published::Boolean("UseDefaultFont", &TLmLangManager::UseDefaultFont, &TLmLangManager::SetUseDefaultFont),
             Published::Boolean("TranslateOtherFont", &TLmLangManager::TranslateOtherFont,
                                &TLmLangManager::SetTranslateOtherFont),
             Published::Set("AutoTransOptions", {"atApplication", "atForms", "atDataModules"},
                            &TLmLangManager::AutoTransOptions, &TLmLangManager::SetAutoTransOptions),
             Published::Enum("TranslationMode", {"tmByComponents", "tmByStrings"}, &TLmLangManager::TranslationMode,
                             &TLmLangManager::SetTranslationMode),
             Published::Boolean("IgnoreAction", &TLmLangManager::IgnoreAction, &TLmLangManager::SetIgnoreAction),
             Published::Event("OnTranslateObjectProperty", &TLmLangManager::OnTranslateObjectProperty),
             Published::Event("OnTranslateObject", &TLmLangManager::OnTranslateObject))

namespace {

// A registered string variable.
struct TStringEntry {
  void* Variable;
  WideString Key;
  bool IsWide;
};

// A registered resource string; Text is what the record is redirected to.
struct TResStringEntry {
  TResStringRec* ResString;
  WideString Key;
  AnsiString Text;
};

TUnitGuard unitGuard;
// Every live manager, in construction order; made with the first manager.
std::unique_ptr<std::vector<TLmBaseLangManager*>> managerList;
std::unique_ptr<std::vector<std::unique_ptr<TStringEntry>>> stringRegistry;
std::unique_ptr<std::vector<std::unique_ptr<TResStringEntry>>> resStringRegistry;

void requireRegistries() {
  if (!stringRegistry || !resStringRegistry) throw Exception(LoadResString(&SLangManagerNotInitialized));
}

// Gives a resource string back its built-in text when it still shows the entry's text.
void releaseResString(TResStringEntry& entry) {
  if (entry.ResString->Redirect == &entry.Text) entry.ResString->Redirect = nullptr;
}

void freeRegistries() {
  if (resStringRegistry)
    for (auto& entry : *resStringRegistry) releaseResString(*entry);
  resStringRegistry.reset();
  stringRegistry.reset();
}

}  // namespace

// --- unit operations ---

TLmCustomLangManager* CurrentLangManager() {
  if (!managerList) return nullptr;
  for (TLmBaseLangManager* manager : *managerList)
    if (auto* custom = dynamic_cast<TLmCustomLangManager*>(manager)) return custom;
  return nullptr;
}

void TranslateStr(AnsiString& S, const AnsiString& ID) {
  TLmCustomLangManager* manager = CurrentLangManager();
  if (manager == nullptr) return;
  WideString value;
  manager->TranslateString(AnsiToWide(ID), value);
  if (!value.empty()) S = WideToAnsi(value);
}

void TranslateRegisteredStrings() {
  TLmCustomLangManager* manager = CurrentLangManager();
  if (manager == nullptr) throw Exception(LoadResString(&SLangManagerNotInitialized));
  WideString value;
  if (stringRegistry) {
    for (auto& entry : *stringRegistry) {
      manager->TranslateString(entry->Key, value);
      if (value.empty()) continue;
      if (entry->IsWide)
        *static_cast<WideString*>(entry->Variable) = value;
      else
        *static_cast<AnsiString*>(entry->Variable) = WideToAnsi(value);
    }
  }
  if (resStringRegistry) {
    for (auto& entry : *resStringRegistry) {
      manager->TranslateString(entry->Key, value);
      if (value.empty()) continue;
      entry->Text = WideToAnsi(value);
      entry->ResString->Redirect = &entry->Text;
    }
  }
}

void RegisterTranslatableString(AnsiString* Variable, const WideString& Key) {
  requireRegistries();
  stringRegistry->push_back(std::make_unique<TStringEntry>(TStringEntry{Variable, Key, false}));
}

void RegisterTranslatableString(WideString* Variable, const WideString& Key) {
  requireRegistries();
  stringRegistry->push_back(std::make_unique<TStringEntry>(TStringEntry{Variable, Key, true}));
}

void UnregisterTranslatableString(const void* Variable) {
  if (!stringRegistry) return;
  std::erase_if(*stringRegistry, [&](const auto& entry) { return entry->Variable == Variable; });
}

void RegisterTranslatableResourceString(TResStringRec* ResString, const WideString& Key) {
  requireRegistries();
  resStringRegistry->push_back(std::make_unique<TResStringEntry>(TResStringEntry{ResString, Key, {}}));
}

void UnregisterTranslatableResourceString(TResStringRec* ResString) {
  if (!resStringRegistry) return;
  std::erase_if(*resStringRegistry, [&](const auto& entry) {
    if (entry->ResString != ResString) return false;
    releaseResString(*entry);
    return true;
  });
}

void FreeLangManagers() {
  if (!managerList) return;
  // Each manager takes itself off the list when it is freed.
  while (!managerList->empty()) delete managerList->back();
  managerList.reset();
}

void LmLangMgrInitialize() {
  unitGuard.Initialize([] {
    stringRegistry = std::make_unique<std::vector<std::unique_ptr<TStringEntry>>>();
    resStringRegistry = std::make_unique<std::vector<std::unique_ptr<TResStringEntry>>>();
  });
}

void LmLangMgrFinalize() {
  unitGuard.Finalize([] {
    FreeLangManagers();
    freeRegistries();
  });
}

// --- TLmBaseLangManager ---

TLmBaseLangManager::TLmBaseLangManager(TComponent* AOwner) : TLmComponent(AOwner) {
  if (!managerList) managerList = std::make_unique<std::vector<TLmBaseLangManager*>>();
  managerList->push_back(this);
  if (ComponentState().Contains(TComponentStateFlag::csDesigning) && AOwner != nullptr) {
    for (int i = 0; i < AOwner->ComponentCount(); ++i)
      if (auto* storage = dynamic_cast<TLmCustomLangFileStorage*>(AOwner->Components(i))) {
        SetLanguageStorage(storage);
        break;
      }
  }
}

TLmBaseLangManager::~TLmBaseLangManager() {
  if (managerList) std::erase(*managerList, this);
}

void TLmBaseLangManager::DescribeComponent(AnsiString& Name, AnsiString& Author, AnsiString& AuthorEmail,
                                           AnsiString& Comment) {
  Describe("Language Manager", "Language Manager", Name, Author, AuthorEmail, Comment);
}

void TLmBaseLangManager::SetCurrentLanguageIndex(int Index) {
  currentLanguageIndex_ = Index;
  if (storage_ != nullptr && Index >= 0 && Index < storage_->LanguageCount()) storage_->SelectLanguage(Index);
  // Raised also when the storage vetoed or could not load: the texts are then those it holds.
  DoLanguageChanged();
}

void TLmBaseLangManager::SetLanguageStorage(TLmCustomLangStorage* Value) {
  if (Value == storage_) return;
  if (storage_ != nullptr) storage_->RemoveFreeNotification(this);
  storage_ = Value;
  if (storage_ != nullptr) {
    if (currentLanguageIndex_ != -1 && currentLanguageIndex_ != storage_->CurrentLanguageIndex())
      storage_->SelectLanguage(currentLanguageIndex_);
    storage_->FreeNotification(this);
    if (TLmLanguageItem* current = storage_->CurrentLanguage()) SelectLanguageByID(current->LanguageID());
  }
  DoStorageChanged();
}

void TLmBaseLangManager::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == storage_) storage_ = nullptr;
}

void TLmBaseLangManager::TranslateString(const WideString& ID, WideString& Value) {
  Value.clear();
  if (storage_ == nullptr) return;
  // After the storage detected its languages again it holds none: load ours again.
  if (currentLanguageIndex_ != storage_->CurrentLanguageIndex()) storage_->SelectLanguage(currentLanguageIndex_);
  storage_->GetString(ID, Value);
}

void TLmBaseLangManager::SelectLanguageByID(::LCID Value) {
  if (Value == 0) Value = GetSystemDefaultLCID();
  if (storage_ == nullptr) return;
  for (int i = 0; i < storage_->LanguageCount(); ++i) {
    if (storage_->Languages()->Items(i)->LanguageID() == Value) {
      SetCurrentLanguageIndex(i);
      return;
    }
  }
}

void TLmBaseLangManager::DoStorageChanged() {
  if (OnStorageChanged) OnStorageChanged(this);
}

void TLmBaseLangManager::DoLanguageChanged() {
  if (autoTranslateStrings_) TranslateRegisteredStrings();
  if (OnLanguageChanged) OnLanguageChanged(this);
}

// --- TLmCustomLangManager ---

TLmCustomLangManager::TLmCustomLangManager(TComponent* AOwner) : TLmBaseLangManager(AOwner) {}

TLmCustomLangManager::~TLmCustomLangManager() = default;

int TLmCustomLangManager::AddChangeNotifier(TNotifyEvent Handler) {
  const int handle = nextNotifierHandle_++;
  notifiers_.push_back(std::make_unique<TNotifierRec>(TNotifierRec{handle, std::move(Handler)}));
  return handle;
}

void TLmCustomLangManager::RemoveChangeNotifier(int Handle) {
  std::erase_if(notifiers_, [&](const auto& rec) { return rec->Handle == Handle; });
}

void TLmCustomLangManager::DoLanguageChanged() {
  inherited::DoLanguageChanged();
  // A handler may add or remove handlers: call those present now, by a copy.
  std::vector<TNotifyEvent> handlers;
  for (const auto& rec : notifiers_) handlers.push_back(rec->Handler);
  for (const TNotifyEvent& handler : handlers)
    if (handler) handler(this);
}

void TLmCustomLangManager::SetCurrentLanguageIndex(int Index) {
  inherited::SetCurrentLanguageIndex(Index);
  if (ComponentState().Contains(TComponentStateFlag::csDesigning) || !autoTranslate_ || LanguageStorage() == nullptr)
    return;
  if (translationMode_ == tmByStrings) {
    translateStoredStrings(u"");
    return;
  }
  if (Screen != nullptr) {
    if (autoTransOptions_.Contains(atForms))
      for (int i = 0; i < Screen->FormCount(); ++i) TranslateForm(Screen->Forms(i));
    if (autoTransOptions_.Contains(atDataModules))
      for (int i = 0; i < Screen->DataModuleCount(); ++i) TranslateComponent(Screen->DataModules(i), u"");
  }
  if (autoTransOptions_.Contains(atApplication) && Application != nullptr) TranslateComponent(Application, u"");
}
