// The translation walk of TLmCustomLangManager: keys built from class, component and property
// names are looked up and the translations written into the live objects (tmByComponents), or
// the stored keys are resolved to objects and properties (tmByStrings).
#include <string>

#include "CodePage.h"
#include "Forms.h"
#include "LmCommon.h"
#include "LmLangMgr.h"
#include "LmLangStorage.h"
#include "TCollection.h"
#include "TControl.h"
#include "TCustomForm.h"
#include "TCustomListView.h"
#include "TCustomTreeView.h"
#include "TDataModule.h"
#include "TFont.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TStrings.h"
#include "TTreeNode.h"
#include "TTreeNodes.h"
#include "TWinControl.h"
#include "TypInfo.h"
#include "WinUser.h"

namespace {

// Names of classes, components and properties are identifiers; widen them without a trip
// through the code-page converter.
WideString wide(const AnsiString& s) {
  WideString w;
  w.reserve(s.size());
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return AnsiToWide(s);
    w.push_back(static_cast<char16_t>(c));
  }
  return w;
}

WideString withPrefix(const WideString& Prefix, const WideString& Key) {
  return Prefix.empty() ? Key : Prefix + u"." + Key;
}

WideString numbered(const char16_t* Base, int Index) { return Base + wide(std::to_string(Index)); }

bool skipTagged(const TComponent* c) { return c != nullptr && c->Tag() == LmNoTranslateTag; }

// The Visited rule: an object already reached is skipped, others are marked as reached.
bool firstVisit(TLmVisitedList* Visited, const TObject* Obj) {
  return Visited == nullptr || Visited->insert(Obj).second;
}

void setStringProp(TObject* Obj, const TPropInfo& Prop, const WideString& Value) {
  if (Prop.Kind == TTypeKind::tkWString)
    SetPropValue(Obj, Prop, Value);
  else
    SetPropValue(Obj, Prop, WideToAnsi(Value));
}

AnsiString stringProp(const TObject* Obj, const TPropInfo& Prop) {
  const TPropValue v = GetPropValue(Obj, Prop);
  if (const AnsiString* s = std::get_if<AnsiString>(&v)) return *s;
  if (const WideString* w = std::get_if<WideString>(&v)) return WideToAnsi(*w);
  return {};
}

// Keeps a form from repainting while its texts change. One window can be locked at a time; a
// lock that could not be taken is not released either.
class TWindowUpdateLock {
public:
  explicit TWindowUpdateLock(TCustomForm* Form) : locked_(LockWindowUpdate(Form->Handle())) {}
  ~TWindowUpdateLock() {
    if (locked_) LockWindowUpdate(nullptr);
  }
  TWindowUpdateLock(const TWindowUpdateLock&) = delete;
  TWindowUpdateLock& operator=(const TWindowUpdateLock&) = delete;

private:
  bool locked_;
};

std::vector<WideString> splitSegments(const WideString& Path) {
  std::vector<WideString> segments;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = Path.find(u'.', start);
    segments.push_back(Path.substr(start, dot == WideString::npos ? WideString::npos : dot - start));
    if (dot == WideString::npos) return segments;
    start = dot + 1;
  }
}

WideString joinSegments(const std::vector<WideString>& Segments, std::size_t First) {
  WideString path;
  for (std::size_t i = First; i < Segments.size(); ++i) {
    if (i > First) path += u'.';
    path += Segments[i];
  }
  return path;
}

}  // namespace

// --- tmByComponents ---

WideString TLmCustomLangManager::translated(const WideString& Key) {
  WideString value;
  TranslateString(Key, value);
  return value;
}

bool TLmCustomLangManager::DoTranslateObject(TObject* AObject) {
  bool translate = true;
  if (OnTranslateObject) OnTranslateObject(AObject, translate);
  return translate;
}

bool TLmCustomLangManager::DoTranslateObjectProperty(TObject* AObject, const AnsiString& PropName) {
  bool translate = true;
  if (OnTranslateObjectProperty) OnTranslateObjectProperty(AObject, PropName, translate);
  return translate;
}

WideString TLmCustomLangManager::GetComponentKeyPrefix(TComponent* AComponent) const {
  if (dynamic_cast<TCustomForm*>(AComponent) != nullptr || dynamic_cast<TDataModule*>(AComponent) != nullptr)
    return wide(AComponent->ClassName());
  TComponent* owner = AComponent->Owner();
  if (owner == nullptr) return {};
  if (dynamic_cast<TCustomForm*>(owner) != nullptr) return wide(owner->ClassName());
  return GetComponentKeyPrefix(owner) + u"." + wide(owner->Name());
}

void TLmCustomLangManager::TranslateForm(TCustomForm* AForm) {
  if (AForm == nullptr) return;
  TWindowUpdateLock lock(AForm);
  TLmCustomLangStorage* storage = LanguageStorage();
  if (useDefaultFont_ && storage != nullptr && storage->FontInited() && storage->CurrentLanguageIndex() != -1) {
    // One change, so that the controls following the form's font take it once.
    TFont font;
    font.Assign(AForm->Font());
    font.SetName(storage->Font()->Name());
    font.SetSize(storage->Font()->Size());
    font.SetCharset(storage->Font()->Charset());
    if (!font.Equals(*AForm->Font())) AForm->Font()->Assign(&font);
  }
  TranslateComponent(AForm, wide(AForm->ClassName()));
}

void TLmCustomLangManager::TranslateComponent(TComponent* AComponent, const WideString& Prefix) {
  if (AComponent == nullptr || skipTagged(AComponent)) return;
  const WideString prefix = Prefix.empty() ? GetComponentKeyPrefix(AComponent) : Prefix;
  if (translationMode_ == tmByStrings) {
    translateStoredStrings(prefix.substr(0, prefix.find(u'.')));
    return;
  }
  TLmVisitedList visited{AComponent};
  if (AComponent->ComponentCount() == 0)
    TranslateObject(AComponent, &visited, prefix);
  else
    TranslateComponentTree(AComponent, &visited, prefix);
}

void TLmCustomLangManager::TranslateComponentTree(TComponent* AComponent, TLmVisitedList* Visited,
                                                  const WideString& Prefix) {
  if (AComponent == nullptr || skipTagged(AComponent)) return;
  {
    TLmVisitedList own{AComponent};
    if (DoTranslateObject(AComponent)) TranslateObject(AComponent, &own, Prefix);
  }
  const bool isApplication = AComponent == Application;
  const bool isForm = dynamic_cast<TCustomForm*>(AComponent) != nullptr;
  const WideString childPrefix = isForm ? Prefix : Prefix + u"." + wide(AComponent->Name());
  // Handlers may free components while texts change: look each one up by index again.
  for (int i = 0; i < AComponent->ComponentCount(); ++i) {
    TComponent* child = AComponent->Components(i);
    if (isApplication && dynamic_cast<TCustomForm*>(child) != nullptr) continue;  // forms go on their own
    if (skipTagged(child) || !firstVisit(Visited, child)) continue;
    TranslateComponentTree(child, Visited, childPrefix);
  }
}

void TLmCustomLangManager::TranslateObject(TObject* AObject, TLmVisitedList* Visited, const WideString& Prefix) {
  if (AObject == nullptr || LanguageStorage() == nullptr) return;
  if (dynamic_cast<TLmCustomLangStorage*>(AObject) != nullptr) return;
  if (auto* component = dynamic_cast<TComponent*>(AObject); component != nullptr && component->Name().empty()) return;

  if (auto* strings = dynamic_cast<TStrings*>(AObject)) {
    if (DoTranslateObjectProperty(AObject, "Text")) {
      const WideString text = translated(withPrefix(Prefix, u"Text"));
      if (!text.empty()) strings->SetText(WideToAnsi(text));
    }
    return;
  }
  if (auto* collection = dynamic_cast<TCollection*>(AObject)) {
    for (int i = 0; i < collection->Count(); ++i) {
      TCollectionItem* item = collection->Items(i);
      if (firstVisit(Visited, item)) TranslateObject(item, Visited, withPrefix(Prefix, numbered(u"Item", i)));
    }
    translateProperties(AObject, Visited, Prefix);
    return;
  }
  if (translateListItem_) {
    if (auto* view = dynamic_cast<TCustomListView*>(AObject)) {
      translateItems(view, Visited, Prefix, u"ListItem", view->Items()->Count(),
                     [view](int i) -> TObject* { return view->Items()->Item(i); });
      return;
    }
    if (auto* item = dynamic_cast<TListItem*>(AObject)) {
      if (DoTranslateObjectProperty(item, "Caption")) {
        const WideString caption = translated(withPrefix(Prefix, u"Caption"));
        if (!caption.empty()) item->SetCaption(WideToAnsi(caption));
      }
      const WideString subItems = translated(withPrefix(Prefix, u"SubItems.Text"));
      if (!subItems.empty()) item->SubItems()->SetText(WideToAnsi(subItems));
      return;
    }
  }
  if (translateTreeNode_) {
    if (auto* tree = dynamic_cast<TCustomTreeView*>(AObject)) {
      translateItems(tree, Visited, Prefix, u"TreeNode", tree->Items()->Count(),
                     [tree](int i) -> TObject* { return tree->Items()->Item(i); });
      return;
    }
    if (auto* node = dynamic_cast<TTreeNode*>(AObject)) {
      if (DoTranslateObjectProperty(node, "Text")) {
        const WideString text = translated(withPrefix(Prefix, u"Text"));
        if (!text.empty()) node->SetText(WideToAnsi(text));
      }
      return;
    }
  }
  translateProperties(AObject, Visited, Prefix);
}

void TLmCustomLangManager::translateItems(TComponent* View, TLmVisitedList* Visited, const WideString& Prefix,
                                          const char16_t* Base, int Count, const std::function<TObject*(int)>& ItemAt) {
  const WideString head = withPrefix(Prefix, wide(View->Name()));
  for (int i = 0; i < Count; ++i) {
    TObject* item = ItemAt(i);
    if (firstVisit(Visited, item)) TranslateObject(item, Visited, head + u"." + numbered(Base, i));
  }
  translateProperties(View, Visited, Prefix);
}

void TLmCustomLangManager::translateProperties(TObject* AObject, TLmVisitedList* Visited, const WideString& Prefix) {
  const bool top = dynamic_cast<TCustomForm*>(AObject) != nullptr;
  auto* component = dynamic_cast<TComponent*>(AObject);
  const WideString className = wide(AObject->ClassName());
  const WideString name = component != nullptr ? wide(component->Name()) : WideString();

  // A control showing its action's caption or hint takes them from the action.
  bool hasAction = false;
  AnsiString actionCaption, actionHint;
  if (ignoreAction_) {
    if (const TPropInfo* prop = GetPropInfo(AObject, "Action"); prop != nullptr && prop->Kind == TTypeKind::tkClass) {
      const TPropValue v = GetPropValue(AObject, *prop);
      const TObject* action = std::holds_alternative<TObject*>(v) ? std::get<TObject*>(v) : nullptr;
      if (ObjectHasClassName(action, "TCustomAction")) {
        hasAction = true;
        actionCaption = GetStrProp(action, "Caption");
        actionHint = GetStrProp(action, "Hint");
      }
    }
  }

  for (const TPropInfo* prop : AObject->ClassType().Properties()) {
    const AnsiString& propName = prop->Name;
    if (component != nullptr && propName == "Name") continue;
    if (propName == "About" && dynamic_cast<TLmComponent*>(AObject) != nullptr) continue;

    if (prop->Kind == TTypeKind::tkString || prop->Kind == TTypeKind::tkWString) {
      if (hasAction && ((propName == "Caption" && stringProp(AObject, *prop) == actionCaption) ||
                        (propName == "Hint" && stringProp(AObject, *prop) == actionHint)))
        continue;
      if (!prop->HasSetter() || !DoTranslateObjectProperty(AObject, propName)) continue;
      WideString key;
      if (top)
        key = className + u"." + wide(propName);
      else if (component != nullptr)
        key = withPrefix(Prefix, name + u"." + wide(propName));
      else
        key = withPrefix(Prefix, wide(propName));
      const WideString text = translated(key);
      if (!text.empty()) setStringProp(AObject, *prop, text);
      continue;
    }
    if (prop->Kind != TTypeKind::tkClass) continue;

    const TPropValue v = GetPropValue(AObject, *prop);
    TObject* obj = std::holds_alternative<TObject*>(v) ? std::get<TObject*>(v) : nullptr;
    if (obj == nullptr || !firstVisit(Visited, obj) || !DoTranslateObjectProperty(AObject, propName)) continue;

    if (component == nullptr) {
      TranslateObject(obj, Visited, Prefix + u"." + wide(propName));
    } else if (auto* font = dynamic_cast<TFont*>(obj)) {
      translateFontProperty(AObject, font, propName, top, Prefix);
    } else if (auto* owned = dynamic_cast<TComponent*>(obj); owned != nullptr && owned->Owner() != nullptr) {
      continue;  // reached through its owner's tree
    } else if (top) {
      TranslateObject(obj, Visited, className + u"." + wide(propName));
    } else {
      if (propName == "Pages" &&
          (ObjectHasClassName(AObject, "TNotebook") || ObjectHasClassName(AObject, "TTabbedNotebook") ||
           ObjectHasClassName(AObject, "TJvWizard")))
        continue;
      const WideString key = Prefix + u"." + name + u"." + wide(propName);
      if (auto* loose = dynamic_cast<TComponent*>(obj))
        TranslateComponentTree(loose, Visited, key);
      else
        TranslateObject(obj, Visited, key);
    }
  }
}

void TLmCustomLangManager::translateFontProperty(TObject* AObject, TFont* Font, const AnsiString& PropName, bool Top,
                                                 const WideString& Prefix) {
  auto* control = dynamic_cast<TControl*>(AObject);
  const bool controlFont = control != nullptr && PropName == "Font";
  if (controlFont) {
    if (UsesParentFont(control)) return;  // the parent's font is translated instead
  } else if (!translateOtherFont_) {
    return;
  }
  const WideString fontKey = u"!" + wide(PropName);
  const WideString key = Top ? withPrefix(Prefix, fontKey)
                             : withPrefix(Prefix, wide(static_cast<TComponent*>(AObject)->Name()) + u"." + fontKey);
  const WideString text = translated(key);
  if (!text.empty()) StringToFont(text, Font, ParentFontOf(AObject));
}

// --- tmByStrings ---

void TLmCustomLangManager::translateStoredStrings(const WideString& Head) {
  TLmCustomLangStorage* storage = LanguageStorage();
  if (storage == nullptr) return;
  std::unique_ptr<ILangStringIterator> iterator = storage->CreateIterator();
  if (!iterator) return;
  // Forms may have come and gone since the last pass.
  formCache_.clear();
  dataModuleCache_.clear();
  formCacheHead_.clear();
  dataModuleCacheHead_.clear();
  iterator->StartIterate(Head);
  WideString key, value;
  while (!iterator->Eof()) {
    iterator->GetCurrentKeyValue(key, value);
    TranslateKeyValue(key, value);
    iterator->Next();
  }
  iterator->EndIterate();
}

const std::vector<TComponent*>& TLmCustomLangManager::cachedTargets(bool Forms, const WideString& Head) {
  std::vector<TComponent*>& cache = Forms ? formCache_ : dataModuleCache_;
  WideString& cachedHead = Forms ? formCacheHead_ : dataModuleCacheHead_;
  if (cachedHead == Head && !cache.empty()) return cache;
  cache.clear();
  cachedHead = Head;
  if (Screen == nullptr) return cache;
  const int count = Forms ? Screen->FormCount() : Screen->DataModuleCount();
  for (int i = 0; i < count; ++i) {
    TComponent* target = Forms ? static_cast<TComponent*>(Screen->Forms(i)) : Screen->DataModules(i);
    if (wide(target->ClassName()) == Head) cache.push_back(target);  // the class itself, not its descendants
  }
  return cache;
}

void TLmCustomLangManager::TranslateKeyValue(const WideString& Key, const WideString& Value) {
  const std::size_t dot = Key.find(u'.');
  if (Key.empty() || dot == WideString::npos) return;
  // Stored values keep line breaks as <BR>; an empty translation changes nothing.
  const WideString text = LmExpandLineBreaks(Value);
  if (text.empty()) return;
  const WideString head = Key.substr(0, dot);
  if (autoTransOptions_.Contains(atForms))
    for (TComponent* form : cachedTargets(true, head)) SetObjectPropByKey(form, Key, text);
  if (autoTransOptions_.Contains(atDataModules))
    for (TComponent* module : cachedTargets(false, head)) SetObjectPropByKey(module, Key, text);
  if (autoTransOptions_.Contains(atApplication) && head == u"Application" && Application != nullptr)
    SetObjectPropByKey(Application, Key, text);
}

void TLmCustomLangManager::SetObjectPropByKey(TObject* AObject, const WideString& Key, const WideString& Value) {
  if (AObject == nullptr) return;
  std::vector<WideString> segments = splitSegments(Key);
  if (segments.size() < 2) return;
  auto* component = dynamic_cast<TComponent*>(AObject);
  TComponent* root = component;
  TObject* target = AObject;
  std::size_t first = 1;
  if (segments[0] != wide(AObject->ClassName())) {
    if (segments[0] == u"Application" && Application != nullptr) {
      target = Application;
    } else {
      TComponent* owned = component != nullptr ? component->FindComponent(WideToAnsi(segments[0])) : nullptr;
      if (owned == nullptr) return;
      target = owned;
    }
  } else if (component != nullptr && segments.size() > 2) {
    if (TComponent* owned = component->FindComponent(WideToAnsi(segments[1]))) {
      if (skipTagged(owned)) return;
      target = owned;
      first = 2;
    }
  }
  if (auto* c = dynamic_cast<TComponent*>(target); c != nullptr && skipTagged(c)) return;
  setPathValue(target, segments, first, Value, root);
}

bool TLmCustomLangManager::setPathValue(TObject* Target, const std::vector<WideString>& Segments, std::size_t First,
                                        const WideString& Value, TComponent* Root) {
  if (Target == nullptr || First >= Segments.size()) return false;
  // A font text: "!Font" and "!<Property>" name the font held by that property.
  const WideString& last = Segments.back();
  if (!last.empty() && last[0] == u'!') {
    TObject* holder = Target;
    for (std::size_t i = First; i + 1 < Segments.size() && holder != nullptr; ++i)
      holder = GetPropInfo(holder, WideToAnsi(Segments[i])) != nullptr ? GetObjectProp(holder, WideToAnsi(Segments[i]))
                                                                       : nullptr;
    const AnsiString propName = WideToAnsi(last.substr(1));
    if (holder == nullptr || GetPropInfo(holder, propName) == nullptr) return false;
    auto* font = dynamic_cast<TFont*>(GetObjectProp(holder, propName));
    if (font == nullptr) return false;
    auto* control = dynamic_cast<TControl*>(holder);
    if (control != nullptr && propName == "Font" && UsesParentFont(control)) return false;
    if (control == nullptr && propName != "Font" && !translateOtherFont_) return false;
    StringToFont(Value, font, ParentFontOf(holder));
    return true;
  }

  const WideString path = joinSegments(Segments, First);
  Variant current;
  GetPropValueByPath(Target, path, false, current);
  if (!VarIsNull(current)) return TrySetPropValueByPath(Target, path, Value, Root);

  // Not a plain property path: look for Item<n>, ListItem<n> or TreeNode<n>.
  TObject* obj = Target;
  for (std::size_t i = First; i < Segments.size() && obj != nullptr; ++i) {
    WideString base;
    int n = -1;
    SplitTrailingNumber(Segments[i], base, n);
    TObject* indexed = nullptr;
    if (n >= 0 && base == u"Item") {
      if (auto* collection = dynamic_cast<TCollection*>(obj); collection != nullptr && n < collection->Count())
        indexed = collection->Items(n);
    } else if (n >= 0 && base == u"ListItem") {
      if (auto* view = dynamic_cast<TCustomListView*>(obj); view != nullptr && n < view->Items()->Count())
        indexed = view->Items()->Item(n);
    } else if (n >= 0 && base == u"TreeNode") {
      if (auto* tree = dynamic_cast<TCustomTreeView*>(obj); tree != nullptr && n < tree->Items()->Count())
        indexed = tree->Items()->Item(n);
    }
    if (indexed != nullptr) {
      const WideString rest = joinSegments(Segments, i + 1);
      // A list item's sub-items are no published property.
      if (auto* item = dynamic_cast<TListItem*>(indexed); item != nullptr && rest == u"SubItems.Text") {
        item->SubItems()->SetText(WideToAnsi(Value));
        return true;
      }
      return setPathValue(indexed, Segments, i + 1, Value, Root);
    }
    // Step into the object held by this segment's property.
    const AnsiString propName = WideToAnsi(Segments[i]);
    const TPropInfo* prop = GetPropInfo(obj, propName);
    obj = prop != nullptr && prop->Kind == TTypeKind::tkClass ? GetObjectProp(obj, propName) : nullptr;
  }
  return false;
}
