// Run-time class information and published properties.
//
// Every class of the component model has one TClassInfo: its name, its parent class and the
// table of properties it publishes. A property row has a name, a kind, a getter and, unless the
// property is read-only, a setter. Properties() lists a class's published properties in
// declaration order, ancestors first; a class that publishes a name its ancestor already
// published replaces that row in place.
//
// Tables are built in DEFINE_CLASS from the Published:: helpers below, which bind the class's
// own accessor methods:
//
//   DEFINE_CLASS(TControl, TComponent,
//     Published::String("Caption", &TControl::Caption, &TControl::SetCaption),
//     Published::Integer("Left", &TControl::Left, &TControl::SetLeft),
//     Published::Class("Font", &TControl::Font, &TControl::SetFont),
//     Published::Event("OnClick", &TControl::OnClick))
//
// The free functions at the end read and write properties by name; they raise EPropertyError
// for an unknown property, for a write to a read-only one and for a value of the wrong kind.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "Exception.h"
#include "TObject.h"

enum class TTypeKind {
  tkString,       // AnsiString
  tkWString,      // WideString
  tkInteger,      // any integer; may carry an identifier table (colours, character sets)
  tkEnumeration,  // ordinal of an enumeration, with the names of its values
  tkSet,          // bit set over an enumeration (SetOf), with the names of its elements
  tkBoolean,
  tkClass,        // an object reference; for owned sub-objects the getter gives the object itself
  tkMethod,       // an event; the value is the handler as std::any
};

// One value of a property. Integers, enumerations and sets travel as int64 (sets as their bits).
using TPropValue = std::variant<std::monostate, AnsiString, WideString, std::int64_t, bool, TObject*, std::any>;

// Integer-to-name identifiers of an integer property type (clRed = 0x0000FF, ...).
struct TIdentMapEntry {
  std::int64_t Value;
  const char* Name;
};
using TIdentMap = std::vector<TIdentMapEntry>;

struct TPropInfo {
  AnsiString Name;
  TTypeKind Kind = TTypeKind::tkInteger;
  std::function<TPropValue(const TObject&)> Get;
  std::function<void(TObject&, const TPropValue&)> Set;  // empty: read-only
  std::vector<AnsiString> EnumNames;                     // enumerations and sets
  const TIdentMap* Idents = nullptr;                     // integer kind only

  bool HasSetter() const { return static_cast<bool>(Set); }
};

class TClassInfo {
public:
  TClassInfo(const char* name, const TClassInfo* parent, std::initializer_list<TPropInfo> ownProperties);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const AnsiString& ClassName() const { return name_; }
  const TClassInfo* ClassParent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& cls) const;
  // True when this class or an ancestor has the class name (ASCII case-insensitive).
  bool InheritsFromName(std::string_view name) const;

  // Published properties, ancestors first, each in declaration order.
  const std::vector<const TPropInfo*>& Properties() const { return all_; }
  // A published property by name (ASCII case-insensitive), or nullptr.
  const TPropInfo* FindProperty(std::string_view name) const;

private:
  AnsiString name_;
  const TClassInfo* parent_;
  std::vector<TPropInfo> own_;
  std::vector<const TPropInfo*> all_;
};

#define DEFINE_CLASS(Self, Parent, ...)                                                  \
  const ::TClassInfo& Self::StaticClass() {                                              \
    static const ::TClassInfo info(#Self, &Parent::StaticClass(), {__VA_ARGS__});       \
    return info;                                                                         \
  }

// Property-table rows bound to accessor methods. Getters are const member functions; setters
// take one argument. Omitting the setter publishes a read-only property.
namespace Published {
namespace detail {

template <class C>
const C& self(const TObject& o) {
  return static_cast<const C&>(o);
}
template <class C>
C& self(TObject& o) {
  return static_cast<C&>(o);
}

// Reads one alternative of a value, raising EPropertyError for any other.
template <class T>
const T& expect(const TPropValue& v, const AnsiString& name) {
  if (const T* p = std::get_if<T>(&v)) return *p;
  throw EPropertyError("Invalid property value for " + name);
}
std::int64_t expectOrdinal(const TPropValue& v, const AnsiString& name);

template <class C, class R>
auto getter(R (C::*get)() const) {
  return [get](const TObject& o) -> decltype(auto) { return (self<C>(o).*get)(); };
}
template <class C, class A>
auto setter(void (C::*set)(A)) {
  return [set](TObject& o, std::remove_cvref_t<A> v) { (self<C>(o).*set)(std::move(v)); };
}

// A row bound to a getter and, when one is given, a setter; To and From convert between the
// accessors' type and TPropValue. Without a setter the property is read-only.
template <class C, class R, class ToValue, class FromValue, class... S>
TPropInfo bind(const char* name, TTypeKind kind, R (C::*get)() const, ToValue to, FromValue from, S... set) {
  static_assert(sizeof...(S) <= 1);
  TPropInfo p;
  p.Name = name;
  p.Kind = kind;
  p.Get = [get = getter(get), to](const TObject& o) -> TPropValue { return to(get(o)); };
  if constexpr (sizeof...(S) == 1)
    p.Set = [set = setter(set...), from, n = p.Name](TObject& o, const TPropValue& v) { set(o, from(v, n)); };
  return p;
}

}  // namespace detail

template <class C, class R, class... S>
TPropInfo String(const char* name, R (C::*get)() const, S... set) {
  auto to = [](const AnsiString& s) { return TPropValue(s); };
  auto from = [](const TPropValue& v, const AnsiString& n) { return detail::expect<AnsiString>(v, n); };
  return detail::bind(name, TTypeKind::tkString, get, to, from, set...);
}

template <class C, class R, class... S>
TPropInfo WideString(const char* name, R (C::*get)() const, S... set) {
  auto to = [](const ::WideString& s) { return TPropValue(s); };
  auto from = [](const TPropValue& v, const AnsiString& n) { return detail::expect<::WideString>(v, n); };
  return detail::bind(name, TTypeKind::tkWString, get, to, from, set...);
}

template <class C, class R, class... S>
TPropInfo Integer(const char* name, R (C::*get)() const, S... set) {
  using T = std::remove_cvref_t<R>;
  auto to = [](T i) { return TPropValue(static_cast<std::int64_t>(i)); };
  auto from = [](const TPropValue& v, const AnsiString& n) { return static_cast<T>(detail::expectOrdinal(v, n)); };
  return detail::bind(name, TTypeKind::tkInteger, get, to, from, set...);
}

// An integer property whose type has named values (colours, character sets).
template <class C, class R, class... S>
TPropInfo Integer(const TIdentMap& idents, const char* name, R (C::*get)() const, S... set) {
  TPropInfo p = Integer(name, get, set...);
  p.Idents = &idents;
  return p;
}

template <class C, class R, class... S>
TPropInfo Boolean(const char* name, R (C::*get)() const, S... set) {
  auto to = [](bool b) { return TPropValue(b); };
  auto from = [](const TPropValue& v, const AnsiString& n) {
    if (const bool* b = std::get_if<bool>(&v)) return *b;
    return detail::expectOrdinal(v, n) != 0;
  };
  return detail::bind(name, TTypeKind::tkBoolean, get, to, from, set...);
}

template <class C, class R, class... S>
TPropInfo Enum(const char* name, std::initializer_list<const char*> names, R (C::*get)() const, S... set) {
  using E = std::remove_cvref_t<R>;
  auto to = [](E e) { return TPropValue(static_cast<std::int64_t>(e)); };
  auto from = [](const TPropValue& v, const AnsiString& n) { return static_cast<E>(detail::expectOrdinal(v, n)); };
  TPropInfo p = detail::bind(name, TTypeKind::tkEnumeration, get, to, from, set...);
  p.EnumNames.assign(names.begin(), names.end());
  return p;
}

template <class C, class R, class... S>
TPropInfo Set(const char* name, std::initializer_list<const char*> names, R (C::*get)() const, S... set) {
  using T = std::remove_cvref_t<R>;
  auto to = [](T s) { return TPropValue(static_cast<std::int64_t>(s.Bits())); };
  auto from = [](const TPropValue& v, const AnsiString& n) {
    return T::FromBits(static_cast<std::uint64_t>(detail::expectOrdinal(v, n)));
  };
  TPropInfo p = detail::bind(name, TTypeKind::tkSet, get, to, from, set...);
  p.EnumNames.assign(names.begin(), names.end());
  return p;
}

// An object property. The getter returns a pointer to the object (an owned sub-object such as
// a font or a string list, or a reference to another component); the setter, if any, takes a
// pointer of the property's class. Writing an object of another class raises EPropertyError.
template <class C, class R, class... S>
TPropInfo Class(const char* name, R* (C::*get)() const, S... set) {
  auto to = [](R* obj) { return TPropValue(static_cast<TObject*>(obj)); };
  auto from = [](const TPropValue& v, const AnsiString& n) -> R* {
    TObject* obj = detail::expect<TObject*>(v, n);
    if (obj == nullptr) return nullptr;
    if (R* typed = dynamic_cast<R*>(obj)) return typed;
    throw EPropertyError("Invalid property value for " + n);
  };
  return detail::bind(name, TTypeKind::tkClass, get, to, from, set...);
}

// An event: a public std::function member. The value is the handler wrapped in std::any.
template <class C, class F>
TPropInfo Event(const char* name, F C::*member) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TTypeKind::tkMethod;
  p.Get = [member](const TObject& o) { return TPropValue(std::any(detail::self<C>(o).*member)); };
  p.Set = [member, n = p.Name](TObject& o, const TPropValue& v) {
    const std::any& a = detail::expect<std::any>(v, n);
    if (!a.has_value()) {
      detail::self<C>(o).*member = F();
    } else if (const F* f = std::any_cast<F>(&a)) {
      detail::self<C>(o).*member = *f;
    } else {
      throw EPropertyError("Invalid property value for " + n);
    }
  };
  return p;
}

}  // namespace Published

// Property access by name.
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);  // nullptr when unknown
bool IsPublishedProp(const TObject* obj, std::string_view name);
TPropValue GetPropValue(const TObject* obj, const TPropInfo& prop);
void SetPropValue(TObject* obj, const TPropInfo& prop, const TPropValue& value);
TPropValue GetPropValue(const TObject* obj, std::string_view name);
void SetPropValue(TObject* obj, std::string_view name, const TPropValue& value);

// Typed access. String getters and setters convert between the two string kinds through the
// ANSI code page; the ordinal ones serve integer, enumeration, set and boolean properties.
AnsiString GetStrProp(const TObject* obj, std::string_view name);
void SetStrProp(TObject* obj, std::string_view name, const AnsiString& value);
WideString GetWideStrProp(const TObject* obj, std::string_view name);
void SetWideStrProp(TObject* obj, std::string_view name, const WideString& value);
std::int64_t GetOrdProp(const TObject* obj, std::string_view name);
void SetOrdProp(TObject* obj, std::string_view name, std::int64_t value);
TObject* GetObjectProp(const TObject* obj, std::string_view name);
void SetObjectProp(TObject* obj, std::string_view name, TObject* value);

// Enumeration names: the name of an ordinal ("" when out of range) and the ordinal of a name
// (ASCII case-insensitive; -1 when unknown).
AnsiString GetEnumName(const TPropInfo& prop, std::int64_t value);
std::int64_t GetEnumValue(const TPropInfo& prop, std::string_view name);
// Identifier tables: the name of a value / the value of a name; false when there is none.
bool IntToIdent(const TIdentMap& map, std::int64_t value, AnsiString& name);
bool IdentToInt(const TIdentMap& map, std::string_view name, std::int64_t& value);
