#include "LmCommon.h"

#include <cctype>

#include "CodePage.h"
#include "Exception.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "IntegerText.h"
#include "StringRoutines.h"
#include "TComponent.h"
#include "TControl.h"
#include "TCustomListView.h"
#include "TCustomTreeView.h"
#include "TFont.h"
#include "TListItem.h"
#include "TStrings.h"
#include "TTreeNode.h"
#include "TWinControl.h"

namespace {

WideString wide(const AnsiString& s) { return AnsiToWide(s); }
AnsiString ansi(const WideString& s) { return WideToAnsi(s); }

// The head of a dotted path and the rest after its first ".".
bool splitPath(const WideString& Path, WideString& Head, WideString& Rest) {
  const std::size_t dot = Path.find(u'.');
  if (dot == WideString::npos) return false;
  Head = Path.substr(0, dot);
  Rest = Path.substr(dot + 1);
  return true;
}

constexpr char16_t kLineBreakTag[] = u"<BR>";

bool isLineBreakTag(const WideString& s, std::size_t i) {
  if (i + 4 > s.size() || s[i] != u'<' || s[i + 3] != u'>') return false;
  return (s[i + 1] == u'B' || s[i + 1] == u'b') && (s[i + 2] == u'R' || s[i + 2] == u'r');
}

// A set property's value from its text: "[fsBold,fsItalic]" or "fsBold, fsItalic".
std::int64_t setFromText(const TPropInfo& Prop, const AnsiString& Text) {
  AnsiString inner = Trim(Text);
  if (!inner.empty() && inner.front() == '[') inner.erase(0, 1);
  if (!inner.empty() && inner.back() == ']') inner.pop_back();
  std::int64_t bits = 0;
  std::size_t start = 0;
  while (start <= inner.size()) {
    std::size_t comma = inner.find(',', start);
    if (comma == AnsiString::npos) comma = inner.size();
    const AnsiString name = Trim(std::string_view(inner).substr(start, comma - start));
    if (!name.empty()) {
      const std::int64_t ordinal = GetEnumValue(Prop, name);
      if (ordinal < 0) throw EPropertyError("Invalid property value for " + Prop.Name);
      bits |= std::int64_t{1} << ordinal;
    }
    start = comma + 1;
  }
  return bits;
}

AnsiString setToText(const TPropInfo& Prop, std::int64_t Bits) {
  AnsiString text = "[";
  for (std::size_t i = 0; i < Prop.EnumNames.size() && i < 64; ++i) {
    if ((Bits & (std::int64_t{1} << i)) == 0) continue;
    if (text.size() > 1) text += ',';
    text += Prop.EnumNames[i];
  }
  return text + "]";
}

bool isIntegerVariant(const Variant& V) {
  const TVarType type = VarType(V);
  return type == varInteger || type == varInt64;
}

}  // namespace

WideString LmExtractFileName(const WideString& FileName) { return wide(ExtractFileName(ansi(FileName))); }

WideString LmExtractFileDir(const WideString& FileName) { return wide(ExtractFileDir(ansi(FileName))); }

WideString LmExtractFilePath(const WideString& FileName) { return wide(ExtractFilePath(ansi(FileName))); }

WideString LmChangeFileExt(const WideString& FileName, const WideString& Extension) {
  return wide(ChangeFileExt(ansi(FileName), ansi(Extension)));
}

WideString LmIncludeTrailingPathDelimiter(const WideString& Path) {
  return wide(IncludeTrailingPathDelimiter(ansi(Path)));
}

WideString LmExpandLineBreaks(const WideString& s) {
  WideString out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (isLineBreakTag(s, i)) {
      out += u"\r\n";
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

WideString LmCollapseLineBreaks(const WideString& s) {
  WideString out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    // A lone LF or CR would end the line in the file and cut the value there.
    if (s[i] == u'\r' || s[i] == u'\n') {
      out += kLineBreakTag;
      if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool CreateDirTree(const WideString& Dir) {
  if (Dir.empty()) return false;
  const WideString dir = wide(ExcludeTrailingPathDelimiter(ansi(Dir)));
  bool result = true;
  if (dir.size() >= 3 && !DirectoryExists(ansi(dir))) {
    const WideString parent = LmExtractFilePath(dir);
    // A relative name without a folder has no parent to make first.
    if (parent.empty())
      result = CreateDir(ansi(dir));
    else if (parent != dir)
      result = CreateDirTree(parent) && CreateDir(ansi(dir));
  }
  return result;
}

bool IsIntegerText(const WideString& S) {
  int value = 0;
  return TryStrToInt(ansi(S), value);
}

TLmCharSet MakeCharSet(const char* Chars) {
  TLmCharSet set;
  for (const char* p = Chars; *p != '\0'; ++p) set.set(static_cast<unsigned char>(*p));
  return set;
}

bool InCharSet(char16_t C, const TLmCharSet& Set) { return C < 256 && Set.test(C); }

void SplitTrailingNumber(const WideString& S, WideString& Base, int& Number) {
  std::size_t start = S.size();
  while (start > 0 && S[start - 1] >= u'0' && S[start - 1] <= u'9') --start;
  Base = S.substr(0, start);
  Number = -1;
  if (start < S.size()) {
    int value = 0;
    if (TryStrToInt(ansi(S.substr(start)), value)) Number = value;
  }
}

int NthCharPos(char16_t C, const WideString& S, int N) {
  if (N < 1) return 0;
  for (std::size_t i = 0; i < S.size(); ++i)
    if (S[i] == C && --N == 0) return static_cast<int>(i) + 1;
  return 0;
}

bool NextToken(const WideString& S, int& Pos, const TLmCharSet& Delimiters, WideString& Token) {
  Token.clear();
  if (Pos < 1) Pos = 1;
  const auto length = static_cast<int>(S.size());
  if (Pos > length) return false;
  int end = Pos;
  while (end <= length && !InCharSet(S[static_cast<std::size_t>(end - 1)], Delimiters)) ++end;
  Token = S.substr(static_cast<std::size_t>(Pos - 1), static_cast<std::size_t>(end - Pos));
  Pos = end + 1;
  return true;
}

bool ClassNameInAncestry(const TClassInfo* ClassType, std::string_view Name) {
  return ClassType != nullptr && ClassType->InheritsFromName(Name);
}

bool ObjectHasClassName(const TObject* Obj, std::string_view Name) {
  return Obj != nullptr && ClassNameInAncestry(&Obj->ClassType(), Name);
}

AnsiString PropInfoName(const TPropInfo* PropInfo) { return PropInfo != nullptr ? PropInfo->Name : AnsiString(); }

bool UsesParentFont(const TControl* Control) {
  try {
    return Control != nullptr && Control->Parent() != nullptr && Control->ParentFont();
  } catch (...) {
    return false;
  }
}

TFont* ParentFontOf(const TObject* Obj) {
  try {
    if (const auto* control = dynamic_cast<const TControl*>(Obj))
      return control->Parent() != nullptr ? control->Parent()->Font() : nullptr;
    if (const auto* component = dynamic_cast<const TComponent*>(Obj))
      if (const auto* owner = dynamic_cast<const TControl*>(component->Owner())) return owner->Font();
  } catch (...) {
  }
  return nullptr;
}

AnsiString FontStyleToString(TFontStyles Style) {
  AnsiString letters;
  if (Style.Contains(fsBold)) letters += 'B';
  if (Style.Contains(fsItalic)) letters += 'I';
  if (Style.Contains(fsUnderline)) letters += 'U';
  if (Style.Contains(fsStrikeOut)) letters += 'S';
  return letters;
}

TFontStyles StringToFontStyle(const AnsiString& S) {
  const AnsiString upper = UpperCase(S);
  TFontStyles style;
  if (upper.find('B') != AnsiString::npos) style.Include(fsBold);
  if (upper.find('I') != AnsiString::npos) style.Include(fsItalic);
  if (upper.find('U') != AnsiString::npos) style.Include(fsUnderline);
  if (upper.find('S') != AnsiString::npos) style.Include(fsStrikeOut);
  return style;
}

WideString FontToString(const TFont* Font) {
  AnsiString charset;
  if (!CharsetToIdent(Font->Charset(), charset)) charset = IntToStr(Font->Charset());
  const AnsiString text = Font->Name() + "," + IntToStr(Font->Size()) + "," + FontStyleToString(Font->Style()) + "," +
                          IntToStr(static_cast<int>(Font->Pitch())) + "," + ColorToString(Font->Color()) + "," +
                          charset;
  return wide(text);
}

void StringToFont(const WideString& S, TFont* Font) { StringToFont(S, Font, nullptr); }

void StringToFont(const WideString& S, TFont* Font, const TFont* BaseFont) {
  if (Font == nullptr) return;
  // The attributes change one by one; the font's users hear of it once, at the end.
  TNotifyEvent onChange = std::move(Font->OnChange);
  Font->OnChange = nullptr;
  try {
    if (BaseFont != nullptr) Font->Assign(const_cast<TFont*>(BaseFont));
    static const TLmCharSet delimiters = MakeCharSet(",;");
    int pos = 1;
    WideString token;
    for (int field = 1; field <= 6 && NextToken(S, pos, delimiters, token); ++field) {
      const AnsiString value = Trim(ansi(token));
      if (value.empty() && field != 3) continue;
      switch (field) {
        case 1: Font->SetName(value); break;
        case 2: {
          // A size no screen shows (a damaged or hostile language file) keeps the current one.
          const int size = StrToIntDef(value, Font->Size());
          if (size >= -TFont::MaxSize && size <= TFont::MaxSize) Font->SetSize(size);
          break;
        }
        case 3: Font->SetStyle(StringToFontStyle(value)); break;
        case 4: {
          const int pitch = StrToIntDef(value, static_cast<int>(Font->Pitch()));
          if (pitch >= 0 && pitch <= 2) Font->SetPitch(static_cast<TFontPitch>(pitch));
          break;
        }
        case 5: Font->SetColor(StringToColor(value)); break;
        case 6: {
          int charset = 0;
          if (IdentToCharset(value, charset) || (TryStrToInt(value, charset) && charset >= 0 && charset <= 255))
            Font->SetCharset(static_cast<TFontCharset>(charset));
          break;
        }
      }
    }
  } catch (...) {
    // An unreadable field ends the parse; what was applied before it stays.
  }
  Font->OnChange = std::move(onChange);
  if (Font->OnChange) Font->OnChange(Font);
}

void GetPropValueByPath(const TObject* Obj, const WideString& Path, bool PreferNames, Variant& Value) {
  Value = Null();
  if (Obj == nullptr) return;
  WideString head, rest;
  if (splitPath(Path, head, rest)) {
    const TPropInfo* prop = GetPropInfo(Obj, ansi(head));
    if (prop == nullptr || prop->Kind != TTypeKind::tkClass) return;
    if (const TObject* inner = GetObjectProp(Obj, prop->Name)) GetPropValueByPath(inner, rest, PreferNames, Value);
    return;
  }
  if (const auto* strings = dynamic_cast<const TStrings*>(Obj); strings != nullptr && Path == u"Text") {
    Value = strings->Text();
    return;
  }
  if (const auto* item = dynamic_cast<const TListItem*>(Obj); item != nullptr && Path == u"Caption") {
    Value = item->Caption();
    return;
  }
  if (const auto* node = dynamic_cast<const TTreeNode*>(Obj); node != nullptr && Path == u"Text") {
    Value = node->Text();
    return;
  }
  if (Path == u"!Font") {
    try {
      const TPropInfo* prop = GetPropInfo(Obj, "Font");
      if (prop != nullptr && prop->Kind == TTypeKind::tkClass)
        if (const auto* font = dynamic_cast<const TFont*>(GetObjectProp(Obj, "Font"))) Value = FontToString(font);
    } catch (const Exception&) {
      Value = Null();
    }
    return;
  }
  const TPropInfo* prop = GetPropInfo(Obj, ansi(Path));
  if (prop == nullptr) return;
  const TPropValue v = GetPropValue(Obj, *prop);
  switch (prop->Kind) {
    case TTypeKind::tkString: Value = std::get<AnsiString>(v); break;
    case TTypeKind::tkWString: Value = std::get<WideString>(v); break;
    case TTypeKind::tkClass: {
      const TObject* obj = std::get<TObject*>(v);
      if (const auto* component = dynamic_cast<const TComponent*>(obj); PreferNames && component != nullptr)
        Value = component->Name();
      else
        Value = static_cast<long long>(reinterpret_cast<std::intptr_t>(obj));
      break;
    }
    case TTypeKind::tkInteger: {
      const std::int64_t number = std::get<std::int64_t>(v);
      AnsiString ident;
      if (prop->Idents != nullptr && IntToIdent(*prop->Idents, number, ident))
        Value = ident;
      else
        Value = static_cast<long long>(number);
      break;
    }
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet: {
      const std::int64_t ordinal = std::get<std::int64_t>(v);
      if (!PreferNames)
        Value = static_cast<long long>(ordinal);
      else if (prop->Kind == TTypeKind::tkSet)
        Value = setToText(*prop, ordinal);
      else
        Value = GetEnumName(*prop, ordinal);
      break;
    }
    case TTypeKind::tkBoolean: {
      const bool b = std::get<bool>(v);
      if (PreferNames)
        Value = b ? "True" : "False";
      else
        Value = b;
      break;
    }
    case TTypeKind::tkMethod: break;
  }
}

void SetPropValueByPath(TObject* Obj, const WideString& Path, const Variant& Value, TComponent* Root) {
  if (Obj == nullptr) return;
  WideString head, rest;
  if (splitPath(Path, head, rest)) {
    SetPropValueByPath(GetObjectProp(Obj, ansi(head)), rest, Value, nullptr);
    return;
  }
  // The texts that GetPropValueByPath reads without a published property.
  if (auto* strings = dynamic_cast<TStrings*>(Obj); strings != nullptr && Path == u"Text") {
    strings->SetText(VarToStr(Value));
    return;
  }
  if (auto* item = dynamic_cast<TListItem*>(Obj); item != nullptr && Path == u"Caption") {
    item->SetCaption(VarToStr(Value));
    return;
  }
  if (auto* node = dynamic_cast<TTreeNode*>(Obj); node != nullptr && Path == u"Text") {
    node->SetText(VarToStr(Value));
    return;
  }
  const AnsiString name = ansi(Path);
  const TPropInfo* prop = GetPropInfo(Obj, name);
  if (prop == nullptr) throw EPropertyError("Unknown property: '" + name + "'");
  switch (prop->Kind) {
    case TTypeKind::tkInteger: {
      const AnsiString text = VarIsStr(Value) ? Value.AsString() : AnsiString();
      std::int64_t number = 0;
      if (prop->Idents != nullptr && IdentToInt(*prop->Idents, text, number))
        SetPropValue(Obj, *prop, number);
      else if (text.size() > 1 && text[0] == '$' && IsIntegerText(wide(text)))
        SetPropValue(Obj, *prop, std::int64_t{StrToInt(text)});
      else
        SetPropValue(Obj, *prop, Value.AsInt64());
      break;
    }
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet: {
      if (isIntegerVariant(Value)) {
        SetPropValue(Obj, *prop, Value.AsInt64());
        break;
      }
      const AnsiString text = Trim(Value.AsString());
      if (prop->Kind == TTypeKind::tkSet) {
        SetPropValue(Obj, *prop, setFromText(*prop, text));
      } else {
        const std::int64_t ordinal = GetEnumValue(*prop, text);
        if (ordinal < 0) throw EPropertyError("Invalid property value for " + prop->Name);
        SetPropValue(Obj, *prop, ordinal);
      }
      break;
    }
    case TTypeKind::tkClass: {
      const AnsiString text = VarToStr(Value);
      TComponent* component = Root != nullptr && !text.empty() ? Root->FindComponent(text) : nullptr;
      SetPropValue(Obj, *prop, static_cast<TObject*>(component));
      break;
    }
    case TTypeKind::tkString: SetPropValue(Obj, *prop, Value.AsString()); break;
    case TTypeKind::tkWString: SetPropValue(Obj, *prop, Value.AsWideString()); break;
    case TTypeKind::tkBoolean: SetPropValue(Obj, *prop, Value.AsBoolean()); break;
    case TTypeKind::tkMethod: throw EPropertyError("Invalid property value for " + prop->Name);
  }
}

bool TrySetPropValueByPath(TObject* Obj, const WideString& Path, const Variant& Value, TComponent* Root) {
  try {
    SetPropValueByPath(Obj, Path, Value, Root);
    return true;
  } catch (...) {
    return false;
  }
}
