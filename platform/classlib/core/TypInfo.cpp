#include "TypInfo.h"

#include <algorithm>

#include "CodePage.h"
#include "StringRoutines.h"

namespace {

const TPropInfo& findOrRaise(const TObject* obj, std::string_view name) {
  const TPropInfo* prop = GetPropInfo(obj, name);
  if (prop == nullptr) throw EPropertyError("Unknown property: '" + AnsiString(name) + "'");
  return *prop;
}

}  // namespace

TClassInfo::TClassInfo(const char* name, const TClassInfo* parent, std::initializer_list<TPropInfo> ownProperties)
    : name_(name), parent_(parent), own_(ownProperties) {
  if (parent_ != nullptr) all_ = parent_->all_;
  for (const TPropInfo& prop : own_) {
    auto same = std::find_if(all_.begin(), all_.end(), [&](const TPropInfo* p) { return SameText(p->Name, prop.Name); });
    if (same != all_.end())
      *same = &prop;
    else
      all_.push_back(&prop);
  }
}

bool TClassInfo::InheritsFrom(const TClassInfo& cls) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
    if (c == &cls) return true;
  return false;
}

bool TClassInfo::InheritsFromName(std::string_view name) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
    if (SameText(c->name_, name)) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  for (const TPropInfo* prop : all_)
    if (SameText(prop->Name, name)) return prop;
  return nullptr;
}

std::int64_t Published::detail::expectOrdinal(const TPropValue& v, const AnsiString& name) {
  if (const std::int64_t* i = std::get_if<std::int64_t>(&v)) return *i;
  if (const bool* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  throw EPropertyError("Invalid property value for " + name);
}

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
  return obj == nullptr ? nullptr : obj->ClassType().FindProperty(name);
}

bool IsPublishedProp(const TObject* obj, std::string_view name) { return GetPropInfo(obj, name) != nullptr; }

TPropValue GetPropValue(const TObject* obj, const TPropInfo& prop) { return prop.Get(*obj); }

void SetPropValue(TObject* obj, const TPropInfo& prop, const TPropValue& value) {
  if (!prop.HasSetter()) throw EPropertyError("Property " + prop.Name + " is read-only");
  prop.Set(*obj, value);
}

TPropValue GetPropValue(const TObject* obj, std::string_view name) { return GetPropValue(obj, findOrRaise(obj, name)); }

void SetPropValue(TObject* obj, std::string_view name, const TPropValue& value) {
  SetPropValue(obj, findOrRaise(obj, name), value);
}

AnsiString GetStrProp(const TObject* obj, std::string_view name) {
  const TPropInfo& prop = findOrRaise(obj, name);
  TPropValue v = prop.Get(*obj);
  if (const AnsiString* s = std::get_if<AnsiString>(&v)) return *s;
  if (const WideString* w = std::get_if<WideString>(&v)) return WideToAnsi(*w);
  throw EPropertyError("Property " + prop.Name + " is not a string");
}

void SetStrProp(TObject* obj, std::string_view name, const AnsiString& value) {
  const TPropInfo& prop = findOrRaise(obj, name);
  if (prop.Kind == TTypeKind::tkWString)
    SetPropValue(obj, prop, AnsiToWide(value));
  else if (prop.Kind == TTypeKind::tkString)
    SetPropValue(obj, prop, value);
  else
    throw EPropertyError("Property " + prop.Name + " is not a string");
}

WideString GetWideStrProp(const TObject* obj, std::string_view name) {
  const TPropInfo& prop = findOrRaise(obj, name);
  TPropValue v = prop.Get(*obj);
  if (const WideString* w = std::get_if<WideString>(&v)) return *w;
  if (const AnsiString* s = std::get_if<AnsiString>(&v)) return AnsiToWide(*s);
  throw EPropertyError("Property " + prop.Name + " is not a string");
}

void SetWideStrProp(TObject* obj, std::string_view name, const WideString& value) {
  const TPropInfo& prop = findOrRaise(obj, name);
  if (prop.Kind == TTypeKind::tkWString)
    SetPropValue(obj, prop, value);
  else if (prop.Kind == TTypeKind::tkString)
    SetPropValue(obj, prop, WideToAnsi(value));
  else
    throw EPropertyError("Property " + prop.Name + " is not a string");
}

std::int64_t GetOrdProp(const TObject* obj, std::string_view name) {
  const TPropInfo& prop = findOrRaise(obj, name);
  return Published::detail::expectOrdinal(prop.Get(*obj), prop.Name);
}

void SetOrdProp(TObject* obj, std::string_view name, std::int64_t value) {
  const TPropInfo& prop = findOrRaise(obj, name);
  if (prop.Kind == TTypeKind::tkBoolean)
    SetPropValue(obj, prop, value != 0);
  else
    SetPropValue(obj, prop, value);
}

TObject* GetObjectProp(const TObject* obj, std::string_view name) {
  const TPropInfo& prop = findOrRaise(obj, name);
  return Published::detail::expect<TObject*>(prop.Get(*obj), prop.Name);
}

void SetObjectProp(TObject* obj, std::string_view name, TObject* value) { SetPropValue(obj, name, value); }

AnsiString GetEnumName(const TPropInfo& prop, std::int64_t value) {
  if (value < 0 || value >= static_cast<std::int64_t>(prop.EnumNames.size())) return {};
  return prop.EnumNames[static_cast<std::size_t>(value)];
}

std::int64_t GetEnumValue(const TPropInfo& prop, std::string_view name) {
  for (std::size_t i = 0; i < prop.EnumNames.size(); ++i)
    if (SameText(prop.EnumNames[i], name)) return static_cast<std::int64_t>(i);
  return -1;
}

bool IntToIdent(const TIdentMap& map, std::int64_t value, AnsiString& name) {
  for (const TIdentMapEntry& e : map)
    if (e.Value == value) {
      name = e.Name;
      return true;
    }
  return false;
}

bool IdentToInt(const TIdentMap& map, std::string_view name, std::int64_t& value) {
  for (const TIdentMapEntry& e : map)
    if (SameText(e.Name, name)) {
      value = e.Value;
      return true;
    }
  return false;
}
