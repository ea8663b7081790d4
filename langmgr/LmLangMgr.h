// The language manager: switches the interface language at run time and translates texts.
//
// Any unit finds the manager through CurrentLangManager() (the first TLmCustomLangManager
// alive), asks it for single texts by key (TranslateStr, TranslateString) and has forms
// translated when they are created (TranslateForm). Setting CurrentLanguageIndex switches the
// language: the storage loads it (unless the index is out of range or the storage vetoes),
// OnLanguageChanged is raised - so its handlers already see the new texts through
// TranslateString - and then every form, data module and the application object is translated
// again (AutoTranslate, AutoTransOptions). An empty translation never overwrites a text.
//
// Keys (tmByComponents): "<FormClass>.Caption", "<FormClass>.!Font",
// "<FormClass>.<Component>.<Property>", "<FormClass>.<Component>.Items.Text" for string lists,
// "<FormClass>.<Component>.Columns.Item<i>.Caption" for collections,
// "<FormClass>.<ListView>.ListItem<i>.Caption" / ".SubItems.Text" (TranslateListItem) and
// "<FormClass>.<TreeView>.TreeNode<i>.Text" (TranslateTreeNode). Keys keep their case. A
// component whose Tag is 2001 is never translated, nor is anything reached only through it.
// In tmByStrings the stored keys are walked instead and resolved to objects and properties.
//
// Registered strings: a string variable or a resource string registered with a key is given
// that key's translation after every switch (AutoTranslateStrings). Nothing in the program
// registers any, but library code may.
//
// The unit's state (the manager list and the two registries) is made by LmLangMgrInitialize
// and freed by LmLangMgrFinalize, which also frees every manager still alive. Main thread
// only.
#pragma once

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "LmClasses.h"
#include "Locales.h"
#include "ResourceString.h"
#include "TUnitList.h"

class TApplication;
class TCustomForm;
class TFont;
class TLmCustomLangStorage;

enum class TLmAutoTransOption { atApplication, atForms, atDataModules };  // bits 1, 2, 4
using TLmAutoTransOptions = SetOf<TLmAutoTransOption>;
using enum TLmAutoTransOption;

enum class TLmTranslationMode { tmByComponents, tmByStrings };
using enum TLmTranslationMode;

// Asked before each property (Translate starts True).
using TLmTranslateObjectPropertyEvent =
    std::function<void(TObject* AObject, const AnsiString& PropName, bool& Translate)>;
// Asked before each component's own texts (Translate starts True).
using TLmTranslateObjectEvent = std::function<void(TObject* AObject, bool& Translate)>;

// A component whose Tag is this is never translated, nor is anything reached only through it.
inline constexpr int LmNoTranslateTag = 2001;

// The objects a translation walk has reached.
using TLmVisitedList = std::unordered_set<const TObject*>;

class TLmBaseLangManager : public TLmComponent {
  DECLARE_CLASS(TLmBaseLangManager, TLmComponent)

  explicit TLmBaseLangManager(TComponent* AOwner);
  ~TLmBaseLangManager() override;

  void DescribeComponent(AnsiString& Name, AnsiString& Author, AnsiString& AuthorEmail, AnsiString& Comment) override;

  // Default -1: the index of the wanted language in the storage's collection.
  int CurrentLanguageIndex() const { return currentLanguageIndex_; }
  // Stores the index, has the storage load that language when it is in range, and raises
  // OnLanguageChanged in every case.
  virtual void SetCurrentLanguageIndex(int Index);
  // Default True: translate the registered strings after every switch.
  bool AutoTranslateStrings() const { return autoTranslateStrings_; }
  void SetAutoTranslateStrings(bool Value) { autoTranslateStrings_ = Value; }
  // Not owned; cleared when the storage is freed.
  TLmCustomLangStorage* LanguageStorage() const { return storage_; }
  void SetLanguageStorage(TLmCustomLangStorage* Value);

  // The translation of a key ("" when there is no storage or the key is absent); re-selects the
  // manager's language first when the storage has dropped it.
  void TranslateString(const WideString& ID, WideString& Value);
  // Makes current the first language with that locale id (0: the system's default).
  void SelectLanguageByID(::LCID Value);

  virtual void DoStorageChanged();
  virtual void DoLanguageChanged();

  TNotifyEvent OnStorageChanged;
  TNotifyEvent OnLanguageChanged;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  int currentLanguageIndex_ = -1;
  bool autoTranslateStrings_ = true;
  TLmCustomLangStorage* storage_ = nullptr;
};

class TLmCustomLangManager : public TLmBaseLangManager {
  DECLARE_CLASS(TLmCustomLangManager, TLmBaseLangManager)

  explicit TLmCustomLangManager(TComponent* AOwner);
  ~TLmCustomLangManager() override;

  void SetCurrentLanguageIndex(int Index) override;
  void DoLanguageChanged() override;

  // Handlers called after OnLanguageChanged, in the order added. AddChangeNotifier returns the
  // handle that removes the handler again.
  int AddChangeNotifier(TNotifyEvent Handler);
  void RemoveChangeNotifier(int Handle);

  bool AutoTranslate() const { return autoTranslate_; }  // default True
  void SetAutoTranslate(bool Value) { autoTranslate_ = Value; }
  bool TranslateTreeNode() const { return translateTreeNode_; }  // default False
  void SetTranslateTreeNode(bool Value) { translateTreeNode_ = Value; }
  bool TranslateListItem() const { return translateListItem_; }  // default False
  void SetTranslateListItem(bool Value) { translateListItem_ = Value; }
  bool UseDefaultFont() const { return useDefaultFont_; }  // default True
  void SetUseDefaultFont(bool Value) { useDefaultFont_ = Value; }
  bool TranslateOtherFont() const { return translateOtherFont_; }  // default True
  void SetTranslateOtherFont(bool Value) { translateOtherFont_ = Value; }
  TLmAutoTransOptions AutoTransOptions() const { return autoTransOptions_; }  // default all
  void SetAutoTransOptions(TLmAutoTransOptions Value) { autoTransOptions_ = Value; }
  TLmTranslationMode TranslationMode() const { return translationMode_; }  // default tmByComponents
  void SetTranslationMode(TLmTranslationMode Value) { translationMode_ = Value; }
  // Default True: a caption or hint equal to that of the control's action is left alone.
  bool IgnoreAction() const { return ignoreAction_; }
  void SetIgnoreAction(bool Value) { ignoreAction_ = Value; }

  // Translates a form with everything it owns, taking the language's default font first
  // (UseDefaultFont: name, size and character set only).
  void TranslateForm(TCustomForm* AForm);
  // Translates a component with everything it owns; keys begin with Prefix, or with
  // GetComponentKeyPrefix when Prefix is empty.
  void TranslateComponent(TComponent* AComponent, const WideString& Prefix);
  WideString GetComponentKeyPrefix(TComponent* AComponent) const;
  // tmByStrings: applies one stored pair to the forms, data modules or application it names.
  void TranslateKeyValue(const WideString& Key, const WideString& Value);
  void SetObjectPropByKey(TObject* AObject, const WideString& Key, const WideString& Value);

  virtual void TranslateComponentTree(TComponent* AComponent, TLmVisitedList* Visited, const WideString& Prefix);
  virtual void TranslateObject(TObject* AObject, TLmVisitedList* Visited, const WideString& Prefix);
  virtual bool DoTranslateObject(TObject* AObject);
  virtual bool DoTranslateObjectProperty(TObject* AObject, const AnsiString& PropName);

  TLmTranslateObjectPropertyEvent OnTranslateObjectProperty;
  TLmTranslateObjectEvent OnTranslateObject;

private:
  struct TNotifierRec {
    int Handle;
    TNotifyEvent Handler;
  };

  // The translation of a key, "" when there is none.
  WideString translated(const WideString& Key);
  void translateProperties(TObject* AObject, TLmVisitedList* Visited, const WideString& Prefix);
  // The items of a list view or tree view ("ListItem<i>", "TreeNode<i>"), then its properties.
  void translateItems(TComponent* View, TLmVisitedList* Visited, const WideString& Prefix, const char16_t* Base,
                      int Count, const std::function<TObject*(int)>& ItemAt);
  void translateFontProperty(TObject* AObject, TFont* Font, const AnsiString& PropName, bool Top,
                             const WideString& Prefix);
  void translateStoredStrings(const WideString& Head);
  const std::vector<TComponent*>& cachedTargets(bool Forms, const WideString& Head);
  bool setPathValue(TObject* Target, const std::vector<WideString>& Segments, std::size_t First,
                    const WideString& Value, TComponent* Root);

  std::vector<std::unique_ptr<TNotifierRec>> notifiers_;
  int nextNotifierHandle_ = 1;
  bool autoTranslate_ = true;
  bool translateTreeNode_ = false;
  bool translateListItem_ = false;
  bool useDefaultFont_ = true;
  bool translateOtherFont_ = true;
  TLmAutoTransOptions autoTransOptions_{atApplication, atForms, atDataModules};
  TLmTranslationMode translationMode_ = tmByComponents;
  // tmByStrings: the forms and data modules whose class name is the cached head; valid for
  // one pass over the stored strings.
  std::vector<TComponent*> formCache_;
  std::vector<TComponent*> dataModuleCache_;
  WideString formCacheHead_;
  WideString dataModuleCacheHead_;
  bool ignoreAction_ = true;
};

class TLmLangManager : public TLmCustomLangManager {
  DECLARE_CLASS(TLmLangManager, TLmCustomLangManager)

  using TLmCustomLangManager::TLmCustomLangManager;
};

// The first live TLmCustomLangManager, or nullptr.
TLmCustomLangManager* CurrentLangManager();
// Replaces S by the translation of ID (in the ANSI code page) when there is one.
void TranslateStr(AnsiString& S, const AnsiString& ID);
// Gives every registered string and resource string its translation. Raises Exception
// SLangManagerNotInitialized when there is no language manager.
void TranslateRegisteredStrings();

// Registration of translatable strings; the variables must outlive their registration.
// Registering before LmLangMgrInitialize raises Exception SLangManagerNotInitialized.
void RegisterTranslatableString(AnsiString* Variable, const WideString& Key);
void RegisterTranslatableString(WideString* Variable, const WideString& Key);
void UnregisterTranslatableString(const void* Variable);
void RegisterTranslatableResourceString(TResStringRec* ResString, const WideString& Key);
// Also gives the resource string back its built-in text.
void UnregisterTranslatableResourceString(TResStringRec* ResString);

// Frees every manager still alive, last first.
void FreeLangManagers();

void LmLangMgrInitialize();
// Frees the managers, then the registries (resource strings get their built-in texts back).
void LmLangMgrFinalize();
inline constexpr TUnitEntry LmLangMgrUnit{"LmLangMgr", &LmLangMgrInitialize, &LmLangMgrFinalize};
